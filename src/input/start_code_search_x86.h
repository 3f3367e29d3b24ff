// The vector variants of the prefix search on x86-64: SSE2, which every such CPU has, and AVX2,
// which only a run-time check may pick.
#pragma once

#include <cstdint>

namespace tessivo {

const uint8_t* FindStartCodePrefixSse2(const uint8_t* begin, const uint8_t* end);
const uint8_t* FindStartCodePrefixAvx2(const uint8_t* begin, const uint8_t* end);
bool CpuRunsAvx2();

}  // namespace tessivo
