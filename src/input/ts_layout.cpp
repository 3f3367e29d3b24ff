#include "input/ts_layout.h"

#include <algorithm>
#include <cstring>

#include "input/ts_packet.h"

namespace tessivo {

namespace {

constexpr uint32_t kPacketSizes[] = {188, 192, 204};

// Packets that begin at offset, offset + packetSize, ... count times, all whole in length bytes.
bool ChainAt(const uint8_t* bytes, size_t length, size_t offset, uint32_t packetSize,
             uint32_t count) {
  if (offset + size_t{count - 1} * packetSize + kTsPacketSize > length) return false;
  for (uint32_t i = 0; i < count; ++i) {
    if (!IsPlausiblePacketHeader(bytes + offset + size_t{i} * packetSize)) return false;
  }
  return true;
}

// Packets needed from offset: five, or at the end of the file as many whole ones as remain.
uint32_t PacketsNeeded(size_t length, size_t offset, uint32_t packetSize, bool toEnd) {
  if (!toEnd || offset + kTsPacketSize > length) return kTsChainPackets;
  const size_t whole = (length - offset - kTsPacketSize) / packetSize + 1;
  return static_cast<uint32_t>(std::min<size_t>(whole, kTsChainPackets));
}

}  // namespace

size_t FindSyncChain(const uint8_t* bytes, size_t length, size_t from, uint32_t packetSize,
                     bool toEnd) {
  for (size_t offset = from; offset < length;) {
    const void* sync = std::memchr(bytes + offset, kTsSyncByte, length - offset);
    if (!sync) return kNoSyncChain;
    offset = static_cast<size_t>(static_cast<const uint8_t*>(sync) - bytes);
    // Short of the end of the file, a run is looked for only where it and the one 4 bytes on
    // would be whole.
    if (!toEnd && offset + kTsChainBytes > length) return kNoSyncChain;
    if (ChainAt(bytes, length, offset, packetSize,
                PacketsNeeded(length, offset, packetSize, toEnd))) {
      if (packetSize == 192) {
        // The first or the second byte of a time stamp stays 0x47 over many packets; the third
        // and fourth change every few microseconds and do not.
        for (const size_t later : {offset + 4, offset + 3}) {
          if (ChainAt(bytes, length, later, packetSize,
                      PacketsNeeded(length, later, packetSize, toEnd))) {
            return later;
          }
        }
      }
      return offset;
    }
    ++offset;
  }
  return kNoSyncChain;
}

std::optional<TsLayout> DetectTransportStream(const uint8_t* bytes, size_t length) {
  const size_t searchEnd = std::min<size_t>(length, kTsDetectionWindow);
  for (size_t offset = 0; offset < searchEnd; ++offset) {
    const void* sync = std::memchr(bytes + offset, kTsSyncByte, searchEnd - offset);
    if (!sync) break;
    offset = static_cast<size_t>(static_cast<const uint8_t*>(sync) - bytes);
    for (const uint32_t packetSize : kPacketSizes) {
      if (!ChainAt(bytes, length, offset, packetSize, kTsChainPackets)) continue;
      // The run found is whole, so the search from it ends there or 3 or 4 bytes on.
      return TsLayout{packetSize, FindSyncChain(bytes, length, offset, packetSize, true)};
    }
  }
  return std::nullopt;
}

}  // namespace tessivo
