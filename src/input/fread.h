// The only way the analysis reads its input. Whatever the container, the parser is handed video
// bytes in blocks through ReadVideoBytes: 16 384-byte file blocks of an elementary stream, the
// payload of one video packet of a program or system stream, or the video payload of a run of
// transport packets.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "input/demux.h"
#include "input/input_file.h"

namespace tessivo {

inline constexpr uint32_t kFileBlockSize = 16384;

class FileReader {
 public:
  FileReader(AnalysisObserver& observer, bool checkPackStartHdr)
      : file_(observer), demux_(file_, checkPackStartHdr) {}

  bool OpenInputFile(const std::string& path);

  // The next block of video bytes, valid until the next call; empty only at the end of the
  // input, which closes the file.
  std::span<const uint8_t> ReadVideoBytes();
  // The same bytes copied out: up to count of them, a short count at the end of each block, 0 at
  // the end of the input.
  uint32_t ReadInput(uint8_t* destination, uint32_t count);

  // Rewinds the file and takes the video packets of a program or system stream from now on.
  void SwitchToDemux();
  void CloseFile() { file_.Close(); }

  // Set once the bytes come from a container: GOP positions are then no file offsets.
  bool demuxMode() const { return demuxMode_; }
  uint64_t fileLength() const { return file_.fileLength(); }
  uint64_t bytesRead() const { return file_.bytesRead(); }
  void ResetBytesRead() { file_.ResetBytesRead(); }
  const Demux& demux() const { return demux_; }

 private:
  static constexpr uint32_t kBufferSize = 65536;

  uint32_t ReadRaw();

  InputFile file_;
  Demux demux_;
  std::unique_ptr<uint8_t[]> buffer_;
  std::span<const uint8_t> pending_;  // what ReadInput has not copied out yet
  bool demuxMode_ = false;
  bool exhausted_ = false;
};

}  // namespace tessivo
