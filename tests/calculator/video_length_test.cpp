// Tab "VIDEO LENGTH": the bitrate left for the video and the quality figure it implies.
#include "calculator/video_length.h"

#include <gtest/gtest.h>

#include "calculator/calculator_tables.h"

namespace tessivo {
namespace {

TEST(VideoLengthTest, InitialValuesGiveTheKnownFigures) {
  const VideoLengthResult result = ComputeVideoLength(VideoLengthInputs{}, 1024);
  EXPECT_EQ(result.videoKbps, 5885);
  EXPECT_EQ(result.suggested, "5885");
  EXPECT_EQ(result.quality, 42);
  EXPECT_STREQ(QualityHint(42), "Average quality");
}

TEST(VideoLengthTest, AudioSubtitlesAndExtraDataReduceTheVideoRate) {
  VideoLengthInputs inputs;
  inputs.subtitles = 8;  // 8 x 64 kbit/s
  EXPECT_EQ(ComputeVideoLength(inputs, 1024).videoKbps, 5885 - 512);
  inputs = {};
  inputs.extraMegabytes = 100;  // 100 x 2^20 bytes over 6000 s: 136.5 kbit/s
  EXPECT_EQ(ComputeVideoLength(inputs, 1024).videoKbps, 5749);
  inputs = {};
  inputs.discs = 2;
  EXPECT_EQ(ComputeVideoLength(inputs, 1024).videoKbps, 12219 - 224);
}

TEST(VideoLengthTest, CustomMediumFollowsItsSizeInDecimalMegabytes) {
  EXPECT_DOUBLE_EQ(CspChange(4700), 37600000000.0);
  VideoLengthInputs inputs;
  inputs.medium = kCustomMedium;
  inputs.customMegabytes = 700;
  inputs.minutes = 80;
  inputs.audioKbps = 0;
  EXPECT_EQ(ComputeVideoLength(inputs, 1000).videoKbps, 1166);  // 5.6e9 bits / 4800 s
}

TEST(VideoLengthTest, SlidersScaleTheQualityFigure) {
  VideoLengthInputs inputs;
  inputs.complexity = 100;  // 42 x 1.5
  EXPECT_EQ(ComputeVideoLength(inputs, 1024).quality, 63);
  inputs.complexity = 0;  // 42 x 0.5
  EXPECT_EQ(ComputeVideoLength(inputs, 1024).quality, 21);
  inputs = {};
  inputs.quality = 40;  // 42 / 1.2
  EXPECT_EQ(ComputeVideoLength(inputs, 1024).quality, 35);
  inputs.quality = 19;  // 42 / 0.89: the jump below the middle
  EXPECT_EQ(ComputeVideoLength(inputs, 1024).quality, 47);
  inputs.quality = 0;  // 42 / 0.70
  EXPECT_EQ(ComputeVideoLength(inputs, 1024).quality, 60);
  inputs = {};
  inputs.resolution = 0;  // 60825600 / 5885000
  EXPECT_EQ(ComputeVideoLength(inputs, 1024).quality, 10);
}

TEST(VideoLengthTest, TooLittleRoomIsAnError) {
  VideoLengthInputs inputs;
  inputs.medium = 0;
  inputs.minutes = 1000;
  inputs.audioKbps = 4096;
  const VideoLengthResult negative = ComputeVideoLength(inputs, 1024);
  EXPECT_LT(negative.videoKbps, 0);
  EXPECT_EQ(negative.suggested, "Error!");
  ASSERT_TRUE(negative.quality.has_value());
  EXPECT_LE(*negative.quality, 0);
  EXPECT_STREQ(QualityHint(*negative.quality - 1), "");

  inputs = {};
  inputs.audioKbps = 6109;  // leaves exactly 0 kbit/s
  const VideoLengthResult zero = ComputeVideoLength(inputs, 1024);
  EXPECT_EQ(zero.videoKbps, 0);
  EXPECT_EQ(zero.suggested, "Error!");
  EXPECT_FALSE(zero.quality.has_value());
}

TEST(VideoLengthTest, ExtraDataTextIsADecimalIntegerOrZero) {
  EXPECT_EQ(AddVChange("250").megabytes, 250);
  EXPECT_FALSE(AddVChange("250").replaced);
  EXPECT_EQ(AddVChange("-20").megabytes, -20);
  EXPECT_EQ(AddVChange("+20").megabytes, 20);
  for (const char* bad : {"", "12a", "abc", "1.5", "+-3", "99999999999", " 5"}) {
    EXPECT_TRUE(AddVChange(bad).replaced) << bad;
    EXPECT_EQ(AddVChange(bad).megabytes, 0) << bad;
  }
}

}  // namespace
}  // namespace tessivo
