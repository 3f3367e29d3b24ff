#include "modify/cut_points.h"

#include <cstdio>

namespace tessivo {

namespace {

// The parser reads an unknown frame_rate_code as 25 frames per second; so does the label.
constexpr double kAssumedFrameRate = 25.0;

std::string TimeCodeText(unsigned hours, unsigned minutes, unsigned seconds, unsigned pictures) {
  char text[48];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u.%02u", hours, minutes, seconds, pictures);
  return text;
}

}  // namespace

CutLabel InPointLabel(const GopRecord* gops, uint32_t in) {
  const GopRecord& gop = gops[in];
  return {TimeCodeText(gop.hours, gop.minutes, gop.seconds, gop.pictures),
          gop.closedGop ? kClosedGopColour : kOpenGopColour};
}

CutLabel OutPointLabel(const GopRecord* gops, uint32_t gopCount, uint32_t out,
                       uint32_t frameRateIndex) {
  const GopRecord& gop = gops[out];
  double frameRate = FrameRateOf(frameRateIndex);
  if (frameRate == 0.0) frameRate = kAssumedFrameRate;
  unsigned hours = gop.hours;
  unsigned minutes = gop.minutes;
  unsigned seconds = gop.seconds;
  unsigned pictures = gop.pictures;
  for (unsigned i = 1; i < gop.count; ++i) {
    if (++pictures <= frameRate - 1.0) continue;
    pictures = 0;
    if (++seconds <= 59) continue;
    seconds = 0;
    if (++minutes <= 59) continue;
    minutes = 0;
    ++hours;
  }
  const bool cleanEnd = out + 1 >= gopCount || gops[out + 1].closedGop;
  return {TimeCodeText(hours, minutes, seconds, pictures),
          cleanEnd ? kClosedGopColour : kOpenGopColour};
}

}  // namespace tessivo
