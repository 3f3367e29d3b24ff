#include "support/stream_builder.h"

#include <algorithm>

namespace tessivo::test {

StreamBuilder& StreamBuilder::Bytes(std::initializer_list<uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes);
  return *this;
}

StreamBuilder& StreamBuilder::Bytes(const std::vector<uint8_t>& bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

StreamBuilder& StreamBuilder::StartCode(uint8_t code) {
  return Bytes({0x00, 0x00, 0x01, code});
}

StreamBuilder& StreamBuilder::SequenceHeader(const SequenceHeaderFields& f) {
  StartCode(0xB3);
  const uint8_t b6 =
      static_cast<uint8_t>((f.bitRateValue & 0x3) << 6 | 1 << 5 | ((f.vbvBufferSize >> 5) & 0x1F));
  const uint8_t b7 = static_cast<uint8_t>((f.vbvBufferSize & 0x1F) << 3 |
                                          (f.constrained ? 1 : 0) << 2 | (f.lowBitsOfByte7 & 0x3));
  return Bytes({static_cast<uint8_t>(f.width >> 4),
                static_cast<uint8_t>((f.width & 0xF) << 4 | (f.height >> 8)),
                static_cast<uint8_t>(f.height & 0xFF),
                static_cast<uint8_t>(f.aspectRatioCode << 4 | (f.frameRateCode & 0xF)),
                static_cast<uint8_t>(f.bitRateValue >> 10),
                static_cast<uint8_t>((f.bitRateValue >> 2) & 0xFF), b6, b7});
}

StreamBuilder& StreamBuilder::SequenceExtension(uint8_t profileLevel, bool progressiveSequence,
                                                uint8_t chromaFormat) {
  SequenceExtensionFields fields;
  fields.profileLevel = profileLevel;
  fields.progressiveSequence = progressiveSequence;
  fields.chromaFormat = chromaFormat;
  return SequenceExtension(fields);
}

StreamBuilder& StreamBuilder::SequenceExtension(const SequenceExtensionFields& f) {
  StartCode(0xB5);
  return Bytes(
      {static_cast<uint8_t>(0x10 | f.profileLevel >> 4),
       static_cast<uint8_t>((f.profileLevel & 0xF) << 4 | (f.progressiveSequence ? 8 : 0) |
                            (f.chromaFormat & 0x3) << 1 | (f.horizontalSizeExtension >> 1 & 0x1)),
       static_cast<uint8_t>((f.horizontalSizeExtension & 0x1) << 7 |
                            (f.verticalSizeExtension & 0x3) << 5 |
                            (f.bitRateExtension >> 7 & 0x1F)),
       static_cast<uint8_t>((f.bitRateExtension & 0x7F) << 1 | 1),  // marker bit
       f.vbvBufferSizeExtension,
       static_cast<uint8_t>((f.lowDelay ? 0x80 : 0) | (f.frameRateExtensionN & 0x3) << 5 |
                            (f.frameRateExtensionD & 0x1F))});
}

StreamBuilder& StreamBuilder::PictureCodingExtension(const PictureCodingFields& f) {
  StartCode(0xB5);
  const uint8_t b2 =
      static_cast<uint8_t>(0xF0 | (f.intraDcPrecision & 0x3) << 2 | (f.pictureStructure & 0x3));
  const uint8_t b3 = static_cast<uint8_t>(
      (f.topFieldFirst ? 0x80 : 0) | (f.framePredFrameDct ? 0x40 : 0) | (f.qScaleType ? 0x10 : 0) |
      (f.alternateScan ? 0x04 : 0) | (f.repeatFirstField ? 0x02 : 0));
  return Bytes({0x8F, 0xFF, b2, b3, static_cast<uint8_t>(f.progressiveFrame ? 0x80 : 0x00)});
}

StreamBuilder& StreamBuilder::SequenceScalableExtension() {
  StartCode(0xB5);
  return Bytes({0x50, 0x00, 0x00});
}

StreamBuilder& StreamBuilder::SequenceDisplayExtension() {
  StartCode(0xB5);
  return Bytes({0x23, 0x05, 0x05, 0x05, 0x0B, 0x42, 0x12, 0x00});
}

StreamBuilder& StreamBuilder::Gop(uint8_t hours, uint8_t minutes, uint8_t seconds, uint8_t pictures,
                                  bool closed, bool brokenLink) {
  StartCode(0xB8);
  return Bytes(
      {static_cast<uint8_t>((hours & 0x1F) << 2 | (minutes >> 4)),
       static_cast<uint8_t>((minutes & 0xF) << 4 | 1 << 3 | (seconds >> 3)),
       static_cast<uint8_t>((seconds & 0x7) << 5 | (pictures >> 1)),
       static_cast<uint8_t>((pictures & 1) << 7 | (closed ? 0x40 : 0) | (brokenLink ? 0x20 : 0))});
}

StreamBuilder& StreamBuilder::Picture(char type, uint16_t vbvDelay, uint16_t temporalReference) {
  const char* letters = "IPBD";
  const char* found = std::find(letters, letters + 4, type);
  const auto codingType = static_cast<uint8_t>(found == letters + 4 ? 0 : found - letters + 1);
  return PictureOfCodingType(codingType, vbvDelay, temporalReference);
}

StreamBuilder& StreamBuilder::PictureOfCodingType(uint8_t codingType, uint16_t vbvDelay,
                                                  uint16_t temporalReference) {
  StartCode(0x00);
  // temporal_reference, picture_coding_type, vbv_delay, then extra bits and stuffing.
  const uint32_t word = uint32_t{temporalReference & 0x3FFu} << 22 |
                        uint32_t{codingType & 0x7u} << 19 | uint32_t{vbvDelay} << 3;
  return Bytes({static_cast<uint8_t>(word >> 24), static_cast<uint8_t>(word >> 16),
                static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word), 0xF8});
}

StreamBuilder& StreamBuilder::Slice(uint8_t quantiser, size_t payloadBytes, uint8_t row) {
  StartCode(row);
  bytes_.push_back(static_cast<uint8_t>((quantiser & 0x1F) << 3 | 0x4));
  bytes_.insert(bytes_.end(), payloadBytes, 0x55);
  return *this;
}

StreamBuilder& StreamBuilder::PadTo(size_t n) {
  if (bytes_.size() < n) bytes_.resize(n, 0x00);
  return *this;
}

StreamBuilder& StreamBuilder::UserData(const std::string& text) {
  StartCode(0xB2);
  bytes_.insert(bytes_.end(), text.begin(), text.end());
  return *this;
}

StreamBuilder& StreamBuilder::SequenceEnd() {
  return StartCode(0xB7);
}

StreamBuilder& StreamBuilder::FramePicture(char type, uint8_t quantiser, int slices,
                                           size_t sliceBytes) {
  Picture(type);
  for (int row = 1; row <= slices; ++row) Slice(quantiser, sliceBytes, static_cast<uint8_t>(row));
  return *this;
}

namespace {

void PutPackHeader(std::vector<uint8_t>& out, bool mpeg2) {
  if (mpeg2) {
    out.insert(out.end(), {0x00, 0x00, 0x01, 0xBA, 0x44, 0x00, 0x04, 0x00, 0x04, 0x01, 0x01, 0x89,
                           0xC3, 0xF8});
  } else {
    out.insert(out.end(), {0x00, 0x00, 0x01, 0xBA, 0x21, 0x00, 0x01, 0x00, 0x01, 0x80, 0x1B, 0x91});
  }
}

void PutSystemHeader(std::vector<uint8_t>& out) {
  out.insert(out.end(), {0x00, 0x00, 0x01, 0xBB, 0x00, 0x0C, 0x80, 0x1B, 0x91, 0x04, 0xE1, 0xFF,
                         0xE0, 0xE0, 0xE8, 0xC0, 0xC0, 0x20});
}

void PutPacket(std::vector<uint8_t>& out, uint8_t id, const uint8_t* payload, size_t size,
               bool mpeg2) {
  const std::vector<uint8_t> header =
      mpeg2 ? std::vector<uint8_t>{0x81, 0x80, 0x05, 0x21, 0x00, 0x01, 0x00, 0x01}
            : std::vector<uint8_t>{0x21, 0x00, 0x01, 0x00, 0x01};
  const size_t length = header.size() + size;
  out.insert(out.end(), {0x00, 0x00, 0x01, id, static_cast<uint8_t>(length >> 8),
                         static_cast<uint8_t>(length & 0xFF)});
  out.insert(out.end(), header.begin(), header.end());
  out.insert(out.end(), payload, payload + size);
}

}  // namespace

std::vector<uint8_t> WrapInProgramStream(const std::vector<uint8_t>& video,
                                         const PackOptions& options) {
  std::vector<uint8_t> out;
  const std::vector<uint8_t> audio(64, 0xAA);
  size_t offset = 0;
  bool first = true;
  while (offset < video.size()) {
    PutPackHeader(out, options.mpeg2);
    if (first && options.systemHeader) PutSystemHeader(out);
    first = false;
    if (options.audioPacketEveryPack) {
      PutPacket(out, 0xC0, audio.data(), audio.size(), options.mpeg2);
    }
    for (int i = 0; i < options.videoPacketsPerPack && offset < video.size(); ++i) {
      const size_t size = std::min(options.payloadPerPacket, video.size() - offset);
      PutPacket(out, 0xE0, video.data() + offset, size, options.mpeg2);
      offset += size;
    }
  }
  if (options.programEndCode) out.insert(out.end(), {0x00, 0x00, 0x01, 0xB9});
  return out;
}

}  // namespace tessivo::test
