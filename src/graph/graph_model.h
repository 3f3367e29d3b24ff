// The graph of bitrate and quantiser per second as arithmetic, without any drawing surface: the
// layout of the graph in pixels, where a second, a bitrate or a quantiser value lies, the grid
// lines and what they stand for, the curve points, the cross-hair and its tracking, the steps of
// the view through the seconds and the readouts of the tracked second.
//
// Pixels follow the window's client coordinates, y downward. Divisions truncate. Lines are
// drawn from point to point without painting the end point, so a line to the right edge ends one
// pixel inside it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "graph/view_state.h"
#include "mpeg/record_stores.h"

namespace tessivo {

struct Pixel {
  int64_t x = 0;
  int64_t y = 0;
};

// One family of evenly spaced grid lines: count lines, the first at first, step apart.
struct GridLines {
  int64_t first = 0;
  int64_t step = 0;
  uint32_t count = 0;
  int64_t operator[](uint32_t k) const { return first + step * k; }
};

// What a horizontal grid line stands for on each curve.
struct LineValue {
  uint32_t units = 0;           // grid units above the bottom line
  std::optional<int64_t> kbps;  // the lowest bitrate drawn on it; none without a mapping
  double quant = 0.0;           // the quantiser value drawn on it
};

enum class Curve { kBitrate, kQuantiser };

// The two lines of a cross-hair: the vertical one across the graph's height, the horizontal one
// from the left edge to the last column.
struct CrossHair {
  Pixel verticalFrom;
  Pixel verticalTo;
  Pixel horizontalFrom;
  Pixel horizontalTo;
};

enum class TrackOutcome {
  kOutsideZone,  // the point is off the graph: nothing changed
  kStill,        // on the graph, but the cross-hair stays where it is
  kMoved,        // the cross-hair moved to the point's cell and the point is tracked
};

struct Tracking {
  TrackOutcome outcome = TrackOutcome::kOutsideZone;
  uint16_t oldCursorX = 0;  // where the cross-hair was, to be erased
  uint16_t oldCursorY = 0;
};

enum class Arrow { kLeft, kRight, kUp, kDown };

// The figures of the tracked second.
struct Readout {
  uint64_t second = 0;
  int32_t units = 0;  // grid units between the bottom line and the cross-hair's row
  uint32_t bitrate = 0;
  double quant = 0.0;
  // Shares of the run's peaks in percent, truncated; none while the run has no bitrate peak.
  struct Shares {
    int bitrate = 0;
    int quant = 0;  // 0 without a quantiser peak
  };
  std::optional<Shares> shares;
  // The second's pictures: none without a frame rate or where they would pass the store's end.
  struct Pictures {
    uint32_t count = 0;
    uint64_t first = 0;
  };
  std::optional<Pictures> pictures;
};

class GraphModel {
 public:
  GraphModel(const RecordStores& stores, const ViewState& initial);

  const ViewState& state() const { return state_; }

  // The scales and the mode take effect on the pixels at the next Relayout.
  void SetVerticalScale(uint16_t units) { state_.verticalScale = units; }
  void SetHorizontalScale(uint16_t seconds) { state_.horizontalScale = seconds; }
  void SetViewMode(ViewMode mode) { state_.viewMode = mode; }

  // Fits whole seconds and grid units into the area and removes the cross-hair. A scale larger
  // than the area in pixels, or 0, leaves the graph without area.
  void Relayout(int32_t areaWidth, int32_t areaHeight);
  bool HasArea() const { return state_.pixelsPerSecond != 0 && state_.pixelsPerUnit != 0; }

  int64_t Right() const { return int64_t{state_.graphLeft} + state_.graphWidth; }
  int64_t Bottom() const { return int64_t{state_.graphTop} + state_.graphHeight; }
  // The x of the last column's grid line.
  int64_t LastColumnX() const { return Right() - state_.pixelsPerSecond; }

  // Pixel and second: none where the second is not in the window, or there is no area.
  std::optional<int64_t> XOfSecond(uint64_t second) const;
  std::optional<uint64_t> SecondAtX(int64_t x) const;
  // A bitrate in kbit/s: none where one pixel stands for less than one kbit/s.
  std::optional<int64_t> YOfBitrate(uint32_t kbps) const;
  int64_t YOfQuant(double quant) const;
  // The grid units from the bottom line up to the row that holds y.
  std::optional<int32_t> UnitsAtY(int64_t y) const;

  // Bottom line first, going up; there is no line along the top edge.
  GridLines HorizontalGridLines() const;
  // Left edge first, one line at each column; there is no line along the right edge.
  GridLines VerticalGridLines() const;
  LineValue HorizontalLineValue(uint32_t k) const;

  // Whether the view mode draws the curve and it has somewhere to go.
  bool Draws(Curve curve) const;
  // Each curve starts at the bottom left corner and runs through one point per valid second of
  // the window, up to the first second that is not valid.
  Pixel CurveStart() const { return {state_.graphLeft, Bottom()}; }
  uint32_t CurvePointCount() const;
  Pixel CurvePoint(Curve curve, uint32_t column) const;

  // None for the position (0, 0), which means no cross-hair.
  std::optional<CrossHair> CrossHairAt(uint16_t x, uint16_t y) const;

  // Moves the cross-hair to the cell under (x, y), taken as unsigned 16-bit values, when the
  // point lies in the tracking zone: the graph, 4 pixels beyond its last column and its bottom.
  Tracking Track(int64_t x, int64_t y);
  // Where an arrow key moves the tracked point: one cell from the last tracked position.
  Pixel ArrowTarget(Arrow arrow) const;

  // One second forward, while the second right of the window is valid, or back, down to 0.
  bool StepView(bool forward);
  // |seconds| steps forward (positive) or back; returns the steps that moved.
  uint32_t StepViewBy(int64_t seconds);
  void GoToStart() { state_.firstSecond = 0; }

  // A record inside the store whose valid flag is set.
  bool SecondValid(uint64_t second) const;

  // The figures of the second under the last tracked point; none before any tracking, without
  // area, or past the store's end.
  std::optional<Readout> TrackedReadout() const;

 private:
  int32_t KbitPerPixel() const;

  const RecordStores& stores_;
  ViewState state_;
};

// The end time of a second as the readout shows it, "%02u:%02u:%02u": second 0 ends at 00:00:01.
std::string EndTimeText(uint64_t second);

// The scroll bar position after a wheel step moved the view: one more than the seconds moved.
int64_t WheelScrollPosition(int64_t position, uint32_t moved, bool forward);

}  // namespace tessivo
