// Rounding to the nearest integer as "%.0f" formats a value: halves to even, and what is not a
// finite number to 0.
#pragma once

#include <cmath>
#include <cstdint>

namespace tessivo {

inline int64_t RoundToNearest(double value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<int64_t>(std::nearbyint(value));
}

inline uint32_t RoundToInteger(double value) {
  return static_cast<uint32_t>(RoundToNearest(value));
}

}  // namespace tessivo
