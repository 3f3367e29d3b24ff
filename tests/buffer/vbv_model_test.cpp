// The buffer model on built streams whose pictures have exact sizes, so that every decoding time
// and fill below follows by hand from the bit rate, the sizes and the display flags.
#include "buffer/vbv_model.h"

#include <gtest/gtest.h>

#include "support/analysed_stream.h"
#include "support/stream_builder.h"
#include "support/unit_stream.h"

namespace tessivo {
namespace {

using test::AnalysedStream;
using test::PictureCodingFields;
using test::SequenceExtensionFields;
using test::SequenceHeaderFields;
using test::StreamBuilder;
using test::UnitStream;

SequenceHeaderFields Header(uint32_t bitRateValue, uint32_t vbvBufferSize,
                            uint8_t frameRateCode = 3) {
  SequenceHeaderFields header;
  header.bitRateValue = bitRateValue;
  header.vbvBufferSize = vbvBufferSize;
  header.frameRateCode = frameRateCode;
  return header;
}

struct Fill {
  int64_t before;
  int64_t after;
};

void ExpectFills(const VbvResult& vbv, const std::vector<Fill>& fills) {
  ASSERT_EQ(vbv.pictures.size(), fills.size());
  for (size_t k = 0; k < fills.size(); ++k) {
    EXPECT_EQ(vbv.pictures[k].before, fills[k].before) << "picture " << k;
    EXPECT_EQ(vbv.pictures[k].after, fills[k].after) << "picture " << k;
  }
}

// MPEG-1 at 25 frames per second and 1 Mbit/s: 40 000 bits enter per frame period. The first
// picture start code ends at byte 24 (sequence header 12, GOP 8), so it has entered after
// 192 microseconds; its vbv_delay of 9000 ticks (0.1 s) puts the first decoding at 0.100192 s
// with 100 192 bits in the buffer. Without B pictures every picture follows one frame later.
constexpr uint32_t kMegabit = 2500;  // bit_rate_value of 1 Mbit/s
constexpr uint16_t kFirstDelay = 9000;
constexpr uint16_t kSteadyDelay = 9014;  // what a consistent encoder writes for the others

UnitStream SteadyMpeg1(uint32_t vbvBufferSize) {
  UnitStream stream(Header(kMegabit, vbvBufferSize), nullptr);
  stream.Add('I', 5000, kFirstDelay);
  for (int k = 1; k < 8; ++k) stream.Add('P', 5000, kSteadyDelay);
  return stream;
}

TEST(VbvModelTest, ConstantRateStreamThatFits) {
  AnalysedStream run(SteadyMpeg1(20).bytes());
  const VbvResult vbv = SimulateVbv(run.stores());
  ASSERT_EQ(vbv.mode, VbvMode::kConstantRate);
  EXPECT_TRUE(vbv.events.empty());
  // 100 192 bits before each removal until the stream's 320 000 bits have all entered; the last
  // two pictures find only what is left.
  ExpectFills(vbv, {{100192, 60192},
                    {100192, 60192},
                    {100192, 60192},
                    {100192, 60192},
                    {100192, 60192},
                    {100192, 60192},
                    {80000, 40000},
                    {40000, 0}});
  for (int k = 0; k < 8; ++k) EXPECT_NEAR(vbv.pictures[k].decodingTime, 0.100192 + 0.04 * k, 1e-9);
  // The steady vbv_delay says 32 start-code bits plus 9014 / 90 000 s at 1 Mbit/s.
  EXPECT_EQ(vbv.pictures[0].fromVbvDelay, 100192);
  EXPECT_EQ(vbv.pictures[3].fromVbvDelay, 100188);
}

TEST(VbvModelTest, ConstantRateUnderflowAtTheOversizedPicture) {
  UnitStream stream(Header(kMegabit, 20), nullptr);
  stream.Add('I', 5000, kFirstDelay);
  for (int k = 1; k < 4; ++k) stream.Add('P', 5000, kSteadyDelay);
  stream.Add('P', 15000, kSteadyDelay);  // 120 000 bits, more than the 100 192 there
  stream.Add('P', 2500, kSteadyDelay).Add('P', 2500, kSteadyDelay);
  stream.Add('P', 5000, kSteadyDelay).Add('P', 5000, kSteadyDelay);
  AnalysedStream run(stream.bytes());
  const VbvResult vbv = SimulateVbv(run.stores());
  ASSERT_EQ(vbv.events.size(), 1u);
  const VbvEvent& event = vbv.events[0];
  EXPECT_EQ(event.kind, VbvEventKind::kUnderflow);
  EXPECT_EQ(event.picture, 4u);
  EXPECT_EQ(event.type, 'P');
  EXPECT_EQ(event.gop, 0u);
  EXPECT_EQ(event.timeCode.pictures, 4u);
  EXPECT_EQ(event.position, 20000u + 4);
  EXPECT_EQ(event.bits, 280000 - 260192) << "due at 0.260192 s, complete at 0.28 s";
  EXPECT_NEAR(event.time, 0.260192, 1e-9);
  EXPECT_EQ(vbv.underflowCount, 1u);
  // The decoder waits for the picture; the smaller ones after it let the buffer recover.
  EXPECT_NEAR(vbv.pictures[4].decodingTime, 0.28, 1e-9);
  EXPECT_NEAR(vbv.pictures[5].decodingTime, 0.32, 1e-9);
  ExpectFills(vbv, {{100192, 60192},
                    {100192, 60192},
                    {100192, 60192},
                    {100192, 60192},
                    {120000, 0},
                    {40000, 20000},
                    {60000, 40000},
                    {80000, 40000},
                    {40000, 0}});
}

TEST(VbvModelTest, ConstantRateOverflowWhereTheBufferIsTooSmall) {
  // Five units of 16 384 bits: 81 920, below the 100 192 bits the vbv_delay builds up.
  AnalysedStream run(SteadyMpeg1(5).bytes());
  const VbvResult vbv = SimulateVbv(run.stores());
  EXPECT_EQ(vbv.overflowCount, 6u);
  EXPECT_EQ(vbv.underflowCount, 0u);
  ASSERT_EQ(vbv.events.size(), 6u);
  for (uint32_t k = 0; k < 6; ++k) {
    EXPECT_EQ(vbv.events[k].kind, VbvEventKind::kOverflow);
    EXPECT_EQ(vbv.events[k].picture, k);
    EXPECT_EQ(vbv.events[k].bits, 100192 - 81920);
  }
}

TEST(VbvModelTest, LowDelayPictureWaitsWholeFramesInsteadOfUnderflowing) {
  // MPEG-2 headers put the first start code's end at byte 34, 272 bits: first decoding at
  // 0.100272 s with 100 272 bits in the buffer.
  SequenceExtensionFields lowDelay;
  lowDelay.lowDelay = true;
  UnitStream stream(Header(kMegabit, 20), &lowDelay);
  stream.Add('I', 5000, kFirstDelay);
  for (int k = 1; k < 4; ++k) stream.Add('P', 5000, kSteadyDelay);
  stream.Add('P', 15000, kSteadyDelay);
  stream.Add('P', 2500, kSteadyDelay).Add('P', 2500, kSteadyDelay);
  stream.Add('P', 5000, kSteadyDelay).Add('P', 5000, kSteadyDelay);
  AnalysedStream run(stream.bytes());
  const VbvResult vbv = SimulateVbv(run.stores());
  ASSERT_EQ(vbv.events.size(), 1u);
  EXPECT_EQ(vbv.events[0].kind, VbvEventKind::kLatePicture);
  EXPECT_EQ(vbv.events[0].picture, 4u);
  EXPECT_EQ(vbv.events[0].bits, 280000 - 260272);
  EXPECT_EQ(vbv.underflowCount, 0u);
  // Complete at 0.28 s, decoded at the next frame period, 0.300272 s; the rest one frame later.
  EXPECT_NEAR(vbv.pictures[4].decodingTime, 0.300272, 1e-9);
  EXPECT_NEAR(vbv.pictures[8].decodingTime, 0.460272, 1e-9);
  ExpectFills(vbv, {{100272, 60272},
                    {100272, 60272},
                    {100272, 60272},
                    {100272, 60272},
                    {140272, 20272},
                    {60272, 40272},
                    {80272, 60272},
                    {80000, 40000},
                    {40000, 0}});
}

// Film at 30 frames per second with 3:2 pulldown in an interlaced sequence: pictures shown, in
// display order, for 3, 2, 3, 2, ... fields. In coded order I0 P3 B1 B2 P6 B4 B5 P9 B7 B8 the
// repeat_first_field flags are 1 0 0 1 1 1 0 0 0 1. A B picture is followed after its own fields;
// an I or P picture after those of the reference picture before it, which it sends to display
// (the first after its own): 3 3 2 3 2 3 2 3 2 field periods.
std::vector<uint8_t> PulldownStream(bool withPulldown) {
  SequenceExtensionFields interlaced;
  UnitStream stream(Header(1500, 8, 5), &interlaced);  // 600 kbit/s, 131 072 bits, 30 Hz
  const char* types = "IPBBPBBPBB";
  const bool repeats[] = {true, false, false, true, true, true, false, false, false, true};
  for (int k = 0; k < 10; ++k) {
    PictureCodingFields coding;
    coding.progressiveFrame = false;
    coding.repeatFirstField = withPulldown && repeats[k];
    stream.Add(types[k], k == 0 ? 15000 : 3125, kVariableRateVbvDelay, &coding);
  }
  return stream.bytes();
}

TEST(VbvModelTest, VariableRateFillFollowsThePulldownFields) {
  AnalysedStream run(PulldownStream(true));
  const VbvResult vbv = SimulateVbv(run.stores());
  ASSERT_EQ(vbv.mode, VbvMode::kVariableRate);
  EXPECT_TRUE(vbv.events.empty());
  // 10 000 bits enter per field period while there is room. Full (131 072) at the first
  // decoding; the I picture takes 120 000, each later one 25 000; 345 000 bits in all.
  ExpectFills(vbv, {{131072, 11072},
                    {41072, 16072},
                    {46072, 21072},
                    {41072, 16072},
                    {46072, 21072},
                    {41072, 16072},
                    {46072, 21072},
                    {41072, 16072},
                    {46072, 21072},
                    {25000, 0}});
  const int fields[] = {0, 3, 6, 8, 11, 13, 16, 18, 21, 23};
  for (int k = 0; k < 10; ++k) {
    EXPECT_NEAR(vbv.pictures[k].decodingTime - vbv.pictures[0].decodingTime, fields[k] / 60.0,
                1e-9);
  }
}

TEST(VbvModelTest, VariableRateWithoutThePulldownFieldsUnderflows) {
  // Every picture two fields: by the fourth decoding only 131 072 + 3 x 20 000 bits have
  // entered, 3928 short of the 195 000 that end that picture.
  AnalysedStream run(PulldownStream(false));
  const VbvResult vbv = SimulateVbv(run.stores());
  ASSERT_FALSE(vbv.events.empty());
  EXPECT_EQ(vbv.events[0].kind, VbvEventKind::kUnderflow);
  EXPECT_EQ(vbv.events[0].picture, 3u);
  EXPECT_EQ(vbv.events[0].bits, 3928);
  EXPECT_EQ(vbv.overflowCount, 0u) << "a variable-rate buffer stops filling when full";
}

TEST(VbvModelTest, FieldPicturesAndARepeatedFieldSetTheDecodingTimes) {
  // Interlaced, 25 Hz, 1 Mbit/s, units of 20 000 bits. Coded order: an I field pair, a P frame
  // with repeat_first_field (3 fields), a B field pair, a P field pair. Intervals in fields:
  // 1, 1 (the I pair is the first reference), 2 (the I pair is shown), 1, 1, 1 and 2 (the P
  // frame's 3 fields less the one between the two P fields).
  SequenceExtensionFields interlaced;
  UnitStream stream(Header(kMegabit, 112), &interlaced);
  PictureCodingFields top;
  top.pictureStructure = kTopFieldStructure;
  top.topFieldFirst = true;
  top.progressiveFrame = false;
  PictureCodingFields bottom = top;
  bottom.pictureStructure = kBottomFieldStructure;
  PictureCodingFields repeated;
  repeated.topFieldFirst = true;
  repeated.repeatFirstField = true;
  repeated.progressiveFrame = false;
  stream.Add('I', 2500, 4500, &top).Add('I', 2500, 4500, &bottom);
  stream.Add('P', 2500, 4500, &repeated);
  stream.Add('B', 2500, 4500, &top).Add('B', 2500, 4500, &bottom);
  stream.Add('P', 2500, 4500, &top).Add('P', 2500, 4500, &bottom);
  AnalysedStream run(stream.bytes());
  const VbvResult vbv = SimulateVbv(run.stores());
  EXPECT_TRUE(vbv.events.empty());
  // First decoding: 272 bits of headers and start code, then 4500 ticks: 0.050272 s.
  const int fields[] = {0, 1, 2, 4, 5, 6, 7};
  for (int k = 0; k < 7; ++k) {
    EXPECT_NEAR(vbv.pictures[k].decodingTime, 0.050272 + fields[k] * 0.02, 1e-9) << k;
  }
  // Arrival stops at the stream's 140 000 bits from picture 4 on.
  ExpectFills(vbv, {{50272, 30272},
                    {50272, 30272},
                    {50272, 30272},
                    {70272, 50272},
                    {60000, 40000},
                    {40000, 20000},
                    {20000, 0}});
}

TEST(VbvModelTest, NoModelWithoutFacts) {
  StreamBuilder b;
  b.SequenceHeader().Gop(0, 0, 0, 0).FramePicture('I', 3);
  AnalysedStream run(b.bytes());
  run.context().MarkResultLoaded(1);
  const VbvResult vbv = SimulateVbv(run.stores());
  EXPECT_EQ(vbv.mode, VbvMode::kNone);
  EXPECT_TRUE(vbv.pictures.empty());
}

}  // namespace
}  // namespace tessivo
