#include "tables/biff_stream.h"

#include <bit>

namespace tessivo {

void BiffStream::BeginRecord(uint16_t type) {
  recordStart_ = bytes_.size();
  U16(type);
  U16(0);  // length, set by EndRecord
}

void BiffStream::EndRecord() {
  const size_t length = bytes_.size() - recordStart_ - 4;
  bytes_[recordStart_ + 2] = static_cast<char>(length & 0xFF);
  bytes_[recordStart_ + 3] = static_cast<char>(length >> 8);
}

void BiffStream::ContinueRecord() {
  EndRecord();
  BeginRecord(kBiffContinue);
}

void BiffStream::U16(uint16_t value) {
  U8(static_cast<uint8_t>(value));
  U8(static_cast<uint8_t>(value >> 8));
}

void BiffStream::U32(uint32_t value) {
  U16(static_cast<uint16_t>(value));
  U16(static_cast<uint16_t>(value >> 16));
}

void BiffStream::F64(double value) {
  const auto bits = std::bit_cast<uint64_t>(value);
  U32(static_cast<uint32_t>(bits));
  U32(static_cast<uint32_t>(bits >> 32));
}

void BiffStream::ShortString(const std::string& latin1) {
  U8(static_cast<uint8_t>(latin1.size()));
  U8(0);  // 8-bit characters
  bytes_ += latin1;
}

void BiffStream::PatchU32(size_t position, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes_[position + i] = static_cast<char>(value >> (8 * i));
}

}  // namespace tessivo
