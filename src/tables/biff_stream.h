// A BIFF8 record stream: little-endian fields inside records of type, length and body. Long
// bodies (the shared string table) continue in CONTINUE records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tessivo {

inline constexpr size_t kBiffMaxRecordBody = 8224;
inline constexpr uint16_t kBiffContinue = 0x003C;

class BiffStream {
 public:
  void BeginRecord(uint16_t type);
  void EndRecord();
  // Closes the open record and opens a CONTINUE record in its place.
  void ContinueRecord();

  // Body bytes the open record still has room for.
  size_t room() const { return kBiffMaxRecordBody - (bytes_.size() - recordStart_ - 4); }
  // Offset of the next byte from the start of the open record's header.
  size_t offsetInRecord() const { return bytes_.size() - recordStart_; }
  size_t size() const { return bytes_.size(); }

  void U8(uint8_t value) { bytes_ += static_cast<char>(value); }
  void U16(uint16_t value);
  void U32(uint32_t value);
  void F64(double value);
  void Zeros(size_t count) { bytes_.append(count, '\0'); }
  // An 8-bit-length string, 8-bit characters (sheet and font names).
  void ShortString(const std::string& latin1);

  void PatchU32(size_t position, uint32_t value);
  std::string& bytes() { return bytes_; }

 private:
  std::string bytes_;
  size_t recordStart_ = 0;
};

}  // namespace tessivo
