// The analysed file: opened read-only, read in blocks, rewound for the demultiplexer. Every read
// counts towards bytesRead and moves the progress bar.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "base/analysis_observer.h"

namespace tessivo {

// The size of the analysis's file reads, whatever the container.
inline constexpr uint32_t kFileBlockSize = 16384;

class InputFile {
 public:
  explicit InputFile(AnalysisObserver& observer) : observer_(observer) {}
  ~InputFile() { Close(); }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool Open(const std::string& path);
  void Close();
  bool isOpen() const { return file_ != nullptr; }

  // Reads up to count bytes; a read error counts as the end of the input (0).
  uint32_t Read(uint8_t* destination, uint32_t count);
  // The same without counting them as read: for looking at a file before the analysis reads it.
  uint32_t ReadUncounted(uint8_t* destination, uint32_t count);
  void Rewind();

  uint64_t fileLength() const { return fileLength_; }
  uint64_t bytesRead() const { return bytesRead_; }
  void ResetBytesRead() { bytesRead_ = 0; }

 private:
  void UpdateProgress();

  AnalysisObserver& observer_;
  std::FILE* file_ = nullptr;
  uint64_t fileLength_ = 0;
  uint64_t bytesRead_ = 0;
};

}  // namespace tessivo
