// Decoders for the bytes after a start code. Each takes only the bytes that hold the fields it
// keeps; the next start-code scan skips the rest. A header cut off by the end of the input is
// decoded from the 0xFF bytes that the byte source returns there.
#pragma once

#include <cstdint>

#include "mpeg/byte_source.h"
#include "mpeg/records.h"

namespace tessivo {

inline constexpr char kUnusablePicture = 'X';

// Which extensions have been decoded once already; later ones of a kind change nothing.
struct DecodedExtensions {
  bool sequenceExtension = false;
  bool scalableExtension = false;
  bool pictureCodingExtension = false;
};

// The fields of one sequence header, as coded.
struct SequenceHeaderValues {
  uint32_t horizontalSize = 0;
  uint32_t verticalSize = 0;
  uint32_t aspectRatioCode = 0;
  uint32_t frameRateIndex = 0;
  uint32_t bitRateValue = 0;   // units of 400 bit/s
  uint32_t vbvBufferSize = 0;  // units of 16 384 bits
  uint8_t constrainedParameters = 0;
};

// Every sequence header is read; only the first fills the summary.
SequenceHeaderValues ReadSequenceHeader(ByteSource& source);
void DecodeSequenceHeader(const SequenceHeaderValues& values, SequenceSummary& summary);

inline constexpr uint8_t kSequenceExtensionId = 1;
inline constexpr uint8_t kSequenceScalableExtensionId = 5;
inline constexpr uint8_t kPictureCodingExtensionId = 8;

// The fields of one extension: those of its kind are set, the others stay 0.
struct ExtensionValues {
  uint8_t identifier = 0;  // extension_start_code_identifier
  // Sequence extension.
  uint8_t profileLevel = 0;
  uint8_t progressiveSequence = 0;
  uint8_t chromaFormat = 0;
  uint8_t horizontalSizeExtension = 0;
  uint8_t verticalSizeExtension = 0;
  uint16_t bitRateExtension = 0;
  uint8_t vbvBufferSizeExtension = 0;
  uint8_t lowDelay = 0;
  uint8_t frameRateExtensionN = 0;
  uint8_t frameRateExtensionD = 0;
  // Picture coding extension.
  uint8_t intraDcPrecision = 0;
  uint8_t pictureStructure = 0;
  uint8_t topFieldFirst = 0;
  uint8_t framePredFrameDct = 0;
  uint8_t qScaleType = 0;
  uint8_t alternateScan = 0;
  uint8_t repeatFirstField = 0;
  uint8_t progressiveFrame = 0;
};

// Reads sequence and picture coding extensions whole, other kinds only to their identifier.
// Returns false when the input had ended before the identifier.
bool ReadExtension(ByteSource& source, ExtensionValues& values);
// Sets isMpeg2 and the summary fields of the first extension of each kind.
void DecodeExtension(const ExtensionValues& values, SequenceSummary& summary,
                     DecodedExtensions& decoded, bool& isScalable);

void DecodeGopHeader(ByteSource& source, GopRecord& gop);

// The first two bytes of a picture header, kept for the vbv_delay that spans into the next two.
struct PictureHeaderStart {
  uint8_t b0;
  uint8_t b1;
};

// Returns the picture's letter, or kUnusablePicture for a picture_coding_type outside 1 to 4.
char DecodePictureType(ByteSource& source, PictureHeaderStart& start);
// Reads the next two bytes and returns vbv_delay.
uint16_t DecodeVbvDelay(ByteSource& source, const PictureHeaderStart& start);
inline uint16_t TemporalReferenceOf(const PictureHeaderStart& start) {
  return static_cast<uint16_t>(start.b0 << 2 | start.b1 >> 6);
}

// quantiser_scale_code of a slice header, 0 when the input ends.
uint32_t ReadSliceQuantiser(ByteSource& source, bool isScalable);

}  // namespace tessivo
