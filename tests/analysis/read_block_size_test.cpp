// The size of the file reads changes nothing but speed: every fixture analysed with the old
// 16 KiB reads, with the default reads and with sizes that cut packets and start codes at odd
// places saves the same result file and prints the same report.
#include <gtest/gtest.h>

#include "analysis/result_file.h"
#include "analysis/stream_report.h"
#include "support/analysed_stream.h"
#include "support/test_files.h"

namespace tessivo {
namespace {

constexpr uint32_t kOldBlockSize = 16384;

struct Outcome {
  StatusKind opened = StatusKind::kFileNotFound;
  std::vector<uint8_t> resultFile;
  std::vector<std::string> report;
};

Outcome Analyse(const std::string& fixture, AnalysisSettings settings, uint32_t blockSize) {
  settings.readBlockSize = blockSize;
  test::AnalysedStream run(test::FixturePath(fixture), settings);
  Outcome outcome;
  outcome.opened = run.openStatus().kind;
  // Streams without usable video are refused alike; there is nothing to save.
  if (outcome.opened != StatusKind::kOk) return outcome;
  test::TempFile saved(".tsr");
  EXPECT_TRUE(SaveResultFile(run.context(), saved.path()).ok()) << fixture;
  outcome.resultFile = test::ReadFileBytes(saved.path());
  outcome.report = ShowStreamReport(run.stores(), run.context().runNotes());
  return outcome;
}

void ExpectSameForEveryBlockSize(const std::string& fixture, const AnalysisSettings& settings) {
  SCOPED_TRACE(fixture);
  const Outcome old = Analyse(fixture, settings, kOldBlockSize);
  ASSERT_NE(old.opened, StatusKind::kFileNotFound);
  if (old.opened == StatusKind::kOk) {
    ASSERT_GT(old.resultFile.size(), kFileNameSize);
  }
  for (const uint32_t blockSize : {kFileBlockSize, 1000u, 4099u, 188u * 64 + 5, 1u << 20}) {
    const Outcome now = Analyse(fixture, settings, blockSize);
    EXPECT_EQ(now.opened, old.opened) << "block " << blockSize;
    // Both runs read the same path, so even the name at the head must match.
    EXPECT_TRUE(now.resultFile == old.resultFile) << "result file differs, block " << blockSize;
    EXPECT_EQ(now.report, old.report) << "block " << blockSize;
  }
}

const char* const kFixtures[] = {
    "mpeg1_cif25.m1v",
    "mpeg2_ntsc_progressive.m2v",
    "mpeg2_pal_interlaced.m2v",
    "vbv_cbr.m2v",
    "vbv_cbr_small_buffer.m2v",
    "vbv_mpeg2enc_cbr.m2v",
    "vbv_mpeg2enc_pulldown.m2v",
    "dvd_pal.vob",
    "dvd_pal_12mbit.vob",
    "dvd_pal_gop20.vob",
    "mpeg2_pal_interlaced.vob",
    "mpeg1_cif25_system.mpg",
    "ts_audio.ts",
    "ts_damaged.ts",
    "ts_dvd_pal.ts",
    "ts_ffmpeg.m2ts",
    "ts_ffmpeg.ts",
    "ts_ffmpeg_204.ts",
    "ts_gst.m2ts",
    "ts_gst.ts",
    "ts_mpeg1_system.ts",
    "ts_no_psi.ts",
    "ts_nulls_junk.ts",
    "ts_scrambled.ts",
    "ts_sync_in_arrival_times.m2ts",
    "ts_two_programs.ts",
};

TEST(ReadBlockSizeTest, EveryFixtureGivesTheSameResultFileAndReport) {
  for (const char* fixture : kFixtures) ExpectSameForEveryBlockSize(fixture, {});
}

TEST(ReadBlockSizeTest, RunsStoppedByTheStoresOrTakingEveryPacketAgree) {
  AnalysisSettings fewPictures;
  fewPictures.maxFramesAllocate = 40;
  AnalysisSettings everyPacket;
  everyPacket.checkPackStartHdr = false;
  for (const char* fixture : {"mpeg2_pal_interlaced.m2v", "dvd_pal.vob", "ts_gst.ts"}) {
    ExpectSameForEveryBlockSize(fixture, fewPictures);
  }
  ExpectSameForEveryBlockSize("mpeg1_cif25_system.mpg", everyPacket);
  AnalysisSettings secondProgram;
  secondProgram.program = 2;
  ExpectSameForEveryBlockSize("ts_two_programs.ts", secondProgram);
}

}  // namespace
}  // namespace tessivo
