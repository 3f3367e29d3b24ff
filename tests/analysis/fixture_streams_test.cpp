// Real encoder output: the same video reads the same however it is multiplexed, and damaged
// copies of it never crash or hang the analysis.
#include <gtest/gtest.h>

#include <random>

#include "support/analysed_stream.h"
#include "support/stream_builder.h"
#include "support/test_files.h"

namespace tessivo {
namespace {

using test::AnalysedStream;
using test::FixturePath;

AnalysisSettings NoPackCheck() {
  AnalysisSettings settings;
  settings.checkPackStartHdr = false;
  return settings;
}

TEST(FixtureStreamsTest, ProgramStreamMatchesTheElementaryStreamItWasMuxedFrom) {
  AnalysedStream elementary(FixturePath("mpeg2_pal_interlaced.m2v"), AnalysisSettings{});
  AnalysedStream program(FixturePath("mpeg2_pal_interlaced.vob"), AnalysisSettings{});
  EXPECT_EQ(program.PictureTypes(), elementary.PictureTypes());
  ASSERT_EQ(program.summary().pictureCount, 75u);
  for (uint32_t i = 0; i < 75; ++i) {
    EXPECT_EQ(program.picture(i).size, elementary.picture(i).size) << i;
    EXPECT_EQ(program.picture(i).qavg, elementary.picture(i).qavg) << i;
  }
  EXPECT_EQ(program.gop(2).position + 4, elementary.gop(2).position);
  EXPECT_EQ(program.summary().averageBitrate, elementary.summary().averageBitrate);
}

TEST(FixtureStreamsTest, SystemStreamMatchesItsElementaryStream) {
  AnalysedStream elementary(FixturePath("mpeg1_cif25.m1v"), AnalysisSettings{});
  AnalysedStream system(FixturePath("mpeg1_cif25_system.mpg"), NoPackCheck());
  EXPECT_EQ(system.PictureTypes(), elementary.PictureTypes());
  EXPECT_EQ(system.summary().peakBitrate, elementary.summary().peakBitrate);
  EXPECT_EQ(system.stores().gopCount, elementary.stores().gopCount);
}

TEST(FixtureStreamsTest, GopsOfTheEncoderFixture) {
  AnalysedStream run(FixturePath("mpeg2_ntsc_progressive.m2v"), AnalysisSettings{});
  ASSERT_GE(run.stores().gopCount, 2u);
  EXPECT_EQ(run.gop(0).closedGop, 1);
  EXPECT_EQ(run.gop(0).sequenceHeader, 1);
  EXPECT_STREQ(run.gop(0).pattern, "IPBBPBBPBBPBBPBB");
  EXPECT_EQ(run.gop(0).count, 16);
  EXPECT_STREQ(run.gop(3).pattern, "IPBBPBBPBBPB");
  EXPECT_EQ(run.summary().frameRateIndex, 4u);
  EXPECT_EQ(run.summary().progressiveFrame, 1);
}

// Analyses the bytes to the end; the records stay within what the intact stream holds.
void ExpectCleanRun(const std::vector<uint8_t>& bytes, uint32_t maxPictures,
                    const AnalysisSettings& settings = {}) {
  AnalysedStream run(bytes, settings);
  EXPECT_LE(run.summary().pictureCount, maxPictures);
  if (run.openStatus().ok()) {
    EXPECT_TRUE(run.context().endReached());
  }
}

TEST(FixtureStreamsTest, TruncatedCopiesEndCleanly) {
  for (const char* name : {"mpeg2_pal_interlaced.m2v", "mpeg2_pal_interlaced.vob"}) {
    const auto whole = test::ReadFileBytes(FixturePath(name));
    std::mt19937 random(7);
    for (int cut = 0; cut < 25; ++cut) {
      const size_t length = random() % whole.size();
      ExpectCleanRun(std::vector<uint8_t>(whole.begin(), whole.begin() + length), 75);
    }
  }
  // Cut inside a start code.
  const auto whole = test::ReadFileBytes(FixturePath("mpeg1_cif25.m1v"));
  for (size_t at = 1000; at < whole.size(); ++at) {
    if (whole[at] == 0 && whole[at + 1] == 0 && whole[at + 2] == 1) {
      for (size_t keep = 1; keep <= 3; ++keep) {
        ExpectCleanRun(std::vector<uint8_t>(whole.begin(), whole.begin() + at + keep), 100);
      }
      break;
    }
  }
}

TEST(FixtureStreamsTest, DamagedAndRandomBytesNeverCrash) {
  std::mt19937 random(11);
  for (const char* name : {"mpeg2_pal_interlaced.vob", "mpeg1_cif25_system.mpg"}) {
    const auto whole = test::ReadFileBytes(FixturePath(name));
    for (int round = 0; round < 12; ++round) {
      auto damaged = whole;
      for (int flips = 0; flips < 200; ++flips)
        damaged[random() % damaged.size()] = random() & 0xFF;
      ExpectCleanRun(damaged, 1000, round % 2 ? NoPackCheck() : AnalysisSettings{});
    }
  }
  for (int round = 0; round < 10; ++round) {
    std::vector<uint8_t> noise(50000);
    for (auto& byte : noise) byte = static_cast<uint8_t>(random() % 3 == 0 ? 0 : random());
    ExpectCleanRun(noise, 50000);
  }
  // Garbage before the first sequence header.
  auto prefixed = std::vector<uint8_t>(3000, 0x47);
  const auto whole = test::ReadFileBytes(FixturePath("mpeg1_cif25.m1v"));
  prefixed.insert(prefixed.end(), whole.begin(), whole.end());
  AnalysedStream run(prefixed);
  EXPECT_EQ(run.summary().pictureCount, 100u);
  EXPECT_EQ(run.gop(0).position, 3000 + AnalysedStream(whole).gop(0).position);
}

}  // namespace
}  // namespace tessivo
