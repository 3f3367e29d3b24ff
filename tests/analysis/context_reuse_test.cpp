// One context serves every run of a window: a run after a longer one must leave nothing of it.
#include <gtest/gtest.h>

#include <cstring>

#include "analysis/result_file.h"
#include "support/analysed_stream.h"
#include "support/recording_observer.h"
#include "support/test_files.h"

namespace tessivo {
namespace {

template <typename T>
bool AllZero(const T* records, uint32_t from, uint32_t to) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(records + from);
  for (size_t i = 0; i < (to - from) * sizeof(T); ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

std::vector<uint8_t> SavedBytes(AnalysisContext& context) {
  test::TempFile saved(".tsr");
  EXPECT_TRUE(SaveResultFile(context, saved.path()).ok());
  return test::ReadFileBytes(saved.path());
}

TEST(ContextReuseTest, AShorterRunAfterALongerOneEqualsAFreshRun) {
  const std::string longer = test::FixturePath("mpeg1_cif25.m1v");
  const std::string shorter = test::FixturePath("ts_gst.ts");
  test::RecordingObserver observer;
  const auto context = AnalysisContext::Create({}, observer);
  ASSERT_NE(context, nullptr);
  ASSERT_TRUE(context->StartAnalysis(longer).ok());
  context->ReadToEnd();
  const RecordStores& stores = context->stores();
  const uint32_t longPictures = stores.summary.pictureCount;
  const uint32_t longGops = stores.recordedGopCount();
  const uint32_t longSeconds = stores.ValidSecondCount();

  ASSERT_TRUE(context->StartAnalysis(shorter).ok());
  context->ReadToEnd();
  const uint32_t pictures = stores.summary.pictureCount;
  ASSERT_LT(pictures, longPictures);
  ASSERT_LT(stores.recordedGopCount(), longGops);
  ASSERT_LT(stores.ValidSecondCount(), longSeconds);
  EXPECT_TRUE(AllZero(stores.pictures(), pictures, longPictures));
  EXPECT_TRUE(AllZero(stores.pictureFacts(), pictures, longPictures));
  EXPECT_TRUE(AllZero(stores.gops(), stores.recordedGopCount(), longGops));
  EXPECT_TRUE(AllZero(stores.gopPositions(), stores.recordedGopCount(), longGops));
  EXPECT_TRUE(AllZero(stores.seconds(), stores.ValidSecondCount(), longSeconds));

  test::AnalysedStream fresh(shorter, {});
  ASSERT_TRUE(fresh.openStatus().ok());
  EXPECT_TRUE(SavedBytes(*context) == SavedBytes(fresh.context()));
}

}  // namespace
}  // namespace tessivo
