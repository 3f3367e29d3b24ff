// An output file that takes its name only once it is complete: it is written as NAME.partial
// and renamed on Commit; a file that is not committed is removed.
#pragma once

#include <cstdio>
#include <string>

namespace tessivo {

class PartialFile {
 public:
  PartialFile() = default;
  ~PartialFile();
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;

  bool Create(const std::string& path);
  std::FILE* get() const { return file_; }
  // Closes the file and gives it its name; false, with the partial file removed, when the
  // writes reported failure, the close failed or the rename did.
  bool Commit(bool written);

 private:
  void Discard();

  std::string path_;
  std::string partialPath_;
  std::FILE* file_ = nullptr;
};

}  // namespace tessivo
