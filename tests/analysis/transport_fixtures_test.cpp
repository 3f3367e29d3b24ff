// Transport streams from two multiplexers read as the streams they were made from: the same
// records, positions shifted by one constant (those of an elementary stream count from the
// file's start, those of a container from the end of the first sequence header start code).
#include <gtest/gtest.h>

#include "analysis/stream_report.h"
#include "support/analysed_stream.h"
#include "support/test_files.h"

namespace tessivo {
namespace {

using test::AnalysedStream;
using test::FixturePath;

AnalysisSettings Settings(bool packCheck = true, uint32_t program = 0) {
  AnalysisSettings settings;
  settings.checkPackStartHdr = packCheck;
  settings.program = program;
  return settings;
}

// The report up to "Notes:", which the container does not change.
std::vector<std::string> HeaderLines(AnalysedStream& run) {
  auto lines = ShowStreamReport(run.stores(), run.context().runNotes());
  lines.resize(std::find(lines.begin(), lines.end(), "Notes:") - lines.begin());
  return lines;
}

void ExpectSameRecords(AnalysedStream& expected, AnalysedStream& actual, int64_t shift,
                       const std::string& name) {
  SCOPED_TRACE(name);
  ASSERT_TRUE(actual.openStatus().ok());
  const RecordStores& a = expected.stores();
  const RecordStores& b = actual.stores();
  ASSERT_EQ(b.summary.pictureCount, a.summary.pictureCount);
  ASSERT_GT(a.summary.pictureCount, 0u);
  for (uint32_t i = 0; i < a.summary.pictureCount; ++i) {
    const PictureRecord& p = a.pictures()[i];
    const PictureRecord& q = b.pictures()[i];
    ASSERT_TRUE(p.type == q.type && p.size == q.size && p.qmin == q.qmin && p.qmax == q.qmax &&
                p.qavg == q.qavg)
        << "picture " << i;
    // The picture facts' positions count the same bytes.
    ASSERT_EQ(static_cast<int64_t>(a.pictureFacts()[i].position) -
                  static_cast<int64_t>(b.pictureFacts()[i].position),
              shift)
        << "picture " << i;
  }
  ASSERT_EQ(b.ValidSecondCount(), a.ValidSecondCount());
  for (uint32_t i = 0; i < a.ValidSecondCount(); ++i) {
    EXPECT_EQ(b.seconds()[i].bitrate, a.seconds()[i].bitrate) << "second " << i;
    EXPECT_EQ(b.seconds()[i].quant, a.seconds()[i].quant) << "second " << i;
  }
  ASSERT_EQ(b.gopCount, a.gopCount);
  for (uint32_t i = 0; i < a.gopCount; ++i) {
    const GopRecord& g = a.gops()[i];
    const GopRecord& h = b.gops()[i];
    EXPECT_STREQ(h.pattern, g.pattern);
    EXPECT_TRUE(g.hours == h.hours && g.minutes == h.minutes && g.seconds == h.seconds &&
                g.pictures == h.pictures && g.closedGop == h.closedGop &&
                g.brokenLink == h.brokenLink && g.sequenceHeader == h.sequenceHeader)
        << "GOP " << i;
    EXPECT_EQ(static_cast<int64_t>(a.gopPositions()[i]) - static_cast<int64_t>(b.gopPositions()[i]),
              shift)
        << "GOP " << i;
  }
  EXPECT_EQ(b.summary.peakBitrate, a.summary.peakBitrate);
  EXPECT_EQ(b.summary.averageQuant, a.summary.averageQuant);
  EXPECT_EQ(HeaderLines(actual), HeaderLines(expected));
}

TransportFacts FactsOf(AnalysedStream& run) {
  const auto notes = run.context().runNotes();
  EXPECT_TRUE(notes.transport.has_value());
  return notes.transport.value_or(TransportFacts{});
}

TEST(TransportFixturesTest, BothMultiplexersEveryPacketSize) {
  AnalysedStream elementary(FixturePath("vbv_cbr.m2v"), Settings());
  for (const char* name : {"ts_ffmpeg.ts", "ts_ffmpeg.m2ts", "ts_gst.ts", "ts_gst.m2ts",
                           "ts_ffmpeg_204.ts", "ts_sync_in_arrival_times.m2ts"}) {
    AnalysedStream transport(FixturePath(name), Settings());
    ExpectSameRecords(elementary, transport, 4, name);
    EXPECT_EQ(FactsOf(transport).counts.continuityErrors, 0u) << name;
  }
}

TEST(TransportFixturesTest, RemultiplexedProgramAndSystemStreamsKeepTheirPositions) {
  AnalysedStream program(FixturePath("dvd_pal.vob"), Settings());
  AnalysedStream fromProgram(FixturePath("ts_dvd_pal.ts"), Settings());
  ExpectSameRecords(program, fromProgram, 0, "ts_dvd_pal.ts");
  // The system stream packs two video packets in some packs: every packet counts.
  AnalysedStream system(FixturePath("mpeg1_cif25_system.mpg"), Settings(false));
  AnalysedStream fromSystem(FixturePath("ts_mpeg1_system.ts"), Settings());
  ExpectSameRecords(system, fromSystem, 0, "ts_mpeg1_system.ts");
}

TEST(TransportFixturesTest, TwoProgramsTheFirstByDefault) {
  AnalysedStream first(FixturePath("vbv_cbr.m2v"), Settings());
  AnalysedStream second(FixturePath("vbv_mpeg2enc_cbr.m2v"), Settings());
  AnalysedStream byDefault(FixturePath("ts_two_programs.ts"), Settings());
  ExpectSameRecords(first, byDefault, 4, "program 1");
  EXPECT_EQ(FactsOf(byDefault).program, 1u);
  AnalysedStream asked(FixturePath("ts_two_programs.ts"), Settings(true, 2));
  ExpectSameRecords(second, asked, 4, "program 2");
  EXPECT_EQ(FactsOf(asked).program, 2u);
  AnalysedStream missing(FixturePath("ts_two_programs.ts"), Settings(true, 3));
  EXPECT_EQ(missing.openStatus().kind, StatusKind::kUnknownProgram);
}

TEST(TransportFixturesTest, NullPacketsJunkAndNoPsiChangeNothing) {
  AnalysedStream clean(FixturePath("ts_ffmpeg.ts"), Settings());
  for (const char* name : {"ts_nulls_junk.ts", "ts_no_psi.ts"}) {
    AnalysedStream run(FixturePath(name), Settings());
    ExpectSameRecords(clean, run, 0, name);
    const TransportFacts facts = FactsOf(run);
    EXPECT_EQ(facts.videoPid, 0x100u);
    EXPECT_EQ(facts.counts.syncLosses + facts.counts.continuityErrors, 0u) << name;
  }
  AnalysedStream noPsi(FixturePath("ts_no_psi.ts"), Settings());
  EXPECT_EQ(FactsOf(noPsi).program, 0u);
}

TEST(TransportFixturesTest, ADamagedStreamEndsWithEachFaultCounted) {
  AnalysedStream run(FixturePath("ts_damaged.ts"), Settings());
  ASSERT_TRUE(run.openStatus().ok());
  EXPECT_TRUE(run.context().endReached());
  const auto lines = ShowStreamReport(run.stores(), run.context().runNotes());
  const std::vector<std::string> notes(std::find(lines.begin(), lines.end(), "Notes:"),
                                       lines.end());
  EXPECT_EQ(notes, (std::vector<std::string>{
                       "Notes:", "Transport stream: program 1, video PID 256, 188-byte packets",
                       "WARNING! 2 continuity errors in the video stream!",
                       "WARNING! 3 damaged transport packets skipped!",
                       "WARNING! 4 scrambled video packets skipped!",
                       "WARNING! Transport stream sync lost 1 times!"}));
  // Lost bytes spoil pictures, not the picture count.
  AnalysedStream clean(FixturePath("ts_ffmpeg.ts"), Settings());
  EXPECT_EQ(run.summary().pictureCount, clean.summary().pictureCount);
}

TEST(TransportFixturesTest, NoMpegVideoIsRefusedWithItsMessage) {
  for (const char* name : {"ts_h264.ts", "ts_audio.ts", "ts_scrambled.ts"}) {
    AnalysedStream run(FixturePath(name), Settings());
    EXPECT_EQ(run.openStatus().kind, StatusKind::kNoTransportVideo) << name;
    EXPECT_EQ(run.openStatus().message,
              "No MPEG-1/MPEG-2 video stream found in this transport stream!")
        << name;
    EXPECT_FALSE(run.context().dataLoaded());
  }
}

}  // namespace
}  // namespace tessivo
