// Every variant of the prefix search the CPU runs against a plain byte search.
#include "input/start_code_search.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace tessivo {
namespace {

const uint8_t* NaiveSearch(const uint8_t* begin, const uint8_t* end) {
  for (const uint8_t* p = begin; end - p >= 3; ++p) {
    if (p[0] == 0 && p[1] == 0 && p[2] == 1) return p;
  }
  return nullptr;
}

// Bytes that are mostly 0 and 1, so that prefixes, near misses (00 00 00, 00 01) and runs of
// zeros come often, with whole prefixes planted on top.
std::vector<uint8_t> DenseBytes(std::mt19937& random, size_t length) {
  std::vector<uint8_t> bytes(length);
  for (auto& byte : bytes) byte = static_cast<uint8_t>(random() % 4 != 0 ? random() % 2 : random());
  for (uint32_t planted = random() % 3; planted > 0 && length > 0; --planted) {
    const size_t at = random() % length;
    for (size_t i = 0; i < 3 && at + i < length; ++i) bytes[at + i] = i == 2 ? 1 : 0;
  }
  return bytes;
}

TEST(StartCodeSearchTest, EveryVariantFindsTheSamePrefixAsAByteSearch) {
  ASSERT_GE(RunnableStartCodeSearches().size(), 1u);
  for (const StartCodeSearchVariant& variant : RunnableStartCodeSearches()) {
    std::mt19937 random(3);
    for (int round = 0; round < 20000; ++round) {
      // Lengths up to a few vectors: the vector loops, their tails and the byte tail.
      const std::vector<uint8_t> bytes = DenseBytes(random, random() % 300);
      // A start anywhere, so that no variant may rely on alignment.
      const size_t skip = bytes.empty() ? 0 : random() % (bytes.size() < 40 ? 1 : 40);
      const uint8_t* begin = bytes.data() + skip;
      const uint8_t* end = bytes.data() + bytes.size();
      ASSERT_EQ(variant.search(begin, end), NaiveSearch(begin, end))
          << variant.name << " round " << round;
    }
  }
}

TEST(StartCodeSearchTest, EveryVariantFindsAPrefixWhereverItEndsInTheBuffer) {
  // One prefix at each offset of a buffer that has no other zero; the search must find it,
  // and must see nothing once the buffer ends before its 01 or its second 00.
  for (const StartCodeSearchVariant& variant : RunnableStartCodeSearches()) {
    for (size_t length = 0; length <= 140; ++length) {
      // Exactly length bytes on the heap, so a read past the end shows under the sanitizers.
      const auto bytes = std::make_unique<uint8_t[]>(length + 3);
      for (size_t at = 0; at + 3 <= length + 3; ++at) {
        std::fill_n(bytes.get(), length + 3, uint8_t{0x47});
        bytes[at] = 0;
        bytes[at + 1] = 0;
        bytes[at + 2] = 1;
        const uint8_t* begin = bytes.get();
        const uint8_t* end = begin + length;
        const uint8_t* expected = at + 3 <= length ? begin + at : nullptr;
        ASSERT_EQ(variant.search(begin, end), expected)
            << variant.name << " length " << length << " at " << at;
      }
    }
  }
}

TEST(StartCodeSearchTest, EveryVariantReturnsTheFirstOfAdjacentPrefixes) {
  // 00 00 00 01 begins its prefix one byte in; two prefixes in one vector give the first.
  for (const StartCodeSearchVariant& variant : RunnableStartCodeSearches()) {
    for (size_t at = 0; at < 100; ++at) {
      std::vector<uint8_t> bytes(160, 0xFF);
      const uint8_t pattern[] = {0, 0, 0, 1, 0xB5, 0, 0, 1, 0};
      std::copy(std::begin(pattern), std::end(pattern), bytes.begin() + at);
      const uint8_t* found = variant.search(bytes.data(), bytes.data() + bytes.size());
      ASSERT_EQ(found, bytes.data() + at + 1) << variant.name << " at " << at;
    }
  }
}

}  // namespace
}  // namespace tessivo
