// The video buffering verifier: the decoder's input buffer over the pictures of an analysis.
//
// Constant rate (every vbv_delay other than 0xFFFF): bits enter at bit_rate from the first byte
// of the stream on; the first picture is decoded its vbv_delay (90 kHz ticks) after its start
// code has entered, every later one when the display process calls for it (DecodingSchedule).
// More bits than vbv_buffer_size just before a removal is an overflow. Each picture's own
// vbv_delay also tells what the encoder meant to be in the buffer; that figure is kept beside
// the one integrated from the rate.
//
// Variable rate (vbv_delay 0xFFFF): bits enter at bit_rate while the buffer is not full; the
// first picture is decoded once it is full (or holds the whole stream), the later ones as
// above. Only underflow can occur.
//
// In both, a picture leaves whole at its decoding time, with the sequence and GOP headers in
// front of it. A picture not wholly in the buffer by then is an underflow: the decoder waits
// for its last bit and the pictures after it follow from there, so each event marks a picture
// the stream delivered late, not the ones merely delayed by it. In a low_delay sequence such a
// picture is decoded at the first frame period after it is complete: a late picture, which the
// standard allows there, not an underflow.
#pragma once

#include <cstdint>
#include <vector>

#include "mpeg/record_stores.h"
#include "mpeg/time_code.h"

namespace tessivo {

enum class VbvMode : uint8_t {
  kNone,  // no facts (a loaded result file), no pictures, or no bit rate to fill at
  kConstantRate,
  kVariableRate,
};

enum class VbvEventKind : uint8_t { kUnderflow, kOverflow, kLatePicture };

struct VbvPicture {
  double decodingTime;   // seconds from the first bit entering the buffer
  int64_t before;        // bits in the buffer just before the picture leaves
  int64_t after;         // and just after
  int64_t fromVbvDelay;  // constant rate: the fill before removal that the vbv_delay implies
};

struct VbvEvent {
  VbvEventKind kind;
  uint32_t picture;
  char type;
  uint32_t gop;  // kNoGop before the first GOP
  uint32_t second;
  TimeCode timeCode;
  uint64_t position;  // stream byte count just after the picture start code
  double time;        // underflow: when it was due; otherwise its decoding time, seconds
  int64_t bits;       // underflow and late picture: bits missing when it was due;
                      // overflow: bits above the buffer size
};

struct VbvResult {
  VbvMode mode = VbvMode::kNone;
  std::vector<VbvPicture> pictures;  // one per picture record when mode is not kNone
  std::vector<VbvEvent> events;      // in picture order
  uint32_t underflowCount = 0;
  uint32_t overflowCount = 0;
};

VbvResult SimulateVbv(const RecordStores& stores);

}  // namespace tessivo
