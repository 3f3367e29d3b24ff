// Which files are transport streams, with which packet size and first packet, and where the
// packets go on after a loss of sync.
#include "input/ts_layout.h"

#include <gtest/gtest.h>

#include "support/stream_builder.h"
#include "support/test_files.h"
#include "support/ts_builder.h"

namespace tessivo {
namespace {

std::vector<uint8_t> SomePackets(uint32_t packetSize) {
  test::TsBuilder builder;
  builder.Pat({{1, 0x1000}}).Null(3).Pes(0x100, std::vector<uint8_t>(2000, 0x11));
  return builder.Bytes(packetSize);
}

std::optional<TsLayout> Detect(const std::vector<uint8_t>& bytes) {
  return DetectTransportStream(bytes.data(), bytes.size());
}

TEST(TsLayoutTest, EachPacketSizeFromTheFirstByte) {
  for (const uint32_t size : {188u, 192u, 204u}) {
    const auto layout = Detect(SomePackets(size));
    ASSERT_TRUE(layout) << size;
    EXPECT_EQ(layout->packetSize, size);
    EXPECT_EQ(layout->firstSync, size == 192 ? 4u : 0u);
  }
}

TEST(TsLayoutTest, JunkAndAPartialPacketBeforeTheFirstWholeOne) {
  auto bytes = std::vector<uint8_t>(30000, 0x47);  // no plausible packet headers in it
  const auto packets = SomePackets(188);
  bytes.insert(bytes.end(), packets.begin() + 100, packets.end());
  const auto layout = Detect(bytes);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->packetSize, 188u);
  EXPECT_EQ(layout->firstSync, 30000u + 88);
}

TEST(TsLayoutTest, ArrivalTimesHoldingSyncBytesGiveWayToThePackets) {
  // The first two bytes of every arrival time are 0x47 and its fourth byte reads as a payload
  // flag: five headers in a row look like packets 4 bytes before the real ones.
  auto bytes = SomePackets(192);
  for (size_t i = 0; i < bytes.size(); i += 192) {
    bytes[i] = 0x47;
    bytes[i + 1] = 0x47;
    bytes[i + 3] = 0x10;
  }
  const auto layout = Detect(bytes);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->packetSize, 192u);
  EXPECT_EQ(layout->firstSync, 4u);
}

TEST(TsLayoutTest, OtherStreamsAreNotTransportStreams) {
  for (const char* name :
       {"mpeg1_cif25.m1v", "mpeg2_pal_interlaced.m2v", "mpeg2_ntsc_progressive.m2v", "vbv_cbr.m2v",
        "vbv_mpeg2enc_pulldown.m2v", "dvd_pal.vob", "dvd_pal_12mbit.vob",
        "mpeg2_pal_interlaced.vob", "mpeg1_cif25_system.mpg"}) {
    EXPECT_FALSE(Detect(test::ReadFileBytes(test::FixturePath(name)))) << name;
  }
  // Four packets are not enough, nor a first sync byte beyond the first 64 KiB.
  const auto packets = SomePackets(188);
  EXPECT_FALSE(Detect(std::vector<uint8_t>(packets.begin(), packets.begin() + 4 * 188)));
  auto late = std::vector<uint8_t>(kTsDetectionWindow + 10, 0x00);
  late.insert(late.end(), packets.begin(), packets.end());
  EXPECT_FALSE(Detect(late));
}

TEST(TsLayoutTest, ResynchronisationFindsFivePacketsInARowOrARunToTheEnd) {
  const auto packets = SomePackets(188);
  std::vector<uint8_t> bytes(packets.begin(), packets.begin() + 3 * 188);
  bytes.insert(bytes.end(), {0x47, 0x12, 0x47, 0x00, 0x47});  // stray sync bytes
  const size_t resumed = bytes.size();
  bytes.insert(bytes.end(), packets.begin() + 3 * 188, packets.end());
  EXPECT_EQ(FindSyncChain(bytes.data(), bytes.size(), 1, 188, false), resumed);
  // Two whole packets before the end of the file are a run when nothing follows them.
  const std::vector<uint8_t> tail(packets.end() - 2 * 188, packets.end());
  EXPECT_EQ(FindSyncChain(tail.data(), tail.size(), 0, 188, true), 0u);
  EXPECT_EQ(FindSyncChain(tail.data(), tail.size(), 0, 188, false), kNoSyncChain);
}

}  // namespace
}  // namespace tessivo
