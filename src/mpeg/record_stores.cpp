#include "mpeg/record_stores.h"

#include <cstring>
#include <new>

namespace tessivo {

std::unique_ptr<RecordStores> RecordStores::Create(uint32_t maxFrames) {
  std::unique_ptr<RecordStores> stores(new (std::nothrow) RecordStores);
  if (!stores) return nullptr;
  stores->capacity_ = maxFrames;
  stores->secondCapacity_ = maxFrames / kFramesPerSecondSlot;
  if (!stores->seconds_.Allocate(stores->secondCapacity_) || !stores->gops_.Allocate(maxFrames) ||
      !stores->gopPositions_.Allocate(maxFrames) || !stores->pictures_.Allocate(maxFrames) ||
      !stores->pictureFacts_.Allocate(maxFrames)) {
    return nullptr;
  }
  return stores;
}

void RecordStores::ClearSummary() {
  std::memset(&summary, 0, sizeof summary);
  streamByteCount = 0;
}

void RecordStores::ClearPicturesAndGops() {
  gops_.Clear();
  gopPositions_.Clear();
  pictures_.Clear();
  pictureFacts_.Clear();
  std::memset(sequenceFacts_, 0, sizeof sequenceFacts_);
  gopCount = 0;
  sequenceFactsCount = 0;
}

void RecordStores::ClearSeconds() {
  seconds_.Clear();
}

uint32_t RecordStores::ValidSecondCount() const {
  uint32_t count = 0;
  while (count < secondCapacity_ && seconds_[count].valid == 1) ++count;
  return count;
}

}  // namespace tessivo
