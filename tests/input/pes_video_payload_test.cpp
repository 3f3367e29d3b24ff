// Video bytes out of PES packets: headers stripped however they fall into transport packets.
#include "input/pes_video_payload.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessivo {
namespace {

std::vector<uint8_t> PesHeader(uint8_t streamId, uint16_t length, uint8_t headerDataLength) {
  std::vector<uint8_t> header(9 + headerDataLength, 0x21);
  const uint8_t fixed[] = {0x00,
                           0x00,
                           0x01,
                           streamId,
                           static_cast<uint8_t>(length >> 8),
                           static_cast<uint8_t>(length),
                           0x80,
                           0x80,
                           headerDataLength};
  std::copy(std::begin(fixed), std::end(fixed), header.begin());
  return header;
}

std::vector<uint8_t> Joined(std::vector<uint8_t> head, const std::vector<uint8_t>& tail) {
  head.reserve(head.size() + tail.size());
  for (const uint8_t byte : tail) head.push_back(byte);
  return head;
}

// Hands the bytes over in pieces of the given sizes, the first one starting a PES packet.
std::vector<uint8_t> Taken(PesVideoPayload& pes, const std::vector<uint8_t>& bytes,
                           const std::vector<size_t>& pieces) {
  std::vector<uint8_t> out;
  size_t offset = 0;
  for (size_t i = 0; i < pieces.size(); ++i) {
    const uint8_t* begin = bytes.data() + offset;
    const auto taken = pes.Take(begin, begin + pieces[i], i == 0);
    out.insert(out.end(), taken.begin(), taken.end());
    offset += pieces[i];
  }
  return out;
}

TEST(PesVideoPayloadTest, AHeaderSplitOverPacketsIsStrippedWhole) {
  const std::vector<uint8_t> video = {0x00, 0x00, 0x01, 0xB3, 0x11, 0x22};
  const auto bytes = Joined(PesHeader(0xE0, 0, 20), video);
  for (const size_t first : {1u, 5u, 9u, 15u, 29u}) {
    PesVideoPayload pes;
    pes.Reset();
    EXPECT_EQ(Taken(pes, bytes, {first, bytes.size() - first}), video) << first;
  }
}

TEST(PesVideoPayloadTest, ABoundedPacketEndsAtItsLength) {
  // PES_packet_length counts 3 header bytes, 5 header data bytes and 4 video bytes.
  const auto bytes = Joined(PesHeader(0xE0, 3 + 5 + 4, 5), {0xA1, 0xA2, 0xA3, 0xA4, 0xFF, 0xFF});
  PesVideoPayload pes;
  pes.Reset();
  EXPECT_EQ(Taken(pes, bytes, {bytes.size()}), (std::vector<uint8_t>{0xA1, 0xA2, 0xA3, 0xA4}));

  // After a loss the counted end no longer holds: what follows is taken until the next start.
  PesVideoPayload lossy;
  lossy.Reset();
  Taken(lossy, bytes, {16});
  lossy.OnGap();
  const uint8_t more[] = {0xB1, 0xB2, 0xB3};
  EXPECT_EQ(lossy.Take(more, more + 3, false).size(), 3u);
}

TEST(PesVideoPayloadTest, OnlyVideoStreamIdsWithTheMpeg2HeaderAreTaken) {
  for (const uint8_t id : {0xC0, 0xBD, 0xBE}) {
    const auto bytes = Joined(PesHeader(id, 0, 0), {0x55, 0x66});
    PesVideoPayload pes;
    pes.Reset();
    EXPECT_TRUE(Taken(pes, bytes, {bytes.size()}).empty()) << int{id};
  }
  // An MPEG-1 packet header (no '10' marker bits) is not the syntax of a transport stream.
  std::vector<uint8_t> mpeg1 = {0x00, 0x00, 0x01, 0xE0, 0x00, 0x00, 0x0F, 0x55, 0x66};
  PesVideoPayload pes;
  pes.Reset();
  EXPECT_TRUE(Taken(pes, mpeg1, {mpeg1.size()}).empty());
}

TEST(PesVideoPayloadTest, BytesBeforeTheFirstStartAreVideoButNotOnANewPid) {
  const uint8_t middle[] = {0x12, 0x34, 0x56};
  PesVideoPayload pes;
  pes.Reset();
  EXPECT_EQ(pes.Take(middle, middle + 3, false).size(), 3u);
  pes.WaitForStart();
  EXPECT_TRUE(pes.Take(middle, middle + 3, false).empty());
}

}  // namespace
}  // namespace tessivo
