#include "calculator/rate_fields.h"

#include "base/rounding.h"

namespace tessivo {

RateFields BpsChange(int64_t bps, uint32_t kiloBase) {
  const double k = kiloBase;
  const auto rate = static_cast<double>(bps);
  return {bps, RoundToNearest(rate / k), RoundToNearest(rate / k / k)};
}

RateFields KBpsChange(int64_t kbps, uint32_t kiloBase) {
  const int64_t bps = kiloBase * kbps / 400 * 400;
  const double k = kiloBase;
  return {bps, kbps, RoundToNearest(static_cast<double>(bps) / k / k)};
}

RateFields MBpsChange(int64_t mbps, uint32_t kiloBase) {
  const double k = kiloBase;
  const int64_t bps = RoundToNearest(k * static_cast<double>(mbps) * k);
  return {bps, bps / kiloBase, mbps};
}

}  // namespace tessivo
