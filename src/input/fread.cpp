#include "input/fread.h"

#include <cstring>

namespace tessivo {

bool FileReader::OpenInputFile(const std::string& path) {
  pos_ = 0;
  demuxMode_ = false;
  primed_ = false;
  exhausted_ = false;
  avail_ = kNothingLoaded;
  if (!file_.Open(path)) return false;
  if (!buffer_) buffer_.reset(new uint8_t[kBufferSize]);
  return true;
}

void FileReader::SwitchToDemux() {
  demux_.DemuxStart(buffer_.get());
  demuxMode_ = true;
  pos_ = 0;
  avail_ = kNothingLoaded;
}

uint32_t FileReader::ReadRaw() {
  if (demuxMode_) return demux_.DemuxFill();
  return file_.Read(buffer_.get(), kBlockSize);
}

uint32_t FileReader::ReadInput(uint8_t* destination, uint32_t count) {
  if (exhausted_) return 0;
  if (!primed_ || avail_ == kNothingLoaded) {
    avail_ = ReadRaw();
    pos_ = 0;
    primed_ = true;
  }
  for (;;) {
    if (count <= avail_) {
      std::memcpy(destination, buffer_.get() + pos_, count);
      pos_ += count;
      avail_ -= count;
      return count;
    }
    if (avail_ > 0) {
      // Hand out what is left and read ahead; the caller asks again for the rest.
      const uint32_t handedOut = avail_;
      std::memcpy(destination, buffer_.get() + pos_, handedOut);
      avail_ = ReadRaw();
      pos_ = 0;
      return handedOut;
    }
    avail_ = ReadRaw();
    if (avail_ == 0) {
      file_.Close();
      exhausted_ = true;
      return 0;
    }
    pos_ = 0;
  }
}

}  // namespace tessivo
