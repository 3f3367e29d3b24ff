// The only way the analysis reads its input: 16 384-byte file blocks through one 65 536-byte
// buffer, or, after the switch, one demultiplexed video packet per refill.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "input/demux.h"
#include "input/input_file.h"

namespace tessivo {

class FileReader {
 public:
  FileReader(AnalysisObserver& observer, bool checkPackStartHdr)
      : file_(observer), demux_(file_, checkPackStartHdr) {}

  bool OpenInputFile(const std::string& path);
  // Copies up to count bytes; a short count is not the end, 0 is.
  uint32_t ReadInput(uint8_t* destination, uint32_t count);
  void SwitchToDemux();
  // Seeks the file to its start before the switch to the demultiplexer.
  void RewindFile() { file_.Rewind(); }
  void CloseFile() { file_.Close(); }

  bool demuxMode() const { return demuxMode_; }
  uint64_t fileLength() const { return file_.fileLength(); }
  uint64_t bytesRead() const { return file_.bytesRead(); }
  void ResetBytesRead() { file_.ResetBytesRead(); }
  const Demux& demux() const { return demux_; }

 private:
  static constexpr uint32_t kBufferSize = 65536;
  static constexpr uint32_t kBlockSize = 16384;
  static constexpr uint32_t kNothingLoaded = 0xFFFFFFFF;

  uint32_t ReadRaw();

  InputFile file_;
  Demux demux_;
  std::unique_ptr<uint8_t[]> buffer_;
  uint32_t pos_ = 0;
  uint32_t avail_ = kNothingLoaded;
  bool primed_ = false;
  bool demuxMode_ = false;
  bool exhausted_ = false;
};

}  // namespace tessivo
