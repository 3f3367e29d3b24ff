// The video bytes of the PES packets on one PID: PES headers stripped by their
// PES_header_data_length, a packet's end taken from its PES_packet_length, or from the next
// packet start when that length is 0 (unbounded, as video usually is).
#pragma once

#include <cstdint>
#include <span>

namespace tessivo {

class PesVideoPayload {
 public:
  // Before the first PES start of a PID the bytes are taken as they come: a recording that
  // begins inside a PES packet still has its video bytes.
  void Reset() { state_ = State::kUnbounded; }
  // A new PID: nothing counts until its first PES start.
  void WaitForStart() { state_ = State::kIgnore; }

  // The video bytes among [payload, end), the payload of the PID's next transport packet;
  // unitStart marks a PES packet beginning there.
  std::span<const uint8_t> Take(const uint8_t* payload, const uint8_t* end, bool unitStart);

  // Transport packets of the PID were lost: a counted packet end no longer holds, and a header
  // cut short cannot be measured.
  void OnGap();

 private:
  // The part of a PES header that holds its lengths.
  static constexpr uint32_t kFixedHeaderSize = 9;

  enum class State : uint8_t { kHeader, kSkipHeader, kBounded, kUnbounded, kIgnore };

  bool TakeHeader(const uint8_t*& p, const uint8_t* end);

  State state_ = State::kUnbounded;
  uint8_t header_[kFixedHeaderSize] = {};
  uint32_t headerUsed_ = 0;
  uint32_t toSkip_ = 0;
  bool bounded_ = false;
  uint32_t remaining_ = 0;  // video bytes left in a bounded PES packet
};

}  // namespace tessivo
