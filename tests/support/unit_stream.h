// Streams of pictures whose buffer units have exact sizes, so that a buffer curve or a
// per-second bitrate follows by hand from the sizes.
#pragma once

#include <vector>

#include "support/stream_builder.h"

namespace tessivo::test {

// Each picture's unit (the headers in front of it, its header, one slice and zero stuffing up
// to the next unit) is exactly the size asked for; the first unit also holds the sequence header,
// its extension and the GOP header that open the stream.
class UnitStream {
 public:
  UnitStream(const SequenceHeaderFields& header, const SequenceExtensionFields* extension,
             bool closedGop = true) {
    builder_.SequenceHeader(header);
    if (extension) builder_.SequenceExtension(*extension);
    builder_.Gop(0, 0, 0, 0, closedGop);
  }
  UnitStream& Add(char type, size_t unitBytes, uint16_t vbvDelay,
                  const PictureCodingFields* coding = nullptr) {
    builder_.Picture(type, vbvDelay);
    if (coding) builder_.PictureCodingExtension(*coding);
    builder_.Slice(5, 10);
    unitEnd_ += unitBytes;
    builder_.PadTo(unitEnd_);
    return *this;
  }
  // Headers that open the next unit.
  StreamBuilder& builder() { return builder_; }
  const std::vector<uint8_t>& bytes() const { return builder_.bytes(); }

 private:
  StreamBuilder builder_;
  size_t unitEnd_ = 0;
};

}  // namespace tessivo::test
