// The only way the analysis reads its input. Whatever the container, the parser is handed video
// bytes in blocks through ReadVideoBytes: the file blocks of an elementary stream, the
// payload of one video packet of a program or system stream, or the video payloads of a run of
// transport packets.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "input/demux.h"
#include "input/input_file.h"
#include "input/ts_demux.h"
#include "input/ts_layout.h"

namespace tessivo {

enum class Container : uint8_t { kElementary, kProgram, kTransport };

class FileReader {
 public:
  // program: the program_number whose video a transport stream gives, 0 for the first one.
  // blockSize: the size of the file reads, 0 for kFileBlockSize; it changes nothing but speed.
  FileReader(AnalysisObserver& observer, bool checkPackStartHdr, uint32_t program = 0,
             uint32_t blockSize = kFileBlockSize)
      : file_(observer, blockSize),
        demux_(file_, checkPackStartHdr),
        tsDemux_(file_),
        program_(program) {}

  bool OpenInputFile(const std::string& path);

  // The next block of video bytes, valid until the next call; empty only at the end of the
  // input, which closes the file.
  std::span<const uint8_t> ReadVideoBytes();
  // The same bytes copied out: up to count of them, a short count at the end of each block, 0 at
  // the end of the input.
  uint32_t ReadInput(uint8_t* destination, uint32_t count);

  // Rewinds the file and takes the video packets of a program or system stream from now on.
  void SwitchToDemux();
  // The layout of the opened file when its first 64 KiB begin a transport stream; the file is
  // left at its start either way.
  std::optional<TsLayout> DetectTransportStream();
  // Chooses the video of the transport stream and takes its bytes from now on.
  TsChoice SwitchToTransport(const TsLayout& layout);
  void CloseFile() { file_.Close(); }

  // Set once the bytes come from a container: GOP positions are then no file offsets.
  bool demuxMode() const { return container_ != Container::kElementary; }
  Container container() const { return container_; }
  uint32_t blockSize() const { return file_.blockSize(); }
  uint64_t fileLength() const { return file_.fileLength(); }
  uint64_t bytesRead() const { return file_.bytesRead(); }
  void ResetBytesRead() { file_.ResetBytesRead(); }
  const Demux& demux() const { return demux_; }
  const TsDemux& transport() const { return tsDemux_; }

 private:
  // A program-stream packet's payload fits in 65 536 bytes; the detection of transport packets
  // reads a little more.
  static constexpr uint32_t kBufferSize = 65536;
  static constexpr uint32_t kDetectionSize = kTsDetectionWindow + kTsChainBytes;

  std::span<const uint8_t> ReadRaw();

  InputFile file_;
  Demux demux_;
  TsDemux tsDemux_;
  const uint32_t program_;
  std::unique_ptr<uint8_t[]> buffer_;
  std::span<const uint8_t> pending_;  // what ReadInput has not copied out yet
  Container container_ = Container::kElementary;
  bool exhausted_ = false;
};

}  // namespace tessivo
