// Which pictures belong to a second of the per-second records, and the other way round.
#pragma once

#include <cstdint>

#include "mpeg/record_stores.h"

namespace tessivo {

// Pictures first to end (one past the last); empty when first equals end.
struct PictureRange {
  uint32_t first = 0;
  uint32_t end = 0;
  bool empty() const { return first >= end; }
  bool contains(uint32_t picture) const { return picture >= first && picture < end; }
};

// After a run, the pictures whose per-second step counted them; for a loaded result file, which
// keeps no such facts, the second's share at the nominal frame rate, as the tab views take them.
PictureRange PicturesOfSecond(const RecordStores& stores, uint64_t second);

// The second whose pictures include picture, by the same rule.
uint64_t SecondOfPicture(const RecordStores& stores, uint32_t picture);

}  // namespace tessivo
