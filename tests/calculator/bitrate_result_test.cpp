// Tab "BITRATE": bytes per second, the formats a total fits and the playing times on each medium.
#include "calculator/bitrate_result.h"

#include <gtest/gtest.h>

namespace tessivo {
namespace {

TEST(BitrateResultTest, InitialValuesGiveTheKnownFigures) {
  const BitrateResult result = calcresult(1150800, 192, 1024);
  EXPECT_EQ(result.bytes, "168426.00");
  EXPECT_EQ(result.kbytes, "  164.48");
  EXPECT_EQ(result.mbytes, "    0.16");
  EXPECT_EQ(result.compliance, "VCD,S-VCD,DVD-VIDEO");
  const std::array<std::string, 5> times = {"~ 73:58", "~ 79:39", "~ 255:00", "~ 385:55",
                                            "~ 464:19"};
  EXPECT_EQ(result.playingTimes, times);
}

TEST(BitrateResultTest, ComplianceBoundaries) {
  EXPECT_EQ(calcresult(1344000, 0, 1024).compliance, "S-VCD,DVD-VIDEO");
  EXPECT_EQ(calcresult(1344001, 0, 1024).compliance, "VCD,S-VCD,DVD-VIDEO");
  EXPECT_EQ(calcresult(1376000, 0, 1024).compliance, "VCD,S-VCD,DVD-VIDEO");
  EXPECT_EQ(calcresult(1376001, 0, 1024).compliance, "S-VCD,DVD-VIDEO");
  EXPECT_EQ(calcresult(2000000, 0, 1024).compliance, "S-VCD,DVD-VIDEO");
  EXPECT_EQ(calcresult(2824000, 0, 1000).compliance, "S-VCD,DVD-VIDEO");
  EXPECT_EQ(calcresult(2824001, 0, 1000).compliance, "DVD-VIDEO");
  EXPECT_EQ(calcresult(10569645, 0, 1024).compliance, "DVD-VIDEO");
  EXPECT_EQ(calcresult(10569646, 0, 1024).compliance, "");
}

TEST(BitrateResultTest, AudioCountsInKbitsOfTheKiloBase) {
  // 1 000 000 + 224 x 1000 = 1 224 000 bit/s = 153 000 byte/s.
  const BitrateResult result = calcresult(1000000, 224, 1000);
  EXPECT_EQ(result.bytes, "153000.00");
  EXPECT_EQ(result.kbytes, "  153.00");
  EXPECT_EQ(result.playingTimes[0], "~ 81:25");  // 5 980 000 000 / 1 224 000 = 4885 s
}

TEST(BitrateResultTest, NoRateGivesNoPlayingTime) {
  const BitrateResult result = calcresult(0, 0, 1024);
  for (const std::string& time : result.playingTimes) EXPECT_EQ(time, "~ --:--");
  EXPECT_EQ(result.compliance, "");
  EXPECT_EQ(result.bytes, "    0.00");
  EXPECT_EQ(calcresult(-1000, 0, 1024).playingTimes[4], "~ --:--");
}

}  // namespace
}  // namespace tessivo
