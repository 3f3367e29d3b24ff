#include "base/rounding.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>

namespace tessivo {
namespace {

int64_t AsPrintfRounds(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.0f", value);
  return std::strtoll(text, nullptr, 10);
}

TEST(RoundingTest, AgreesWithPrintfOnHalvesAndNeighbours) {
  for (int i = -2000; i <= 2000; ++i) {
    const double half = i + 0.5;
    for (double value : {half, std::nextafter(half, 0.0), std::nextafter(half, 1e9), i * 1.0}) {
      ASSERT_EQ(RoundToNearest(value), AsPrintfRounds(value)) << value;
    }
  }
}

TEST(RoundingTest, AgreesWithPrintfOnRatesAndQuantisers) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> rates(0.0, 4.0e9);
  for (int i = 0; i < 100000; ++i) {
    const double value = rates(random) / 1024.0;
    ASSERT_EQ(RoundToNearest(value), AsPrintfRounds(value)) << value;
  }
}

TEST(RoundingTest, WhatIsNotANumberRoundsToZero) {
  EXPECT_EQ(RoundToNearest(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(RoundToNearest(std::numeric_limits<double>::infinity()), 0);
  EXPECT_EQ(RoundToInteger(-std::numeric_limits<double>::infinity()), 0u);
}

}  // namespace
}  // namespace tessivo
