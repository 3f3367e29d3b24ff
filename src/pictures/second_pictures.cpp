#include "pictures/second_pictures.h"

#include <algorithm>

#include "analysis/analysis_context.h"
#include "base/rounding.h"

namespace tessivo {

namespace {

uint32_t PictureCount(const RecordStores& stores) {
  return std::min(stores.summary.pictureCount, stores.capacity());
}

uint32_t PicturesPerSecond(const RecordStores& stores) {
  return RoundToInteger(FrameRateOf(stores.summary.frameRateIndex));
}

}  // namespace

PictureRange PicturesOfSecond(const RecordStores& stores, uint64_t second) {
  const uint32_t count = PictureCount(stores);
  if (stores.pictureFactsAvailable) {
    // A run counts the seconds in picture order, so the facts' seconds never decrease.
    const PictureFacts* facts = stores.pictureFacts();
    const auto below = [](const PictureFacts& f, uint64_t s) { return f.second < s; };
    const auto above = [](uint64_t s, const PictureFacts& f) { return s < f.second; };
    const PictureFacts* first = std::lower_bound(facts, facts + count, second, below);
    const PictureFacts* end = std::upper_bound(first, facts + count, second, above);
    return {static_cast<uint32_t>(first - facts), static_cast<uint32_t>(end - facts)};
  }
  const uint64_t perSecond = PicturesPerSecond(stores);
  const uint64_t first = std::min<uint64_t>(second * perSecond, count);
  const uint64_t end = std::min<uint64_t>(first + perSecond, count);
  return {static_cast<uint32_t>(first), static_cast<uint32_t>(end)};
}

uint64_t SecondOfPicture(const RecordStores& stores, uint32_t picture) {
  if (stores.pictureFactsAvailable && picture < PictureCount(stores)) {
    return stores.pictureFacts()[picture].second;
  }
  const uint32_t perSecond = PicturesPerSecond(stores);
  return perSecond == 0 ? 0 : picture / perSecond;
}

}  // namespace tessivo
