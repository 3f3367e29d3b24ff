// The IN and OUT labels: time codes of a GOP's first and last picture, and their colours.
#include "modify/cut_points.h"

#include <gtest/gtest.h>

namespace tessivo {
namespace {

GopRecord MakeGop(uint8_t hours, uint8_t minutes, uint8_t seconds, uint8_t pictures, uint8_t count,
                  bool closed) {
  GopRecord gop{};
  gop.hours = hours;
  gop.minutes = minutes;
  gop.seconds = seconds;
  gop.pictures = pictures;
  gop.count = count;
  gop.closedGop = closed ? 1 : 0;
  return gop;
}

bool IsGreen(const CutLabel& label) {
  return label.background.red == 0 && label.background.green == 128 && label.background.blue == 0;
}
bool IsRed(const CutLabel& label) {
  return label.background.red == 255 && label.background.green == 0 && label.background.blue == 0;
}

TEST(CutPointsTest, InLabelShowsTheGopStartGreenWhenClosed) {
  const GopRecord gops[] = {MakeGop(1, 2, 3, 4, 12, true), MakeGop(0, 0, 0, 12, 12, false)};
  EXPECT_EQ(InPointLabel(gops, 0).text, "01:02:03.04");
  EXPECT_TRUE(IsGreen(InPointLabel(gops, 0)));
  EXPECT_TRUE(IsRed(InPointLabel(gops, 1)));
}

TEST(CutPointsTest, OutLabelCountsToTheLastPictureWithCarries) {
  const GopRecord gops[] = {MakeGop(0, 0, 0, 0, 12, true), MakeGop(0, 59, 59, 20, 10, false),
                            MakeGop(0, 0, 0, 25, 15, false)};
  EXPECT_EQ(OutPointLabel(gops, 3, 0, 3).text, "00:00:00.11");
  // 20 + 9 pictures at 25 frames/s: the picture field runs 0 to 24.
  EXPECT_EQ(OutPointLabel(gops, 3, 1, 3).text, "01:00:00.04");
  // At 30 frames/s it runs 0 to 29; at 29.97 to 28.
  EXPECT_EQ(OutPointLabel(gops, 3, 1, 5).text, "00:59:59.29");
  EXPECT_EQ(OutPointLabel(gops, 3, 1, 4).text, "01:00:00.00");
}

TEST(CutPointsTest, OutLabelIsGreenAtTheLastGopOrBeforeAClosedOne) {
  const GopRecord gops[] = {MakeGop(0, 0, 0, 0, 12, false), MakeGop(0, 0, 0, 12, 12, true),
                            MakeGop(0, 0, 0, 24, 12, false)};
  EXPECT_TRUE(IsGreen(OutPointLabel(gops, 3, 0, 3)));
  EXPECT_TRUE(IsRed(OutPointLabel(gops, 3, 1, 3)));
  EXPECT_TRUE(IsGreen(OutPointLabel(gops, 3, 2, 3)));
}

}  // namespace
}  // namespace tessivo
