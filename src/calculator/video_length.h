// Tab "VIDEO LENGTH": the video bitrate left for a playing time on a medium, and a rough
// picture-quality figure for it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tessivo {

struct VideoLengthInputs {
  int32_t minutes = 100;           // VLCB
  int32_t audioKbps = 224;         // Akbps
  int32_t subtitles = 0;           // SubTit
  int32_t extraMegabytes = 0;      // AddV
  int32_t resolution = 6;          // resCB item
  int32_t medium = 4;              // MediaCB item
  int32_t discs = 1;               // NumDiscs
  int32_t customMegabytes = 4700;  // Csp
  int32_t complexity = 50;         // TB1
  int32_t quality = 20;            // TB2
};

struct VideoLengthResult {
  int64_t videoKbps = 0;  // V, shown by the gauge CGb
  std::string suggested;  // Panel6: V, or "Error!" below 1 kbit/s
  // Q for the three quality gauges; none at V = 0, where the gauges keep what they showed.
  std::optional<int64_t> quality;
};

VideoLengthResult ComputeVideoLength(const VideoLengthInputs& inputs, uint32_t kiloBase);

// The quality gauges, bottom to top; all show Q, so together they read as one scale.
struct QualityGauge {
  int32_t minimum;
  int32_t maximum;
  const char* colour;
  const char* hint;
};
inline constexpr QualityGauge kQualityGauges[3] = {
    {0, 30, "lime", "Artifacts are not visible"},
    {31, 55, "yellow", "Average quality"},
    {56, 100, "red", "Well visible artifacts"},
};
// The hint of the highest gauge Q reaches; empty below 0.
const char* QualityHint(int64_t quality);

// The "Additional data:" text as megabytes; text that is not a decimal integer reads as 0 and
// is to be replaced by "0".
struct AddVEntry {
  int32_t megabytes = 0;
  bool replaced = false;
};
AddVEntry AddVChange(const std::string& text);

}  // namespace tessivo
