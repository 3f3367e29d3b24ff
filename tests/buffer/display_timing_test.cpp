// Display fields and decoding intervals of single pictures, beside the buffer tests that use them.
#include "buffer/display_timing.h"

#include <gtest/gtest.h>

namespace tessivo {
namespace {

PictureFacts Frame(bool topFieldFirst, bool repeatFirstField) {
  PictureFacts picture{};
  picture.pictureStructure = kFrameStructure;
  picture.topFieldFirst = topFieldFirst;
  picture.repeatFirstField = repeatFirstField;
  return picture;
}

SequenceFacts Sequence(bool mpeg2, bool progressive, bool lowDelay = false) {
  SequenceFacts sequence{};
  sequence.isMpeg2 = mpeg2;
  sequence.progressiveSequence = progressive;
  sequence.lowDelay = lowDelay;
  sequence.frameRate = 25.0;
  return sequence;
}

TEST(DisplayTimingTest, FieldsShownPerPicture) {
  const SequenceFacts interlaced = Sequence(true, false);
  const SequenceFacts progressive = Sequence(true, true);
  EXPECT_EQ(DisplayFields(Frame(false, false), interlaced), 2u);
  EXPECT_EQ(DisplayFields(Frame(true, true), interlaced), 3u);
  // A progressive sequence repeats whole frames: two frames, or three with top_field_first.
  EXPECT_EQ(DisplayFields(Frame(false, true), progressive), 4u);
  EXPECT_EQ(DisplayFields(Frame(true, true), progressive), 6u);
  PictureFacts field = Frame(false, false);
  field.pictureStructure = kBottomFieldStructure;
  EXPECT_EQ(DisplayFields(field, interlaced), 1u);
  EXPECT_EQ(DisplayFields(Frame(true, true), Sequence(false, false)), 2u) << "MPEG-1 has no flags";
  EXPECT_DOUBLE_EQ(FieldPeriod(interlaced), 0.02);
  EXPECT_DOUBLE_EQ(FieldPeriod(SequenceFacts{}), 0.02) << "unknown rate counts as 25";
}

TEST(DisplayTimingTest, ReferencePicturesWaitForThePreviousOneAndLowDelayDoesNot) {
  // I (1 frame) P (3 frames, repeated) B (2 frames) P: the second P follows the first after
  // the I frame's fields; the B after its own; the last P after the repeated P's six.
  const SequenceFacts progressive = Sequence(true, true);
  DecodingSchedule reordered;
  EXPECT_EQ(reordered.IntervalAfter('I', Frame(false, false), progressive), 2u);
  EXPECT_EQ(reordered.IntervalAfter('P', Frame(true, true), progressive), 2u);
  EXPECT_EQ(reordered.IntervalAfter('B', Frame(false, true), progressive), 4u);
  EXPECT_EQ(reordered.IntervalAfter('P', Frame(false, false), progressive), 6u);

  const SequenceFacts lowDelay = Sequence(true, true, true);
  DecodingSchedule direct;
  EXPECT_EQ(direct.IntervalAfter('I', Frame(false, false), lowDelay), 2u);
  EXPECT_EQ(direct.IntervalAfter('P', Frame(true, true), lowDelay), 6u);
  EXPECT_EQ(direct.IntervalAfter('P', Frame(false, false), lowDelay), 2u);
}

}  // namespace
}  // namespace tessivo
