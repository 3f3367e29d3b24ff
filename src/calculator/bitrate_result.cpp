#include "calculator/bitrate_result.h"

#include <cstdio>

namespace tessivo {

namespace {

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string PlayingTime(double capacity, int64_t total) {
  if (total <= 0) return "~ --:--";
  const auto seconds = static_cast<uint64_t>(capacity / static_cast<double>(total));
  char text[64];
  std::snprintf(text, sizeof text, "~ %02llu:%02llu", static_cast<unsigned long long>(seconds / 60),
                static_cast<unsigned long long>(seconds % 60));
  return text;
}

std::string Compliance(int64_t total) {
  if (total <= 0) return {};
  std::string text;
  if (total > 1344000 && total <= 1376000) text += "VCD,";
  if (total <= 2824000) text += "S-VCD,";
  if (total < 10569646) text += "DVD-VIDEO";
  return text;
}

}  // namespace

BitrateResult calcresult(int64_t bps, int64_t audioKbps, uint32_t kiloBase) {
  const int64_t total = bps + audioKbps * kiloBase;
  const double t = static_cast<double>(total);
  const double k = kiloBase;
  BitrateResult result;
  result.bytes = Format("%8.2f", t * 0.125);
  result.kbytes = Format("%8.2f", t / k * 0.125);
  result.mbytes = Format("%8.2f", t / k / k * 0.125);
  result.compliance = Compliance(total);
  for (int i = 0; i < kCustomMedium; ++i) {
    result.playingTimes[i] = PlayingTime(kFixedMediaCapacities[i], total);
  }
  return result;
}

}  // namespace tessivo
