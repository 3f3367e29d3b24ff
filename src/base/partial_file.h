// An output file that takes its name only once it is complete. It is written under a fresh
// temporary name of its own in the target's folder, created exclusively (never an existing file
// or link), and renamed over the target on Commit; a file that is not committed is removed.
#pragma once

#include <cstdio>
#include <string>

#include "base/partial_file_watcher.h"

namespace tessivo {

class PartialFile {
 public:
  // The watcher, if any, is told the temporary name while it exists.
  explicit PartialFile(PartialFileWatcher* observer = nullptr) : observer_(observer) {}
  ~PartialFile();
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;

  bool Create(const std::string& path);
  std::FILE* get() const { return file_; }
  // Closes the file and gives it its name; false, with the temporary file removed, when the
  // writes reported failure, the close failed or the rename did.
  bool Commit(bool written);

 private:
  void Discard();
  void Forget();

  PartialFileWatcher* observer_;
  std::string path_;
  std::string temporaryPath_;
  std::FILE* file_ = nullptr;
};

}  // namespace tessivo
