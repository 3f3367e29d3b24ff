#include "input/demux.h"

#include <algorithm>
#include <cstring>

#include "input/start_codes.h"

namespace tessivo {

void Demux::DemuxStart(uint8_t* output) {
  output_ = output;
  inputEnded_ = false;
  rawPos_ = 0;
  rawAvail_ = 0;
  delivered_ = {};
  skippedVideoPackets_ = 0;
  if (!raw_) raw_.reset(new uint8_t[input_.blockSize()]);
  input_.Rewind();
}

std::span<const uint8_t> Demux::DemuxFill() {
  bool packSeen = false;
  for (;;) {
    const uint32_t code = DemuxNextStartCode();
    switch (code) {
      case kProgramEndCode:
        // Packs may follow a program end code; only the end of the file ends the stream.
        if (inputEnded_) return {};
        continue;
      case kPackStartCode:
        packSeen = true;
        continue;
      case kVideoStream0:
      case kAudioStream0:
      case kPrivateStream1:
      case kPaddingStream:
      case kPrivateStream2: {
        if (checkPackStartHdr_) {
          if (!packSeen) {
            if (code == kVideoStream0) ++skippedVideoPackets_;
            continue;
          }
          packSeen = false;
        }
        delivered_ = {};
        const uint8_t result = DemuxReadPacket(static_cast<uint8_t>(code & 0xFF));
        if (result == kPacketDelivered) return delivered_;
        if (result == kInputEndedInAudio) return {};
        continue;
      }
      case kSystemHeaderStartCode:
      default:
        continue;
    }
  }
}

bool Demux::RefillRaw() {
  if (inputEnded_) return false;
  rawAvail_ = input_.Read(raw_.get(), input_.blockSize());
  rawPos_ = 0;
  if (rawAvail_ == 0) inputEnded_ = true;
  return rawAvail_ != 0;
}

bool Demux::DemuxGetByte(uint8_t& byte) {
  if (rawPos_ == rawAvail_ && !RefillRaw()) return false;
  byte = raw_[rawPos_++];
  return true;
}

uint32_t Demux::DemuxNextStartCode() {
  scanner_.Restart();
  for (;;) {
    if (rawPos_ == rawAvail_ && !RefillRaw()) return kProgramEndCode;
    const uint8_t* buffer = raw_.get();
    const uint8_t* next = scanner_.Find(buffer + rawPos_, buffer + rawAvail_);
    if (next) {
      rawPos_ = static_cast<uint32_t>(next - buffer);
      return scanner_.code();
    }
    rawPos_ = rawAvail_;
  }
}

uint8_t Demux::DemuxReadPacket(uint8_t id) {
  uint8_t high = 0;
  uint8_t low = 0;
  if (!DemuxGetByte(high) || !DemuxGetByte(low)) return kPacketNotDelivered;
  const uint32_t packetLength = uint32_t{high} << 8 | low;
  if (packetLength == 0) return kPacketNotDelivered;

  if (id != videoId_ && id != audioId_) {
    const uint8_t kind = id >> 4;
    if (id >= 0xBC && id <= 0xBF) {
      SkipRaw(packetLength);
      return kPacketNotDelivered;
    }
    if (kind == 0xC || kind == 0xD) {
      // The first packet of an audio stream only names it; later ones are read like video.
      audioId_ = id;
      SkipRaw(packetLength);
      return kPacketNotDelivered;
    }
    if (kind != 0xE || (videoId_ != 0 && videoId_ != id)) {
      SkipRaw(packetLength);
      return kPacketNotDelivered;
    }
    videoId_ = id;
  }

  const int32_t headerLength = ReadPacketHeader(packetLength);
  if (headerLength < 0) return kPacketNotDelivered;
  const int32_t payload = static_cast<int32_t>(packetLength) - headerLength;
  if (payload <= 0) return kPacketNotDelivered;
  const auto payloadLength = static_cast<uint32_t>(payload);
  if (id == videoId_) {
    delivered_ = TakeRaw(payloadLength);
    return kPacketDelivered;
  }
  return SkipRaw(payloadLength) < payloadLength ? kInputEndedInAudio : kPacketNotDelivered;
}

int32_t Demux::ReadPacketHeader(uint32_t packetLength) {
  uint32_t remaining = packetLength;
  auto take = [&](uint8_t& byte) {
    if (remaining == 0 || !DemuxGetByte(byte)) return false;
    --remaining;
    return true;
  };
  auto skip = [&](uint32_t count) {
    const uint32_t wanted = std::min(count, remaining);
    const uint32_t skipped = SkipRaw(wanted);
    remaining -= skipped;
    return skipped == count;
  };

  uint8_t b = 0;
  if (!take(b)) return -1;
  while (b == 0xFF) {  // MPEG-1 stuffing
    if (!take(b)) return -1;
  }
  if (b >= 0x80) {
    // MPEG-2 PES header: two flag bytes, then PES_header_data_length bytes.
    uint8_t flags = 0;
    uint8_t headerDataLength = 0;
    if (!take(flags) || !take(headerDataLength) || !skip(headerDataLength)) return -1;
  } else {
    if ((b >> 6) == 0x1) {  // STD_buffer_scale and STD_buffer_size
      uint8_t bufferSize = 0;
      if (!take(bufferSize) || !take(b)) return -1;
    }
    if ((b >> 4) == 0x2) {  // PTS only
      if (!skip(4)) return -1;
    } else if ((b >> 4) == 0x3) {  // PTS and DTS
      if (!skip(9)) return -1;
    }
  }
  return static_cast<int32_t>(packetLength - remaining);
}

std::span<const uint8_t> Demux::TakeRaw(uint32_t count) {
  if (rawAvail_ - rawPos_ >= count) {
    const std::span<const uint8_t> bytes(raw_.get() + rawPos_, count);
    rawPos_ += count;
    return bytes;
  }
  return {output_, CopyRaw(output_, count)};
}

uint32_t Demux::CopyRaw(uint8_t* destination, uint32_t count) {
  uint32_t copied = 0;
  while (copied < count) {
    if (rawPos_ == rawAvail_ && !RefillRaw()) break;
    const uint32_t chunk = std::min(count - copied, rawAvail_ - rawPos_);
    std::memcpy(destination + copied, raw_.get() + rawPos_, chunk);
    rawPos_ += chunk;
    copied += chunk;
  }
  return copied;
}

uint32_t Demux::SkipRaw(uint32_t count) {
  uint32_t skipped = 0;
  while (skipped < count) {
    if (rawPos_ == rawAvail_ && !RefillRaw()) break;
    const uint32_t chunk = std::min(count - skipped, rawAvail_ - rawPos_);
    rawPos_ += chunk;
    skipped += chunk;
  }
  return skipped;
}

}  // namespace tessivo
