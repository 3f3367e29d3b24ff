#include "input/input_file.h"

#include <filesystem>
#include <system_error>

namespace tessivo {

bool InputFile::Open(const std::string& path) {
  Close();
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  const auto length = std::filesystem::file_size(path, error);
  if (error) return false;
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) return false;
  // The reader does its own block buffering; a second buffer would only add a copy.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  fileLength_ = length;
  return true;
}

void InputFile::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

uint32_t InputFile::Read(uint8_t* destination, uint32_t count) {
  if (!file_) return 0;
  const auto got = static_cast<uint32_t>(std::fread(destination, 1, count, file_));
  bytesRead_ += got;
  UpdateProgress();
  return got;
}

uint32_t InputFile::ReadUncounted(uint8_t* destination, uint32_t count) {
  if (!file_) return 0;
  return static_cast<uint32_t>(std::fread(destination, 1, count, file_));
}

void InputFile::Rewind() {
  if (file_) std::rewind(file_);
}

void InputFile::UpdateProgress() {
  if (fileLength_ == 0) return;
  const uint64_t percent = bytesRead_ * 100 / fileLength_;
  observer_.UpdateProgress(percent > 100 ? 100 : static_cast<uint32_t>(percent));
}

}  // namespace tessivo
