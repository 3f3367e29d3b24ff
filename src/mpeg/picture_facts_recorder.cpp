#include "mpeg/picture_facts_recorder.h"

#include <algorithm>
#include <limits>

namespace tessivo {

namespace {

constexpr uint64_t kStartCodeBytes = 4;
constexpr uint64_t kBitRateUnit = 400;
constexpr uint64_t kVbvBufferUnit = 16384;

uint64_t StartCodeOffset(uint64_t positionAfterStartCode) {
  return positionAfterStartCode >= kStartCodeBytes ? positionAfterStartCode - kStartCodeBytes : 0;
}

SequenceFacts FactsOf(const SequenceHeaderValues& header, const ExtensionValues& extension,
                      bool extensionSeen) {
  SequenceFacts facts{};
  facts.bitRate = (uint64_t{extension.bitRateExtension} << 18 | header.bitRateValue) * kBitRateUnit;
  facts.vbvBufferSize =
      (uint64_t{extension.vbvBufferSizeExtension} << 10 | header.vbvBufferSize) * kVbvBufferUnit;
  facts.frameRate = FrameRateOf(header.frameRateIndex) * (extension.frameRateExtensionN + 1) /
                    (extension.frameRateExtensionD + 1);
  facts.horizontalSize = uint32_t{extension.horizontalSizeExtension} << 12 | header.horizontalSize;
  facts.verticalSize = uint32_t{extension.verticalSizeExtension} << 12 | header.verticalSize;
  facts.aspectRatioCode = static_cast<uint8_t>(header.aspectRatioCode);
  facts.frameRateCode = static_cast<uint8_t>(header.frameRateIndex);
  facts.constrainedParameters = header.constrainedParameters;
  facts.isMpeg2 = extensionSeen ? 1 : 0;
  facts.profileLevel = extension.profileLevel;
  facts.chromaFormat = extension.chromaFormat;
  facts.progressiveSequence = extension.progressiveSequence;
  facts.lowDelay = extension.lowDelay;
  return facts;
}

}  // namespace

void PictureFactsRecorder::Reset() {
  header_ = SequenceHeaderValues{};
  extension_ = ExtensionValues{};
  extensionSeen_ = false;
  sequenceChanged_ = true;
  unitStartPending_ = false;
  unitStart_ = 0;
  openPicture_ = nullptr;
}

void PictureFactsRecorder::NoteUnitStart(uint64_t position) {
  if (unitStartPending_) return;
  unitStartPending_ = true;
  unitStart_ = StartCodeOffset(position);
}

void PictureFactsRecorder::OnSequenceHeader(const SequenceHeaderValues& values, uint64_t position) {
  NoteUnitStart(position);
  openPicture_ = nullptr;
  // Until its extension arrives a sequence header stands as MPEG-1 does.
  header_ = values;
  extension_ = ExtensionValues{};
  extensionSeen_ = false;
  sequenceChanged_ = true;
}

void PictureFactsRecorder::OnGroupHeader(uint64_t position) {
  NoteUnitStart(position);
  openPicture_ = nullptr;
}

void PictureFactsRecorder::OnExtension(const ExtensionValues& values) {
  if (values.identifier == kSequenceExtensionId) {
    extension_ = values;
    extensionSeen_ = true;
    sequenceChanged_ = true;
  } else if (values.identifier == kPictureCodingExtensionId && openPicture_ != nullptr) {
    ApplyExtension(values);
    openPicture_ = nullptr;
  }
}

void PictureFactsRecorder::ApplyExtension(const ExtensionValues& values) {
  openPicture_->pictureStructure = values.pictureStructure;
  openPicture_->topFieldFirst = values.topFieldFirst;
  openPicture_->repeatFirstField = values.repeatFirstField;
  openPicture_->progressiveFrame = values.progressiveFrame;
}

void PictureFactsRecorder::OnPicture(uint32_t index, uint64_t position,
                                     const PictureHeaderStart& start, uint16_t vbvDelay,
                                     uint32_t gop, uint32_t second) {
  PictureFacts& facts = stores_.pictureFacts()[index];
  facts.position = position;
  const uint64_t headerBytes = unitStartPending_ ? StartCodeOffset(position) - unitStart_ : 0;
  facts.headerBytes =
      static_cast<uint32_t>(std::min<uint64_t>(headerBytes, std::numeric_limits<uint32_t>::max()));
  unitStartPending_ = false;
  facts.gop = gop;
  facts.second = second;
  facts.temporalReference = TemporalReferenceOf(start);
  facts.vbvDelay = vbvDelay;
  // Without a picture coding extension a picture is a progressive frame, as in MPEG-1.
  facts.pictureStructure = kFrameStructure;
  facts.topFieldFirst = 0;
  facts.repeatFirstField = 0;
  facts.progressiveFrame = 1;
  facts.sequence = SequenceIndex();
  openPicture_ = &facts;
}

uint8_t PictureFactsRecorder::SequenceIndex() {
  if (!sequenceChanged_) return sequenceIndex_;
  sequenceChanged_ = false;
  const SequenceFacts current = FactsOf(header_, extension_, extensionSeen_);
  SequenceFacts* table = stores_.sequenceFacts();
  uint32_t& count = stores_.sequenceFactsCount;
  // A repeated header with the same values keeps its entry.
  if (count == 0 || !(table[count - 1] == current)) {
    if (count < kSequenceFactsCapacity) ++count;
    table[count - 1] = current;
  }
  sequenceIndex_ = static_cast<uint8_t>(count - 1);
  return sequenceIndex_;
}

}  // namespace tessivo
