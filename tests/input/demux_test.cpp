// The demultiplexer: which packets are delivered, how packet headers are measured, and where
// the scan goes on after odd packets.
#include "input/demux.h"

#include <gtest/gtest.h>

#include "support/recording_observer.h"
#include "support/stream_builder.h"
#include "support/test_files.h"

namespace tessivo {
namespace {

std::vector<uint8_t> Payload(size_t size, uint8_t seed) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(0x80 | (seed + i));
  return bytes;
}

// Every video byte the demultiplexer delivers, fill by fill.
struct DemuxRun {
  std::vector<std::vector<uint8_t>> fills;
  uint32_t skipped = 0;

  std::vector<uint8_t> All() const {
    std::vector<uint8_t> all;
    for (const auto& fill : fills) all.insert(all.end(), fill.begin(), fill.end());
    return all;
  }
};

DemuxRun Demultiplex(const std::vector<uint8_t>& bytes, bool checkPackStartHdr = true,
                     uint32_t blockSize = kFileBlockSize) {
  test::TempFile file(bytes);
  test::RecordingObserver observer;
  InputFile input(observer, blockSize);
  EXPECT_TRUE(input.Open(file.path()));
  Demux demux(input, checkPackStartHdr);
  std::vector<uint8_t> output(65536);
  demux.DemuxStart(output.data());
  DemuxRun run;
  for (std::span<const uint8_t> fill; !(fill = demux.DemuxFill()).empty();) {
    run.fills.emplace_back(fill.begin(), fill.end());
  }
  run.skipped = demux.skippedVideoPackets();
  return run;
}

void Put(std::vector<uint8_t>& out, std::initializer_list<uint8_t> bytes) {
  out.insert(out.end(), bytes);
}
void PutBytes(std::vector<uint8_t>& out, const std::vector<uint8_t>& bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}
void PutPack(std::vector<uint8_t>& out) {
  Put(out, {0x00, 0x00, 0x01, 0xBA, 0x44, 0x00, 0x04, 0x00, 0x04, 0x01, 0x01, 0x89, 0xC3, 0xF8});
}
void PutPacketStart(std::vector<uint8_t>& out, uint8_t id, size_t length) {
  Put(out, {0x00, 0x00, 0x01, id, static_cast<uint8_t>(length >> 8),
            static_cast<uint8_t>(length & 0xFF)});
}

TEST(DemuxTest, DvdStylePacksDeliverEveryVideoPacket) {
  const auto video = Payload(10000, 1);
  test::PackOptions options;
  options.audioPacketEveryPack = false;
  const auto run = Demultiplex(test::WrapInProgramStream(video, options));
  EXPECT_EQ(run.All(), video);
  EXPECT_EQ(run.fills.size(), 5u);
  EXPECT_EQ(run.skipped, 0u);
}

TEST(DemuxTest, PackHeaderCheckTakesOnlyTheFirstPacketOfEachPack) {
  const auto video = Payload(8000, 2);
  test::PackOptions options;
  options.videoPacketsPerPack = 2;
  const auto program = test::WrapInProgramStream(video, options);

  const auto checked = Demultiplex(program, true);
  EXPECT_EQ(checked.fills.size(), 2u);
  EXPECT_EQ(checked.skipped, 2u);
  std::vector<uint8_t> expected(video.begin(), video.begin() + 2000);
  expected.insert(expected.end(), video.begin() + 4000, video.begin() + 6000);
  EXPECT_EQ(checked.All(), expected);

  const auto unchecked = Demultiplex(program, false);
  EXPECT_EQ(unchecked.All(), video);
  EXPECT_EQ(unchecked.skipped, 0u);
}

TEST(DemuxTest, AudioPacketsBeforeVideoInAPackUseUpThePackHeader) {
  const auto video = Payload(4000, 3);
  test::PackOptions options;
  options.audioPacketEveryPack = true;
  const auto run = Demultiplex(test::WrapInProgramStream(video, options));
  EXPECT_TRUE(run.All().empty());
  EXPECT_EQ(run.skipped, 2u);
  const auto unchecked = Demultiplex(test::WrapInProgramStream(video, options), false);
  EXPECT_EQ(unchecked.All(), video);
}

TEST(DemuxTest, MeasuresMpeg1AndMpeg2PacketHeaders) {
  const auto payload = Payload(100, 4);
  std::vector<uint8_t> stream;
  // MPEG-1: two stuffing bytes, STD buffer fields, PTS and DTS: 2 + 2 + 10 header bytes.
  PutPack(stream);
  PutPacketStart(stream, 0xE0, 14 + payload.size());
  Put(stream, {0xFF, 0xFF, 0x40, 0x20, 0x31, 0, 1, 0, 1, 0x11, 0, 1, 0, 1});
  PutBytes(stream, payload);
  // MPEG-2: PES_header_data_length 5: 8 header bytes.
  PutPack(stream);
  PutPacketStart(stream, 0xE0, 8 + payload.size());
  Put(stream, {0x81, 0x80, 0x05, 0x21, 0, 1, 0, 1});
  PutBytes(stream, payload);
  // MPEG-1 without time stamps: the single byte 0x0F.
  PutPack(stream);
  PutPacketStart(stream, 0xE0, 1 + payload.size());
  Put(stream, {0x0F});
  PutBytes(stream, payload);
  const auto run = Demultiplex(stream);
  ASSERT_EQ(run.fills.size(), 3u);
  for (const auto& fill : run.fills) EXPECT_EQ(fill, payload);
}

TEST(DemuxTest, SecondVideoStreamAndPrivateStreamsAreNeverDelivered) {
  const auto wanted = Payload(300, 5);
  const auto other = Payload(300, 99);
  std::vector<uint8_t> stream;
  for (uint8_t id : {uint8_t{0xE0}, uint8_t{0xE1}, uint8_t{0xBD}, uint8_t{0xBE}}) {
    PutPack(stream);
    PutPacketStart(stream, id, 1 + 300);
    Put(stream, {0x0F});
    PutBytes(stream, id == 0xE0 ? wanted : other);
  }
  EXPECT_EQ(Demultiplex(stream, false).All(), wanted);
}

TEST(DemuxTest, PacksAfterAProgramEndCodeAreStillDelivered) {
  const auto first = Payload(500, 6);
  const auto second = Payload(700, 7);
  std::vector<uint8_t> stream;
  PutPack(stream);
  PutPacketStart(stream, 0xE0, 1 + first.size());
  Put(stream, {0x0F});
  PutBytes(stream, first);
  Put(stream, {0x00, 0x00, 0x01, 0xB9});
  PutPack(stream);
  PutPacketStart(stream, 0xE0, 1 + second.size());
  Put(stream, {0x0F});
  PutBytes(stream, second);
  const auto run = Demultiplex(stream);
  ASSERT_EQ(run.fills.size(), 2u);
  EXPECT_EQ(run.fills[1], second);
}

TEST(DemuxTest, EmptyAndOverlongHeaderPacketsDeliverNothingAndTheScanGoesOn) {
  const auto payload = Payload(200, 8);
  std::vector<uint8_t> stream;
  // PES_packet_length 0: nothing is skipped, the scan continues right after the length.
  PutPack(stream);
  PutPacketStart(stream, 0xE0, 0);
  // A header that claims more bytes than its packet: no byte past the packet is header.
  PutPack(stream);
  PutPacketStart(stream, 0xE0, 4);
  Put(stream, {0x81, 0x80, 0x0A, 0x21});
  PutPack(stream);
  PutPacketStart(stream, 0xE0, 1 + payload.size());
  Put(stream, {0x0F});
  PutBytes(stream, payload);
  const auto run = Demultiplex(stream);
  ASSERT_EQ(run.fills.size(), 1u);
  EXPECT_EQ(run.fills[0], payload);
}

TEST(DemuxTest, FileEndingInsideAVideoPacketDeliversWhatWasRead) {
  const auto payload = Payload(1000, 9);
  std::vector<uint8_t> stream;
  PutPack(stream);
  PutPacketStart(stream, 0xE0, 1 + payload.size());
  Put(stream, {0x0F});
  stream.insert(stream.end(), payload.begin(), payload.begin() + 600);
  const auto run = Demultiplex(stream);
  ASSERT_EQ(run.fills.size(), 1u);
  EXPECT_EQ(run.fills[0], std::vector<uint8_t>(payload.begin(), payload.begin() + 600));
}

TEST(DemuxTest, EveryReadSizeDeliversTheSamePackets) {
  // Payloads lie in place in a block or are gathered across blocks; packets of both kinds,
  // MPEG-1 and MPEG-2, with audio between (every packet taken), must come out the same whatever
  // the block cuts.
  for (const bool mpeg2 : {true, false}) {
    test::PackOptions options;
    options.mpeg2 = mpeg2;
    options.audioPacketEveryPack = true;
    options.payloadPerPacket = 1500;
    const auto video = Payload(40000, 4);
    const auto stream = test::WrapInProgramStream(video, options);
    const auto reference = Demultiplex(stream, false, kFileBlockSize);
    ASSERT_EQ(reference.All(), video);
    for (const uint32_t blockSize : {1u, 7u, 188u, 1499u, 2048u, 4099u, 16384u, 1u << 20}) {
      const auto run = Demultiplex(stream, false, blockSize);
      EXPECT_EQ(run.fills, reference.fills) << "block " << blockSize << " mpeg2 " << mpeg2;
    }
  }
}

TEST(DemuxTest, AGatheredPacketEndingTheFileDeliversWhatWasRead) {
  const auto payload = Payload(1000, 5);
  std::vector<uint8_t> stream;
  PutPack(stream);
  PutPacketStart(stream, 0xE0, 1 + payload.size());
  Put(stream, {0x0F});
  stream.insert(stream.end(), payload.begin(), payload.begin() + 600);
  // Blocks that end inside the payload: it is gathered, and cut where the file ends.
  for (const uint32_t blockSize : {100u, 512u}) {
    const auto run = Demultiplex(stream, true, blockSize);
    ASSERT_EQ(run.fills.size(), 1u) << blockSize;
    EXPECT_EQ(run.fills[0], std::vector<uint8_t>(payload.begin(), payload.begin() + 600));
  }
}

}  // namespace
}  // namespace tessivo
