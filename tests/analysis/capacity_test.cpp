// Runs that reach the capacity of a store end cleanly, with nothing written past it.
#include <gtest/gtest.h>

#include "analysis/stream_report.h"
#include "support/analysed_stream.h"
#include "support/stream_builder.h"

namespace tessivo {
namespace {

using test::AnalysedStream;
using test::StreamBuilder;

AnalysisSettings WithMaxFrames(uint32_t n) {
  AnalysisSettings settings;
  settings.maxFramesAllocate = n;
  return settings;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(CapacityTest, PictureStoreFullEndsTheRun) {
  StreamBuilder builder;
  builder.SequenceHeader().Gop(0, 0, 0, 0);
  std::vector<size_t> offsets;
  for (int i = 0; i < 120; ++i) {
    offsets.push_back(builder.size());
    builder.FramePicture('P', 4);
  }
  AnalysedStream run(builder.bytes(), WithMaxFrames(50));
  EXPECT_EQ(run.summary().pictureCount, 50u);
  EXPECT_TRUE(run.context().facts().capacityReached);
  EXPECT_TRUE(run.context().endReached());
  // The last recorded picture is closed at the start code of the one that did not fit.
  EXPECT_EQ(run.picture(49).size, offsets[50] - offsets[49]);
  EXPECT_DOUBLE_EQ(run.picture(49).qavg, 4.0);
  const auto report = ShowStreamReport(run.stores(), run.context().runNotes());
  EXPECT_TRUE(
      HasLine(report, "WARNING! The analysis stopped at the store capacity (Max. frames: 50)!"));
}

TEST(CapacityTest, GopStoreFullEndsTheRunWithoutMarkingGopN) {
  // Empty GOPs fill the GOP store long before the pictures fill theirs.
  StreamBuilder builder;
  builder.SequenceHeader();
  for (int i = 0; i < 10; ++i) builder.FramePicture('I', 4);
  for (int i = 0; i < 80; ++i) builder.SequenceHeader().Gop(0, 0, 0, 0);
  for (int i = 0; i < 10; ++i) builder.FramePicture('P', 4);
  AnalysedStream run(builder.bytes(), WithMaxFrames(60));
  EXPECT_EQ(run.stores().gopCount, 60u);
  EXPECT_EQ(run.summary().pictureCount, 10u);
  EXPECT_TRUE(run.context().facts().capacityReached);
}

TEST(CapacityTest, SecondStoreFullEndsTheRunAndClosesTheOpenPicture) {
  // 24 frames per second: 100 pictures last past the 4 seconds that N = 100 allows.
  test::SequenceHeaderFields fields;
  fields.frameRateCode = 2;
  StreamBuilder builder;
  builder.SequenceHeader(fields).Gop(0, 0, 0, 0);
  for (int i = 0; i < 200; ++i) builder.FramePicture('P', 4);
  AnalysedStream run(builder.bytes(), WithMaxFrames(100));
  EXPECT_EQ(run.context().secondsRead(), 4u);
  EXPECT_EQ(run.summary().pictureCount, 96u);
  EXPECT_TRUE(run.context().facts().capacityReached);
  EXPECT_EQ(run.picture(95).size, run.picture(94).size) << "the open picture is read whole";
  EXPECT_DOUBLE_EQ(run.picture(95).qavg, 4.0);
}

TEST(CapacityTest, TinyStoresStillWork) {
  StreamBuilder builder;
  builder.SequenceHeader().Gop(0, 0, 0, 0);
  for (int i = 0; i < 10; ++i) builder.FramePicture('P', 4);
  AnalysedStream run(builder.bytes(), WithMaxFrames(1));  // no room for a single second
  EXPECT_EQ(run.context().secondsRead(), 0u);
  EXPECT_TRUE(run.context().endReached());
}

}  // namespace
}  // namespace tessivo
