// Where a picture stands: the GOP it follows and its time code, that GOP's time code advanced by
// the picture's place in it, as the cut labels count.
#pragma once

#include <cstdint>

#include "mpeg/record_stores.h"
#include "mpeg/time_code.h"

namespace tessivo {

struct PictureLocation {
  uint32_t gop = kNoGop;  // kNoGop for pictures before the first GOP header
  uint32_t offset = 0;    // pictures before this one in its GOP, or in the stream before a GOP
  TimeCode timeCode;
};

// Visits pictures in increasing order. Without picture facts (a loaded result file) the GOPs
// are told from their picture counts, which is exact unless a GOP holds 100 pictures or more.
class PictureLocator {
 public:
  explicit PictureLocator(const RecordStores& stores);
  PictureLocation Locate(uint32_t picture);

 private:
  void AdvanceByFacts(uint32_t picture);
  void AdvanceByCounts(uint32_t picture);

  const RecordStores& stores_;
  const double frameRate_;
  uint32_t gop_ = kNoGop;
  uint32_t gopStart_ = 0;
  uint32_t walked_ = 0;        // with facts: pictures looked at so far
  uint64_t nextGopStart_ = 0;  // without facts: the first picture of the GOP after gop_
};

}  // namespace tessivo
