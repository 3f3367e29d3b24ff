#include "mpeg/picture_locator.h"

#include <algorithm>

namespace tessivo {

PictureLocator::PictureLocator(const RecordStores& stores)
    : stores_(stores), frameRate_(FrameRateOf(stores.summary.frameRateIndex)) {
  if (stores.pictureFactsAvailable) return;
  // The pictures that no GOP pattern holds come before the first GOP.
  uint64_t inGops = 0;
  for (uint32_t g = 0; g < stores.recordedGopCount(); ++g) {
    inGops += stores.gops()[g].count;
  }
  const uint32_t pictures = stores.summary.pictureCount;
  nextGopStart_ = pictures - std::min<uint64_t>(inGops, pictures);
}

void PictureLocator::AdvanceByFacts(uint32_t picture) {
  for (; walked_ <= picture; ++walked_) {
    const uint32_t gop = stores_.pictureFacts()[walked_].gop;
    if (gop == gop_) continue;
    gop_ = gop;
    gopStart_ = walked_;
  }
}

void PictureLocator::AdvanceByCounts(uint32_t picture) {
  const uint32_t gopCount = stores_.recordedGopCount();
  for (;;) {
    const uint32_t next = gop_ == kNoGop ? 0 : gop_ + 1;
    if (picture < nextGopStart_ || next >= gopCount) return;
    gop_ = next;
    gopStart_ = static_cast<uint32_t>(nextGopStart_);
    nextGopStart_ += stores_.gops()[gop_].count;
  }
}

PictureLocation PictureLocator::Locate(uint32_t picture) {
  if (stores_.pictureFactsAvailable) {
    AdvanceByFacts(picture);
  } else {
    AdvanceByCounts(picture);
  }
  PictureLocation location;
  location.gop = gop_;
  location.offset = picture - gopStart_;
  const TimeCode start = gop_ == kNoGop ? TimeCode{} : TimeCodeOf(stores_.gops()[gop_]);
  location.timeCode = AddPictures(start, location.offset, frameRate_);
  return location;
}

}  // namespace tessivo
