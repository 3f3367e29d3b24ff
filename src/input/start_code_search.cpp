#include "input/start_code_search.h"

#include <array>
#include <cstring>

#if defined(__x86_64__)
#include "input/start_code_search_x86.h"
#endif

namespace tessivo {

namespace {

// 0x80 in every byte of x that is zero, 0 elsewhere (no false positives).
uint64_t ZeroByteFlags(uint64_t x) {
  constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  return ~(((x & kLow7) + kLow7) | x | kLow7);
}

#if defined(__x86_64__)
const std::array<StartCodeSearchVariant, 3> kAllVariants = {{
    {"portable", FindStartCodePrefixPortable},
    {"sse2", FindStartCodePrefixSse2},
    {"avx2", FindStartCodePrefixAvx2},
}};
size_t RunnableCount() {
  return CpuRunsAvx2() ? 3 : 2;
}
#else
const std::array<StartCodeSearchVariant, 1> kAllVariants = {{
    {"portable", FindStartCodePrefixPortable},
}};
size_t RunnableCount() {
  return 1;
}
#endif

StartCodePrefixSearch ChooseSearch() {
  return kAllVariants[RunnableCount() - 1].search;
}

}  // namespace

const uint8_t* FindStartCodePrefixPortable(const uint8_t* begin, const uint8_t* end) {
  const uint8_t* p = begin;
  // A prefix needs two adjacent zero bytes, which are rare in coded data. Words overlap by one
  // byte so that a pair across two words is seen in the second.
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

const uint8_t* FindStartCodePrefix(const uint8_t* begin, const uint8_t* end) {
  static const StartCodePrefixSearch chosen = ChooseSearch();
  return chosen(begin, end);
}

std::span<const StartCodeSearchVariant> RunnableStartCodeSearches() {
  return {kAllVariants.data(), RunnableCount()};
}

}  // namespace tessivo
