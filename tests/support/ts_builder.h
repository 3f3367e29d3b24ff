// Builds transport streams packet by packet: PAT and PMT sections with their CRC-32, PES packets
// split into transport packets, null packets; tests then drop, flag or reorder packets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace tessivo::test {

using TsPacketBytes = std::vector<uint8_t>;  // 188 bytes from the sync byte

// The CRC-32 of MPEG-2 sections, bit by bit.
uint32_t SectionCrc(const uint8_t* bytes, size_t size);

struct PesOptions {
  uint8_t streamId = 0xE0;
  bool bounded = false;          // PES_packet_length set, else 0
  uint8_t headerDataLength = 5;  // a PTS
  size_t bytesPerPes = 100000;   // video bytes per PES packet
};

class TsBuilder {
 public:
  // (program_number, PMT PID) pairs.
  TsBuilder& Pat(const std::vector<std::pair<uint16_t, uint16_t>>& programs, uint8_t version = 0,
                 uint8_t sectionNumber = 0, uint8_t lastSectionNumber = 0);
  // (stream_type, PID) pairs.
  TsBuilder& Pmt(uint16_t pid, uint16_t program,
                 const std::vector<std::pair<uint8_t, uint16_t>>& streams, uint8_t version = 0);
  // A section as given (with its CRC appended) in packets of pid.
  TsBuilder& Section(uint16_t pid, std::vector<uint8_t> section);
  TsBuilder& Pes(uint16_t pid, const std::vector<uint8_t>& video, const PesOptions& options = {});
  TsBuilder& Null(int count = 1);
  // A packet of pid with only an adaptation field.
  TsBuilder& AdaptationOnly(uint16_t pid, bool discontinuity = false);
  TsBuilder& Raw(const TsPacketBytes& packet);

  std::vector<TsPacketBytes>& packets() { return packets_; }
  // The stream in packets of 188, 192 (4 arrival-time bytes before each) or 204 (16 check bytes
  // after each) bytes.
  std::vector<uint8_t> Bytes(uint32_t packetSize = 188) const;

 private:
  uint8_t NextCounter(uint16_t pid);

  std::map<uint16_t, uint8_t> counters_;
  std::vector<TsPacketBytes> packets_;
};

uint16_t PidOf(const TsPacketBytes& packet);

// One program (number 1, PMT PID 0x1000) whose video PID 0x100 carries the elementary stream in
// PES packets, the PAT and PMT before it.
std::vector<uint8_t> WrapInTransportStream(const std::vector<uint8_t>& video,
                                           uint32_t packetSize = 188, const PesOptions& pes = {});

}  // namespace tessivo::test
