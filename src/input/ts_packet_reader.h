// The packets of a transport stream one by one, from the file's block reads. A packet that does
// not begin with its sync byte is a loss of sync: the reader then searches byte by byte for five
// packets in a row again.
#pragma once

#include <cstdint>
#include <memory>

#include "input/input_file.h"
#include "input/ts_layout.h"
#include "input/ts_packet.h"

namespace tessivo {

class TsPacketReader {
 public:
  explicit TsPacketReader(InputFile& file) : file_(file) {}

  // Rewinds the file to the first packet of layout. Only counted reads move the progress bar.
  void Start(const TsLayout& layout, bool counted);

  // The 188 bytes of the next packet from its sync byte, valid until the next call; nullptr at
  // the end of the file, a partial last packet included.
  const uint8_t* NextPacket() {
    if (pos_ + kTsPacketSize <= avail_ && raw_[pos_] == kTsSyncByte) {
      const uint8_t* packet = raw_.get() + pos_;
      pos_ += packetSize_;
      return packet;
    }
    return NextPacketSlowly();
  }

  // File offset of the next packet's sync byte.
  uint64_t offset() const { return bufferOffset_ + pos_; }
  uint32_t packetSize() const { return packetSize_; }
  uint32_t syncLosses() const { return syncLosses_; }

 private:
  const uint8_t* NextPacketSlowly();
  // Makes bytes [pos_, pos_ + count) available; false when the file ends before.
  bool Ensure(uint32_t count);
  bool Resynchronise();

  InputFile& file_;
  std::unique_ptr<uint8_t[]> raw_;
  size_t pos_ = 0;    // the next packet's sync byte; may lie past avail_ until the next read
  size_t avail_ = 0;  // bytes in raw_
  uint64_t bufferOffset_ = 0;  // file offset of raw_[0]
  uint32_t packetSize_ = kTsPacketSize;
  uint32_t syncLosses_ = 0;
  bool counted_ = true;
  bool ended_ = false;
};

}  // namespace tessivo
