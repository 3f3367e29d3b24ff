// The patch image against hand-assembled header bytes, and which bits of a header it may touch.
#include "modify/header_patch.h"

#include <gtest/gtest.h>

namespace tessivo {
namespace {

// 352 x 288, 1:1, 25 frames/s, bit_rate_value 2880, vbv 20, not constrained.
SequenceSummary CifSummary() {
  SequenceSummary summary{};
  summary.horizontalSize = 352;
  summary.verticalSize = 288;
  summary.aspectRatioCode = 1;
  summary.frameRateIndex = 3;
  summary.bitRateValue = 2880;
  summary.vbvBufferSize = 20;
  return summary;
}

constexpr SequenceHeaderBytes kCifHeader = {0x16, 0x01, 0x20, 0x13, 0x02, 0xD0, 0x20, 0xA0};

TEST(HeaderPatchTest, TheStreamsOwnValuesChangeNothing) {
  const HeaderPatch patch = MakeHeaderPatch(ValuesOf(CifSummary()), CifSummary());
  EXPECT_EQ(patch.changedFields, 0u);
  SequenceHeaderBytes header = kCifHeader;
  header[7] |= 0x03;
  ApplyImage(patch, header);
  SequenceHeaderBytes expected = kCifHeader;
  expected[7] |= 0x03;
  EXPECT_EQ(header, expected);
}

TEST(HeaderPatchTest, BitrateIsTruncatedToUnitsOf400) {
  ModifyValues values = ValuesOf(CifSummary());
  values.bitRate = 1150799;
  const HeaderPatch patch = MakeHeaderPatch(values, CifSummary());
  EXPECT_EQ(patch.bitRateValue, 2876);
  // 2876 = 0b00_0000_1011_0011_1100: bits 17-10, 9-2, then 1-0 above the marker bit.
  EXPECT_EQ(patch.image[4], 0x02);
  EXPECT_EQ(patch.image[5], 0xCF);
  EXPECT_EQ(patch.image[6], 0x00);
}

TEST(HeaderPatchTest, ImageCarriesEveryDialogFieldAndTheStreamsVbvSize) {
  ModifyValues values;
  values.horizontalSize = 720;
  values.verticalSize = 576;
  values.aspectRatioCode = 3;  // 16:9
  values.frameRateCode = 4;
  values.bitRate = 9800000;  // 24500 = 0x5FB4
  values.constrainedParameters = true;
  SequenceSummary summary = CifSummary();
  summary.vbvBufferSize = 0x3A5;
  const HeaderPatch patch = MakeHeaderPatch(values, summary);
  const SequenceHeaderBytes expected = {0x2D, 0x02, 0x40, 0x34, 0x17, 0xED, 0x1D, 0x2C};
  EXPECT_EQ(patch.image, expected);
}

TEST(HeaderPatchTest, ImageKeepsMarkerAndMatrixFlagsOfTheReplacedHeader) {
  ModifyValues values = ValuesOf(CifSummary());
  values.horizontalSize = 704;
  const HeaderPatch patch = MakeHeaderPatch(values, CifSummary());
  SequenceHeaderBytes withFlags = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  ApplyImage(patch, withFlags);
  EXPECT_EQ(withFlags[6] & 0x20, 0x20);
  EXPECT_EQ(withFlags[7] & 0x03, 0x03);
  SequenceHeaderBytes withoutFlags{};
  ApplyImage(patch, withoutFlags);
  EXPECT_EQ(withoutFlags[6] & 0x20, 0);
  EXPECT_EQ(withoutFlags[7] & 0x03, 0);
  EXPECT_EQ(withFlags[0], 0x2C);  // 704 >> 4
}

TEST(HeaderPatchTest, ChangedFieldsLeaveEveryOtherFieldOfAHeaderAlone) {
  ModifyValues values = ValuesOf(CifSummary());
  values.bitRate = 4000000;  // 10000
  const HeaderPatch patch = MakeHeaderPatch(values, CifSummary());
  // A later header of another size, aspect, rate, vbv size and flags.
  SequenceHeaderBytes later = {0x2D, 0x02, 0x40, 0x24, 0x00, 0x00, 0x3F, 0xFF};
  ApplyChangedFields(patch, later);
  const SequenceHeaderBytes expected = {0x2D, 0x02, 0x40, 0x24, 0x09, 0xC4, 0x3F, 0xFF};
  EXPECT_EQ(later, expected);
}

TEST(HeaderPatchTest, ListsWithoutASelectionKeepTheStreamsCodes) {
  SequenceSummary summary = CifSummary();
  summary.aspectRatioCode = 15;  // no list item
  ModifyValues values = ValuesOf(summary);
  EXPECT_EQ(values.aspectRatioCode, -1);
  values.frameRateCode = -1;
  const HeaderPatch patch = MakeHeaderPatch(values, summary);
  EXPECT_EQ(patch.aspectRatioInformation, 15);
  EXPECT_EQ(patch.frameRateCode, 3);
  EXPECT_EQ(patch.changedFields, 0u);
  EXPECT_EQ(patch.image[3], 0xF3);
}

TEST(HeaderPatchTest, ValuesWiderThanTheirFieldsWriteOnlyTheirLowBits) {
  ModifyValues values = ValuesOf(CifSummary());
  values.horizontalSize = 0x1160;  // 352 plus bit 12
  values.bitRate = (0x40000 + 2880) * 400;
  const HeaderPatch patch = MakeHeaderPatch(values, CifSummary());
  EXPECT_EQ(patch.changedFields, 0u);
  SequenceHeaderBytes header = kCifHeader;
  ApplyImage(patch, header);
  EXPECT_EQ(header, kCifHeader);
}

}  // namespace
}  // namespace tessivo
