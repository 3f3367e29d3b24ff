// The facts recorded beside each picture record: positions, header fields, coding-extension
// flags and the sequence in force.
#include "mpeg/picture_facts.h"

#include <gtest/gtest.h>

#include "analysis/result_file.h"
#include "support/analysed_stream.h"
#include "support/stream_builder.h"
#include "support/test_files.h"

namespace tessivo {
namespace {

using test::AnalysedStream;
using test::PictureCodingFields;
using test::SequenceExtensionFields;
using test::SequenceHeaderFields;
using test::StreamBuilder;

const PictureFacts& FactsOf(const AnalysedStream& run, uint32_t picture) {
  return run.stores().pictureFacts()[picture];
}

const SequenceFacts& SequenceOf(const AnalysedStream& run, uint32_t picture) {
  return run.stores().sequenceFacts()[FactsOf(run, picture).sequence];
}

TEST(PictureFactsTest, HeaderFieldsFlagsAndPositionsOfEachPicture) {
  StreamBuilder b;
  SequenceHeaderFields header;
  header.bitRateValue = 5000;
  header.vbvBufferSize = 112;
  b.SequenceHeader(header);
  SequenceExtensionFields extension;
  extension.bitRateExtension = 3;
  extension.vbvBufferSizeExtension = 2;
  extension.lowDelay = true;
  b.SequenceExtension(extension);
  const size_t gop = b.size();
  b.Gop(0, 0, 0, 0, true);
  const size_t first = b.size();
  b.Picture('I', 0x1234, 2);
  PictureCodingFields top;
  top.pictureStructure = kTopFieldStructure;
  top.topFieldFirst = true;
  top.progressiveFrame = false;
  b.PictureCodingExtension(top).Slice(3);
  const size_t second = b.size();
  b.Picture('B', 0x0ABC, 0);
  PictureCodingFields pulldown;
  pulldown.repeatFirstField = true;
  b.PictureCodingExtension(pulldown).Slice(4);

  AnalysedStream run(b.bytes());
  ASSERT_EQ(run.summary().pictureCount, 2u);
  ASSERT_TRUE(run.stores().pictureFactsAvailable);
  const PictureFacts& i = FactsOf(run, 0);
  EXPECT_EQ(i.position, first + 4) << "the count just after the start code, as GOP positions";
  EXPECT_EQ(i.headerBytes, first) << "sequence header, extension and GOP lead the picture";
  EXPECT_EQ(i.gop, 0u);
  EXPECT_EQ(i.temporalReference, 2);
  EXPECT_EQ(i.vbvDelay, 0x1234);
  EXPECT_EQ(i.pictureStructure, kTopFieldStructure);
  EXPECT_EQ(i.topFieldFirst, 1);
  EXPECT_EQ(i.repeatFirstField, 0);
  EXPECT_EQ(i.progressiveFrame, 0);
  const PictureFacts& bFacts = FactsOf(run, 1);
  EXPECT_EQ(bFacts.position, second + 4);
  EXPECT_EQ(bFacts.headerBytes, 0u);
  EXPECT_EQ(bFacts.vbvDelay, 0x0ABC);
  EXPECT_EQ(bFacts.pictureStructure, kFrameStructure);
  EXPECT_EQ(bFacts.repeatFirstField, 1);
  EXPECT_EQ(bFacts.progressiveFrame, 1);
  EXPECT_EQ(run.stores().gopPositions()[0], gop + 4);

  const SequenceFacts& s = SequenceOf(run, 0);
  EXPECT_EQ(s.bitRate, (3ull << 18 | 5000) * 400) << "bit_rate_extension above the 18 bits";
  EXPECT_EQ(s.vbvBufferSize, (2ull << 10 | 112) * 16384);
  EXPECT_EQ(s.lowDelay, 1);
  EXPECT_EQ(s.isMpeg2, 1);
  EXPECT_EQ(s.frameRate, 25.0);
  EXPECT_EQ(s.horizontalSize, 352u);
  EXPECT_EQ(s.chromaFormat, 1);
  EXPECT_EQ(run.stores().sequenceFactsCount, 1u);
}

TEST(PictureFactsTest, Mpeg1PicturesAreProgressiveFramesAndKeepTheHeaderBitRate) {
  StreamBuilder b;
  SequenceHeaderFields header;
  header.bitRateValue = 0x3FFFF;  // MPEG-1's variable-rate value
  header.vbvBufferSize = 20;
  b.SequenceHeader(header).Gop(0, 0, 0, 0).FramePicture('I', 5).FramePicture('P', 6);
  AnalysedStream run(b.bytes());
  ASSERT_EQ(run.summary().pictureCount, 2u);
  for (uint32_t p = 0; p < 2; ++p) {
    EXPECT_EQ(FactsOf(run, p).pictureStructure, kFrameStructure);
    EXPECT_EQ(FactsOf(run, p).progressiveFrame, 1);
    EXPECT_EQ(FactsOf(run, p).vbvDelay, kVariableRateVbvDelay);
  }
  const SequenceFacts& s = SequenceOf(run, 0);
  EXPECT_EQ(s.isMpeg2, 0);
  EXPECT_EQ(s.bitRate, 0x3FFFFull * 400);
  EXPECT_EQ(s.vbvBufferSize, 20u * 16384);
  EXPECT_EQ(s.lowDelay, 0);
}

TEST(PictureFactsTest, EachPictureNamesTheSequenceInForceAndRepeatsShareAnEntry) {
  StreamBuilder b;
  SequenceHeaderFields slow;
  slow.bitRateValue = 1000;
  SequenceHeaderFields fast = slow;
  fast.bitRateValue = 2000;
  b.SequenceHeader(slow).SequenceExtension().Gop(0, 0, 0, 0).FramePicture('I', 3);
  b.SequenceHeader(slow).SequenceExtension().Gop(0, 0, 0, 1).FramePicture('I', 3);
  b.SequenceHeader(fast).SequenceExtension().Gop(0, 0, 0, 2).FramePicture('I', 3);
  b.FramePicture('P', 3);
  AnalysedStream run(b.bytes());
  ASSERT_EQ(run.summary().pictureCount, 4u);
  EXPECT_EQ(run.stores().sequenceFactsCount, 2u);
  EXPECT_EQ(FactsOf(run, 0).sequence, FactsOf(run, 1).sequence);
  EXPECT_EQ(SequenceOf(run, 1).bitRate, 400000u);
  EXPECT_EQ(SequenceOf(run, 2).bitRate, 800000u);
  EXPECT_EQ(FactsOf(run, 3).sequence, FactsOf(run, 2).sequence);
  EXPECT_EQ(FactsOf(run, 2).gop, 2u);
  EXPECT_EQ(run.summary().bitRateValue, 1000u) << "the summary keeps the first header";
}

TEST(PictureFactsTest, PicturesBeforeTheFirstGopAndTheSecondThatCountedEach) {
  StreamBuilder b;
  b.SequenceHeader().FramePicture('I', 3);
  b.Gop(0, 0, 0, 0);
  for (int i = 0; i < 30; ++i) b.FramePicture('P', 4);
  AnalysedStream run(b.bytes());
  ASSERT_EQ(run.summary().pictureCount, 31u);
  EXPECT_EQ(FactsOf(run, 0).gop, kNoGop);
  EXPECT_EQ(FactsOf(run, 1).gop, 0u);
  // 25 frames a second: pictures 0 to 24 in the first second, the rest in the next.
  EXPECT_EQ(FactsOf(run, 24).second, 0u);
  EXPECT_EQ(FactsOf(run, 25).second, 1u);
  EXPECT_EQ(FactsOf(run, 30).second, 1u);
}

TEST(PictureFactsTest, AnUnusablePictureTakesNoCodingExtensionFromItsPredecessor) {
  StreamBuilder b;
  b.SequenceHeader().SequenceExtension().Gop(0, 0, 0, 0);
  b.Picture('I').PictureCodingExtension().Slice(3);
  PictureCodingFields field;
  field.pictureStructure = kBottomFieldStructure;
  b.PictureOfCodingType(0).PictureCodingExtension(field).Slice(3);
  AnalysedStream run(b.bytes());
  ASSERT_EQ(run.summary().pictureCount, 1u);
  EXPECT_EQ(FactsOf(run, 0).pictureStructure, kFrameStructure);
}

TEST(PictureFactsTest, ProgramStreamPositionsCountVideoBytesLikeTheGopPositions) {
  StreamBuilder b;
  b.SequenceHeader().SequenceExtension();
  const size_t gop = b.size();
  b.Gop(0, 0, 0, 0);
  const size_t picture = b.size();
  b.Picture('I', 900).PictureCodingExtension().Slice(3, 3000).FramePicture('P', 4, 2, 3000);
  AnalysedStream run(test::WrapInProgramStream(b.bytes()));
  ASSERT_EQ(run.summary().pictureCount, 2u);
  // Video bytes count from the end of the first sequence header start code, four bytes in, so a
  // position just after a start code equals the start code's offset in the elementary stream.
  EXPECT_EQ(run.stores().gopPositions()[0], gop);
  EXPECT_EQ(FactsOf(run, 0).position, picture);
  EXPECT_EQ(FactsOf(run, 0).vbvDelay, 900);
}

TEST(PictureFactsTest, ARunHasFactsAndALoadedResultFileHasNone) {
  StreamBuilder b;
  b.SequenceHeader().Gop(0, 0, 0, 0).FramePicture('I', 3);
  AnalysedStream run(b.bytes());
  EXPECT_TRUE(run.stores().pictureFactsAvailable);
  test::TempFile result(".tsr");
  ASSERT_TRUE(SaveResultFile(run.context(), result.path()).ok());
  ASSERT_TRUE(LoadResultFile(run.context(), result.path()).ok());
  EXPECT_FALSE(run.stores().pictureFactsAvailable);
  EXPECT_TRUE(run.context().StartAnalysis(run.summary().fileName).ok());
  EXPECT_TRUE(run.stores().pictureFactsAvailable);
}

}  // namespace
}  // namespace tessivo
