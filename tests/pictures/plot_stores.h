// Stores of known pictures for the plot tests: picture k of n is k + 1 kbyte (kilo 1000), of
// type I every 6th, P every 3rd and B otherwise, with quantiser 2 + k mod 30; GOPs of 6 pictures
// and seconds of 5; the buffer fill, when asked for, before picture k is k / n of a
// 1 000 000-bit buffer and after it half that.
#pragma once

#include <memory>

#include "buffer/vbv_model.h"
#include "mpeg/record_stores.h"

namespace tessivo::test {

struct PlotStores {
  std::unique_ptr<RecordStores> stores;
  VbvResult vbv;
};

inline constexpr uint64_t kPlotBufferBits = 1'000'000;

inline PlotStores MakePlotStores(uint32_t n, bool facts) {
  PlotStores made;
  made.stores = RecordStores::Create(std::max<uint32_t>(n, 50));
  RecordStores& stores = *made.stores;
  stores.ClearSummary();
  stores.ClearPicturesAndGops();
  stores.summary.pictureCount = n;
  stores.summary.frameRateIndex = 3;  // 25 Hz
  for (uint32_t k = 0; k < n; ++k) {
    const char type = k % 6 == 0 ? 'I' : k % 3 == 0 ? 'P' : 'B';
    const int32_t q = static_cast<int32_t>(2 + k % 30);
    stores.pictures()[k] = PictureRecord{type, (k + 1) * 1000, q, q, double(q)};
  }
  stores.gopCount = (n + 5) / 6;
  for (uint32_t g = 0; g < stores.gopCount; ++g) {
    GopRecord& gop = stores.gops()[g];
    gop = GopRecord{};
    gop.count = static_cast<uint8_t>(std::min<uint32_t>(6, n - 6 * g));
    gop.pictures = static_cast<uint8_t>((6 * g) % 25);
    gop.seconds = static_cast<uint8_t>(6 * g / 25);
  }
  if (!facts) return made;
  stores.pictureFactsAvailable = true;
  stores.sequenceFactsCount = 1;
  stores.sequenceFacts()[0] = SequenceFacts{};
  stores.sequenceFacts()[0].vbvBufferSize = kPlotBufferBits;
  made.vbv.mode = VbvMode::kConstantRate;
  for (uint32_t k = 0; k < n; ++k) {
    PictureFacts& f = stores.pictureFacts()[k];
    f = PictureFacts{};
    f.gop = k / 6;
    f.second = k / 5;
    const int64_t before = static_cast<int64_t>(kPlotBufferBits * k / n);
    made.vbv.pictures.push_back(VbvPicture{0.04 * k, before, before / 2, before});
  }
  return made;
}

}  // namespace tessivo::test
