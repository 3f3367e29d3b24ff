#include "mpeg/record_stores.h"

#include <cstring>
#include <new>

namespace tessivo {

std::unique_ptr<RecordStores> RecordStores::Create(uint32_t maxFrames) {
  std::unique_ptr<RecordStores> stores(new (std::nothrow) RecordStores);
  if (!stores) return nullptr;
  stores->capacity_ = maxFrames;
  stores->secondCapacity_ = maxFrames / kFramesPerSecondSlot;
  // Value-initialised arrays arrive zero-filled.
  stores->seconds_.reset(new (std::nothrow) PerSecondStats[stores->secondCapacity_]());
  stores->gops_.reset(new (std::nothrow) GopRecord[maxFrames]());
  stores->gopPositions_.reset(new (std::nothrow) uint64_t[maxFrames]());
  stores->pictures_.reset(new (std::nothrow) PictureRecord[maxFrames]());
  stores->pictureFacts_.reset(new (std::nothrow) PictureFacts[maxFrames]());
  if (!stores->seconds_ || !stores->gops_ || !stores->gopPositions_ || !stores->pictures_ ||
      !stores->pictureFacts_) {
    return nullptr;
  }
  return stores;
}

void RecordStores::ClearSummary() {
  std::memset(&summary, 0, sizeof summary);
  streamByteCount = 0;
}

void RecordStores::ClearPicturesAndGops() {
  std::memset(gops_.get(), 0, sizeof(GopRecord) * capacity_);
  std::memset(gopPositions_.get(), 0, sizeof(uint64_t) * capacity_);
  std::memset(pictures_.get(), 0, sizeof(PictureRecord) * capacity_);
  std::memset(pictureFacts_.get(), 0, sizeof(PictureFacts) * capacity_);
  std::memset(sequenceFacts_, 0, sizeof sequenceFacts_);
  gopCount = 0;
  sequenceFactsCount = 0;
}

void RecordStores::ClearSeconds() {
  std::memset(seconds_.get(), 0, sizeof(PerSecondStats) * secondCapacity_);
}

uint32_t RecordStores::ValidSecondCount() const {
  uint32_t count = 0;
  while (count < secondCapacity_ && seconds_[count].valid == 1) ++count;
  return count;
}

}  // namespace tessivo
