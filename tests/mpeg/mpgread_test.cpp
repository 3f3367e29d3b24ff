// The parse driver on built streams: what is recorded for each picture and GOP, how seconds are
// bounded, and how the run ends.
#include "mpeg/mpgread.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

#include "support/analysed_stream.h"
#include "support/built_streams.h"
#include "support/stream_builder.h"

namespace tessivo {
namespace {

using test::AnalysedStream;
using test::StreamBuilder;

using test::Mpeg1;
using test::QuantiserOf;

TEST(ParseDriverTest, GopPatternHoldsNinetyNineLettersThenAnExclamationMark) {
  StreamBuilder builder;
  builder.SequenceHeader();
  for (int pictures : {99, 100, 150}) {
    builder.Gop(0, 0, 0, 0);
    for (int i = 0; i < pictures; ++i) builder.FramePicture(i == 0 ? 'I' : 'B', 4, 1);
  }
  AnalysedStream run(builder.bytes());
  ASSERT_EQ(run.stores().gopCount, 3u);
  EXPECT_EQ(run.gop(0).count, 99);
  EXPECT_EQ(std::strlen(run.gop(0).pattern), 99u);
  EXPECT_EQ(run.gop(1).count, 100);
  EXPECT_EQ(std::string(run.gop(1).pattern), "I" + std::string(98, 'B') + "!");
  EXPECT_EQ(run.gop(2).count, run.gop(1).count);
  EXPECT_STREQ(run.gop(2).pattern, run.gop(1).pattern);
}

TEST(ParseDriverTest, UnusablePictureTypesMakeNoRecordAndTheirSlicesAreNotCounted) {
  StreamBuilder builder;
  builder.SequenceHeader().Gop(0, 0, 0, 0).FramePicture('I', 3).FramePicture('P', 5);
  const size_t unusable = builder.size();
  builder.PictureOfCodingType(0).Slice(31);
  const size_t p2 = builder.size();
  builder.FramePicture('P', 6);
  AnalysedStream run(builder.bytes());
  EXPECT_EQ(run.PictureTypes(), "IPP");
  EXPECT_STREQ(run.gop(0).pattern, "IPP");
  // Every picture start code sets the latest record's size, so the last write, from the
  // unusable picture's start code to the second P's, wins.
  EXPECT_EQ(run.picture(1).size, p2 - unusable);
  EXPECT_EQ(run.picture(1).qmax, 5);
  EXPECT_EQ(run.picture(1).qmin, 5);
  EXPECT_DOUBLE_EQ(run.picture(1).qavg, 5.0);
}

TEST(ParseDriverTest, PictureSizesQuantisersAndTheLastPictureRunToTheEnd) {
  StreamBuilder builder;
  builder.SequenceHeader().Gop(0, 0, 0, 0);
  const size_t first = builder.size();
  builder.Picture('I').Slice(4).Slice(9).Slice(2);
  const size_t second = builder.size();
  builder.Picture('P').Slice(7);
  AnalysedStream run(builder.bytes());
  ASSERT_EQ(run.summary().pictureCount, 2u);
  EXPECT_EQ(run.picture(0).size, second - first);
  EXPECT_EQ(run.picture(0).qmin, 2);
  EXPECT_EQ(run.picture(0).qmax, 9);
  EXPECT_DOUBLE_EQ(run.picture(0).qavg, 5.0);
  EXPECT_EQ(run.picture(1).size, builder.size() - (second + 4));
  EXPECT_DOUBLE_EQ(run.picture(1).qavg, 7.0);
  EXPECT_EQ(run.summary().streamBytes, builder.size());
}

TEST(ParseDriverTest, Mpeg1StreamLeavesTheExtensionFieldsAtZero) {
  auto stream = Mpeg1(30);
  AnalysedStream run(stream.builder.bytes());
  const SequenceSummary& s = run.summary();
  EXPECT_EQ(s.isMpeg2, 0);
  EXPECT_EQ(s.profileLevel, 0);
  EXPECT_EQ(s.chromaFormat, 0u);
  EXPECT_EQ(s.progressiveSequence, 0u);
  EXPECT_EQ(s.pictureStructure, 0u);
  EXPECT_EQ(
      s.topFieldFirst + s.framePredFrameDct + s.qScaleType + s.alternateScan + s.progressiveFrame,
      0);
  EXPECT_EQ(s.horizontalSize, 352u);
  EXPECT_EQ(s.bitRateValue, 2880u);
}

TEST(ParseDriverTest, SecondAnalysisStartsFromZeroedRecords) {
  auto longer = Mpeg1(60);
  auto shorter = Mpeg1(3);
  test::TempFile longFile(longer.builder.bytes());
  test::TempFile shortFile(shorter.builder.bytes());
  test::RecordingObserver observer;
  auto context = AnalysisContext::Create({}, observer);
  ASSERT_TRUE(context->StartAnalysis(longFile.path()).ok());
  context->ReadToEnd();
  ASSERT_TRUE(context->StartAnalysis(shortFile.path()).ok());
  context->ReadToEnd();
  const RecordStores& stores = context->stores();
  EXPECT_EQ(stores.summary.pictureCount, 3u);
  EXPECT_EQ(stores.ValidSecondCount(), 1u);
  for (uint32_t i = 3; i < 60; ++i) {
    const PictureRecord& p = stores.pictures()[i];
    EXPECT_TRUE(p.type == 0 && p.size == 0 && p.qmin == 0 && p.qmax == 0 && p.qavg == 0.0) << i;
  }
}

TEST(ParseDriverTest, RepeatedSequenceHeadersMarkEveryGopAndChangeNoSummaryField) {
  StreamBuilder builder;
  test::SequenceHeaderFields later;
  later.width = 720;
  later.frameRateCode = 4;
  for (int gop = 0; gop < 4; ++gop) {
    builder.SequenceHeader(gop == 0 ? test::SequenceHeaderFields{} : later).Gop(0, 0, gop, 0);
    builder.FramePicture('I', 3).FramePicture('P', 3);
  }
  AnalysedStream run(builder.bytes());
  ASSERT_EQ(run.stores().gopCount, 4u);
  for (uint32_t i = 0; i < 4; ++i) EXPECT_EQ(run.gop(i).sequenceHeader, 1) << i;
  EXPECT_EQ(run.summary().horizontalSize, 352u);
  EXPECT_EQ(run.summary().frameRateIndex, 3u);
}

TEST(ParseDriverTest, StreamWithoutGopHeadersRecordsItsPictures) {
  StreamBuilder builder;
  builder.SequenceHeader();
  for (int i = 0; i < 5; ++i) builder.FramePicture('I', 8);
  AnalysedStream run(builder.bytes());
  EXPECT_EQ(run.stores().gopCount, 0u);
  EXPECT_EQ(run.summary().pictureCount, 5u);
  EXPECT_EQ(run.picture(4).qmax, 8);
}

TEST(ParseDriverTest, SequenceHeaderBlockIsCapturedUpToTheFirstGopStartCode) {
  StreamBuilder builder;
  builder.SequenceHeader().SequenceExtension().SequenceDisplayExtension().Gop(0, 0, 0, 0);
  const size_t gopEnd = builder.size() - 4;  // end of the GOP start code
  builder.FramePicture('I', 2);
  AnalysedStream run(builder.bytes());
  const FirstSequenceBlock& block = run.stores().firstSequenceBlock;
  ASSERT_EQ(block.length, gopEnd - 4);
  EXPECT_TRUE(std::equal(block.bytes, block.bytes + block.length, builder.bytes().begin() + 4));
}

TEST(ParseDriverTest, VbrFlagFollowsTheFirstPicturesVbvDelay) {
  StreamBuilder vbr;
  vbr.SequenceHeader().Gop(0, 0, 0, 0).Picture('I', 0xFFFF).Slice(2).Picture('P', 1000).Slice(2);
  EXPECT_EQ(AnalysedStream(vbr.bytes()).summary().vbrFlag, 1);
  StreamBuilder cbr;
  cbr.SequenceHeader().Gop(0, 0, 0, 0).Picture('I', 1000).Slice(2).Picture('P', 0xFFFF).Slice(2);
  EXPECT_EQ(AnalysedStream(cbr.bytes()).summary().vbrFlag, 0);
}

TEST(ParseDriverTest, GopBeforeTheFirstSequenceHeaderIsNotRecordedAndFlagsTheStream) {
  StreamBuilder builder;
  builder.Gop(0, 0, 0, 0).FramePicture('I', 3);
  builder.SequenceHeader().Gop(0, 0, 1, 0).FramePicture('I', 3).FramePicture('P', 3);
  AnalysedStream run(builder.bytes());
  EXPECT_TRUE(run.context().facts().startsWithInvalidHeader);
  EXPECT_EQ(run.stores().gopCount, 1u);
  EXPECT_EQ(run.gop(0).seconds, 1);
  EXPECT_EQ(run.summary().pictureCount, 2u);
}

TEST(ParseDriverTest, FilesThatCannotBeAnalysedAreRefusedWithTheirMessages) {
  const std::string text = "This is a plain text file with no MPEG start codes in it.\n";
  AnalysedStream invalid(std::vector<uint8_t>(text.begin(), text.end()));
  EXPECT_EQ(invalid.openStatus().kind, StatusKind::kInvalidStream);
  EXPECT_EQ(invalid.openStatus().message, "Invalid stream type!");

  AnalysedStream missing(std::string("/no/such/folder/clip.m2v"), AnalysisSettings{});
  EXPECT_EQ(missing.openStatus().kind, StatusKind::kFileNotFound);
  EXPECT_EQ(missing.openStatus().message, "File /no/such/folder/clip.m2v not found\n");
  EXPECT_TRUE(missing.context().endReached()) << "nothing may step a stream that is not open";

  AnalysedStream empty(std::vector<uint8_t>{});
  EXPECT_EQ(empty.openStatus().kind, StatusKind::kInvalidStream);
}

TEST(ParseDriverTest, StatusCaptionsDuringTheStreamTypeSearch) {
  auto stream = Mpeg1(3);
  AnalysedStream run(stream.builder.bytes());
  EXPECT_EQ(run.observer().captions, (std::vector<std::string>{"Seeking", "Reading"}));
  EXPECT_EQ(run.observer().lastPictureCounter, 2u);
}

TEST(ParseDriverTest, ProgramStreamPositionsCountVideoBytesFromTheFirstSequenceHeader) {
  StreamBuilder builder;
  builder.SequenceHeader().SequenceExtension().Gop(0, 0, 0, 0);
  for (int i = 0; i < 40; ++i) builder.FramePicture(i % 10 ? 'B' : 'I', QuantiserOf(i), 3, 200);
  builder.Gop(0, 0, 1, 15);
  for (int i = 0; i < 40; ++i) builder.FramePicture(i % 10 ? 'P' : 'I', QuantiserOf(i), 3, 200);
  builder.SequenceEnd();
  AnalysedStream elementary(builder.bytes());
  AnalysedStream program(test::WrapInProgramStream(builder.bytes()));
  ASSERT_EQ(program.summary().pictureCount, elementary.summary().pictureCount);
  EXPECT_EQ(program.PictureTypes(), elementary.PictureTypes());
  ASSERT_EQ(program.stores().gopCount, 2u);
  for (uint32_t i = 0; i < 2; ++i) {
    EXPECT_EQ(program.gop(i).position, elementary.gop(i).position - 4);
  }
  for (uint32_t i = 0; i < elementary.summary().pictureCount; ++i) {
    EXPECT_EQ(program.picture(i).size, elementary.picture(i).size) << i;
  }
  EXPECT_TRUE(program.context().reader().demuxMode());
}

TEST(ParseDriverTest, TwoSequenceEndCodesInARowEndTheStream) {
  auto stream = Mpeg1(5);
  stream.builder.SequenceEnd().StartCode(0xB9).StartCode(0xB9);
  stream.builder.FramePicture('I', 3).FramePicture('P', 3);
  AnalysedStream run(stream.builder.bytes());
  EXPECT_EQ(run.summary().pictureCount, 5u);
}

}  // namespace
}  // namespace tessivo
