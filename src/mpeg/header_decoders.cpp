#include "mpeg/header_decoders.h"

namespace tessivo {

namespace {
constexpr uint8_t kSequenceExtensionId = 1;
constexpr uint8_t kSequenceScalableExtensionId = 5;
constexpr uint8_t kPictureCodingExtensionId = 8;

uint8_t Bit(uint8_t byte, int bit) {
  return (byte >> bit) & 1;
}
}  // namespace

void DecodeSequenceHeader(ByteSource& source, SequenceSummary& summary) {
  uint8_t b[8];
  for (uint8_t& byte : b) byte = source.NextByte();
  summary.horizontalSize = uint32_t{b[0]} << 4 | b[1] >> 4;   // horizontal_size_value
  summary.verticalSize = uint32_t{b[1] & 0x0Fu} << 8 | b[2];  // vertical_size_value
  summary.aspectRatioCode = b[3] >> 4;                        // aspect_ratio_information
  summary.frameRateIndex = b[3] & 0x0F;                       // frame_rate_code
  summary.bitRateValue = uint32_t{b[4]} << 10 | uint32_t{b[5]} << 2 | b[6] >> 6;  // bit_rate_value
  summary.vbvBufferSize = uint32_t{b[6] & 0x1Fu} << 5 | b[7] >> 3;  // vbv_buffer_size_value
  summary.constrainedParameters = Bit(b[7], 2);                     // constrained_parameters_flag
}

bool DecodeExtension(ByteSource& source, SequenceSummary& summary, DecodedExtensions& decoded,
                     bool& isScalable) {
  uint8_t b0;
  if (!source.GetByte(b0)) return false;
  summary.isMpeg2 = 1;
  switch (b0 >> 4) {  // extension_start_code_identifier
    case kSequenceExtensionId: {
      if (decoded.sequenceExtension) break;
      decoded.sequenceExtension = true;
      const uint8_t b1 = source.NextByte();
      summary.profileLevel = static_cast<uint8_t>((b0 & 0x0F) << 4 | b1 >> 4);
      summary.progressiveSequence = Bit(b1, 3);
      summary.chromaFormat = (b1 >> 1) & 0x3;
      break;
    }
    case kSequenceScalableExtensionId:
      if (decoded.scalableExtension) break;
      decoded.scalableExtension = true;
      isScalable = true;
      break;
    case kPictureCodingExtensionId: {
      if (decoded.pictureCodingExtension) break;
      decoded.pictureCodingExtension = true;
      source.NextByte();  // f_codes
      const uint8_t b2 = source.NextByte();
      const uint8_t b3 = source.NextByte();
      const uint8_t b4 = source.NextByte();
      summary.intraDcPrecision = (b2 >> 2) & 0x3;
      summary.pictureStructure = b2 & 0x3;
      summary.topFieldFirst = Bit(b3, 7);
      summary.framePredFrameDct = Bit(b3, 6);
      summary.qScaleType = Bit(b3, 4);
      summary.alternateScan = Bit(b3, 2);
      summary.progressiveFrame = Bit(b4, 7);
      break;
    }
    default:
      break;
  }
  return true;
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
  // Data partitioning puts a 7-bit priority_breakpoint before the quantiser.
  uint8_t b1;
  if (!source.GetByte(b1)) return 0;
  return (b0 & 0x1u) << 4 | b1 >> 4;
}

}  // namespace tessivo
