#include "mpeg/header_decoders.h"

#include "mpeg/sequence_header_layout.h"

namespace tessivo {

namespace {
uint8_t Bit(uint8_t byte, int bit) {
  return (byte >> bit) & 1;
}
}  // namespace

SequenceHeaderValues ReadSequenceHeader(ByteSource& source) {
  SequenceHeaderBytes bytes;
  for (uint8_t& byte : bytes) byte = source.NextByte();
  const uint64_t word = HeaderWord(bytes);
  SequenceHeaderValues v;
  v.horizontalSize = static_cast<uint32_t>(GetField(word, kHorizontalSizeField));
  v.verticalSize = static_cast<uint32_t>(GetField(word, kVerticalSizeField));
  v.aspectRatioCode = static_cast<uint32_t>(GetField(word, kAspectRatioField));
  v.frameRateIndex = static_cast<uint32_t>(GetField(word, kFrameRateField));
  v.bitRateValue = static_cast<uint32_t>(GetField(word, kBitRateField));
  v.vbvBufferSize = static_cast<uint32_t>(GetField(word, kVbvBufferSizeField));
  v.constrainedParameters = static_cast<uint8_t>(GetField(word, kConstrainedField));
  return v;
}

void DecodeSequenceHeader(const SequenceHeaderValues& values, SequenceSummary& summary) {
  summary.horizontalSize = values.horizontalSize;
  summary.verticalSize = values.verticalSize;
  summary.aspectRatioCode = values.aspectRatioCode;
  summary.frameRateIndex = values.frameRateIndex;
  summary.bitRateValue = values.bitRateValue;
  summary.vbvBufferSize = values.vbvBufferSize;
  summary.constrainedParameters = values.constrainedParameters;
}

bool ReadExtension(ByteSource& source, ExtensionValues& values) {
  uint8_t b0;
  if (!source.GetByte(b0)) return false;
  values = ExtensionValues{};
  values.identifier = b0 >> 4;
  if (values.identifier == kSequenceExtensionId) {
    uint8_t b[6] = {b0};
    for (int i = 1; i < 6; ++i) b[i] = source.NextByte();
    values.profileLevel = static_cast<uint8_t>((b[0] & 0x0F) << 4 | b[1] >> 4);
    values.progressiveSequence = Bit(b[1], 3);
    values.chromaFormat = (b[1] >> 1) & 0x3;
    values.horizontalSizeExtension = static_cast<uint8_t>((b[1] & 0x1) << 1 | b[2] >> 7);
    values.verticalSizeExtension = (b[2] >> 5) & 0x3;
    values.bitRateExtension = static_cast<uint16_t>((b[2] & 0x1F) << 7 | b[3] >> 1);
    values.vbvBufferSizeExtension = b[4];
    values.lowDelay = Bit(b[5], 7);
    values.frameRateExtensionN = (b[5] >> 5) & 0x3;
    values.frameRateExtensionD = b[5] & 0x1F;
  } else if (values.identifier == kPictureCodingExtensionId) {
    source.NextByte();  // f_codes
    const uint8_t b2 = source.NextByte();
    const uint8_t b3 = source.NextByte();
    const uint8_t b4 = source.NextByte();
    values.intraDcPrecision = (b2 >> 2) & 0x3;
    values.pictureStructure = b2 & 0x3;
    values.topFieldFirst = Bit(b3, 7);
    values.framePredFrameDct = Bit(b3, 6);
    values.qScaleType = Bit(b3, 4);
    values.alternateScan = Bit(b3, 2);
    values.repeatFirstField = Bit(b3, 1);
    values.progressiveFrame = Bit(b4, 7);
  }
  return true;
}

void DecodeExtension(const ExtensionValues& values, SequenceSummary& summary,
                     DecodedExtensions& decoded, bool& isScalable) {
  summary.isMpeg2 = 1;
  switch (values.identifier) {
    case kSequenceExtensionId:
      if (decoded.sequenceExtension) break;
      decoded.sequenceExtension = true;
      summary.profileLevel = values.profileLevel;
      summary.progressiveSequence = values.progressiveSequence;
      summary.chromaFormat = values.chromaFormat;
      break;
    case kSequenceScalableExtensionId:
      if (decoded.scalableExtension) break;
      decoded.scalableExtension = true;
      isScalable = true;
      break;
    case kPictureCodingExtensionId:
      if (decoded.pictureCodingExtension) break;
      decoded.pictureCodingExtension = true;
      summary.intraDcPrecision = values.intraDcPrecision;
      summary.pictureStructure = values.pictureStructure;
      summary.topFieldFirst = values.topFieldFirst;
      summary.framePredFrameDct = values.framePredFrameDct;
      summary.qScaleType = values.qScaleType;
      summary.alternateScan = values.alternateScan;
      summary.progressiveFrame = values.progressiveFrame;
      break;
    default:
      break;
  }
}

void DecodeGopHeader(ByteSource& source, GopRecord& gop) {
  uint8_t b[4];
  for (uint8_t& byte : b) byte = source.NextByte();
  gop.hours = (b[0] >> 2) & 0x1F;
  gop.minutes = static_cast<uint8_t>((b[0] & 0x3) << 4 | b[1] >> 4);
  gop.seconds = static_cast<uint8_t>((b[1] & 0x7) << 3 | b[2] >> 5);
  gop.pictures = static_cast<uint8_t>((b[2] & 0x1F) << 1 | b[3] >> 7);
  gop.closedGop = Bit(b[3], 6);
  gop.brokenLink = Bit(b[3], 5);
}

char DecodePictureType(ByteSource& source, PictureHeaderStart& start) {
  start.b0 = source.NextByte();
  start.b1 = source.NextByte();
  switch ((start.b1 >> 3) & 0x7) {  // picture_coding_type
    case 1:
      return 'I';
    case 2:
      return 'P';
    case 3:
      return 'B';
    case 4:
      return 'D';
    default:
      return kUnusablePicture;
  }
}

uint16_t DecodeVbvDelay(ByteSource& source, const PictureHeaderStart& start) {
  const uint8_t b2 = source.NextByte();
  const uint8_t b3 = source.NextByte();
  const uint32_t word =
      uint32_t{start.b0} << 24 | uint32_t{start.b1} << 16 | uint32_t{b2} << 8 | b3;
  return static_cast<uint16_t>(word >> 3);
}

uint32_t ReadSliceQuantiser(ByteSource& source, bool isScalable) {
  uint8_t b0;
  if (!source.GetByte(b0)) return 0;
  if (!isScalable) return b0 >> 3;
  // Any scalable extension is read as data partitioning, whose 7-bit priority_breakpoint comes
  // before the quantiser; the other scalable modes are taken the same way.
  uint8_t b1;
  if (!source.GetByte(b1)) return 0;
  return (b0 & 0x1u) << 4 | b1 >> 4;
}

}  // namespace tessivo
