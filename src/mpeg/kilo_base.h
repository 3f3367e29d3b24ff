// The bits in one kbit: 1000 when that is asked for, 1024 for any other value, so that no stored
// setting can make a divisor of 0 or an absurd unit.
#pragma once

#include <cstdint>

namespace tessivo {

constexpr uint32_t KiloBaseOf(int64_t requested) {
  return requested == 1000 ? 1000 : 1024;
}

}  // namespace tessivo
