// The readouts of the tracked second: time, grid units, bitrate and quantiser, their shares of
// the run's peaks, and the pictures for the tab views.
#include <cstdio>

#include "analysis/analysis_context.h"
#include "base/rounding.h"
#include "graph/graph_model.h"

namespace tessivo {

std::optional<Readout> GraphModel::TrackedReadout() const {
  if (state_.mouseX == 0 || !HasArea()) return std::nullopt;
  const std::optional<uint64_t> second = SecondAtX(state_.mouseX);
  const std::optional<int32_t> units = UnitsAtY(state_.mouseY);
  if (!second || !units || *second >= stores_.secondCapacity()) return std::nullopt;

  const PerSecondStats& record = stores_.seconds()[*second];
  const SequenceSummary& summary = stores_.summary;
  Readout readout;
  readout.second = *second;
  readout.units = *units;
  readout.bitrate = record.bitrate;
  readout.quant = record.quant;
  if (summary.peakBitrate != 0) {
    readout.shares = Readout::Shares{
        static_cast<int>(static_cast<double>(record.bitrate) / summary.peakBitrate * 100),
        summary.peakQuant != 0.0 ? static_cast<int>(record.quant / summary.peakQuant * 100) : 0};
  }
  // A result file keeps the frame rate code too, so this serves a loaded result alike.
  const uint32_t perSecond = RoundToInteger(FrameRateOf(summary.frameRateIndex));
  const uint64_t firstPicture = *second * perSecond;
  if (perSecond != 0 && firstPicture + perSecond <= stores_.capacity()) {
    readout.pictures = Readout::Pictures{perSecond, firstPicture};
  }
  return readout;
}

std::string EndTimeText(uint64_t second) {
  const uint64_t t = second + 1;
  char text[32];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u", static_cast<unsigned>(t / 3600),
                static_cast<unsigned>((t / 60) % 60), static_cast<unsigned>(t % 60));
  return text;
}

}  // namespace tessivo
