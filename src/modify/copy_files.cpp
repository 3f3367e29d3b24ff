#include "modify/copy_files.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace tessivo {

namespace {

bool SeekFile(std::FILE* file, uint64_t offset) {
#ifdef _WIN32
  return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

}  // namespace

CopyInput::CopyInput() : buffer_(std::make_unique<uint8_t[]>(kCopyBufferSize)) {}

CopyInput::~CopyInput() {
  if (file_) std::fclose(file_);
}

bool CopyInput::Open(const std::string& path) {
  std::error_code error;
  length_ = std::filesystem::file_size(path, error);
  if (error) return false;
  file_ = std::fopen(path.c_str(), "rb");
  return file_ != nullptr;
}

bool CopyInput::Seek(uint64_t offset) {
  fill_ = 0;
  index_ = 0;
  if (!SeekFile(file_, offset)) return false;
  offset_ = offset;
  return true;
}

bool CopyInput::Refill() {
  fill_ = static_cast<uint32_t>(std::fread(buffer_.get(), 1, kCopyBufferSize, file_));
  index_ = 0;
  return fill_ != 0;
}

CopyOutput::CopyOutput(PartialFileWatcher& watcher)
    : file_(&watcher), buffer_(std::make_unique<uint8_t[]>(kCopyBufferSize)) {}

bool CopyOutput::Create(const std::string& path) {
  return file_.Create(path);
}

void CopyOutput::Put(const uint8_t* bytes, size_t count) {
  while (count != 0) {
    const size_t room = std::min<size_t>(count, kCopyBufferSize - fill_);
    std::memcpy(buffer_.get() + fill_, bytes, room);
    fill_ += static_cast<uint32_t>(room);
    bytes += room;
    count -= room;
    if (fill_ == kCopyBufferSize) Flush();
  }
}

void CopyOutput::Flush() {
  if (fill_ != 0 && std::fwrite(buffer_.get(), 1, fill_, file_.get()) != fill_) failed_ = true;
  fill_ = 0;
}

bool CopyOutput::Commit() {
  Flush();
  return file_.Commit(!failed_);
}

}  // namespace tessivo
