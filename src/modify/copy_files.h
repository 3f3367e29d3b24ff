// The patcher's input and output: raw bytes through 16 384-byte buffers, 64-bit offsets, and an
// output that exists under its name only once it is complete.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

#include "base/partial_file.h"

namespace tessivo {

inline constexpr uint32_t kCopyBufferSize = 16384;

class CopyInput {
 public:
  CopyInput();
  ~CopyInput();
  CopyInput(const CopyInput&) = delete;
  CopyInput& operator=(const CopyInput&) = delete;

  bool Open(const std::string& path);
  bool Seek(uint64_t offset);
  uint64_t length() const { return length_; }
  // Offset of the next byte Take would give.
  uint64_t offset() const { return offset_; }

  // The buffered bytes not yet taken, refilled when none are left; empty at the end of the input.
  std::span<const uint8_t> Buffered() {
    if (index_ == fill_ && !Refill()) return {};
    return {buffer_.get() + index_, fill_ - index_};
  }
  void Consume(size_t count) {
    index_ += static_cast<uint32_t>(count);
    offset_ += count;
  }

  // A failed read counts as the end of the input.
  bool Take(uint8_t& byte) {
    if (index_ == fill_ && !Refill()) return false;
    byte = buffer_[index_++];
    ++offset_;
    return true;
  }

 private:
  bool Refill();

  std::FILE* file_ = nullptr;
  std::unique_ptr<uint8_t[]> buffer_;
  uint32_t fill_ = 0;
  uint32_t index_ = 0;
  uint64_t length_ = 0;
  uint64_t offset_ = 0;
};

// Written under a temporary name and renamed to NAME on Commit; otherwise the file goes.
class CopyOutput {
 public:
  explicit CopyOutput(PartialFileWatcher& watcher);

  bool Create(const std::string& path);
  void Put(uint8_t byte) {
    buffer_[fill_++] = byte;
    if (fill_ == kCopyBufferSize) Flush();
  }
  void Put(const uint8_t* bytes, size_t count);
  // False when any write failed or the file cannot take its name.
  bool Commit();

 private:
  void Flush();

  PartialFile file_;
  std::unique_ptr<uint8_t[]> buffer_;
  uint32_t fill_ = 0;
  bool failed_ = false;
};

}  // namespace tessivo
