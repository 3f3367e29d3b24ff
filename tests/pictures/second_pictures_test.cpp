// Which pictures a second of the per-second records holds, with and without the run's facts.
#include "pictures/second_pictures.h"

#include <gtest/gtest.h>

#include "plot_stores.h"

namespace tessivo {
namespace {

TEST(SecondPictures, TheFactsTellEachPicturesSecond) {
  test::PlotStores made = test::MakePlotStores(40, true);
  // Seconds of 5 pictures each, as the run counted them.
  EXPECT_EQ(PicturesOfSecond(*made.stores, 2).first, 10u);
  EXPECT_EQ(PicturesOfSecond(*made.stores, 2).end, 15u);
  EXPECT_TRUE(PicturesOfSecond(*made.stores, 8).empty());
  EXPECT_EQ(SecondOfPicture(*made.stores, 12), 2u);
  EXPECT_EQ(SecondOfPicture(*made.stores, 39), 7u);
}

TEST(SecondPictures, ALoadedResultTakesTheNominalFrameRate) {
  test::PlotStores made = test::MakePlotStores(40, false);
  const PictureRange second1 = PicturesOfSecond(*made.stores, 1);
  EXPECT_EQ(second1.first, 25u);
  EXPECT_EQ(second1.end, 40u);
  EXPECT_TRUE(second1.contains(39));
  EXPECT_FALSE(second1.contains(40));
  EXPECT_TRUE(PicturesOfSecond(*made.stores, 5).empty());
  EXPECT_EQ(SecondOfPicture(*made.stores, 24), 0u);
  EXPECT_EQ(SecondOfPicture(*made.stores, 25), 1u);
}

}  // namespace
}  // namespace tessivo
