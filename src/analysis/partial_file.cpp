#include "analysis/partial_file.h"

#include <filesystem>
#include <system_error>

namespace tessivo {

PartialFile::~PartialFile() {
  Discard();
}

bool PartialFile::Create(const std::string& path) {
  Discard();
  path_ = path;
  partialPath_ = path + ".partial";
  file_ = std::fopen(partialPath_.c_str(), "wb");
  return file_ != nullptr;
}

bool PartialFile::Commit(bool written) {
  if (!file_) return false;
  written = std::fclose(file_) == 0 && written;
  file_ = nullptr;
  std::error_code error;
  if (written) std::filesystem::rename(partialPath_, path_, error);
  if (written && !error) return true;
  std::filesystem::remove(partialPath_, error);
  return false;
}

void PartialFile::Discard() {
  if (!file_) return;
  std::fclose(file_);
  file_ = nullptr;
  std::error_code error;
  std::filesystem::remove(partialPath_, error);
}

}  // namespace tessivo
