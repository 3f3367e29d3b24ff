// How seconds are bounded and measured, and the run's peaks and averages.
#include <gtest/gtest.h>

#include "analysis/analysis_context.h"
#include "base/rounding.h"
#include "support/analysed_stream.h"
#include "support/built_streams.h"
#include "support/stream_builder.h"

namespace tessivo {
namespace {

using test::AnalysedStream;
using test::StreamBuilder;

using test::BuiltStream;
using test::Mpeg1;
using test::QuantiserOf;
using test::QuantiserSum;

TEST(PerSecondTest, TwoHundredFiftyPicturesMakeTenSecondsAndAnEmptyEleventh) {
  AnalysedStream run(Mpeg1(250).builder.bytes());
  ASSERT_EQ(run.stores().ValidSecondCount(), 11u);
  EXPECT_EQ(run.context().secondsRead(), 11u);
  EXPECT_EQ(run.second(10).bitrate, 0u);
  EXPECT_EQ(run.second(10).quant, 0.0);
  // A second's quantiser sums the means of the pictures closed in it: the picture that ended
  // the previous second and the next 24.
  EXPECT_DOUBLE_EQ(run.second(0).quant, QuantiserSum(0, 23) / 25);
  EXPECT_DOUBLE_EQ(run.second(3).quant, QuantiserSum(74, 98) / 25);
  EXPECT_EQ(run.stores().seconds()[11].valid, 0);
}

TEST(PerSecondTest, PartialLastSecondIsScaledByItsFramesButDividedByTheFullRate) {
  const BuiltStream stream = Mpeg1(262);
  AnalysedStream run(stream.builder.bytes());
  ASSERT_EQ(run.stores().ValidSecondCount(), 11u);
  // The tenth second ended at the 250th picture's header plus the next start code.
  const size_t lastSecondStart = stream.firstSliceOffsets[249] + 4;
  const auto bits = static_cast<uint32_t>(8 * (stream.builder.size() - lastSecondStart));
  EXPECT_EQ(run.second(10).bitrate, bits / 12 * 25 / 1024);
  EXPECT_DOUBLE_EQ(run.second(10).quant, QuantiserSum(249, 260) / 25);
  const PictureRecord& last = run.picture(261);
  EXPECT_EQ(last.size, stream.builder.size() - (stream.pictureOffsets[261] + 4));
  EXPECT_DOUBLE_EQ(last.qavg, QuantiserOf(261));
}

TEST(PerSecondTest, ALongTailAfterTheLastPictureCountsInFull) {
  // 21 MiB after a second's only picture: per frame times the rate passes 32 bits.
  BuiltStream stream = Mpeg1(26);
  stream.builder.Bytes(std::vector<uint8_t>(21 << 20, 0xFF));
  AnalysedStream run(stream.builder.bytes());
  ASSERT_EQ(run.stores().ValidSecondCount(), 2u);
  const uint64_t bytes = stream.builder.size() - (stream.firstSliceOffsets[24] + 4);
  EXPECT_EQ(run.second(1).bitrate, 8 * bytes * 25 / 1024);
  EXPECT_GT(run.second(1).bitrate, 4000000u);
  EXPECT_EQ(run.summary().peakBitrate, run.second(1).bitrate);
}

TEST(PerSecondTest, APictureOfMoreSlicesThanSixteenBitsCountKeepsItsMeanQuantiser) {
  // The first picture holds 65 537 slices, every picture quantiser 10.
  StreamBuilder many;
  StreamBuilder few;
  for (StreamBuilder* builder : {&many, &few}) {
    builder->SequenceHeader().Gop(0, 0, 0, 0);
    for (int i = 0; i < 30; ++i) {
      builder->Picture(i ? 'P' : 'I');
      const int slices = i == 0 && builder == &many ? 65537 : 2;
      for (int slice = 0; slice < slices; ++slice) {
        builder->Slice(10, 1, static_cast<uint8_t>(slice % 175 + 1));
      }
    }
  }
  AnalysedStream manyRun(many.bytes());
  AnalysedStream fewRun(few.bytes());
  EXPECT_DOUBLE_EQ(manyRun.picture(0).qavg, 10.0);
  EXPECT_DOUBLE_EQ(manyRun.second(0).quant, fewRun.second(0).quant);
  EXPECT_DOUBLE_EQ(manyRun.summary().peakQuant, fewRun.summary().peakQuant);
  EXPECT_LT(manyRun.summary().peakQuant, 10.0);
}

TEST(PerSecondTest, StreamEndingTenPicturesIntoASecond) {
  const BuiltStream stream = Mpeg1(35);
  AnalysedStream run(stream.builder.bytes());
  ASSERT_EQ(run.stores().ValidSecondCount(), 2u);
  const size_t secondStart = stream.firstSliceOffsets[24] + 4;
  const auto bits = static_cast<uint32_t>(8 * (stream.builder.size() - secondStart));
  EXPECT_EQ(run.second(1).bitrate, bits / 10 * 25 / 1024);
  EXPECT_DOUBLE_EQ(run.second(1).quant, QuantiserSum(24, 33) / 25);
}

TEST(PerSecondTest, WorkedExampleAtBothKiloBases) {
  // Pictures of exactly 25 000 bytes: every second after the first holds 625 000 bytes.
  // One slice: 9 bytes of picture header, 5 of slice header, 24 986 of slice data.
  const BuiltStream stream = [] {
    BuiltStream s;
    s.builder.SequenceHeader().Gop(0, 0, 0, 0);
    for (int i = 0; i < 80; ++i) s.AddPicture('I', 10, 24986, 1);
    return s;
  }();
  ASSERT_EQ(stream.pictureOffsets[1] - stream.pictureOffsets[0], 25000u);
  AnalysisSettings kibi;
  AnalysedStream run1024(stream.builder.bytes(), kibi);
  EXPECT_EQ(run1024.second(1).bitrate, 4882u);
  AnalysisSettings kilo;
  kilo.kiloBase = 1000;
  AnalysedStream run1000(stream.builder.bytes(), kilo);
  EXPECT_EQ(run1000.second(1).bitrate, 5000u);
  AnalysisSettings odd;
  odd.kiloBase = 1;  // anything but 1000 counts as 1024
  EXPECT_EQ(AnalysedStream(stream.builder.bytes(), odd).second(1).bitrate, 4882u);
}

TEST(PerSecondTest, NtscRateCountsThirtyFramesWithMultiplierTwentyNine) {
  BuiltStream stream;
  test::SequenceHeaderFields fields;
  fields.frameRateCode = 4;
  stream.builder.SequenceHeader(fields).Gop(0, 0, 0, 0);
  for (int i = 0; i < 70; ++i) stream.AddPicture('I', 6, 49986, 1);  // 50 000 bytes a picture
  AnalysisSettings kilo;
  kilo.kiloBase = 1000;
  AnalysedStream run(stream.builder.bytes(), kilo);
  EXPECT_EQ(run.summary().pictureCount, 70u);
  ASSERT_GE(run.stores().ValidSecondCount(), 2u);
  EXPECT_EQ(run.second(1).bitrate, 11600u);
  EXPECT_DOUBLE_EQ(run.second(1).quant, 30 * 6 / (30000.0 / 1001.0));
}

// MPEG-2 with a picture coding extension after every picture header.
BuiltStream Mpeg2(int pictures, bool fieldPictures) {
  BuiltStream stream;
  stream.builder.SequenceHeader().SequenceExtension().Gop(0, 0, 0, 0);
  for (int i = 0; i < pictures; ++i) {
    stream.pictureOffsets.push_back(stream.builder.size());
    test::PictureCodingFields coding;
    coding.pictureStructure = fieldPictures ? static_cast<uint8_t>(1 + i % 2) : 3;
    stream.builder.Picture('I').PictureCodingExtension(coding).Slice(10).Slice(10, 20, 2);
  }
  return stream;
}

TEST(PerSecondTest, Mpeg2FramePicturesFirstSecondHoldsOneMorePicture) {
  test::TempFile file(Mpeg2(80, false).builder.bytes());
  test::RecordingObserver observer;
  auto context = AnalysisContext::Create({}, observer);
  ASSERT_TRUE(context->StartAnalysis(file.path()).ok());
  // The first picture header comes before the first picture coding extension: half a frame.
  EXPECT_EQ(context->stores().summary.pictureCount, 26u);
  context->ReadNextSecond(false);
  EXPECT_EQ(context->stores().summary.pictureCount, 51u);
}

TEST(PerSecondTest, FieldPicturesCountInPairs) {
  test::TempFile file(Mpeg2(160, true).builder.bytes());
  test::RecordingObserver observer;
  auto context = AnalysisContext::Create({}, observer);
  ASSERT_TRUE(context->StartAnalysis(file.path()).ok());
  EXPECT_EQ(context->stores().summary.pictureCount, 50u);
  context->ReadNextSecond(false);
  EXPECT_EQ(context->stores().summary.pictureCount, 100u);
  EXPECT_DOUBLE_EQ(context->stores().seconds()[1].quant, 50 * 10 / 50.0);
}

TEST(PerSecondTest, PeaksKeepTheEarlierOfEqualSecondsAndAveragesRound) {
  // Seconds of alternating size: picture data chosen so that two bitrates repeat.
  BuiltStream stream;
  stream.builder.SequenceHeader().Gop(0, 0, 0, 0);
  for (int second = 0; second < 6; ++second) {
    for (int i = 0; i < 25; ++i)
      stream.AddPicture('P', static_cast<uint8_t>(second % 2 ? 9 : 3), second % 2 ? 4000 : 2000, 1);
  }
  AnalysedStream run(stream.builder.bytes());
  const uint32_t count = run.stores().ValidSecondCount();
  uint64_t total = 0;
  double totalQuant = 0;
  uint32_t peak = 0;
  double peakQuant = 0;
  for (uint32_t i = 0; i < count; ++i) {
    total += run.second(i).bitrate;
    totalQuant += run.second(i).quant;
    peak = std::max(peak, run.second(i).bitrate);
    peakQuant = std::max(peakQuant, run.second(i).quant);
  }
  EXPECT_EQ(run.summary().peakBitrate, peak);
  EXPECT_DOUBLE_EQ(run.summary().peakQuant, peakQuant);
  EXPECT_EQ(run.summary().averageBitrate, RoundToInteger(static_cast<double>(total) / count));
  EXPECT_DOUBLE_EQ(run.summary().averageQuant, totalQuant / count);
  EXPECT_EQ(RoundToInteger(1000.4), 1000u);
  EXPECT_EQ(RoundToInteger(1000.6), 1001u);
}

TEST(PerSecondTest, InvalidFrameRateCodesAreReadAsTwentyFive) {
  for (uint8_t code : {uint8_t{0}, uint8_t{12}}) {
    AnalysedStream run(Mpeg1(60, code).builder.bytes());
    EXPECT_TRUE(run.context().facts().frameRateAssumed);
    EXPECT_EQ(run.context().facts().frameRate, 0.0);
    EXPECT_EQ(run.stores().ValidSecondCount(), 3u);
    EXPECT_DOUBLE_EQ(run.second(1).quant, QuantiserSum(24, 48) / 25);
  }
  EXPECT_FALSE(AnalysedStream(Mpeg1(60).builder.bytes()).context().facts().frameRateAssumed);
}

TEST(PerSecondTest, SlicesBeforeTheFirstPictureEnterOnlyTheStepTotal) {
  BuiltStream stream;
  stream.builder.SequenceHeader().Gop(0, 0, 0, 0).Slice(9);
  for (int i = 0; i < 30; ++i) stream.AddPicture('P', QuantiserOf(i));
  AnalysedStream run(stream.builder.bytes());
  EXPECT_EQ(run.picture(0).qmax, QuantiserOf(0));
  EXPECT_DOUBLE_EQ(run.second(0).quant, (9 + QuantiserSum(0, 23)) / 25);
}

TEST(PerSecondTest, PictureCompletingTheLastSecondIsClosedAtTheEndOfTheStream) {
  BuiltStream stream = Mpeg1(24);
  stream.pictureOffsets.push_back(stream.builder.size());
  stream.builder.Picture('I');  // the 25th picture header, then nothing
  AnalysedStream run(stream.builder.bytes());
  ASSERT_EQ(run.summary().pictureCount, 25u);
  EXPECT_EQ(run.picture(24).size, stream.builder.size() - (stream.pictureOffsets[24] + 4));
  EXPECT_EQ(run.stores().ValidSecondCount(), 1u);
}

TEST(PerSecondTest, EndReportedBeforeAnySecondLeavesZeroAverages) {
  // A program stream whose video holds no sequence header.
  StreamBuilder video;
  video.Gop(0, 0, 0, 0).FramePicture('I', 3);
  AnalysedStream run(test::WrapInProgramStream(video.bytes()));
  EXPECT_TRUE(run.openStatus().ok());
  EXPECT_EQ(run.context().secondsRead(), 0u);
  EXPECT_TRUE(run.context().endReached());
  EXPECT_EQ(run.summary().averageBitrate, 0u);
  EXPECT_EQ(run.summary().averageQuant, 0.0);
}

}  // namespace
}  // namespace tessivo
