// The word-at-a-time prefix search against a plain byte search.
#include "input/start_code_search.h"

#include <gtest/gtest.h>

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

TEST(StartCodeSearchTest, FindsTheSamePrefixAsAByteSearch) {
  std::mt19937 random(3);
  for (int round = 0; round < 20000; ++round) {
    std::vector<uint8_t> bytes(random() % 64);
    for (auto& byte : bytes)
      byte = static_cast<uint8_t>(random() % 4 == 0 ? random() % 2 : random());
    if (!bytes.empty() && random() % 2) {
      const size_t at = random() % bytes.size();
      for (size_t i = 0; i < 3 && at + i < bytes.size(); ++i) bytes[at + i] = i == 2 ? 1 : 0;
    }
    const uint8_t* begin = bytes.data();
    const uint8_t* end = begin + bytes.size();
    ASSERT_EQ(FindStartCodePrefix(begin, end), NaiveSearch(begin, end)) << round;
  }
}

}  // namespace
}  // namespace tessivo
