// Tracking the pointer with the cross-hair, the arrow keys, and the steps of the view.
#include <gtest/gtest.h>

#include "graph/graph_model.h"
#include "graph_stores.h"

namespace tessivo {
namespace {

using test::StoresWithSeconds;

class GraphNavigationTest : public test::LaidOutGraph {};

TEST_F(GraphNavigationTest, TrackingSnapsTheCrossHairToItsCell) {
  Tracking tracking = model.Track(25, 37);
  EXPECT_EQ(tracking.outcome, TrackOutcome::kMoved);
  EXPECT_EQ(tracking.oldCursorX, 0);
  EXPECT_EQ(tracking.oldCursorY, 0);
  EXPECT_EQ(model.state().cursorX, 20);
  EXPECT_EQ(model.state().cursorY, 30);
  EXPECT_EQ(model.state().mouseX, 25);

  // The same cell: the cross-hair and the tracked point stay.
  tracking = model.Track(29, 31);
  EXPECT_EQ(tracking.outcome, TrackOutcome::kStill);
  EXPECT_EQ(model.state().mouseX, 25);
  EXPECT_EQ(model.state().mouseY, 37);

  tracking = model.Track(41, 37);
  EXPECT_EQ(tracking.outcome, TrackOutcome::kMoved);
  EXPECT_EQ(tracking.oldCursorX, 20);
  EXPECT_EQ(tracking.oldCursorY, 30);
  EXPECT_EQ(model.state().cursorX, 40);
}

TEST_F(GraphNavigationTest, TheZoneReachesFourPixelsPastTheLastColumnAndTheBottom) {
  EXPECT_EQ(model.Track(594, 20).outcome, TrackOutcome::kMoved);
  EXPECT_EQ(model.state().cursorX, 590);
  EXPECT_EQ(model.Track(595, 20).outcome, TrackOutcome::kOutsideZone);
  EXPECT_EQ(model.Track(300, 154).outcome, TrackOutcome::kMoved);
  EXPECT_EQ(model.state().cursorY, 150);
  EXPECT_EQ(model.Track(300, 155).outcome, TrackOutcome::kOutsideZone);
  // Coordinates count as their low 16 bits: a negative one is far right or far down.
  EXPECT_EQ(model.Track(-1, 20).outcome, TrackOutcome::kOutsideZone);
  EXPECT_EQ(model.Track(65536 + 45, 20).outcome, TrackOutcome::kMoved);
  EXPECT_EQ(model.state().cursorX, 40);
  EXPECT_EQ(model.state().cursorY, 20);
}

TEST_F(GraphNavigationTest, ArrowKeysMoveOneCellFromTheTrackedPoint) {
  model.Track(15, 37);
  Pixel target = model.ArrowTarget(Arrow::kRight);
  EXPECT_EQ(target.x, 25);
  EXPECT_EQ(target.y, 37);
  target = model.ArrowTarget(Arrow::kUp);
  EXPECT_EQ(target.x, 15);
  EXPECT_EQ(target.y, 27);
  EXPECT_EQ(model.ArrowTarget(Arrow::kDown).y, 47);
  model.Track(model.ArrowTarget(Arrow::kLeft).x, 37);
  EXPECT_EQ(model.state().cursorX, 0);
  // Left in the first column falls off the graph; the cross-hair stays.
  EXPECT_EQ(model.ArrowTarget(Arrow::kLeft).x, -5);
  EXPECT_EQ(model.Track(-5, 37).outcome, TrackOutcome::kOutsideZone);
  EXPECT_EQ(model.state().cursorX, 0);
  EXPECT_EQ(model.state().cursorY, 30);
  // Up in the top row likewise.
  model.Track(15, 3);
  EXPECT_EQ(model.Track(model.ArrowTarget(Arrow::kUp).x, model.ArrowTarget(Arrow::kUp).y).outcome,
            TrackOutcome::kOutsideZone);
}

TEST_F(GraphNavigationTest, WithoutAreaTheZoneHoldsButNothingIsTracked) {
  model.Relayout(50, 150);
  EXPECT_EQ(model.Track(0, 20).outcome, TrackOutcome::kStill);
  EXPECT_EQ(model.state().mouseX, 0);
  EXPECT_EQ(model.state().cursorY, 0);
}

TEST_F(GraphNavigationTest, TheViewStepsWithinTheValidSeconds) {
  EXPECT_FALSE(model.StepView(false));
  uint32_t steps = 0;
  while (model.StepView(true)) ++steps;
  // The last valid second sits in the last column.
  EXPECT_EQ(steps, 40u);
  EXPECT_EQ(model.state().firstSecond, 40u);
  EXPECT_EQ(model.StepViewBy(5), 0u);

  model.GoToStart();
  EXPECT_EQ(model.StepViewBy(10), 10u);
  EXPECT_EQ(model.StepViewBy(-8), 8u);
  EXPECT_EQ(model.StepViewBy(-6), 2u);
  EXPECT_EQ(model.state().firstSecond, 0u);
  EXPECT_EQ(model.StepViewBy(0), 0u);

  // Data shorter than the window never move it.
  auto short_ = StoresWithSeconds(2500, 30);
  GraphModel shortView(*short_, ViewState{});
  shortView.Relayout(600, 150);
  EXPECT_FALSE(shortView.StepView(true));
}

TEST_F(GraphNavigationTest, TheStoreEndCountsAsNotValid) {
  // 100 seconds of store, all valid: the window of 60 stops with second 99 in its last column.
  EXPECT_EQ(stores->secondCapacity(), 100u);
  EXPECT_EQ(model.StepViewBy(1000), 40u);
  EXPECT_TRUE(model.SecondValid(99));
  EXPECT_FALSE(model.SecondValid(100));
}

TEST_F(GraphNavigationTest, TheWheelMovesTheScrollBarOneMoreThanTheView) {
  EXPECT_EQ(WheelScrollPosition(0, 3, true), 4);
  EXPECT_EQ(WheelScrollPosition(4, 1, true), 6);
  EXPECT_EQ(WheelScrollPosition(10, 3, false), 6);
}

}  // namespace
}  // namespace tessivo
