#include "mpeg/byte_source.h"

#include <algorithm>
#include <cstring>

#include "input/start_codes.h"

namespace tessivo {

void ByteSource::Reset() {
  bytes_ = nullptr;
  index_ = 0;
  fill_ = 0;
  streamByteCounter_ = 0;
  ended_ = false;
}

bool ByteSource::Refill() {
  if (ended_) return false;
  const std::span<const uint8_t> bytes = reader_.ReadVideoBytes();
  bytes_ = bytes.data();
  fill_ = static_cast<uint32_t>(bytes.size());
  index_ = 0;
  if (fill_ == 0) ended_ = true;
  return fill_ != 0;
}

void ByteSource::ConsumeTo(uint32_t end) {
  if (captureOn_ && block_.length < kFirstSequenceBlockSize) {
    const uint32_t room = kFirstSequenceBlockSize - block_.length;
    const uint32_t taken = std::min(room, end - index_);
    std::memcpy(block_.bytes + block_.length, bytes_ + index_, taken);
    block_.length += taken;
  }
  streamByteCounter_ += end - index_;
  index_ = end;
}

uint32_t ByteSource::NextStartCode() {
  scanner_.Restart();
  bool endCodeSeen = false;
  for (;;) {
    if (index_ == fill_ && !Refill()) return kEndOfStream;
    const uint8_t* next = scanner_.Find(bytes_ + index_, bytes_ + fill_);
    if (!next) {
      ConsumeTo(fill_);
      continue;
    }
    ConsumeTo(static_cast<uint32_t>(next - bytes_));
    if (scanner_.code() != kProgramEndCode) return scanner_.code();
    if (endCodeSeen) return kEndOfStream;
    endCodeSeen = true;
  }
}

}  // namespace tessivo
