// Tab "BITRATE": what a video bitrate plus one audio stream means in bytes, formats and discs.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "calculator/calculator_tables.h"

namespace tessivo {

struct BitrateResult {
  std::string bytes;       // "%8.2f" byte/s
  std::string kbytes;      // "%8.2f" KByte/s
  std::string mbytes;      // "%8.2f" MByte/s
  std::string compliance;  // "VCD,", "S-VCD," and "DVD-VIDEO" where the total fits
  std::array<std::string, kCustomMedium> playingTimes;  // "~ mm:ss", kFixedMediaCapacities order
};

// The additional audio stream's bitrate before the user changes it, in kbit/s.
inline constexpr int64_t kInitialAudioKbps = 192;

// A total of 0 bit/s or less fits no format and plays for "~ --:--".
BitrateResult calcresult(int64_t bps, int64_t audioKbps, uint32_t kiloBase);

}  // namespace tessivo
