// Time codes of pictures: a GOP's time code advanced by the pictures that follow it.
#pragma once

#include <cstdint>
#include <string>

#include "mpeg/records.h"

namespace tessivo {

struct TimeCode {
  uint32_t hours = 0;
  uint32_t minutes = 0;
  uint32_t seconds = 0;
  uint32_t pictures = 0;
};

inline TimeCode TimeCodeOf(const GopRecord& gop) {
  return {gop.hours, gop.minutes, gop.seconds, gop.pictures};
}

// Adds count pictures. The picture field wraps once it passes frameRate - 1 (0 to 28 at 29.97),
// seconds and minutes above 59 carry, hours never wrap. A frame rate of 0 counts as 25.
TimeCode AddPictures(TimeCode timeCode, uint32_t count, double frameRate);

// "%02u:%02u:%02u.%02u"
std::string TimeCodeText(const TimeCode& timeCode);

}  // namespace tessivo
