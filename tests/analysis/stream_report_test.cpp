// The stream report's lines, names and GOP comparisons.
#include "analysis/stream_report.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/analysed_stream.h"
#include "support/stream_builder.h"

namespace tessivo {
namespace {

using test::StreamBuilder;

std::unique_ptr<RecordStores> EmptyStores() {
  return RecordStores::Create(100);
}

void AddGop(RecordStores& stores, const std::string& pattern) {
  GopRecord& gop = stores.gops()[stores.gopCount++];
  std::memcpy(gop.pattern, pattern.c_str(), pattern.size() + 1);
  gop.count = static_cast<uint8_t>(pattern.size());
}

std::string Line(const std::vector<std::string>& lines, const std::string& prefix) {
  for (const auto& line : lines) {
    if (line.rfind(prefix, 0) == 0) return line;
  }
  return "<missing>";
}

TEST(StreamReportTest, Mpeg1StreamReport) {
  StreamBuilder builder;
  test::SequenceHeaderFields fields;  // 352 x 288, 25 fps, bit_rate_value 2880, VBV 20
  builder.SequenceHeader(fields).Gop(0, 0, 0, 0).FramePicture('I', 5).FramePicture('P', 5);
  test::AnalysedStream run(builder.bytes());
  const auto lines = ShowStreamReport(run.stores(), run.context().runNotes());
  const std::vector<std::string> expected = {
      "Num. of picture read: 2",
      "Stream type: MPEG-1     VBR",
      "Resolution: 352*288",
      "Aspect ratio: 1:1 VGA       ",
      "Framerate: 25.00",
      "Nom. bitrate: 1152000 Bit/Sec",
      "VBV buffer size: 20 ",
      "Constrained param. flag: No ",
      "Chroma format: 4:2:0",
      "DCT precision: 8",
      "Pic. structure: FRAME",
      "DCT type: Frame",
      "Quantscale: Linear",
      "Scan type: ZigZag",
      "Frame type: Progressive",
      "Scene change detection: NOT FOUND",
      "Variable GOP pattern: NOT FOUND",
      "Notes:",
  };
  EXPECT_EQ(lines, expected);
}

TEST(StreamReportTest, Mpeg2FieldsAndNames) {
  auto stores = EmptyStores();
  SequenceSummary& s = stores->summary;
  s.isMpeg2 = 1;
  s.profileLevel = 0x44;
  s.vbrFlag = 0;
  s.frameRateIndex = 4;
  s.chromaFormat = 2;
  s.intraDcPrecision = 2;
  s.pictureStructure = 1;
  s.topFieldFirst = 1;
  s.qScaleType = 1;
  s.alternateScan = 1;
  const auto lines = ShowStreamReport(*stores, {});
  EXPECT_EQ(Line(lines, "Stream type"), "Stream type: MPEG-2  MP@HL  CBR");
  EXPECT_EQ(Line(lines, "Framerate"), "Framerate: 29.97");
  EXPECT_EQ(Line(lines, "Chroma"), "Chroma format: 4:2:2");
  EXPECT_EQ(Line(lines, "DCT precision"), "DCT precision: 10");
  EXPECT_EQ(Line(lines, "Pic. structure"), "Pic. structure: Field");
  EXPECT_EQ(Line(lines, "Field topfirst"), "Field topfirst: Yes");
  EXPECT_EQ(Line(lines, "DCT type"), "DCT type: Field");
  EXPECT_EQ(Line(lines, "Quantscale"), "Quantscale: Nonlinear");
  EXPECT_EQ(Line(lines, "Scan type"), "Scan type: Alternate");
  EXPECT_EQ(Line(lines, "Frame type"), "Frame type: Interlaced");
  s.pictureStructure = 0;
  EXPECT_EQ(Line(ShowStreamReport(*stores, {}), "Pic. structure"), "Pic. structure: Unknown");
}

TEST(StreamReportTest, ProfileLevelAndAspectRatioNames) {
  EXPECT_EQ(ProfileLevelName(0x48), "MP@ML");
  EXPECT_EQ(ProfileLevelName(0x44), "MP@HL");
  EXPECT_EQ(ProfileLevelName(0x85), "4:2:2P@ML");
  EXPECT_EQ(ProfileLevelName(0x82), "4:2:2P@UL");
  EXPECT_EQ(ProfileLevelName(0x1A), "HP@LL");
  EXPECT_EQ(ProfileLevelName(0x56), "SP@H1440L");
  EXPECT_EQ(ProfileLevelName(0x27), "UP@UL");
  EXPECT_EQ(AspectRatioName(3), "16:9 Generic  ");
  EXPECT_EQ(AspectRatioName(8), "4:3 PAL 625   ");
  EXPECT_EQ(AspectRatioName(0), "Unknow  0     ");
  EXPECT_EQ(AspectRatioName(15), "Unknow 15     ");
  EXPECT_EQ(AspectRatioName(0x103), "16:9 Generic  ") << "only the low 8 bits count";
}

TEST(StreamReportTest, GopComparisonsLeaveOutTheLastGop) {
  auto stores = EmptyStores();
  for (int count : {12, 12, 13, 12, 12}) AddGop(*stores, std::string(count, 'B'));
  EXPECT_EQ(Line(ShowStreamReport(*stores, {}), "Scene"), "Scene change detection: FOUND");

  auto three = EmptyStores();
  for (int count : {12, 13, 12}) AddGop(*three, std::string(count, 'B'));
  EXPECT_EQ(Line(ShowStreamReport(*three, {}), "Scene"), "Scene change detection: NOT FOUND");

  auto patterns = EmptyStores();
  for (const char* pattern : {"IBBPBBPBBPBB", "IBPBPBPBPBPB", "IBBPBBPBBPBB", "IBBPBBPBBPBB"}) {
    AddGop(*patterns, pattern);
  }
  const auto lines = ShowStreamReport(*patterns, {});
  EXPECT_EQ(Line(lines, "Variable"), "Variable GOP pattern: FOUND");
  EXPECT_EQ(Line(lines, "Scene"), "Scene change detection: NOT FOUND");
}

TEST(StreamReportTest, NotesFollowNotesInTheirOrder) {
  auto stores = EmptyStores();
  stores->summary.frameRateIndex = 11;
  RunNotes notes{true, true, true, 250000, 7, false, {}};
  const auto lines = ShowStreamReport(*stores, notes);
  EXPECT_EQ(Line(lines, "Framerate"), "Framerate: 0.00");
  const std::vector<std::string> tail(lines.end() - 5, lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{
                      "Notes:", "WARNING! The stream starts with invalid header!",
                      "WARNING! Invalid frame rate code, 25 frames per second assumed!",
                      "WARNING! The analysis stopped at the store capacity (Max. frames: 250000)!",
                      "WARNING! 7 video packets skipped by the packet header check!"}));
}

TEST(StreamReportTest, FiguresBeyond32BitsAreShownWhole) {
  auto stores = EmptyStores();
  stores->summary.bitRateValue = 0xFFFFFFFF;  // only a loaded result file holds such a value
  RunNotes notes;
  notes.skippedVideoPackets = (uint64_t{1} << 32) + 7;
  const auto lines = ShowStreamReport(*stores, notes);
  EXPECT_EQ(Line(lines, "Nom. bitrate"), "Nom. bitrate: 1717986918000 Bit/Sec");
  EXPECT_EQ(lines.back(), "WARNING! 4294967303 video packets skipped by the packet header check!");
}

TEST(StreamReportTest, AStreamWhoseVideoNeverShowsASequenceHeaderSaysSo) {
  StreamBuilder video;
  video.Gop(0, 0, 0, 0).FramePicture('I', 5).FramePicture('P', 5);
  test::AnalysedStream run(test::WrapInProgramStream(video.bytes()));
  ASSERT_TRUE(run.openStatus().ok());
  const auto lines = ShowStreamReport(run.stores(), run.context().runNotes());
  EXPECT_EQ(Line(lines, "Num. of picture read"), "Num. of picture read: 0");
  EXPECT_EQ(lines.back(), "WARNING! No video sequence header found in this stream!");
  EXPECT_TRUE(run.context().facts().noSequenceHeader);

  StreamBuilder withHeader;
  withHeader.SequenceHeader().Bytes(video.bytes());
  test::AnalysedStream good(test::WrapInProgramStream(withHeader.bytes()));
  EXPECT_FALSE(good.context().facts().noSequenceHeader);
  EXPECT_EQ(Line(ShowStreamReport(good.stores(), good.context().runNotes()), "WARNING! No video"),
            "<missing>");
}

TEST(StreamReportTest, TransportNotesComeFirstAndOnlyWhenCounted) {
  auto stores = EmptyStores();
  RunNotes notes;
  notes.startsWithInvalidHeader = true;
  notes.transport = TransportFacts{192, 3, 4113, TsCounts{2, 0, 5, 1}};
  const auto lines = ShowStreamReport(*stores, notes);
  const std::vector<std::string> tail(lines.end() - 6, lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{
                      "Notes:", "Transport stream: program 3, video PID 4113, 192-byte packets",
                      "WARNING! 2 continuity errors in the video stream!",
                      "WARNING! 5 scrambled video packets skipped!",
                      "WARNING! Transport stream sync lost 1 times!",
                      "WARNING! The stream starts with invalid header!"}));
  notes.transport->counts = TsCounts{0, 4, 0, 0};
  EXPECT_EQ(ShowStreamReport(*stores, notes).end()[-2],
            "WARNING! 4 damaged transport packets skipped!");
}

}  // namespace
}  // namespace tessivo
