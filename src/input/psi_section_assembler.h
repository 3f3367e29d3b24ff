// Reassembles the PSI sections of one PID from its transport packets into a buffer of its own:
// a section may span packets, and one packet may end a section and begin others.
#pragma once

#include <bitstream/mpeg/psi/psi.h>

#include <cstdint>
#include <cstring>

#include "input/ts_packet.h"

namespace tessivo {

// The largest PAT or PMT section, header included.
inline constexpr uint32_t kLargestSection = PSI_MAX_SIZE + PSI_HEADER_SIZE;

class SectionAssembler {
 public:
  void Reset() {
    used_ = 0;
    assembling_ = false;
    counterKnown_ = false;
  }

  // Takes one packet of the PID and calls onSection(section) for each section it completes.
  // The sections are not checked beyond their length; a gap in the continuity counter drops the
  // section under way.
  template <typename OnSection>
  void Feed(const uint8_t* packet, OnSection&& onSection) {
    const uint8_t* payload = PayloadOf(packet);
    if (!payload) return;
    const uint8_t counter = ts_get_cc(packet);
    if (counterKnown_ && counter == lastCounter_) return;  // a duplicate packet
    if (counterKnown_ && counter != ((lastCounter_ + 1) & 0xF)) assembling_ = false;
    lastCounter_ = counter;
    counterKnown_ = true;

    const uint8_t* end = packet + kTsPacketSize;
    const uint8_t* p = payload;
    if (!ts_get_unitstart(packet)) {
      if (assembling_) Append(p, end, onSection);
      return;
    }
    // pointer_field: the bytes before the first new section end the one under way.
    const uint8_t pointer = *p++;
    if (pointer > end - p) {
      assembling_ = false;
      return;
    }
    if (assembling_) Append(p, p + pointer, onSection);
    assembling_ = false;
    p += pointer;
    // Sections follow one another until stuffing (0xFF) or the end of the packet.
    while (p < end && *p != 0xFF) {
      assembling_ = true;
      used_ = 0;
      p = Append(p, end, onSection);
      if (assembling_) break;  // it goes on in the next packet
    }
  }

 private:
  template <typename OnSection>
  const uint8_t* Append(const uint8_t* p, const uint8_t* end, OnSection& onSection) {
    if (used_ < PSI_HEADER_SIZE) {
      while (used_ < PSI_HEADER_SIZE && p < end) buffer_[used_++] = *p++;
      if (used_ < PSI_HEADER_SIZE) return p;
    }
    const uint32_t total = psi_get_length(buffer_) + PSI_HEADER_SIZE;
    if (total > kLargestSection) {
      assembling_ = false;
      return end;
    }
    const auto count = static_cast<uint32_t>(end - p) < total - used_
                           ? static_cast<uint32_t>(end - p)
                           : total - used_;
    std::memcpy(buffer_ + used_, p, count);
    used_ += count;
    p += count;
    if (used_ == total) {
      assembling_ = false;
      onSection(static_cast<uint8_t*>(buffer_));
    }
    return p;
  }

  uint8_t buffer_[kLargestSection];
  uint32_t used_ = 0;
  bool assembling_ = false;
  bool counterKnown_ = false;
  uint8_t lastCounter_ = 0;
};

}  // namespace tessivo
