// The parser's lowest layer: the video bytes the reader hands over, the stream byte counter, the
// capture of the first sequence header, and the start-code scanner over them.
#pragma once

#include <cstdint>

#include "input/fread.h"
#include "input/start_code_scanner.h"
#include "mpeg/records.h"

namespace tessivo {

inline constexpr uint32_t kEndOfStream = 0xFF;

class ByteSource {
 public:
  ByteSource(FileReader& reader, FirstSequenceBlock& block) : reader_(reader), block_(block) {}

  // Sets the counter to 0 and lets go of the bytes in hand, for a new input.
  void Reset();

  // Next input byte; at the end of the input the byte is 0xFF and the result false, from then on.
  bool GetByte(uint8_t& byte) {
    if (index_ == fill_ && !Refill()) {
      byte = 0xFF;
      return false;
    }
    byte = bytes_[index_++];
    if (captureOn_ && block_.length < kFirstSequenceBlockSize) block_.bytes[block_.length++] = byte;
    ++streamByteCounter_;
    return true;
  }
  // The next byte, 0xFF at the end of the input.
  uint8_t NextByte() {
    uint8_t byte;
    GetByte(byte);
    return byte;
  }
  bool ended() const { return ended_; }

  // Reads up to and including the next start code and returns 0x100 plus its last byte, or
  // kEndOfStream. Only bytes read in this call make up a start code; one sequence end code
  // (00 00 01 B9) is passed over, a second one in a row ends the stream.
  uint32_t NextStartCode();

  uint64_t streamByteCounter() const { return streamByteCounter_; }
  void ResetStreamByteCounter() { streamByteCounter_ = 0; }
  void SetCapture(bool on) { captureOn_ = on; }

 private:
  bool Refill();
  // Counts, and captures when asked, bytes [index_, end) handed out in one go.
  void ConsumeTo(uint32_t end);

  FileReader& reader_;
  FirstSequenceBlock& block_;
  StartCodeScanner scanner_;
  const uint8_t* bytes_ = nullptr;  // the reader's latest block, read in place
  uint32_t index_ = 0;
  uint32_t fill_ = 0;
  uint64_t streamByteCounter_ = 0;
  bool captureOn_ = false;
  bool ended_ = false;
};

}  // namespace tessivo
