#include "modify/header_patch.h"

#include <utility>

#include "mpeg/sequence_header_layout.h"

namespace tessivo {

namespace {

uint64_t FieldValue(const HeaderPatch& patch, ChangedField flag) {
  switch (flag) {
    case kHorizontalSizeChanged:
      return static_cast<uint32_t>(patch.horizontalSizeValue);
    case kVerticalSizeChanged:
      return static_cast<uint32_t>(patch.verticalSizeValue);
    case kAspectRatioChanged:
      return static_cast<uint32_t>(patch.aspectRatioInformation);
    case kFrameRateChanged:
      return static_cast<uint32_t>(patch.frameRateCode);
    case kBitRateChanged:
      return static_cast<uint32_t>(patch.bitRateValue);
    case kConstrainedChanged:
      return patch.constrainedParametersFlag ? 1 : 0;
  }
  return 0;
}

constexpr std::pair<HeaderField, ChangedField> kDialogFields[] = {
    {kHorizontalSizeField, kHorizontalSizeChanged},
    {kVerticalSizeField, kVerticalSizeChanged},
    {kAspectRatioField, kAspectRatioChanged},
    {kFrameRateField, kFrameRateChanged},
    {kBitRateField, kBitRateChanged},
    {kConstrainedField, kConstrainedChanged},
};

// The bits the image carries; the rest belongs to the header being replaced.
constexpr uint64_t kImageBits = FieldMask(kHorizontalSizeField) | FieldMask(kVerticalSizeField) |
                                FieldMask(kAspectRatioField) | FieldMask(kFrameRateField) |
                                FieldMask(kBitRateField) | FieldMask(kVbvBufferSizeField) |
                                FieldMask(kConstrainedField);

}  // namespace

ModifyValues ValuesOf(const SequenceSummary& summary) {
  ModifyValues values;
  const uint32_t aspect = summary.aspectRatioCode;
  values.aspectRatioCode =
      aspect >= 1 && aspect <= kAspectRatioItemCount ? static_cast<int32_t>(aspect) : -1;
  values.frameRateCode = summary.frameRateIndex < kFrameRateItemCount
                             ? static_cast<int32_t>(summary.frameRateIndex)
                             : -1;
  values.bitRate = static_cast<int32_t>(summary.bitRateValue * 400);
  values.horizontalSize = static_cast<int32_t>(summary.horizontalSize);
  values.verticalSize = static_cast<int32_t>(summary.verticalSize);
  values.constrainedParameters = summary.constrainedParameters != 0;
  return values;
}

HeaderPatch MakeHeaderPatch(const ModifyValues& values, const SequenceSummary& summary) {
  HeaderPatch patch;
  patch.aspectRatioInformation = values.aspectRatioCode < 0
                                     ? static_cast<int32_t>(summary.aspectRatioCode)
                                     : values.aspectRatioCode;
  patch.frameRateCode = values.frameRateCode < 0 ? static_cast<int32_t>(summary.frameRateIndex)
                                                 : values.frameRateCode;
  patch.bitRateValue = values.bitRate / 400;
  patch.horizontalSizeValue = values.horizontalSize;
  patch.verticalSizeValue = values.verticalSize;
  patch.constrainedParametersFlag = values.constrainedParameters;
  patch.vbvBufferSizeValue = summary.vbvBufferSize;

  uint64_t first = 0;
  first = PutField(first, kHorizontalSizeField, summary.horizontalSize);
  first = PutField(first, kVerticalSizeField, summary.verticalSize);
  first = PutField(first, kAspectRatioField, summary.aspectRatioCode);
  first = PutField(first, kFrameRateField, summary.frameRateIndex);
  first = PutField(first, kBitRateField, summary.bitRateValue);
  first = PutField(first, kConstrainedField, summary.constrainedParameters ? 1 : 0);

  uint64_t image = PutField(0, kVbvBufferSizeField, patch.vbvBufferSizeValue);
  for (const auto& [field, flag] : kDialogFields) {
    image = PutField(image, field, FieldValue(patch, flag));
    if (GetField(image, field) != GetField(first, field)) patch.changedFields |= flag;
  }
  patch.image = HeaderBytesOf(image);
  return patch;
}

void ApplyImage(const HeaderPatch& patch, SequenceHeaderBytes& header) {
  header = HeaderBytesOf((HeaderWord(header) & ~kImageBits) | HeaderWord(patch.image));
}

void ApplyChangedFields(const HeaderPatch& patch, SequenceHeaderBytes& header) {
  const uint64_t image = HeaderWord(patch.image);
  uint64_t word = HeaderWord(header);
  for (const auto& [field, flag] : kDialogFields) {
    if (patch.changedFields & flag) word = PutField(word, field, GetField(image, field));
  }
  header = HeaderBytesOf(word);
}

}  // namespace tessivo
