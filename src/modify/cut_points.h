// The IN and OUT points of the patcher's cut: their rules and the time-code labels beside them.
#pragma once

#include <cstdint>
#include <string>

#include "mpeg/records.h"

namespace tessivo {

struct LabelColour {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
};
inline constexpr LabelColour kClosedGopColour{0, 128, 0};  // green: a clean cut
inline constexpr LabelColour kOpenGopColour{255, 0, 0};    // red: pictures refer across the cut
inline constexpr LabelColour kCutLabelTextColour{255, 255, 255};

struct CutLabel {
  std::string text;  // "%02u:%02u:%02u.%02u"
  LabelColour background;
};

// The start of GOP `in`, green when that GOP is closed.
CutLabel InPointLabel(const GopRecord* gops, uint32_t in);
// The last picture of GOP `out`, green when it is the last GOP or the next one is closed.
CutLabel OutPointLabel(const GopRecord* gops, uint32_t gopCount, uint32_t out,
                       uint32_t frameRateIndex);

// Moving IN past OUT pulls it back to OUT; moving OUT before IN pushes it to IN.
inline uint32_t ClampInPoint(uint32_t in, uint32_t out) {
  return in > out ? out : in;
}
inline uint32_t ClampOutPoint(uint32_t in, uint32_t out) {
  return out < in ? in : out;
}

}  // namespace tessivo
