#include "buffer/display_timing.h"

#include "mpeg/records.h"

namespace tessivo {

namespace {
constexpr uint32_t kFieldsPerFrame = 2;
}  // namespace

uint32_t DisplayFields(const PictureFacts& picture, const SequenceFacts& sequence) {
  if (picture.pictureStructure != kFrameStructure) return 1;
  if (!sequence.isMpeg2 || !picture.repeatFirstField) return kFieldsPerFrame;
  if (sequence.progressiveSequence) return picture.topFieldFirst ? 6 : 4;
  return 3;
}

double FieldPeriod(const SequenceFacts& sequence) {
  const double frameRate = FrameRateOrAssumed(sequence.frameRate);
  return 1.0 / (kFieldsPerFrame * frameRate);
}

uint32_t DecodingSchedule::IntervalAfter(char type, const PictureFacts& picture,
                                         const SequenceFacts& sequence) {
  const uint32_t fields = DisplayFields(picture, sequence);
  if (type == 'B' || sequence.lowDelay) return fields;

  const bool fieldPicture = picture.pictureStructure != kFrameStructure;
  if (fieldPicture && !secondFieldDue_) {
    secondFieldDue_ = true;
    return 1;
  }
  const uint32_t frameFields = fieldPicture ? kFieldsPerFrame : fields;
  // The first reference frame has none before it: the gap after it is its own display time.
  const uint32_t shown = haveReference_ ? previousReferenceFields_ : frameFields;
  previousReferenceFields_ = frameFields;
  haveReference_ = true;
  if (!fieldPicture) return shown;
  secondFieldDue_ = false;
  return shown - 1;
}

}  // namespace tessivo
