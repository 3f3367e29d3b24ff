// Builds MPEG video elementary streams and the program and system streams around them byte by
// byte, so that tests can hit exact cases.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace tessivo::test {

struct SequenceHeaderFields {
  uint32_t width = 352;
  uint32_t height = 288;
  uint8_t aspectRatioCode = 1;
  uint8_t frameRateCode = 3;  // 25 frames per second
  uint32_t bitRateValue = 2880;
  uint32_t vbvBufferSize = 20;
  bool constrained = false;
  uint8_t lowBitsOfByte7 = 0;  // load_intra/non_intra_quantiser_matrix flags
};

struct SequenceExtensionFields {
  uint8_t profileLevel = 0x48;
  bool progressiveSequence = false;
  uint8_t chromaFormat = 1;
  uint8_t horizontalSizeExtension = 0;
  uint8_t verticalSizeExtension = 0;
  uint16_t bitRateExtension = 0;  // 12 bits above bit_rate_value
  uint8_t vbvBufferSizeExtension = 0;
  bool lowDelay = false;
  uint8_t frameRateExtensionN = 0;
  uint8_t frameRateExtensionD = 0;
};

struct PictureCodingFields {
  uint8_t intraDcPrecision = 0;
  uint8_t pictureStructure = 3;
  bool topFieldFirst = false;
  bool framePredFrameDct = true;
  bool qScaleType = false;
  bool alternateScan = false;
  bool repeatFirstField = false;
  bool progressiveFrame = true;
};

class StreamBuilder {
 public:
  StreamBuilder& Bytes(std::initializer_list<uint8_t> bytes);
  StreamBuilder& Bytes(const std::vector<uint8_t>& bytes);
  StreamBuilder& StartCode(uint8_t code);
  StreamBuilder& SequenceHeader(const SequenceHeaderFields& fields = {});
  StreamBuilder& SequenceExtension(uint8_t profileLevel = 0x48, bool progressiveSequence = false,
                                   uint8_t chromaFormat = 1);
  StreamBuilder& SequenceExtension(const SequenceExtensionFields& fields);
  StreamBuilder& PictureCodingExtension(const PictureCodingFields& fields = {});
  StreamBuilder& SequenceScalableExtension();
  StreamBuilder& SequenceDisplayExtension();
  StreamBuilder& Gop(uint8_t hours, uint8_t minutes, uint8_t seconds, uint8_t pictures,
                     bool closed = false, bool brokenLink = false);
  // picture_coding_type 1 to 4 from 'I', 'P', 'B', 'D'; any other letter writes type 0.
  StreamBuilder& Picture(char type, uint16_t vbvDelay = 0xFFFF, uint16_t temporalReference = 0);
  StreamBuilder& PictureOfCodingType(uint8_t codingType, uint16_t vbvDelay = 0xFFFF,
                                     uint16_t temporalReference = 0);
  // Zero bytes up to size n, as encoders stuff before a start code.
  StreamBuilder& PadTo(size_t n);
  // A slice with the given quantiser_scale_code and payload bytes free of start codes.
  StreamBuilder& Slice(uint8_t quantiser, size_t payloadBytes = 20, uint8_t row = 1);
  StreamBuilder& UserData(const std::string& text);
  StreamBuilder& SequenceEnd();
  // A frame picture with n slices of the same quantiser.
  StreamBuilder& FramePicture(char type, uint8_t quantiser, int slices = 2, size_t sliceBytes = 20);

  size_t size() const { return bytes_.size(); }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

struct PackOptions {
  bool mpeg2 = true;  // MPEG-2 pack and PES headers, else MPEG-1 ones
  size_t payloadPerPacket = 2000;
  int videoPacketsPerPack = 1;  // more than 1 puts several video packets after one pack header
  bool audioPacketEveryPack = false;
  bool systemHeader = true;
  bool programEndCode = true;
};

// Splits a video elementary stream into PES packets of stream id 0xE0 inside packs.
std::vector<uint8_t> WrapInProgramStream(const std::vector<uint8_t>& video,
                                         const PackOptions& options = {});

}  // namespace tessivo::test
