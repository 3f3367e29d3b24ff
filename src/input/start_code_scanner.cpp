#include "input/start_code_scanner.h"

#include "input/start_code_search.h"

namespace tessivo {

const uint8_t* StartCodeScanner::Find(const uint8_t* begin, const uint8_t* end) {
  const auto length = static_cast<size_t>(end - begin);
  // A start code begun in earlier buffers ends within the first three bytes of this one; a
  // buffer too short for a whole start code is looked at byte by byte.
  const uint8_t* byteWiseEnd = length < 4 ? end : begin + (seen_ == 0 ? 0 : 3);
  for (const uint8_t* p = begin; p < byteWiseEnd; ++p) {
    window_ = window_ << 8 | *p;
    if (seen_ < 4) ++seen_;
    if (seen_ == 4 && (window_ >> 8) == 1) return Hit(p + 1, *p);
  }
  if (length < 4) return nullptr;
  // Every start code that can still begin lies wholly in [begin, end).
  const uint8_t* prefix = FindStartCodePrefix(begin, end - 1);
  if (prefix) return Hit(prefix + 4, prefix[3]);
  window_ = LoadBigEndian32(end - 4);
  seen_ = 4;
  return nullptr;
}

}  // namespace tessivo
