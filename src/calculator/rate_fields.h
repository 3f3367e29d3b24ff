// The calculator's three rate fields, kept in step: bit/s, kbit/s and Mbit/s with K bits a kbit.
#pragma once

#include <cstdint>

namespace tessivo {

struct RateFields {
  int64_t bps = 1150800;  // Bps
  int64_t kbps = 1124;    // KBps
  int64_t mbps = 1;       // MBps
};

// The other two fields after the user changed one of them. Kbit/s become bit/s in whole
// multiples of 400, the unit of the header's bit_rate_value; Mbit/s do not.
RateFields BpsChange(int64_t bps, uint32_t kiloBase);
RateFields KBpsChange(int64_t kbps, uint32_t kiloBase);
RateFields MBpsChange(int64_t mbps, uint32_t kiloBase);

}  // namespace tessivo
