// Tracking the pointer with the cross-hair, and the steps of the view through the seconds.
#include "graph/graph_model.h"

namespace tessivo {

Tracking GraphModel::Track(int64_t x, int64_t y) {
  const uint16_t ux = static_cast<uint16_t>(x);
  const uint16_t uy = static_cast<uint16_t>(y);
  Tracking tracking{TrackOutcome::kOutsideZone, state_.cursorX, state_.cursorY};
  if (ux < state_.graphLeft || ux > LastColumnX() + 4 || uy < state_.graphTop ||
      uy > Bottom() + 4) {
    return tracking;
  }
  tracking.outcome = TrackOutcome::kStill;
  if (!HasArea()) return tracking;
  const uint16_t sx = static_cast<uint16_t>((ux / state_.pixelsPerSecond) * state_.pixelsPerSecond);
  const uint16_t sy = static_cast<uint16_t>((uy / state_.pixelsPerUnit) * state_.pixelsPerUnit);
  // Still in the same cell: the tracked point keeps its earlier value.
  if (sx == state_.cursorX && sy == state_.cursorY) return tracking;
  state_.cursorX = sx;
  state_.cursorY = sy;
  state_.mouseX = ux;
  state_.mouseY = uy;
  tracking.outcome = TrackOutcome::kMoved;
  return tracking;
}

Pixel GraphModel::ArrowTarget(Arrow arrow) const {
  const int64_t x = state_.mouseX;
  const int64_t y = state_.mouseY;
  switch (arrow) {
    case Arrow::kLeft:
      return {x - state_.pixelsPerSecond, y};
    case Arrow::kRight:
      return {x + state_.pixelsPerSecond, y};
    case Arrow::kUp:
      return {x, y - state_.pixelsPerUnit};
    case Arrow::kDown:
      return {x, y + state_.pixelsPerUnit};
  }
  return {x, y};
}

bool GraphModel::StepView(bool forward) {
  if (forward) {
    if (!SecondValid(uint64_t{state_.firstSecond} + state_.horizontalScale)) return false;
    ++state_.firstSecond;
    return true;
  }
  if (state_.firstSecond == 0) return false;
  --state_.firstSecond;
  return true;
}

uint32_t GraphModel::StepViewBy(int64_t seconds) {
  const bool forward = seconds > 0;
  const uint64_t steps =
      forward ? static_cast<uint64_t>(seconds) : 0 - static_cast<uint64_t>(seconds);
  uint32_t moved = 0;
  for (uint64_t i = 0; i < steps; ++i) moved += StepView(forward) ? 1 : 0;
  return moved;
}

int64_t WheelScrollPosition(int64_t position, uint32_t moved, bool forward) {
  return forward ? position + moved + 1 : position - moved - 1;
}

}  // namespace tessivo
