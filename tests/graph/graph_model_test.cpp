// The graph's layout and mapping: pixel factors, where seconds, bitrates and quantiser values
// lie, the grid lines and what they stand for, the curves and the cross-hair.
#include "graph/graph_model.h"

#include <gtest/gtest.h>

#include "graph_stores.h"

namespace tessivo {
namespace {

using test::StoresWithSeconds;

class GraphModelTest : public test::LaidOutGraph {};

TEST_F(GraphModelTest, LayoutFitsWholeSecondsAndUnitsIntoTheArea) {
  EXPECT_EQ(model.state().pixelsPerSecond, 10);
  EXPECT_EQ(model.state().pixelsPerUnit, 10);
  EXPECT_EQ(model.state().graphWidth, 600);
  EXPECT_EQ(model.state().graphHeight, 150);
  // The pixels that remain on the right and at the bottom are not the graph's.
  model.Relayout(607, 164);
  EXPECT_EQ(model.state().graphWidth, 600);
  EXPECT_EQ(model.state().graphHeight, 150);
  EXPECT_EQ(model.LastColumnX(), 590);

  model.SetHorizontalScale(100);
  model.SetVerticalScale(2);
  model.Relayout(607, 164);
  EXPECT_EQ(model.state().pixelsPerSecond, 6);
  EXPECT_EQ(model.state().pixelsPerUnit, 82);
  EXPECT_EQ(model.state().graphWidth, 600);
  EXPECT_EQ(model.state().graphHeight, 164);
}

TEST_F(GraphModelTest, RelayoutRemovesTheCrossHair) {
  ASSERT_EQ(model.Track(25, 37).outcome, TrackOutcome::kMoved);
  model.Relayout(600, 150);
  EXPECT_EQ(model.state().cursorX, 0);
  EXPECT_EQ(model.state().cursorY, 0);
  // The tracked point stays, so the readouts keep showing its second.
  EXPECT_EQ(model.state().mouseX, 25);
  EXPECT_EQ(model.state().mouseY, 37);
}

TEST_F(GraphModelTest, AnAreaSmallerThanTheScaleLeavesNoGraph) {
  model.Relayout(59, 150);
  EXPECT_EQ(model.state().pixelsPerSecond, 0);
  EXPECT_FALSE(model.HasArea());
  EXPECT_FALSE(model.Draws(Curve::kQuantiser));
  EXPECT_FALSE(model.SecondAtX(5));
  EXPECT_FALSE(model.XOfSecond(0));
  model.Relayout(600, -3);
  EXPECT_EQ(model.state().pixelsPerUnit, 0);
  EXPECT_FALSE(model.UnitsAtY(5));
  // A scale of 0 has no pixel factor rather than a division by it.
  model.SetHorizontalScale(0);
  model.SetVerticalScale(0);
  model.Relayout(600, 150);
  EXPECT_FALSE(model.HasArea());
  EXPECT_EQ(model.state().graphWidth, 0);
}

TEST_F(GraphModelTest, BitratesAndQuantiserValuesMapToRowsAboveTheBottom) {
  // One unit is one Mbit/s in the chosen base, through 1024 / 10 = 102 kbit per pixel.
  EXPECT_EQ(model.YOfBitrate(5120), 150 - 50);
  EXPECT_EQ(model.YOfBitrate(101), 150);
  EXPECT_EQ(model.YOfBitrate(102), 149);
  EXPECT_EQ(model.YOfQuant(7.46), 150 - 75);
  EXPECT_EQ(model.YOfQuant(7.44), 150 - 74);
  // Above the scale a point lies above the top edge; nothing clips it here.
  EXPECT_EQ(model.YOfBitrate(20000), 150 - 196);

  ViewState thousand;
  thousand.kiloBase = 1000;
  GraphModel decimal(*stores, thousand);
  decimal.Relayout(600, 150);
  EXPECT_EQ(decimal.YOfBitrate(5120), 150 - 51);
}

TEST_F(GraphModelTest, UnitsFinerThanOneKbitPerPixelDrawNoBitrate) {
  ViewState view;
  view.kiloBase = 1000;
  view.verticalScale = 2;
  GraphModel fine(*stores, view);
  fine.Relayout(600, 2004);  // 1002 pixels a unit: 1000 / 1002 is 0 kbit per pixel
  EXPECT_FALSE(fine.YOfBitrate(5000));
  EXPECT_FALSE(fine.Draws(Curve::kBitrate));
  EXPECT_TRUE(fine.Draws(Curve::kQuantiser));
  EXPECT_FALSE(fine.HorizontalLineValue(1).kbps);
}

TEST_F(GraphModelTest, SecondsAndColumnsMapBothWays) {
  model.StepViewBy(7);
  EXPECT_EQ(model.XOfSecond(7), 0);
  EXPECT_EQ(model.XOfSecond(8), 10);
  EXPECT_EQ(model.XOfSecond(66), 590);
  EXPECT_FALSE(model.XOfSecond(6));
  EXPECT_FALSE(model.XOfSecond(67));
  for (uint64_t second = 7; second < 67; ++second) {
    const int64_t x = *model.XOfSecond(second);
    EXPECT_EQ(model.SecondAtX(x), second);
    EXPECT_EQ(model.SecondAtX(x + 9), second);
  }
  EXPECT_FALSE(model.SecondAtX(-1));
  // The rows count grid units down from the top; the bottom line is 0.
  EXPECT_EQ(model.UnitsAtY(0), 15);
  EXPECT_EQ(model.UnitsAtY(39), 12);
  EXPECT_EQ(model.UnitsAtY(150), 0);
}

TEST_F(GraphModelTest, GridLinesLeaveOutTheTopAndRightEdges) {
  const GridLines rows = model.HorizontalGridLines();
  ASSERT_EQ(rows.count, 15u);
  EXPECT_EQ(rows[0], 150);
  EXPECT_EQ(rows[14], 10);
  const GridLines columns = model.VerticalGridLines();
  ASSERT_EQ(columns.count, 60u);
  EXPECT_EQ(columns[0], 0);
  EXPECT_EQ(columns[59], model.LastColumnX());

  // Until the next relayout the lines follow the graph as laid out, not the new scale.
  model.SetHorizontalScale(100);
  EXPECT_EQ(model.VerticalGridLines().count, 60u);

  // A graph without area still has its first line of each family.
  model.Relayout(50, 10);
  EXPECT_EQ(model.HorizontalGridLines().count, 1u);
  EXPECT_EQ(model.VerticalGridLines().count, 1u);
  EXPECT_EQ(model.VerticalGridLines()[0], 0);
}

TEST_F(GraphModelTest, EachHorizontalLineStandsForTheValuesDrawnOnIt) {
  const GridLines rows = model.HorizontalGridLines();
  for (uint32_t k = 0; k < rows.count; ++k) {
    const LineValue value = model.HorizontalLineValue(k);
    EXPECT_EQ(value.units, k);
    ASSERT_TRUE(value.kbps);
    EXPECT_EQ(model.YOfBitrate(static_cast<uint32_t>(*value.kbps)), rows[k]);
    // Just below that bitrate a point lies one pixel lower.
    if (k > 0) {
      EXPECT_EQ(model.YOfBitrate(static_cast<uint32_t>(*value.kbps) - 1), rows[k] + 1);
    }
    EXPECT_EQ(model.YOfQuant(value.quant), rows[k]);
  }
  EXPECT_EQ(model.HorizontalLineValue(3).kbps, 3 * 10 * 102);
}

TEST_F(GraphModelTest, ViewModeChoosesTheCurves) {
  const struct {
    ViewMode mode;
    bool bitrate;
    bool quant;
  } cases[] = {{kViewBoth, true, true},
               {kViewBitrate, true, false},
               {kViewQuantiser, false, true},
               {kViewNoCurves, false, false},
               {static_cast<ViewMode>(7), false, false}};
  for (const auto& c : cases) {
    model.SetViewMode(c.mode);
    EXPECT_EQ(model.Draws(Curve::kBitrate), c.bitrate) << c.mode;
    EXPECT_EQ(model.Draws(Curve::kQuantiser), c.quant) << c.mode;
  }
}

TEST_F(GraphModelTest, CurvesRunThroughTheValidSecondsOfTheWindow) {
  auto twelve = StoresWithSeconds(2500, 12);
  GraphModel curves(*twelve, ViewState{});
  curves.Relayout(600, 150);
  EXPECT_EQ(curves.CurveStart().x, 0);
  EXPECT_EQ(curves.CurveStart().y, 150);
  ASSERT_EQ(curves.CurvePointCount(), 12u);
  EXPECT_EQ(curves.CurvePoint(Curve::kBitrate, 0).x, 0);
  EXPECT_EQ(curves.CurvePoint(Curve::kBitrate, 11).x, 110);
  EXPECT_EQ(curves.CurvePoint(Curve::kBitrate, 11).y, *curves.YOfBitrate(1110));
  EXPECT_EQ(curves.CurvePoint(Curve::kQuantiser, 11).y, curves.YOfQuant(8.0));

  auto none = StoresWithSeconds(2500, 0);
  GraphModel empty(*none, ViewState{});
  empty.Relayout(600, 150);
  EXPECT_EQ(empty.CurvePointCount(), 0u);

  // A window reaching past the store's last second ends there, valid flags or not.
  auto small = StoresWithSeconds(250, 10);
  GraphModel shortStore(*small, ViewState{});
  shortStore.Relayout(600, 150);
  EXPECT_EQ(shortStore.CurvePointCount(), 10u);
}

TEST_F(GraphModelTest, CrossHairSpansTheGraphHeightAndReachesTheLastColumn) {
  EXPECT_FALSE(model.CrossHairAt(0, 0));
  const std::optional<CrossHair> lines = model.CrossHairAt(0, 30);
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines->verticalFrom.y, 0);
  EXPECT_EQ(lines->verticalTo.y, 150);
  EXPECT_EQ(lines->horizontalFrom.x, 0);
  EXPECT_EQ(lines->horizontalTo.x, 590);
  EXPECT_EQ(lines->horizontalTo.y, 30);
}

}  // namespace
}  // namespace tessivo
