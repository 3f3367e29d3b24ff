// The start-code scanner against a byte-by-byte model of the same rules, and its exact cases.
#include "mpeg/byte_source.h"

#include <gtest/gtest.h>

#include <random>

#include "support/byte_source_fixture.h"
#include "support/stream_builder.h"

namespace tessivo {
namespace {

using ScannerFixture = test::ByteSourceFixture;

// The scanner's rules applied one byte at a time, as the reference.
struct ModelScanner {
  const std::vector<uint8_t>& bytes;
  size_t position = 0;

  bool GetByte(uint8_t& byte) {
    if (position == bytes.size()) {
      byte = 0xFF;
      return false;
    }
    byte = bytes[position++];
    return true;
  }
  uint32_t NextStartCode() {
    uint32_t window = 0;
    int count = 0;
    bool endSeen = false;
    for (;;) {
      uint8_t byte;
      if (!GetByte(byte)) return kEndOfStream;
      window = window << 8 | byte;
      if (++count < 4) continue;
      if (window == 0x1B9) {
        if (endSeen) return kEndOfStream;
        endSeen = true;
        count = 0;
        continue;
      }
      if ((window >> 8) == 1) return window;
    }
  }
};

TEST(ByteSourceTest, MatchesTheByteByByteRulesOnRandomStartCodeDenseInput) {
  std::mt19937 random(12345);
  for (int round = 0; round < 40; ++round) {
    // Few distinct byte values make start codes, end codes and near misses frequent, and the
    // length crosses several 8 192- and 16 384-byte boundaries.
    std::vector<uint8_t> bytes(20000 + random() % 30000);
    const uint8_t alphabet[] = {0x00, 0x00, 0x00, 0x01, 0xB9, 0xB3, 0x42};
    for (auto& byte : bytes) byte = alphabet[random() % sizeof alphabet];
    ScannerFixture fixture(bytes);
    ModelScanner model{bytes};
    for (;;) {
      // Interleave header reads between scans, as the decoders do.
      const int reads = static_cast<int>(random() % 3);
      for (int i = 0; i < reads; ++i) {
        uint8_t expected, actual;
        const bool expectedOk = model.GetByte(expected);
        ASSERT_EQ(fixture.source().GetByte(actual), expectedOk);
        ASSERT_EQ(actual, expected);
      }
      const uint32_t expected = model.NextStartCode();
      ASSERT_EQ(fixture.source().NextStartCode(), expected) << "round " << round;
      ASSERT_EQ(fixture.source().streamByteCounter(), model.position);
      if (expected == kEndOfStream) break;
    }
  }
}

TEST(ByteSourceTest, ExactStartCodeCases) {
  {
    ScannerFixture f({0x00, 0x00, 0x01, 0xB3, 0x16});
    EXPECT_EQ(f.source().NextStartCode(), 0x1B3u);
    EXPECT_EQ(f.source().streamByteCounter(), 4u);
  }
  {
    ScannerFixture f({0x00, 0x00, 0x00, 0x01, 0xB5});
    EXPECT_EQ(f.source().NextStartCode(), 0x1B5u);
  }
  {
    ScannerFixture f({0x00, 0x00, 0x01, 0xB9, 0x00, 0x00, 0x01, 0xB3});
    EXPECT_EQ(f.source().NextStartCode(), 0x1B3u);
  }
  {
    ScannerFixture f({0x00, 0x00, 0x01, 0xB9, 0x00, 0x00, 0x01, 0xB9, 0x00, 0x00, 0x01, 0xB3});
    EXPECT_EQ(f.source().NextStartCode(), kEndOfStream);
  }
  {
    ScannerFixture f({0x12, 0x00, 0x00, 0x01});
    EXPECT_EQ(f.source().NextStartCode(), kEndOfStream);
  }
}

TEST(ByteSourceTest, FindsAStartCodeSplitAcrossReaderBlocks) {
  for (size_t split = 1; split <= 3; ++split) {
    std::vector<uint8_t> bytes(kFileBlockSize + 1 - split, 0x55);
    bytes[bytes.size() - 1] = 0x00;
    bytes.push_back(0x00);
    bytes.push_back(0x01);
    bytes.push_back(0xB8);
    ScannerFixture f(bytes);
    EXPECT_EQ(f.source().NextStartCode(), 0x1B8u) << split;
    EXPECT_EQ(f.source().streamByteCounter(), bytes.size());
  }
}

TEST(ByteSourceTest, CaptureStopsAtAThousandBytes) {
  auto bytes =
      test::StreamBuilder().Bytes(std::vector<uint8_t>(3000, 0x55)).StartCode(0xB8).bytes();
  ScannerFixture f(bytes);
  f.source().SetCapture(true);
  uint8_t first;
  f.source().GetByte(first);
  EXPECT_EQ(f.source().NextStartCode(), 0x1B8u);
  EXPECT_EQ(f.block().length, kFirstSequenceBlockSize);
  EXPECT_EQ(f.block().bytes[999], 0x55);
}

}  // namespace
}  // namespace tessivo
