// The fast part of every start-code scan: a search for the 00 00 01 prefix over a buffer.
#pragma once

#include <cstdint>
#include <cstring>

namespace tessivo {

// First p in [begin, end - 2) with p[0] == 0, p[1] == 0 and p[2] == 1, or nullptr.
inline const uint8_t* FindStartCodePrefix(const uint8_t* begin, const uint8_t* end) {
  if (end - begin < 3) return nullptr;
  const uint8_t* p = begin + 2;
  while (p < end) {
    const auto* one = static_cast<const uint8_t*>(std::memchr(p, 1, static_cast<size_t>(end - p)));
    if (!one) return nullptr;
    if (one[-1] == 0 && one[-2] == 0) return one - 2;
    p = one + 1;
  }
  return nullptr;
}

inline uint32_t LoadBigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

}  // namespace tessivo
