// The buffer model on encoder output (tests/data/make_fixtures.sh says how each was made).
#include <gtest/gtest.h>

#include <set>

#include "buffer/display_timing.h"
#include "buffer/vbv_model.h"
#include "support/analysed_stream.h"
#include "support/test_files.h"

namespace tessivo {
namespace {

using test::AnalysedStream;
using test::FixturePath;

VbvResult Simulate(const AnalysedStream& run) {
  return SimulateVbv(run.stores());
}

// Rewrites vbv_buffer_size_value in every sequence header of an elementary stream.
std::vector<uint8_t> WithBufferSize(std::vector<uint8_t> bytes, uint32_t value) {
  for (size_t i = 0; i + 12 <= bytes.size(); ++i) {
    if (bytes[i] != 0 || bytes[i + 1] != 0 || bytes[i + 2] != 1 || bytes[i + 3] != 0xB3) continue;
    uint8_t& b6 = bytes[i + 10];
    uint8_t& b7 = bytes[i + 11];
    b6 = static_cast<uint8_t>((b6 & 0xE0) | (value >> 5 & 0x1F));
    b7 = static_cast<uint8_t>((b7 & 0x07) | (value & 0x1F) << 3);
  }
  return bytes;
}

TEST(VbvFixtureTest, ConstantRateEncoderOutputFitsAndItsVbvDelayAgrees) {
  AnalysedStream run(FixturePath("vbv_cbr.m2v"), {});
  const VbvResult vbv = Simulate(run);
  ASSERT_EQ(vbv.mode, VbvMode::kConstantRate);
  EXPECT_TRUE(vbv.events.empty());
  ASSERT_EQ(vbv.pictures.size(), 30u);
  for (size_t k = 0; k < vbv.pictures.size(); ++k) {
    const VbvPicture& p = vbv.pictures[k];
    const int64_t pictureBits = p.before - p.after;
    EXPECT_LE(std::llabs(p.fromVbvDelay - p.before), pictureBits) << "picture " << k;
  }
}

TEST(VbvFixtureTest, TooSmallABufferShowsThePicturesTheEncoderCouldNotFit) {
  // The encoder reported six buffer underflows: its I pictures and two P pictures at the lowest
  // quality still exceed the 16 384-bit buffer. The first is decoded at the time its own
  // vbv_delay gives, complete but more than the buffer holds; the others arrive late.
  AnalysedStream run(FixturePath("vbv_cbr_small_buffer.m2v"), {});
  const VbvResult vbv = Simulate(run);
  ASSERT_EQ(vbv.mode, VbvMode::kConstantRate);
  std::set<uint32_t> underflows;
  std::set<uint32_t> flagged;
  for (const VbvEvent& event : vbv.events) {
    if (event.kind == VbvEventKind::kUnderflow) underflows.insert(event.picture);
    flagged.insert(event.picture);
    EXPECT_NE(event.type, 'B');
  }
  EXPECT_EQ(underflows, (std::set<uint32_t>{1, 10, 13, 22, 25}));
  EXPECT_EQ(flagged, (std::set<uint32_t>{0, 1, 10, 13, 22, 25}));
  EXPECT_EQ(vbv.underflowCount, 5u);
  const VbvEvent& last = vbv.events.back();
  EXPECT_EQ(last.gop, 2u);
  EXPECT_EQ(last.second, 0u) << "the first second of an MPEG-2 stream holds 26 pictures";
  EXPECT_EQ(TimeCodeText(last.timeCode), "00:00:01.00") << "GOP 2 starts at 00:00:00.22";
}

TEST(VbvFixtureTest, ASmallerBufferSizeInTheHeaderOverflowsWhereTheCurveIsAboveIt) {
  AnalysedStream original(FixturePath("vbv_cbr.m2v"), {});
  const VbvResult curve = Simulate(original);
  AnalysedStream patched(WithBufferSize(test::ReadFileBytes(FixturePath("vbv_cbr.m2v")), 5));
  const VbvResult vbv = Simulate(patched);
  EXPECT_EQ(vbv.underflowCount, 0u);
  ASSERT_GT(vbv.overflowCount, 0u);
  // The fill is the same; only the limit moved, to 81 920 bits.
  uint32_t above = 0;
  for (const VbvPicture& p : curve.pictures) above += p.before > 81920 ? 1 : 0;
  EXPECT_EQ(vbv.overflowCount, above);
  for (const VbvEvent& event : vbv.events) {
    EXPECT_EQ(event.bits, curve.pictures[event.picture].before - 81920);
  }
}

TEST(VbvFixtureTest, Mpeg2encConstantRateModeFitsAsAVariableRateBuffer) {
  // This encoder writes vbv_delay 0xFFFF even in its constant-rate mode.
  AnalysedStream run(FixturePath("vbv_mpeg2enc_cbr.m2v"), {});
  const VbvResult vbv = Simulate(run);
  EXPECT_EQ(vbv.mode, VbvMode::kVariableRate);
  EXPECT_EQ(vbv.pictures.size(), 30u);
  EXPECT_TRUE(vbv.events.empty());
}

TEST(VbvFixtureTest, PulldownFilmFitsAtItsDisplayTiming) {
  // 24 film frames coded for 29.97 Hz display with repeat_first_field: 60 fields, one second.
  AnalysedStream run(FixturePath("vbv_mpeg2enc_pulldown.m2v"), {});
  const RecordStores& stores = run.stores();
  ASSERT_EQ(stores.summary.pictureCount, 24u);
  uint32_t fields = 0;
  uint32_t repeated = 0;
  for (uint32_t k = 0; k < 24; ++k) {
    const PictureFacts& facts = stores.pictureFacts()[k];
    fields += DisplayFields(facts, stores.sequenceFacts()[facts.sequence]);
    repeated += facts.repeatFirstField;
  }
  EXPECT_EQ(repeated, 12u);
  EXPECT_EQ(fields, 60u);
  const VbvResult vbv = Simulate(run);
  EXPECT_EQ(vbv.mode, VbvMode::kVariableRate);
  EXPECT_TRUE(vbv.events.empty());
  // Decoded over the 60 fields less those after the last decoding.
  const double span = vbv.pictures[23].decodingTime - vbv.pictures[0].decodingTime;
  EXPECT_GT(span, 0.9);
  EXPECT_LT(span, 1.0);
}

}  // namespace
}  // namespace tessivo
