#include "modify/cut_points.h"

#include "mpeg/time_code.h"

namespace tessivo {

CutLabel InPointLabel(const GopRecord* gops, uint32_t in) {
  const GopRecord& gop = gops[in];
  return {TimeCodeText(TimeCodeOf(gop)), gop.closedGop ? kClosedGopColour : kOpenGopColour};
}

CutLabel OutPointLabel(const GopRecord* gops, uint32_t gopCount, uint32_t out,
                       uint32_t frameRateIndex) {
  const GopRecord& gop = gops[out];
  const uint32_t following = gop.count > 0 ? gop.count - 1u : 0u;
  const TimeCode last = AddPictures(TimeCodeOf(gop), following, FrameRateOf(frameRateIndex));
  const bool cleanEnd = out + 1 >= gopCount || gops[out + 1].closedGop;
  return {TimeCodeText(last), cleanEnd ? kClosedGopColour : kOpenGopColour};
}

}  // namespace tessivo
