// The resumable scanner against a byte-by-byte search, over buffers split anywhere.
#include "input/start_code_scanner.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace tessivo {
namespace {

struct Hit {
  uint32_t code;
  size_t end;  // offset of the byte after the start code
  bool operator==(const Hit&) const = default;
};

// Fresh four-byte window after every hit, as the scanner promises.
std::vector<Hit> ByteByByte(const std::vector<uint8_t>& bytes) {
  std::vector<Hit> hits;
  uint32_t window = 0;
  int count = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    window = window << 8 | bytes[i];
    if (++count >= 4 && (window >> 8) == 1) {
      hits.push_back({window, i + 1});
      count = 0;
      window = 0;
    }
  }
  return hits;
}

// Hands the scanner the bytes in pieces that end at the given cuts; checks the carried bytes
// after every piece without a hit.
std::vector<Hit> Scanned(const std::vector<uint8_t>& bytes, std::vector<size_t> cuts) {
  cuts.push_back(bytes.size());
  std::vector<Hit> hits;
  StartCodeScanner scanner;
  scanner.Restart();
  size_t position = 0;
  size_t searchStart = 0;
  for (size_t cut : cuts) {
    while (position < cut) {
      const uint8_t* begin = bytes.data() + position;
      const uint8_t* next = scanner.Find(begin, bytes.data() + cut);
      if (!next) {
        position = cut;
        const size_t held = std::min<size_t>(3, position - searchStart);
        EXPECT_EQ(scanner.carriedCount(), held);
        for (uint32_t i = 0; i < held && i < scanner.carriedCount(); ++i) {
          EXPECT_EQ(scanner.carried(i), bytes[position - held + i]);
        }
        break;
      }
      position = static_cast<size_t>(next - bytes.data());
      searchStart = position;
      hits.push_back({scanner.code(), position});
    }
  }
  return hits;
}

TEST(StartCodeScannerTest, FindsWhatAByteSearchFindsWhereverTheBuffersEnd) {
  std::mt19937 random(21);
  const uint8_t alphabet[] = {0x00, 0x00, 0x00, 0x01, 0xB3, 0xB9, 0x47};
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> bytes(random() % 200);
    for (auto& byte : bytes) byte = alphabet[random() % sizeof alphabet];
    std::vector<size_t> cuts;
    for (size_t at = 0; at < bytes.size(); at += 1 + random() % 9) cuts.push_back(at);
    ASSERT_EQ(Scanned(bytes, cuts), ByteByByte(bytes)) << round;
  }
}

TEST(StartCodeScannerTest, AStartCodeSplitAnyWayIsFoundOnce) {
  const std::vector<uint8_t> bytes = {0x55, 0x00, 0x00, 0x00, 0x01, 0xB8, 0x66};
  const std::vector<Hit> expected = {{0x1B8, 6}};
  for (size_t a = 0; a <= bytes.size(); ++a) {
    for (size_t b = a; b <= bytes.size(); ++b) {
      EXPECT_EQ(Scanned(bytes, {a, b}), expected) << a << " " << b;
    }
  }
  EXPECT_EQ(Scanned(bytes, {1, 2, 3, 4, 5, 6}), expected);
}

TEST(StartCodeScannerTest, AStartCodeNeverOverlapsThePreviousOne) {
  // 00 00 01 00 is a picture start code; its last byte cannot begin the next one.
  const std::vector<uint8_t> bytes = {0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0xB3, 0x00, 0x00, 0x01};
  EXPECT_EQ(Scanned(bytes, {}), (std::vector<Hit>{{0x100, 4}}));
  EXPECT_EQ(Scanned(bytes, {5}), (std::vector<Hit>{{0x100, 4}}));
}

}  // namespace
}  // namespace tessivo
