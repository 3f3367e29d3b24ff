// Turns an MPEG-1 system stream or MPEG-2 program stream into its video elementary stream, one
// packet payload per fill. Only packets of stream id 0xE0 are delivered.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "input/input_file.h"
#include "input/start_code_scanner.h"
#include "input/start_codes.h"

namespace tessivo {

class Demux {
 public:
  Demux(InputFile& input, bool checkPackStartHdr)
      : input_(input), checkPackStartHdr_(checkPackStartHdr) {}

  // Rewinds the file; output (at least 65 536 bytes) takes the payloads that a file block ends in.
  void DemuxStart(uint8_t* output);
  // The payload of the next accepted video packet, valid until the next call: in place in the
  // file block where it lies wholly in one, else gathered in output. Empty only at the end of the
  // file.
  std::span<const uint8_t> DemuxFill();

  // Video packets passed over because no pack header came before them in their pack.
  uint64_t skippedVideoPackets() const { return skippedVideoPackets_; }

 private:
  static constexpr uint8_t kPacketDelivered = 1;
  static constexpr uint8_t kInputEndedInAudio = 0xFF;
  static constexpr uint8_t kPacketNotDelivered = 0;

  bool RefillRaw();
  bool DemuxGetByte(uint8_t& byte);
  uint32_t DemuxNextStartCode();
  uint8_t DemuxReadPacket(uint8_t id);
  // Reads the packet header within the packet; returns its length, or -1 when the header does not
  // fit in the packet or the input ends inside it.
  int32_t ReadPacketHeader(uint32_t packetLength);
  // The next count raw bytes, in place when the block holds them all; short at the end of the
  // input.
  std::span<const uint8_t> TakeRaw(uint32_t count);
  // Bulk moves of up to count raw bytes; both stop early at the end of the input.
  uint32_t CopyRaw(uint8_t* destination, uint32_t count);
  uint32_t SkipRaw(uint32_t count);

  InputFile& input_;
  const bool checkPackStartHdr_;
  StartCodeScanner scanner_;
  std::unique_ptr<uint8_t[]> raw_;
  uint32_t rawPos_ = 0;
  uint32_t rawAvail_ = 0;
  bool inputEnded_ = false;
  uint8_t* output_ = nullptr;
  std::span<const uint8_t> delivered_;
  uint8_t videoId_ = 0;
  uint8_t audioId_ = 0;
  uint64_t skippedVideoPackets_ = 0;  // four bytes each: 32 bits would wrap at 16 GiB
};

}  // namespace tessivo
