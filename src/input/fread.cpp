#include "input/fread.h"

#include <algorithm>
#include <cstring>

namespace tessivo {

bool FileReader::OpenInputFile(const std::string& path) {
  container_ = Container::kElementary;
  exhausted_ = false;
  pending_ = {};
  if (!file_.Open(path)) return false;
  if (!buffer_) buffer_.reset(new uint8_t[std::max(kDetectionSize, file_.blockSize())]);
  return true;
}

void FileReader::SwitchToDemux() {
  demux_.DemuxStart(buffer_.get());
  container_ = Container::kProgram;
  pending_ = {};
}

std::optional<TsLayout> FileReader::DetectTransportStream() {
  file_.Rewind();
  const uint32_t got = file_.ReadUncounted(buffer_.get(), kDetectionSize);
  file_.Rewind();
  return tessivo::DetectTransportStream(buffer_.get(), got);
}

TsChoice FileReader::SwitchToTransport(const TsLayout& layout) {
  container_ = Container::kTransport;
  pending_ = {};
  return tsDemux_.Choose(layout, program_);
}

std::span<const uint8_t> FileReader::ReadRaw() {
  switch (container_) {
    case Container::kProgram:
      return demux_.DemuxFill();
    case Container::kTransport:
      return {buffer_.get(), tsDemux_.DemuxFill(buffer_.get(), kBufferSize)};
    case Container::kElementary:
      break;
  }
  // Straight into the buffer the parser scans.
  return {buffer_.get(), file_.Read(buffer_.get(), file_.blockSize())};
}

std::span<const uint8_t> FileReader::ReadVideoBytes() {
  if (exhausted_) return {};
  const std::span<const uint8_t> bytes = ReadRaw();
  if (bytes.empty()) {
    file_.Close();
    exhausted_ = true;
  }
  return bytes;
}

uint32_t FileReader::ReadInput(uint8_t* destination, uint32_t count) {
  if (pending_.empty()) pending_ = ReadVideoBytes();
  const auto handedOut = static_cast<uint32_t>(std::min<size_t>(count, pending_.size()));
  if (handedOut == 0) return 0;
  std::memcpy(destination, pending_.data(), handedOut);
  pending_ = pending_.subspan(handedOut);
  return handedOut;
}

}  // namespace tessivo
