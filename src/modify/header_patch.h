// The sequence header values the modify dialog writes, and the eight header bytes they become.
#pragma once

#include <cstdint>

#include "mpeg/aspect_ratio_labels.h"
#include "mpeg/records.h"
#include "mpeg/sequence_header_layout.h"

namespace tessivo {

// What the dialog holds when OK is pressed.
struct ModifyValues {
  int32_t aspectRatioCode = -1;  // aspect_ratio_information; -1 keeps the stream's
  int32_t frameRateCode = -1;    // frame_rate_code; -1 keeps the stream's
  int32_t bitRate = 0;           // Brate, bit/s
  int32_t horizontalSize = 0;    // HRes
  int32_t verticalSize = 0;      // VRes
  bool constrainedParameters = false;
};

// The dialog's values as it shows them for the analysed stream.
ModifyValues ValuesOf(const SequenceSummary& summary);

// The measured peak in bit/s offered beside the bitrate: the peak in kbit/s times the kilo base,
// a 32-bit product.
inline uint32_t MeasuredPeakBitrate(const SequenceSummary& summary, uint32_t kiloBase) {
  return summary.peakBitrate * kiloBase;
}

inline constexpr int kFrameRateItemCount = 9;

// The dialog's fields, as bits of HeaderPatch::changedFields.
enum ChangedField : uint32_t {
  kHorizontalSizeChanged = 1,
  kVerticalSizeChanged = 2,
  kAspectRatioChanged = 4,
  kFrameRateChanged = 8,
  kBitRateChanged = 16,
  kConstrainedChanged = 32,
};

struct HeaderPatch {
  int32_t aspectRatioInformation = 0;
  int32_t frameRateCode = 0;
  int32_t bitRateValue = 0;
  int32_t horizontalSizeValue = 0;
  int32_t verticalSizeValue = 0;
  bool constrainedParametersFlag = false;
  uint32_t vbvBufferSizeValue = 0;  // the analysed stream's, never a dialog value
  // The fields above in header layout; marker_bit and the two lowest bits of byte 7 are 0 here
  // and come from the header being replaced.
  SequenceHeaderBytes image{};
  // Fields written into every header: those whose value differs from the analysed stream's
  // first sequence header, and any the caller adds because the user gave them.
  uint32_t changedFields = 0;
};

// Without a selection AspRat and FrameRate keep the stream's own code.
HeaderPatch MakeHeaderPatch(const ModifyValues& values, const SequenceSummary& summary);

// Writes the whole image over a header's first eight bytes.
void ApplyImage(const HeaderPatch& patch, SequenceHeaderBytes& header);
// Writes only the changed fields, so every header keeps its own value of the others.
void ApplyChangedFields(const HeaderPatch& patch, SequenceHeaderBytes& header);

}  // namespace tessivo
