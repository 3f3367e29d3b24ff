#include "input/start_code_search_x86.h"

#include <immintrin.h>

#include "input/start_code_search.h"

namespace tessivo {

// In both variants the last bytes, too few for a vector, go to the narrower search.

// The bytes at p, p + 1 and p + 2 of a whole vector compared at once: bit i of the mask is set
// where a prefix begins at p + i.
const uint8_t* FindStartCodePrefixSse2(const uint8_t* begin, const uint8_t* end) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i one = _mm_set1_epi8(1);
  const uint8_t* p = begin;
  while (end - p >= 16 + 2) {
    const auto* at = reinterpret_cast<const __m128i*>(p);
    const __m128i first = _mm_cmpeq_epi8(_mm_loadu_si128(at), zero);
    const __m128i second =
        _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1)), zero);
    const __m128i third =
        _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2)), one);
    const auto mask = static_cast<uint32_t>(
        _mm_movemask_epi8(_mm_and_si128(_mm_and_si128(first, second), third)));
    if (mask != 0) return p + __builtin_ctz(mask);
    p += 16;
  }
  return FindStartCodePrefixPortable(p, end);
}

namespace {

__attribute__((target("avx2"))) inline uint64_t ByteMask64(__m256i low, __m256i high,
                                                           __m256i value) {
  const auto lowBits = static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, value)));
  const auto highBits = static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, value)));
  return uint64_t{highBits} << 32 | lowBits;
}

}  // namespace

// 64 bytes a round as bit masks, one bit a byte: a prefix begins at bit i when bits i and i + 1
// of the zeros and bit i + 2 of the ones are set. Only bits 0 to 61 can be told, so rounds
// overlap by two bytes; the ones are looked at only where two zeros meet, which is rare.
__attribute__((target("avx2"))) const uint8_t* FindStartCodePrefixAvx2(const uint8_t* begin,
                                                                       const uint8_t* end) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i one = _mm256_set1_epi8(1);
  const uint8_t* p = begin;
  while (end - p >= 64) {
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
    const uint64_t zeros = ByteMask64(low, high, zero);
    const uint64_t zeroPairs = zeros & (zeros >> 1);
    if (zeroPairs != 0) {
      const uint64_t prefixes = zeroPairs & (ByteMask64(low, high, one) >> 2);
      if (prefixes != 0) return p + __builtin_ctzll(prefixes);
    }
    p += 62;
  }
  return FindStartCodePrefixSse2(p, end);
}

bool CpuRunsAvx2() {
  return __builtin_cpu_supports("avx2");
}

}  // namespace tessivo
