// The readouts of the tracked second.
#include <gtest/gtest.h>

#include "graph/graph_model.h"
#include "graph_stores.h"

namespace tessivo {
namespace {

using test::StoresWithSeconds;

class GraphReadoutTest : public test::LaidOutGraph {};

TEST_F(GraphReadoutTest, NothingIsReadBeforeTheFirstTrackingOrWithoutArea) {
  EXPECT_FALSE(model.TrackedReadout());
  // The top left cell is the no-cross-hair state, and tracks nothing.
  EXPECT_EQ(model.Track(0, 0).outcome, TrackOutcome::kStill);
  EXPECT_FALSE(model.TrackedReadout());
  model.Track(25, 37);
  ASSERT_TRUE(model.TrackedReadout());
  model.Relayout(50, 150);
  EXPECT_FALSE(model.TrackedReadout());
}

TEST_F(GraphReadoutTest, TheTrackedSecondsFiguresAndTheirShareOfThePeaks) {
  stores->summary.peakBitrate = 2000;
  stores->summary.peakQuant = 10.0;
  model.StepViewBy(4);
  model.Track(25, 37);  // column 2, row 3
  std::optional<Readout> readout = model.TrackedReadout();
  ASSERT_TRUE(readout);
  EXPECT_EQ(readout->second, 6u);
  EXPECT_EQ(readout->units, 12);
  EXPECT_EQ(readout->bitrate, 1060u);
  EXPECT_DOUBLE_EQ(readout->quant, 10.0);
  ASSERT_TRUE(readout->shares);
  EXPECT_EQ(readout->shares->bitrate, 53);
  EXPECT_EQ(readout->shares->quant, 100);

  // Without a bitrate peak the gauges keep what they show; without a quantiser peak there is
  // no share of it.
  stores->summary.peakQuant = 0.0;
  EXPECT_EQ(model.TrackedReadout()->shares->quant, 0);
  stores->summary.peakBitrate = 0;
  EXPECT_FALSE(model.TrackedReadout()->shares);

  // A second not yet read shows its zero-filled record.
  model.Track(595 - 5, 37);
  readout = model.TrackedReadout();
  ASSERT_TRUE(readout);
  EXPECT_EQ(readout->second, 63u);
  stores->seconds()[63] = {};
  EXPECT_EQ(model.TrackedReadout()->bitrate, 0u);
}

TEST_F(GraphReadoutTest, SecondsPastTheStoreAreNotRead) {
  auto small = StoresWithSeconds(250, 10);  // 10 seconds of store
  GraphModel tenSeconds(*small, ViewState{});
  tenSeconds.Relayout(600, 150);
  tenSeconds.Track(95, 37);
  EXPECT_EQ(tenSeconds.TrackedReadout()->second, 9u);
  tenSeconds.Track(105, 37);
  EXPECT_FALSE(tenSeconds.TrackedReadout());
}

TEST_F(GraphReadoutTest, TheTabViewsGetThePicturesOfTheSecond) {
  model.Track(35, 37);  // second 3
  const struct {
    uint32_t frameRateIndex;
    uint32_t perSecond;
  } rates[] = {{3, 25}, {4, 30}, {1, 24}, {8, 60}};
  for (const auto& rate : rates) {
    stores->summary.frameRateIndex = rate.frameRateIndex;
    const std::optional<Readout> readout = model.TrackedReadout();
    ASSERT_TRUE(readout && readout->pictures) << rate.frameRateIndex;
    EXPECT_EQ(readout->pictures->count, rate.perSecond);
    EXPECT_EQ(readout->pictures->first, 3u * rate.perSecond);
  }
  // No frame rate, or a code without one: the tab views stay as they are.
  for (uint32_t code : {0u, 9u, 15u}) {
    stores->summary.frameRateIndex = code;
    ASSERT_TRUE(model.TrackedReadout());
    EXPECT_FALSE(model.TrackedReadout()->pictures) << code;
  }
  // Pictures beyond the store's N are not read.
  stores->summary.frameRateIndex = 8;  // 60 a second, 2500 pictures: second 41 ends at 2520
  model.StepViewBy(39);
  model.Track(25, 37);
  ASSERT_EQ(model.TrackedReadout()->second, 41u);
  EXPECT_FALSE(model.TrackedReadout()->pictures);
  model.Track(15, 37);
  EXPECT_TRUE(model.TrackedReadout()->pictures);
  // The last second's pictures end exactly at N.
  stores->summary.frameRateIndex = 3;
  model.StepViewBy(1);
  model.Track(590, 37);
  ASSERT_EQ(model.TrackedReadout()->second, 99u);
  ASSERT_TRUE(model.TrackedReadout()->pictures);
  EXPECT_EQ(model.TrackedReadout()->pictures->first + 25, stores->capacity());
}

TEST_F(GraphReadoutTest, EndTimeOfASecond) {
  EXPECT_EQ(EndTimeText(0), "00:00:01");
  EXPECT_EQ(EndTimeText(58), "00:00:59");
  EXPECT_EQ(EndTimeText(59), "00:01:00");
  EXPECT_EQ(EndTimeText(3599), "01:00:00");
  EXPECT_EQ(EndTimeText(3600 * 100 + 61), "100:01:02");
}

}  // namespace
}  // namespace tessivo
