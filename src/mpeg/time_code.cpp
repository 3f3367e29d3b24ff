#include "mpeg/time_code.h"

#include <cmath>
#include <cstdio>

namespace tessivo {

namespace {

// Steps value `add` times, each step past base - 1 wrapping to 0; returns the wraps. A value
// already at base or above wraps at its first step.
uint64_t Advance(uint32_t& value, uint64_t add, uint64_t base) {
  if (add == 0) return 0;
  uint64_t wraps = 0;
  if (value >= base) {
    value = 0;
    ++wraps;
    --add;
  }
  const uint64_t total = value + add;
  value = static_cast<uint32_t>(total % base);
  return wraps + total / base;
}

}  // namespace

TimeCode AddPictures(TimeCode timeCode, uint32_t count, double frameRate) {
  frameRate = FrameRateOrAssumed(frameRate);
  // The picture field runs while it stays at or below frameRate - 1.
  const auto picturesPerSecond = static_cast<uint64_t>(std::floor(frameRate));
  uint64_t carry = Advance(timeCode.pictures, count, picturesPerSecond);
  carry = Advance(timeCode.seconds, carry, 60);
  carry = Advance(timeCode.minutes, carry, 60);
  timeCode.hours += static_cast<uint32_t>(carry);
  return timeCode;
}

std::string TimeCodeText(const TimeCode& timeCode) {
  char text[48];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u.%02u", timeCode.hours, timeCode.minutes,
                timeCode.seconds, timeCode.pictures);
  return text;
}

}  // namespace tessivo
