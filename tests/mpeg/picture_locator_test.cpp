// Time codes of pictures and the GOP each belongs to, from the facts of a run and from the GOP
// counts of a loaded result.
#include "mpeg/picture_locator.h"

#include <gtest/gtest.h>

#include "support/analysed_stream.h"
#include "support/stream_builder.h"

namespace tessivo {
namespace {

using test::AnalysedStream;
using test::StreamBuilder;

TEST(TimeCodeTest, PicturesCarryIntoSecondsMinutesAndHours) {
  EXPECT_EQ(TimeCodeText(AddPictures({0, 0, 59, 24}, 1, 25.0)), "00:01:00.00");
  EXPECT_EQ(TimeCodeText(AddPictures({0, 59, 59, 24}, 26, 25.0)), "01:00:01.00");
  // The picture field passes frameRate - 1 before it wraps: 0 to 28 at 29.97, 0 to 29 at 30.
  EXPECT_EQ(TimeCodeText(AddPictures({0, 0, 0, 28}, 1, 30000.0 / 1001)), "00:00:01.00");
  EXPECT_EQ(TimeCodeText(AddPictures({0, 0, 0, 28}, 1, 30.0)), "00:00:00.29");
  EXPECT_EQ(TimeCodeText(AddPictures({0, 0, 0, 0}, 25 * 3600, 25.0)), "01:00:00.00");
  EXPECT_EQ(TimeCodeText(AddPictures({99, 0, 0, 0}, 25 * 3600, 25.0)), "100:00:00.00")
      << "hours never wrap";
  // A coded value already past the range wraps at the first picture.
  EXPECT_EQ(TimeCodeText(AddPictures({0, 0, 61, 40}, 1, 25.0)), "00:01:00.00");
  EXPECT_EQ(TimeCodeText(AddPictures({0, 0, 0, 3}, 0, 25.0)), "00:00:00.03");
  EXPECT_EQ(TimeCodeText(AddPictures({0, 0, 0, 24}, 1, 0.0)), "00:00:01.00") << "0 counts as 25";
}

// Two pictures before the first GOP, then GOPs of three and two pictures.
std::vector<uint8_t> TwoGops() {
  StreamBuilder b;
  b.SequenceHeader().FramePicture('I', 3).FramePicture('P', 3);
  b.Gop(0, 0, 1, 20).FramePicture('I', 3).FramePicture('B', 3).FramePicture('B', 3);
  b.Gop(0, 0, 59, 23).FramePicture('I', 3).FramePicture('P', 3);
  return b.bytes();
}

std::vector<std::string> Locations(const RecordStores& stores, uint32_t from) {
  PictureLocator locator(stores);
  std::vector<std::string> texts;
  for (uint32_t p = from; p < stores.summary.pictureCount; ++p) {
    const PictureLocation location = locator.Locate(p);
    const std::string gop = location.gop == kNoGop ? "-" : std::to_string(location.gop);
    texts.push_back(gop + " " + std::to_string(location.offset) + " " +
                    TimeCodeText(location.timeCode));
  }
  return texts;
}

TEST(PictureLocatorTest, FactsAndGopCountsGiveTheSameLocations) {
  AnalysedStream run(TwoGops());
  ASSERT_EQ(run.summary().pictureCount, 7u);
  const std::vector<std::string> expected = {
      "- 0 00:00:00.00", "- 1 00:00:00.01", "0 0 00:00:01.20", "0 1 00:00:01.21",
      "0 2 00:00:01.22", "1 0 00:00:59.23", "1 1 00:00:59.24"};
  EXPECT_EQ(Locations(run.stores(), 0), expected);
  // Starting further in still counts from the GOP's first picture.
  EXPECT_EQ(Locations(run.stores(), 4),
            std::vector<std::string>(expected.begin() + 4, expected.end()));
  run.context().MarkResultLoaded(1);
  EXPECT_EQ(Locations(run.stores(), 0), expected);
  EXPECT_EQ(Locations(run.stores(), 4),
            std::vector<std::string>(expected.begin() + 4, expected.end()));
}

}  // namespace
}  // namespace tessivo
