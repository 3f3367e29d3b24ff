#include "input/fread.h"

#include <algorithm>
#include <cstring>

namespace tessivo {

bool FileReader::OpenInputFile(const std::string& path) {
  demuxMode_ = false;
  exhausted_ = false;
  pending_ = {};
  if (!file_.Open(path)) return false;
  if (!buffer_) buffer_.reset(new uint8_t[kBufferSize]);
  return true;
}

void FileReader::SwitchToDemux() {
  demux_.DemuxStart(buffer_.get());
  demuxMode_ = true;
  pending_ = {};
}

uint32_t FileReader::ReadRaw() {
  if (demuxMode_) return demux_.DemuxFill();
  return file_.Read(buffer_.get(), kFileBlockSize);
}

std::span<const uint8_t> FileReader::ReadVideoBytes() {
  if (exhausted_) return {};
  const uint32_t count = ReadRaw();
  if (count == 0) {
    file_.Close();
    exhausted_ = true;
    return {};
  }
  return {buffer_.get(), count};
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
