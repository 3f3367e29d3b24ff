// The fields of one 188-byte transport packet, read through biTStream's accessors, and the few
// checks every reader of packets needs.
#pragma once

#include <bitstream/mpeg/ts.h>

#include <cstdint>

namespace tessivo {

inline constexpr uint8_t kTsSyncByte = 0x47;
inline constexpr uint32_t kTsPacketSize = TS_SIZE;
inline constexpr uint16_t kPatPid = 0x0000;
inline constexpr uint16_t kNullPid = 0x1FFF;
inline constexpr uint32_t kPidCount = 0x2000;

// adaptation_field_control 00 is reserved: such a packet carries nothing a decoder may use.
inline bool HasReservedAdaptationControl(const uint8_t* packet) {
  return !ts_has_payload(packet) && !ts_has_adaptation(packet);
}

// The first payload byte, or nullptr when the packet has no payload or its adaptation field
// claims more bytes than the packet holds.
inline const uint8_t* PayloadOf(const uint8_t* packet) {
  if (!ts_has_payload(packet)) return nullptr;
  if (!ts_has_adaptation(packet)) return packet + TS_HEADER_SIZE;
  const uint32_t start = TS_HEADER_SIZE + 1 + ts_get_adaptation(packet);
  return start < kTsPacketSize ? packet + start : nullptr;
}

// A discontinuity_indicator: the continuity counter may restart here without a loss.
inline bool SignalsDiscontinuity(const uint8_t* packet) {
  return ts_has_adaptation(packet) && ts_get_adaptation(packet) > 0 &&
         tsaf_has_discontinuity(packet);
}

// A header such as a multiplexer writes: a usable adaptation_field_control and an adaptation
// field that fits. Runs of 0x47 bytes and other data are told from packets by this.
inline bool IsPlausiblePacketHeader(const uint8_t* packet) {
  if (packet[0] != kTsSyncByte || HasReservedAdaptationControl(packet)) return false;
  if (!ts_has_adaptation(packet)) return true;
  const uint8_t length = ts_get_adaptation(packet);
  return ts_has_payload(packet) ? length <= 182 : length == 183;
}

}  // namespace tessivo
