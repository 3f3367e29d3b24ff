// Where each field sits in the first 64 bits after a sequence header's start code, most
// significant bit first. The decoder reads from this table and the patcher writes through it.
#pragma once

#include <array>
#include <cstdint>

namespace tessivo {

using SequenceHeaderBytes = std::array<uint8_t, 8>;

struct HeaderField {
  int shift;
  int width;
};

inline constexpr HeaderField kHorizontalSizeField{52, 12};  // horizontal_size_value
inline constexpr HeaderField kVerticalSizeField{40, 12};    // vertical_size_value
inline constexpr HeaderField kAspectRatioField{36, 4};      // aspect_ratio_information
inline constexpr HeaderField kFrameRateField{32, 4};        // frame_rate_code
inline constexpr HeaderField kBitRateField{14, 18};         // bit_rate_value
inline constexpr HeaderField kVbvBufferSizeField{3, 10};    // vbv_buffer_size_value
inline constexpr HeaderField kConstrainedField{2, 1};       // constrained_parameters_flag

constexpr uint64_t FieldMask(HeaderField field) {
  return ((uint64_t{1} << field.width) - 1) << field.shift;
}

constexpr uint64_t PutField(uint64_t word, HeaderField field, uint64_t value) {
  return (word & ~FieldMask(field)) | ((value << field.shift) & FieldMask(field));
}

constexpr uint64_t GetField(uint64_t word, HeaderField field) {
  return (word & FieldMask(field)) >> field.shift;
}

constexpr uint64_t HeaderWord(const SequenceHeaderBytes& bytes) {
  uint64_t word = 0;
  for (uint8_t byte : bytes) word = word << 8 | byte;
  return word;
}

constexpr SequenceHeaderBytes HeaderBytesOf(uint64_t word) {
  SequenceHeaderBytes bytes{};
  for (int i = 7; i >= 0; --i, word >>= 8) bytes[i] = static_cast<uint8_t>(word);
  return bytes;
}

}  // namespace tessivo
