#include "graph/graph_model.h"

#include <algorithm>

#include "analysis/analysis_context.h"
#include "base/rounding.h"

namespace tessivo {

namespace {

// Lines from a start, step apart, while they stay inside length: the first one always.
uint32_t LinesWithin(uint32_t length, uint32_t step) {
  if (step == 0) return 1;
  return std::max<uint32_t>(1, (length + step - 1) / step);
}

}  // namespace

GraphModel::GraphModel(const RecordStores& stores, const ViewState& initial)
    : stores_(stores), state_(initial) {}

void GraphModel::Relayout(int32_t areaWidth, int32_t areaHeight) {
  const int32_t width = std::max(0, areaWidth);
  const int32_t height = std::max(0, areaHeight);
  const uint16_t seconds = state_.horizontalScale;
  const uint16_t units = state_.verticalScale;
  state_.pixelsPerSecond = static_cast<uint16_t>(seconds == 0 ? 0 : width / seconds);
  state_.pixelsPerUnit = static_cast<uint16_t>(units == 0 ? 0 : height / units);
  state_.graphWidth = static_cast<uint16_t>(state_.pixelsPerSecond * seconds);
  state_.graphHeight = static_cast<uint16_t>(state_.pixelsPerUnit * units);
  state_.cursorX = 0;
  state_.cursorY = 0;
}

int32_t GraphModel::KbitPerPixel() const {
  if (state_.pixelsPerUnit == 0) return 0;
  return state_.kiloBase / static_cast<int32_t>(state_.pixelsPerUnit);
}

std::optional<int64_t> GraphModel::XOfSecond(uint64_t second) const {
  if (state_.pixelsPerSecond == 0 || second < state_.firstSecond) return std::nullopt;
  const uint64_t column = second - state_.firstSecond;
  if (column >= state_.horizontalScale) return std::nullopt;
  return state_.graphLeft + static_cast<int64_t>(state_.pixelsPerSecond * column);
}

std::optional<uint64_t> GraphModel::SecondAtX(int64_t x) const {
  if (state_.pixelsPerSecond == 0 || x < state_.graphLeft) return std::nullopt;
  return state_.firstSecond +
         static_cast<uint64_t>((x - state_.graphLeft) / state_.pixelsPerSecond);
}

std::optional<int64_t> GraphModel::YOfBitrate(uint32_t kbps) const {
  const int32_t kbitPerPixel = KbitPerPixel();
  if (kbitPerPixel <= 0) return std::nullopt;
  return Bottom() - kbps / static_cast<uint32_t>(kbitPerPixel);
}

int64_t GraphModel::YOfQuant(double quant) const {
  return Bottom() - RoundToInteger(static_cast<double>(state_.pixelsPerUnit) * quant);
}

std::optional<int32_t> GraphModel::UnitsAtY(int64_t y) const {
  if (state_.pixelsPerUnit == 0 || y < state_.graphTop) return std::nullopt;
  const int64_t row = (y - state_.graphTop) / state_.pixelsPerUnit;
  return static_cast<int32_t>(state_.verticalScale - row);
}

GridLines GraphModel::HorizontalGridLines() const {
  return {Bottom(), -int64_t{state_.pixelsPerUnit},
          LinesWithin(state_.graphHeight, state_.pixelsPerUnit)};
}

GridLines GraphModel::VerticalGridLines() const {
  return {state_.graphLeft, state_.pixelsPerSecond,
          LinesWithin(state_.graphWidth, state_.pixelsPerSecond)};
}

LineValue GraphModel::HorizontalLineValue(uint32_t k) const {
  LineValue value;
  value.units = k;
  value.quant = k;
  const int32_t kbitPerPixel = KbitPerPixel();
  if (kbitPerPixel > 0) value.kbps = int64_t{k} * state_.pixelsPerUnit * kbitPerPixel;
  return value;
}

bool GraphModel::Draws(Curve curve) const {
  if (!HasArea()) return false;
  const ViewMode mode = state_.viewMode;
  if (curve == Curve::kQuantiser) return mode == kViewBoth || mode == kViewQuantiser;
  return (mode == kViewBoth || mode == kViewBitrate) && KbitPerPixel() > 0;
}

uint32_t GraphModel::CurvePointCount() const {
  uint32_t count = 0;
  while (count < state_.horizontalScale && SecondValid(uint64_t{state_.firstSecond} + count)) {
    ++count;
  }
  return count;
}

Pixel GraphModel::CurvePoint(Curve curve, uint32_t column) const {
  const PerSecondStats& second = stores_.seconds()[uint64_t{state_.firstSecond} + column];
  const int64_t x = state_.graphLeft + int64_t{state_.pixelsPerSecond} * column;
  if (curve == Curve::kQuantiser) return {x, YOfQuant(second.quant)};
  return {x, YOfBitrate(second.bitrate).value_or(Bottom())};
}

std::optional<CrossHair> GraphModel::CrossHairAt(uint16_t x, uint16_t y) const {
  if (x == 0 && y == 0) return std::nullopt;
  return CrossHair{{x, state_.graphTop}, {x, Bottom()}, {state_.graphLeft, y}, {LastColumnX(), y}};
}

bool GraphModel::SecondValid(uint64_t second) const {
  return second < stores_.secondCapacity() && stores_.seconds()[second].valid != 0;
}

}  // namespace tessivo
