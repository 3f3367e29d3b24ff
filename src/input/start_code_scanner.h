// The one start-code search of the input side. It resumes across buffers: the bytes of a prefix
// that one buffer ends inside are carried in its state, so every caller hands it the buffers it
// already has and none copies bytes for it.
#pragma once

#include <cstdint>

namespace tessivo {

class StartCodeScanner {
 public:
  // A new search: a start code must lie wholly in the bytes given from now on, so one never
  // overlaps the start code before it.
  void Restart() {
    window_ = 0;
    seen_ = 0;
  }

  // Continues the search over [begin, end). Returns the byte after the first start code that ends
  // there, and restarts; nullptr when none ends there, the last bytes then being carried.
  const uint8_t* Find(const uint8_t* begin, const uint8_t* end);

  // The start code found last: 0x100 plus its last byte.
  uint32_t code() const { return code_; }

  // Bytes given before the last buffer that may still begin a start code (at most 3), and the
  // i-th of them, oldest first.
  uint32_t carriedCount() const { return seen_ < 3 ? seen_ : 3; }
  uint8_t carried(uint32_t i) const {
    return static_cast<uint8_t>(window_ >> (8 * (carriedCount() - 1 - i)));
  }

 private:
  const uint8_t* Hit(const uint8_t* next, uint8_t lastByte) {
    code_ = 0x100u | lastByte;
    Restart();
    return next;
  }

  uint32_t window_ = 0;  // the last bytes of this search, newest in the low byte
  uint32_t seen_ = 0;    // bytes of this search so far, counted up to 4
  uint32_t code_ = 0;
};

}  // namespace tessivo
