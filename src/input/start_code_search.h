// The fast part of every start-code scan: a search for the 00 00 01 prefix over a buffer.
#pragma once

#include <cstdint>
#include <cstring>

namespace tessivo {

namespace start_code_search_detail {

// 0x80 in every byte of x that is zero, 0 elsewhere (no false positives).
inline uint64_t ZeroByteFlags(uint64_t x) {
  constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  return ~(((x & kLow7) + kLow7) | x | kLow7);
}

}  // namespace start_code_search_detail

// First p in [begin, end - 2) with p[0] == 0, p[1] == 0 and p[2] == 1, or nullptr.
inline const uint8_t* FindStartCodePrefix(const uint8_t* begin, const uint8_t* end) {
  using start_code_search_detail::ZeroByteFlags;
  const uint8_t* p = begin;
  // Eight bytes at a time: a prefix needs two adjacent zero bytes, which are rare in coded data.
  // Words overlap by one byte so that a pair across two words is seen in the second.
  while (end - p >= 9) {
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    const uint64_t zeros = ZeroByteFlags(word);
    if ((zeros & (zeros >> 8)) != 0) {
      for (int i = 0; i < 7; ++i) {
        if (p[i] == 0 && p[i + 1] == 0 && p[i + 2] == 1) return p + i;
      }
    }
    p += 7;
  }
  for (; end - p >= 3; ++p) {
    if (p[0] == 0 && p[1] == 0 && p[2] == 1) return p;
  }
  return nullptr;
}

inline uint32_t LoadBigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

}  // namespace tessivo
