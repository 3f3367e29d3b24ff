// The per-picture plot's arithmetic on stores of known pictures: where bars, curves, GOP blocks
// and the cross-hair land, and how zoom and scroll move through the pictures.
#include "pictures/picture_plot_model.h"

#include <gtest/gtest.h>

#include "plot_stores.h"

namespace tessivo {
namespace {

// 400 columns from x 48 and 200 rows from y 8: the baseline at 208, the GOP strip at 211..224.
constexpr int32_t kWidth = 488;
constexpr int32_t kHeight = 227;

class PlotOf40 : public ::testing::Test {
 protected:
  void SetUp() override {
    model.Load(*made.stores, &made.vbv);
    model.Relayout(kWidth, kHeight);
  }
  test::PlotStores made = test::MakePlotStores(40, true);
  PicturePlotModel model{1000};
};

TEST_F(PlotOf40, BarsStandOnTheBaselineAsHighAsTheirKbit) {
  // 320 kbit at most: a scale of 400 kbit in steps of 100, 2 kbit a row, 4 pixels a picture.
  EXPECT_EQ(model.ScaleTopKbit(), 400u);
  EXPECT_EQ(model.ScaleStepKbit(), 100u);
  EXPECT_EQ(model.PlotArea(), (PlotRect{48, 8, 448, 208}));
  EXPECT_EQ(model.pixelsPerPicture(), 4u);
  EXPECT_EQ(model.BarOf(0), (PlotRect{48, 204, 51, 208}));
  EXPECT_EQ(model.BarOf(9), (PlotRect{84, 168, 87, 208}));
  EXPECT_EQ(model.BarOf(39), (PlotRect{204, 48, 207, 208}));
  EXPECT_EQ(model.BarOf(40), std::nullopt);
  EXPECT_DOUBLE_EQ(model.KbitOf(9), 80.0);
  EXPECT_EQ(model.TypeOf(6), 'I');
  EXPECT_EQ(model.TypeOf(9), 'P');
  EXPECT_EQ(model.TypeOf(40), '\0');

  const std::vector<KbitLine> lines = model.KbitLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].y, 158);
  EXPECT_EQ(lines[0].kbit, 100u);
  EXPECT_EQ(lines[3].y, 8);

  // One pixel a picture leaves no gap; wide bars keep one.
  model.SetZoomLevel(0, std::nullopt);
  EXPECT_EQ(model.BarOf(9), (PlotRect{57, 168, 58, 208}));
  model.SetZoomLevel(PicturePlotModel::kZoomLevelCount - 1, std::nullopt);
  EXPECT_EQ(model.BarOf(1), (PlotRect{72, 200, 95, 208}));
}

TEST_F(PlotOf40, CurvesGoThroughTheMiddleOfTheBars) {
  // Picture 10: quantiser 12 of 32 over 200 rows, fill before 1/4 and after 1/8 of the buffer.
  EXPECT_EQ(model.QuantPoint(10), (PlotPoint{89, 133}));
  ASSERT_TRUE(model.HasFill());
  EXPECT_EQ(model.FillBefore(10), (PlotPoint{89, 158}));
  EXPECT_EQ(model.FillAfter(10), (PlotPoint{89, 183}));
  EXPECT_EQ(model.YOfFill(1.7), 8);

  // A loaded result has no facts: no fill curve, the bars and quantiser stay.
  test::PlotStores loaded = test::MakePlotStores(40, false);
  PicturePlotModel plain(1000);
  plain.Load(*loaded.stores, &made.vbv);
  plain.Relayout(kWidth, kHeight);
  EXPECT_FALSE(plain.HasFill());
  EXPECT_EQ(plain.FillBefore(10), std::nullopt);
  EXPECT_EQ(plain.QuantPoint(10), (PlotPoint{89, 133}));
}

TEST_F(PlotOf40, PointerCrossHairAndBandFollowTheColumns) {
  EXPECT_EQ(model.PictureAtX(47), std::nullopt);
  EXPECT_EQ(model.PictureAtX(48), 0u);
  EXPECT_EQ(model.PictureAtX(87), 9u);
  EXPECT_EQ(model.PictureAtX(207), 39u);
  EXPECT_EQ(model.PictureAtX(208), std::nullopt);

  const auto vertical = model.VerticalCrossHair(9);
  ASSERT_TRUE(vertical);
  EXPECT_EQ(vertical->from, (PlotPoint{85, 8}));
  EXPECT_EQ(vertical->to, (PlotPoint{85, 207}));
  const auto horizontal = model.HorizontalCrossHair(9);
  ASSERT_TRUE(horizontal);
  EXPECT_EQ(horizontal->from, (PlotPoint{48, 167}));
  EXPECT_EQ(horizontal->to, (PlotPoint{447, 167}));

  EXPECT_EQ(model.BandOf({5, 10}), (PlotRect{68, 8, 88, 208}));
  EXPECT_EQ(model.BandOf({38, 45}), (PlotRect{200, 8, 208, 208}));
  EXPECT_EQ(model.BandOf({50, 55}), std::nullopt);
}

TEST_F(PlotOf40, TheGopStripHasOneBlockPerGop) {
  const std::vector<GopBlock> blocks = model.GopBlocks();
  ASSERT_EQ(blocks.size(), 7u);
  EXPECT_EQ(blocks[1].gop, 1u);
  EXPECT_EQ(blocks[1].rect, (PlotRect{72, 211, 96, 225}));
  EXPECT_EQ(blocks[6].rect, (PlotRect{192, 211, 208, 225}));
  EXPECT_EQ(model.GopOf(13), 2u);
  EXPECT_EQ(model.GopOf(40), std::nullopt);
}

TEST(PicturePlotModel, ZoomKeepsTheAnchorAndScrollStaysWithinThePictures) {
  test::PlotStores made = test::MakePlotStores(1000, true);
  PicturePlotModel model(1000);
  model.Load(*made.stores, &made.vbv);
  model.Relayout(kWidth, kHeight);
  EXPECT_EQ(model.Capacity(), 100u);
  EXPECT_EQ(model.LastFirstPicture(), 900u);
  model.SetFirstPicture(2000);
  EXPECT_EQ(model.firstPicture(), 900u);
  model.SetFirstPicture(-5);
  EXPECT_EQ(model.firstPicture(), 0u);

  model.SetFirstPicture(500);
  ASSERT_TRUE(model.ZoomIn(520u));
  EXPECT_EQ(model.pixelsPerPicture(), 6u);
  EXPECT_EQ(model.firstPicture(), 507u);
  EXPECT_EQ(model.PictureAtX(48 + 80), 520u);
  // Clipped at the first picture in view: GOP 84 holds pictures 504 to 509.
  EXPECT_EQ(model.GopBlocks().front().gop, 84u);
  EXPECT_EQ(model.GopBlocks().front().rect.left, 48);
  EXPECT_EQ(model.GopBlocks().front().rect.right, 48 + 3 * 6);

  while (model.ZoomIn(std::nullopt)) {
  }
  EXPECT_EQ(model.pixelsPerPicture(), 24u);
  EXPECT_FALSE(model.ZoomIn(std::nullopt));
  while (model.ZoomOut(std::nullopt)) {
  }
  EXPECT_EQ(model.pixelsPerPicture(), 1u);
  EXPECT_EQ(model.Capacity(), 400u);
  // At one pixel a picture, the last first picture moves so that the end stays in view.
  model.SetFirstPicture(999);
  EXPECT_EQ(model.firstPicture(), 600u);
  EXPECT_EQ(model.VisibleCount(), 400u);

  model.SetZoomLevel(PicturePlotModel::kDefaultZoomLevel, std::nullopt);
  model.SetFirstPicture(0);
  model.ShowRange({700, 725});
  EXPECT_EQ(model.firstPicture(), 663u);
  model.ShowRange({680, 690});
  EXPECT_EQ(model.firstPicture(), 663u) << "a range in view does not scroll";
  model.ScrollBy(-1000);
  EXPECT_EQ(model.firstPicture(), 0u);
}

TEST(PicturePlotModel, NoPicturesAndATinyWidgetDrawNothing) {
  test::PlotStores made = test::MakePlotStores(0, false);
  PicturePlotModel model(1024);
  model.Load(*made.stores, nullptr);
  model.Relayout(10, 10);
  EXPECT_EQ(model.Capacity(), 0u);
  EXPECT_EQ(model.VisibleCount(), 0u);
  EXPECT_EQ(model.PictureAtX(48), std::nullopt);
  EXPECT_TRUE(model.GopBlocks().empty());
  EXPECT_EQ(model.ScaleTopKbit(), 1u);
}

}  // namespace
}  // namespace tessivo
