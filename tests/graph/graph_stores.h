// Record stores for the graph tests, seconds of known bitrate and quantiser, and a model over them.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "graph/graph_model.h"
#include "mpeg/record_stores.h"

namespace tessivo::test {

// Stores of maxFrames pictures (maxFrames / 25 seconds) whose first validSeconds seconds are
// valid, second i at 1000 + 10 x i kbit/s and quantiser 4 + i mod 7.
inline std::unique_ptr<RecordStores> StoresWithSeconds(uint32_t maxFrames, uint32_t validSeconds) {
  auto stores = RecordStores::Create(maxFrames);
  stores->ClearSeconds();
  for (uint32_t i = 0; i < validSeconds; ++i) {
    stores->seconds()[i] = PerSecondStats{0, 1000 + 10 * i, 4.0 + (i % 7), 1};
  }
  return stores;
}

// The model over 100 valid seconds filling a 100-second store, laid out with the initial scales
// on 600 x 150 pixels: 10 pixels a second and a grid unit.
class LaidOutGraph : public ::testing::Test {
 protected:
  void SetUp() override { model.Relayout(600, 150); }

  std::unique_ptr<RecordStores> stores = StoresWithSeconds(2500, 100);
  GraphModel model{*stores, ViewState{}};
};

}  // namespace tessivo::test
