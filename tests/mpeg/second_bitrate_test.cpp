// The bitrate of a second at the sizes where 32-bit arithmetic wraps.
#include "mpeg/second_bitrate.h"

#include <gtest/gtest.h>

namespace tessivo {
namespace {

constexpr uint64_t kMiB = uint64_t{1} << 20;
constexpr uint64_t kGiB = uint64_t{1} << 30;

TEST(SecondBitrateTest, ASecondOfUsualSizeAtBothKiloBases) {
  // 100 000 bytes in 25 frames: 32 000 bits a frame.
  EXPECT_EQ(SecondBitrate(100000, 25, 25, 1024), 781u);
  EXPECT_EQ(SecondBitrate(100000, 25, 25, 1000), 800u);
  EXPECT_EQ(SecondBitrate(100000, 0, 25, 1024), 0u);
}

TEST(SecondBitrateTest, LargeSecondsKeepTheirBitsAndClampAtTheField) {
  // 21 MiB in one frame: per frame times 25 passes 32 bits.
  EXPECT_EQ(SecondBitrate(21 * kMiB, 1, 25, 1024), 4300800u);
  // A GiB: 8 times its bytes is 2^33, which 32 bits hold as 0.
  EXPECT_EQ(SecondBitrate(kGiB, 25, 25, 1024), 8388607u);
  EXPECT_EQ(SecondBitrate(kGiB + 1000, 25, 25, 1024), 8388615u);
  // Beyond what the 32-bit record holds.
  EXPECT_EQ(SecondBitrate(1024 * kGiB, 1, 25, 1000), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace tessivo
