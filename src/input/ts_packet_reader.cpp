#include "input/ts_packet_reader.h"

#include <cstring>

namespace tessivo {

void TsPacketReader::Start(const TsLayout& layout, bool counted) {
  // Room for one block after the bytes kept of a run of packets.
  if (!raw_) raw_.reset(new uint8_t[file_.blockSize() + kTsChainBytes]);
  file_.Rewind();
  packetSize_ = layout.packetSize;
  counted_ = counted;
  ended_ = false;
  avail_ = 0;
  bufferOffset_ = 0;
  pos_ = layout.firstSync;
  syncLosses_ = 0;
}

bool TsPacketReader::Ensure(uint32_t count) {
  while (avail_ < pos_ + count) {
    if (ended_) return false;
    // Keep the bytes from pos_ on; bytes before it are done with, also those still to be read.
    const size_t keepFrom = pos_ < avail_ ? pos_ : avail_;
    std::memmove(raw_.get(), raw_.get() + keepFrom, avail_ - keepFrom);
    avail_ -= keepFrom;
    pos_ -= keepFrom;
    bufferOffset_ += keepFrom;
    uint8_t* destination = raw_.get() + avail_;
    const uint32_t block = file_.blockSize();
    const uint32_t got =
        counted_ ? file_.Read(destination, block) : file_.ReadUncounted(destination, block);
    if (got == 0) ended_ = true;
    avail_ += got;
  }
  return true;
}

const uint8_t* TsPacketReader::NextPacketSlowly() {
  for (;;) {
    if (!Ensure(kTsPacketSize)) return nullptr;
    if (raw_[pos_] == kTsSyncByte) {
      const uint8_t* packet = raw_.get() + pos_;
      pos_ += packetSize_;
      return packet;
    }
    ++syncLosses_;
    if (!Resynchronise()) return nullptr;
  }
}

bool TsPacketReader::Resynchronise() {
  ++pos_;
  for (;;) {
    const bool whole = Ensure(kTsChainBytes);
    const size_t found = FindSyncChain(raw_.get(), avail_, pos_, packetSize_, !whole);
    if (found != kNoSyncChain) {
      pos_ = found;
      return true;
    }
    if (!whole) {
      pos_ = avail_;
      return false;
    }
    // No run of packets begins before the last bytes, whose packets are not whole yet.
    pos_ = avail_ - kTsChainBytes + 1;
  }
}

}  // namespace tessivo
