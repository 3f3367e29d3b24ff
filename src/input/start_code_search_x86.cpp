#include "input/start_code_search_x86.h"

#include <immintrin.h>

#include "input/start_code_search.h"

namespace tessivo {

// Both variants compare the bytes at p, p + 1 and p + 2 of a whole vector at once: bit i of the
// mask is set where a prefix begins at p + i. The last bytes, too few for a vector, go to the
// portable search.

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

__attribute__((target("avx2"))) inline __m256i PrefixesAt(const uint8_t* q) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i first =
      _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(q)), zero);
  const __m256i second =
      _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(q + 1)), zero);
  const __m256i third = _mm256_cmpeq_epi8(
      _mm256_loadu_si256(reinterpret_cast<const __m256i*>(q + 2)), _mm256_set1_epi8(1));
  return _mm256_and_si256(_mm256_and_si256(first, second), third);
}

}  // namespace

__attribute__((target("avx2"))) const uint8_t* FindStartCodePrefixAvx2(const uint8_t* begin,
                                                                       const uint8_t* end) {
  const uint8_t* p = begin;
  // Two vectors a round: one test of their union keeps the loop short where no prefix is.
  while (end - p >= 64 + 2) {
    const __m256i low = PrefixesAt(p);
    const __m256i high = PrefixesAt(p + 32);
    if (!_mm256_testz_si256(_mm256_or_si256(low, high), _mm256_or_si256(low, high))) {
      const auto lowMask = static_cast<uint32_t>(_mm256_movemask_epi8(low));
      if (lowMask != 0) return p + __builtin_ctz(lowMask);
      return p + 32 + __builtin_ctz(static_cast<uint32_t>(_mm256_movemask_epi8(high)));
    }
    p += 64;
  }
  if (end - p >= 32 + 2) {
    const auto mask = static_cast<uint32_t>(_mm256_movemask_epi8(PrefixesAt(p)));
    if (mask != 0) return p + __builtin_ctz(mask);
    p += 32;
  }
  return FindStartCodePrefixSse2(p, end);
}

bool CpuRunsAvx2() {
  return __builtin_cpu_supports("avx2");
}

}  // namespace tessivo
