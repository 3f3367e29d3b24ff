// Record stores for the graph tests: seconds of known bitrate and quantiser.
#pragma once

#include <memory>

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

}  // namespace tessivo::test
