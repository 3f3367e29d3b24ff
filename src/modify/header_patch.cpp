#include "modify/header_patch.h"

#include <utility>

namespace tessivo {

namespace {

// A sequence header's first 64 bits, most significant first.
struct HeaderField {
  int shift;
  int width;
};
constexpr HeaderField kHorizontalSize{52, 12};  // horizontal_size_value
constexpr HeaderField kVerticalSize{40, 12};    // vertical_size_value
constexpr HeaderField kAspectRatio{36, 4};      // aspect_ratio_information
constexpr HeaderField kFrameRate{32, 4};        // frame_rate_code
constexpr HeaderField kBitRate{14, 18};         // bit_rate_value
constexpr HeaderField kVbvBufferSize{3, 10};    // vbv_buffer_size_value
constexpr HeaderField kConstrained{2, 1};       // constrained_parameters_flag

constexpr uint64_t Mask(HeaderField field) {
  return ((uint64_t{1} << field.width) - 1) << field.shift;
}

uint64_t Put(uint64_t word, HeaderField field, uint64_t value) {
  return (word & ~Mask(field)) | ((value << field.shift) & Mask(field));
}

uint64_t Get(uint64_t word, HeaderField field) {
  return (word & Mask(field)) >> field.shift;
}

uint64_t ToWord(const HeaderBytes& bytes) {
  uint64_t word = 0;
  for (uint8_t byte : bytes) word = word << 8 | byte;
  return word;
}

HeaderBytes ToBytes(uint64_t word) {
  HeaderBytes bytes;
  for (int i = 7; i >= 0; --i, word >>= 8) bytes[i] = static_cast<uint8_t>(word);
  return bytes;
}

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
    {kHorizontalSize, kHorizontalSizeChanged},
    {kVerticalSize, kVerticalSizeChanged},
    {kAspectRatio, kAspectRatioChanged},
    {kFrameRate, kFrameRateChanged},
    {kBitRate, kBitRateChanged},
    {kConstrained, kConstrainedChanged},
};

// The bits the image carries; the rest belongs to the header being replaced.
constexpr uint64_t kImageBits = Mask(kHorizontalSize) | Mask(kVerticalSize) | Mask(kAspectRatio) |
                                Mask(kFrameRate) | Mask(kBitRate) | Mask(kVbvBufferSize) |
                                Mask(kConstrained);

}  // namespace

ModifyValues ValuesOf(const SequenceSummary& summary) {
  ModifyValues values;
  const uint32_t aspect = summary.aspectRatioCode;
  values.aspectRatioItem =
      aspect >= 1 && aspect <= kAspectRatioItemCount ? static_cast<int32_t>(aspect) - 1 : -1;
  values.frameRateItem = summary.frameRateIndex < kFrameRateItemCount
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
  patch.aspectRatioInformation = values.aspectRatioItem < 0
                                     ? static_cast<int32_t>(summary.aspectRatioCode)
                                     : values.aspectRatioItem + 1;
  patch.frameRateCode = values.frameRateItem < 0 ? static_cast<int32_t>(summary.frameRateIndex)
                                                 : values.frameRateItem;
  patch.bitRateValue = values.bitRate / 400;
  patch.horizontalSizeValue = values.horizontalSize;
  patch.verticalSizeValue = values.verticalSize;
  patch.constrainedParametersFlag = values.constrainedParameters;
  patch.vbvBufferSizeValue = summary.vbvBufferSize;

  uint64_t first = 0;
  first = Put(first, kHorizontalSize, summary.horizontalSize);
  first = Put(first, kVerticalSize, summary.verticalSize);
  first = Put(first, kAspectRatio, summary.aspectRatioCode);
  first = Put(first, kFrameRate, summary.frameRateIndex);
  first = Put(first, kBitRate, summary.bitRateValue);
  first = Put(first, kConstrained, summary.constrainedParameters ? 1 : 0);

  uint64_t image = Put(0, kVbvBufferSize, patch.vbvBufferSizeValue);
  for (const auto& [field, flag] : kDialogFields) {
    image = Put(image, field, FieldValue(patch, flag));
    if (Get(image, field) != Get(first, field)) patch.changedFields |= flag;
  }
  patch.image = ToBytes(image);
  return patch;
}

void ApplyImage(const HeaderPatch& patch, HeaderBytes& header) {
  header = ToBytes((ToWord(header) & ~kImageBits) | ToWord(patch.image));
}

void ApplyChangedFields(const HeaderPatch& patch, HeaderBytes& header) {
  const uint64_t image = ToWord(patch.image);
  uint64_t word = ToWord(header);
  for (const auto& [field, flag] : kDialogFields) {
    if (patch.changedFields & flag) word = Put(word, field, Get(image, field));
  }
  header = ToBytes(word);
}

}  // namespace tessivo
