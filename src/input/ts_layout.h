// Where the packets of a transport stream lie: their size and the offset of the first sync byte,
// found by five packets in a row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tessivo {

// The first sync byte lies in the file's first 64 KiB. Five whole packets after an offset, and
// those after the offset 4 bytes on, lie within kTsChainBytes of it.
inline constexpr uint32_t kTsDetectionWindow = 65536;
inline constexpr uint32_t kTsChainPackets = 5;
inline constexpr uint32_t kLargestTsPacketSize = 204;
inline constexpr uint32_t kTsChainBytes = (kTsChainPackets - 1) * kLargestTsPacketSize + 188 + 4;
inline constexpr size_t kNoSyncChain = static_cast<size_t>(-1);

struct TsLayout {
  // 188; 192 with a 4-byte arrival time before each packet; 204 with 16 check bytes after it.
  uint32_t packetSize = 0;
  uint64_t firstSync = 0;  // file offset of the first packet's sync byte
};

// The first offset at or after from where packets of packetSize begin at least five times in a
// row within bytes[0, length). When toEnd is set, bytes end the file: a shorter run that reaches
// the end counts too. For 192-byte packets, a run that the arrival-time headers make (their first
// bytes change slowly and may be 0x47) gives way to the packets' own sync bytes right after it.
size_t FindSyncChain(const uint8_t* bytes, size_t length, size_t from, uint32_t packetSize,
                     bool toEnd);

// The layout when the first bytes of a file (at least up to kTsDetectionWindow + kTsChainBytes,
// or all of a shorter file) begin a transport stream.
std::optional<TsLayout> DetectTransportStream(const uint8_t* bytes, size_t length);

}  // namespace tessivo
