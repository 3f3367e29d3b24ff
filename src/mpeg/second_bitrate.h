// The bitrate of one second in kbit/s: its bytes as bits, per frame, times the whole frame rate,
// over the kilo base. 64-bit arithmetic, clamped to the 32-bit field: 32 bits would wrap for a
// second of half a GiB (8 times its bytes) or of 21 MiB in one frame (per frame times the rate).
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tessivo {

constexpr uint32_t SecondBitrate(uint64_t bytes, uint32_t frames, uint32_t wholeRate,
                                 uint32_t kiloBase) {
  if (frames == 0) return 0;
  const uint64_t perFrame = 8 * bytes / frames;
  return static_cast<uint32_t>(
      std::min<uint64_t>(perFrame * wholeRate / kiloBase, std::numeric_limits<uint32_t>::max()));
}

}  // namespace tessivo
