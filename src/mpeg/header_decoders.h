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

// Fills the sequence fields of the summary from the first sequence header.
void DecodeSequenceHeader(ByteSource& source, SequenceSummary& summary);

// Returns false when the input had ended (nothing was decoded, isMpeg2 untouched).
bool DecodeExtension(ByteSource& source, SequenceSummary& summary, DecodedExtensions& decoded,
                     bool& isScalable);

void DecodeGopHeader(ByteSource& source, GopRecord& gop);

// The first two bytes of a picture header, kept for the vbv_delay of the first picture.
struct PictureHeaderStart {
  uint8_t b0;
  uint8_t b1;
};

// Returns the picture's letter, or kUnusablePicture for a picture_coding_type outside 1 to 4.
char DecodePictureType(ByteSource& source, PictureHeaderStart& start);
// Reads the next two bytes and returns vbv_delay.
uint16_t DecodeVbvDelay(ByteSource& source, const PictureHeaderStart& start);

// quantiser_scale_code of a slice header, 0 when the input ends.
uint32_t ReadSliceQuantiser(ByteSource& source, bool isScalable);

}  // namespace tessivo
