#include "calculator/video_length.h"

#include <charconv>

#include "calculator/calculator_tables.h"

namespace tessivo {

namespace {

constexpr int32_t kSubtitleKbps = 64;

double Capacity(const VideoLengthInputs& inputs) {
  if (inputs.medium == kCustomMedium) return CspChange(inputs.customMegabytes);
  return kFixedMediaCapacities[inputs.medium];
}

// The complexity slider scales the compression ratio by 0.5 to 1.5; the quality slider divides
// it by 0.70 to 0.89 below its middle and by 1.00 to 1.20 from the middle up.
int64_t QualityFigure(int64_t rawBitRate, int64_t videoKbps, const VideoLengthInputs& inputs) {
  const int64_t q0 = rawBitRate / (videoKbps * 1000);
  const double f1 = (inputs.complexity - 50) * 0.01 + 1.0;
  const auto q1 = static_cast<int64_t>(static_cast<double>(q0) * f1);
  const int32_t g = inputs.quality >= 20 ? inputs.quality - 20 : inputs.quality - 30;
  const double f2 = 0.01 * g + 1.0;
  return static_cast<int64_t>(static_cast<double>(q1) / f2);
}

}  // namespace

VideoLengthResult ComputeVideoLength(const VideoLengthInputs& inputs, uint32_t kiloBase) {
  const double length = inputs.minutes * 60.0;
  const int64_t extraBits = int64_t{inputs.extraMegabytes} * kiloBase * kiloBase * 8;
  const double available = inputs.discs * Capacity(inputs) - static_cast<double>(extraBits);
  const int64_t audio = inputs.audioKbps + kSubtitleKbps * int64_t{inputs.subtitles};

  VideoLengthResult result;
  if (inputs.minutes < 1) return {0, "Error!", std::nullopt};
  result.videoKbps = static_cast<int64_t>(available / length / kiloBase) - audio;
  result.suggested = result.videoKbps >= 1 ? std::to_string(result.videoKbps) : "Error!";
  if (result.videoKbps != 0) {
    result.quality =
        QualityFigure(kResolutions[inputs.resolution].rawBitRate, result.videoKbps, inputs);
  }
  return result;
}

const char* QualityHint(int64_t quality) {
  const char* hint = "";
  for (const QualityGauge& gauge : kQualityGauges) {
    if (quality >= gauge.minimum) hint = gauge.hint;
  }
  return hint;
}

AddVEntry AddVChange(const std::string& text) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (last - first > 1 && *first == '+' && first[1] != '-') ++first;
  int32_t megabytes = 0;
  const auto [end, error] = std::from_chars(first, last, megabytes);
  if (first == last || error != std::errc() || end != last) return {0, true};
  return {megabytes, false};
}

}  // namespace tessivo
