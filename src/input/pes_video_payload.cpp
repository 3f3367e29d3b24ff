#include "input/pes_video_payload.h"

#include <bitstream/mpeg/pes.h>

#include <algorithm>

namespace tessivo {

std::span<const uint8_t> PesVideoPayload::Take(const uint8_t* payload, const uint8_t* end,
                                               bool unitStart) {
  const uint8_t* p = payload;
  if (unitStart) {
    state_ = State::kHeader;
    headerUsed_ = 0;
  }
  if (state_ == State::kHeader && !TakeHeader(p, end)) return {};
  if (state_ == State::kSkipHeader) {
    const auto skipped = static_cast<uint32_t>(std::min<ptrdiff_t>(toSkip_, end - p));
    p += skipped;
    toSkip_ -= skipped;
    if (toSkip_ > 0) return {};
    state_ = bounded_ ? State::kBounded : State::kUnbounded;
  }
  switch (state_) {
    case State::kUnbounded:
      return {p, static_cast<size_t>(end - p)};
    case State::kBounded: {
      const auto taken = static_cast<uint32_t>(std::min<ptrdiff_t>(remaining_, end - p));
      remaining_ -= taken;
      if (remaining_ == 0) state_ = State::kIgnore;
      return {p, taken};
    }
    default:
      return {};
  }
}

bool PesVideoPayload::TakeHeader(const uint8_t*& p, const uint8_t* end) {
  while (headerUsed_ < kFixedHeaderSize && p < end) header_[headerUsed_++] = *p++;
  if (headerUsed_ < kFixedHeaderSize) return false;
  // Only video stream ids with the MPEG-2 header syntax, the one transport streams carry.
  if (!pes_validate(header_) || (pes_get_streamid(header_) & 0xF0) != PES_STREAM_ID_VIDEO_MPEG ||
      !pes_validate_header(header_)) {
    state_ = State::kIgnore;
    return false;
  }
  const uint32_t packetLength = pes_get_length(header_);
  toSkip_ = pes_get_headerlength(header_);
  const uint32_t afterLength = PES_HEADER_OPTIONAL_SIZE + toSkip_;
  if (packetLength != 0 && packetLength <= afterLength) {
    state_ = State::kIgnore;
    return false;
  }
  bounded_ = packetLength != 0;
  remaining_ = bounded_ ? packetLength - afterLength : 0;
  state_ = State::kSkipHeader;
  return true;
}

void PesVideoPayload::OnGap() {
  if (state_ == State::kBounded) {
    state_ = State::kUnbounded;
  } else if (state_ == State::kHeader || state_ == State::kSkipHeader) {
    state_ = State::kIgnore;
  }
}

}  // namespace tessivo
