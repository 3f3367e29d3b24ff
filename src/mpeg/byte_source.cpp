#include "mpeg/byte_source.h"

#include <algorithm>
#include <cstring>

#include "input/start_code_search.h"

namespace tessivo {

namespace {
constexpr uint32_t kSequenceEndWindow = 0x000001B9;
}

void ByteSource::Reset() {
  index_ = 0;
  fill_ = 0;
  streamByteCounter_ = 0;
  ended_ = false;
}

bool ByteSource::Refill() {
  if (ended_) return false;
  fill_ = reader_.ReadInput(buffer_, kParseBufferSize);
  index_ = 0;
  if (fill_ == 0) ended_ = true;
  return fill_ != 0;
}

void ByteSource::ConsumeTo(uint32_t end) {
  if (captureOn_ && block_.length < kFirstSequenceBlockSize) {
    const uint32_t room = kFirstSequenceBlockSize - block_.length;
    const uint32_t taken = std::min(room, end - index_);
    std::memcpy(block_.bytes + block_.length, buffer_ + index_, taken);
    block_.length += taken;
  }
  streamByteCounter_ += end - index_;
  index_ = end;
}

uint32_t ByteSource::NextStartCode() {
  uint32_t window = 0;
  uint32_t count = 0;  // bytes of this call in the window, up to 4
  bool endCodeSeen = false;
  for (;;) {
    if (index_ == fill_ && !Refill()) return kEndOfStream;
    const uint32_t segmentStart = index_;
    // Byte by byte while a start code could have begun before this buffer or before this call.
    while (index_ < fill_ && (count < 4 || index_ - segmentStart < 3)) {
      uint8_t byte;
      GetByte(byte);
      window = window << 8 | byte;
      if (count < 4) ++count;
      if (count < 4) continue;
      if (window == kSequenceEndWindow) {
        if (endCodeSeen) return kEndOfStream;
        endCodeSeen = true;
        count = 0;
      } else if ((window >> 8) == 1) {
        return window;
      }
    }
    if (index_ == fill_) continue;
    // Every start code that can still begin lies wholly in this buffer from index_ - 3 on.
    const uint8_t* prefix = FindStartCodePrefix(buffer_ + index_ - 3, buffer_ + fill_ - 1);
    if (!prefix) {
      window = LoadBigEndian32(buffer_ + fill_ - 4);
      ConsumeTo(fill_);
      continue;
    }
    ConsumeTo(static_cast<uint32_t>(prefix - buffer_) + 4);
    window = 0x100 | prefix[3];
    if (window != kSequenceEndWindow) return window;
    if (endCodeSeen) return kEndOfStream;
    endCodeSeen = true;
    count = 0;
  }
}

}  // namespace tessivo
