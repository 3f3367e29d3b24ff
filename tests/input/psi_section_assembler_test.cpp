// Sections put together from packets: split over packets, several in one, and lost ones.
#include "input/psi_section_assembler.h"

#include <gtest/gtest.h>

#include "support/ts_builder.h"

namespace tessivo {
namespace {

using test::TsPacketBytes;

std::vector<std::vector<uint8_t>> Assemble(const std::vector<TsPacketBytes>& packets) {
  SectionAssembler assembler;
  assembler.Reset();
  std::vector<std::vector<uint8_t>> sections;
  for (const TsPacketBytes& packet : packets) {
    assembler.Feed(packet.data(), [&](const uint8_t* section) {
      sections.emplace_back(section, section + 3 + ((section[1] & 0x0F) << 8 | section[2]));
    });
  }
  return sections;
}

// A long section of table_id 0x42 with body bytes, without its CRC, which the builder adds.
std::vector<uint8_t> SectionOf(size_t bodySize, uint8_t fill) {
  const uint8_t header[] = {0x42, 0xB0, 0x00, 0x00, 0x01, 0xC1, 0x00, 0x00};
  std::vector<uint8_t> section(sizeof header + bodySize, fill);
  std::copy(std::begin(header), std::end(header), section.begin());
  const size_t length = section.size() - 3 + 4;
  section[1] = static_cast<uint8_t>(0xB0 | length >> 8);
  section[2] = static_cast<uint8_t>(length);
  return section;
}

std::vector<uint8_t> WithCrc(std::vector<uint8_t> section) {
  const uint32_t crc = test::SectionCrc(section.data(), section.size());
  for (int shift = 24; shift >= 0; shift -= 8)
    section.push_back(static_cast<uint8_t>(crc >> shift));
  return section;
}

TEST(SectionAssemblerTest, ASectionOverSeveralPackets) {
  test::TsBuilder builder;
  builder.Section(0x30, SectionOf(500, 0x5A));
  ASSERT_EQ(builder.packets().size(), 3u);
  const auto sections = Assemble(builder.packets());
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(sections[0].size(), 8u + 500 + 4);
  EXPECT_EQ(sections[0][300], 0x5A);
}

TEST(SectionAssemblerTest, APacketThatEndsOneSectionAndBeginsTwoMore) {
  // Section A fills the first packet and 20 bytes of the second; B and C follow in it.
  const auto a = WithCrc(SectionOf(180, 0xAA));
  const auto b = WithCrc(SectionOf(10, 0xBB));
  const auto c = WithCrc(SectionOf(10, 0xCC));
  TsPacketBytes first = {0x47, 0x40, 0x30, 0x10, 0x00};
  first.insert(first.end(), a.begin(), a.begin() + 183);
  const size_t rest = a.size() - 183;
  TsPacketBytes second = {0x47, 0x40, 0x30, 0x11, static_cast<uint8_t>(rest)};
  second.insert(second.end(), a.begin() + 183, a.end());
  second.insert(second.end(), b.begin(), b.end());
  second.insert(second.end(), c.begin(), c.end());
  second.resize(188, 0xFF);
  const auto sections = Assemble({first, second});
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_EQ(sections[0], a);
  EXPECT_EQ(sections[1], b);
  EXPECT_EQ(sections[2], c);
}

TEST(SectionAssemblerTest, AGapDropsTheSectionUnderWayAndADuplicateChangesNothing) {
  test::TsBuilder builder;
  builder.Section(0x30, SectionOf(500, 0x5A)).Section(0x30, SectionOf(20, 0x77));
  auto packets = builder.packets();
  ASSERT_EQ(packets.size(), 4u);
  auto lost = packets;
  lost.erase(lost.begin() + 1);  // the middle of the long section
  const auto afterLoss = Assemble(lost);
  ASSERT_EQ(afterLoss.size(), 1u);
  EXPECT_EQ(afterLoss[0][10], 0x77);

  auto doubled = packets;
  doubled.insert(doubled.begin() + 1, packets[1]);
  EXPECT_EQ(Assemble(doubled).size(), 2u);
}

TEST(SectionAssemblerTest, ASectionLongerThanAnyTableIsDropped) {
  TsPacketBytes packet = {0x47, 0x40, 0x30, 0x10, 0x00, 0x02, 0xBF, 0xFF};  // 4095 bytes
  packet.resize(188, 0x00);
  EXPECT_TRUE(Assemble({packet}).empty());
}

}  // namespace
}  // namespace tessivo
