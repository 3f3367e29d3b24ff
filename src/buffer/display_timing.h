// The display process of the decoder model: how long each picture is shown and so how far apart
// consecutive pictures are decoded, in field periods.
#pragma once

#include <cstdint>

#include "mpeg/picture_facts.h"

namespace tessivo {

// Fields a picture is shown for: a field picture one; a frame picture two, three with
// repeat_first_field; in a progressive sequence repeat_first_field repeats the whole frame once,
// or twice with top_field_first. MPEG-1 pictures are frames of two fields.
uint32_t DisplayFields(const PictureFacts& picture, const SequenceFacts& sequence);

// Seconds of one field; an unknown frame rate counts as 25 frames per second.
double FieldPeriod(const SequenceFacts& sequence);

// Walks the pictures in coded order. A B picture, or any picture of a low-delay sequence, is
// shown as it is decoded, so the next one follows after its own fields. Decoding an I, P or D
// picture starts the display of the previous one of those (they are reordered), so the next
// picture follows after the fields of that previous reference frame; the second field of a
// field pair comes one field after the first.
class DecodingSchedule {
 public:
  // Field periods from this picture's decoding time to the next picture's.
  uint32_t IntervalAfter(char type, const PictureFacts& picture, const SequenceFacts& sequence);

 private:
  uint32_t previousReferenceFields_ = 0;
  bool haveReference_ = false;
  bool secondFieldDue_ = false;
};

}  // namespace tessivo
