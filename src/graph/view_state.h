// The state of the graph view: where the graph lies, its scales and pixel factors, the first
// second it shows, the curves it draws and the cross-hair.
#pragma once

#include <cstdint>

namespace tessivo {

// The curves the graph draws. The values are the item indexes of the view selection, which is
// where a mode comes from: a typed text that is no item gives -1, and any value other than the
// three named ones draws no curve.
enum ViewMode : int32_t {
  kViewNoCurves = -1,
  kViewBoth = 0,
  kViewBitrate = 1,
  kViewQuantiser = 2,
};

struct ViewState {
  uint16_t graphLeft = 0;
  uint16_t graphTop = 0;
  uint16_t graphWidth = 590;      // pixelsPerSecond x horizontalScale
  uint16_t graphHeight = 150;     // pixelsPerUnit x verticalScale
  uint16_t horizontalScale = 60;  // seconds across the graph
  uint16_t verticalScale = 15;    // grid units from the bottom to the top
  uint16_t pixelsPerSecond = 10;
  uint16_t pixelsPerUnit = 10;
  uint32_t firstSecond = 0;  // the second in the leftmost column
  ViewMode viewMode = kViewBoth;
  uint16_t cursorX = 0;  // the cross-hair, on grid lines; both 0: none
  uint16_t cursorY = 0;
  uint16_t mouseX = 0;  // the pointer position last tracked; mouseX 0: none yet
  uint16_t mouseY = 0;
  int32_t kiloBase = 1024;  // bits in one kbit; one grid unit is kiloBase kbit/s
};

}  // namespace tessivo
