// The fast part of every start-code scan: a search for the 00 00 01 prefix over a buffer.
#pragma once

#include <cstdint>
#include <span>

namespace tessivo {

// First p in [begin, end - 2) with p[0] == 0, p[1] == 0 and p[2] == 1, or nullptr. Every
// variant gives the same answer; they differ in speed only.
using StartCodePrefixSearch = const uint8_t* (*)(const uint8_t* begin, const uint8_t* end);

// The widest variant this CPU runs, chosen once.
const uint8_t* FindStartCodePrefix(const uint8_t* begin, const uint8_t* end);

// Eight bytes at a time in plain C++, for CPUs without the vector variants.
const uint8_t* FindStartCodePrefixPortable(const uint8_t* begin, const uint8_t* end);

struct StartCodeSearchVariant {
  const char* name;
  StartCodePrefixSearch search;
};
// Every variant this CPU can run, narrowest first: what the tests hold against each other.
std::span<const StartCodeSearchVariant> RunnableStartCodeSearches();

inline uint32_t LoadBigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

}  // namespace tessivo
