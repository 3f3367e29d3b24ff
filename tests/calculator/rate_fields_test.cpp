// The three rate fields follow whichever one the user changed.
#include "calculator/rate_fields.h"

#include <gtest/gtest.h>

namespace tessivo {
namespace {

TEST(RateFieldsTest, KbitsBecomeWholeMultiplesOf400Bits) {
  const RateFields rates = KBpsChange(1125, 1024);
  EXPECT_EQ(rates.bps, 1152000);
  EXPECT_EQ(rates.mbps, 1);
  EXPECT_EQ(KBpsChange(1124, 1024).bps, 1150800);  // 1150976 down to a multiple of 400
  EXPECT_EQ(KBpsChange(1124, 1000).bps, 1124000);
  EXPECT_EQ(KBpsChange(1, 1024).bps, 800);
}

TEST(RateFieldsTest, BitsRoundToTheNearestKbitAndMbit) {
  const RateFields rates = BpsChange(1150800, 1024);
  EXPECT_EQ(rates.kbps, 1124);  // 1123.83
  EXPECT_EQ(rates.mbps, 1);
  EXPECT_EQ(BpsChange(1536, 1024).kbps, 2);  // 1.5 rounds to even
  EXPECT_EQ(BpsChange(2560, 1024).kbps, 2);  // 2.5 rounds to even
  EXPECT_EQ(BpsChange(1572864, 1024).mbps, 2);
  EXPECT_EQ(BpsChange(2500000, 1000).mbps, 2);
}

TEST(RateFieldsTest, MbitsSkipTheMultipleOf400Step) {
  const RateFields rates = MBpsChange(3, 1024);
  EXPECT_EQ(rates.bps, 3145728);
  EXPECT_EQ(rates.kbps, 3072);
  EXPECT_EQ(MBpsChange(3, 1000).bps, 3000000);
}

}  // namespace
}  // namespace tessivo
