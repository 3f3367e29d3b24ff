// Header decoders on exact bytes.
#include "mpeg/header_decoders.h"

#include <gtest/gtest.h>

#include "support/byte_source_fixture.h"

namespace tessivo {
namespace {

using DecoderFixture = test::ByteSourceFixture;

bool DecodeNextExtension(ByteSource& source, SequenceSummary& summary, DecodedExtensions& decoded,
                         bool& scalable) {
  ExtensionValues values;
  if (!ReadExtension(source, values)) return false;
  DecodeExtension(values, summary, decoded, scalable);
  return true;
}

TEST(HeaderDecodersTest, SequenceHeaderFields) {
  DecoderFixture f({0x2D, 0x02, 0x40, 0x33, 0xFF, 0xFF, 0xE3, 0x80});
  SequenceSummary summary{};
  DecodeSequenceHeader(ReadSequenceHeader(f.source()), summary);
  EXPECT_EQ(summary.horizontalSize, 720u);
  EXPECT_EQ(summary.verticalSize, 576u);
  EXPECT_EQ(summary.aspectRatioCode, 3u);
  EXPECT_EQ(summary.frameRateIndex, 3u);
  EXPECT_EQ(FrameRateOf(summary.frameRateIndex), 25.0);
  EXPECT_EQ(summary.bitRateValue, 262143u);
  EXPECT_EQ(summary.vbvBufferSize, 112u);
  EXPECT_EQ(summary.constrainedParameters, 0);
}

TEST(HeaderDecodersTest, SequenceHeaderCutOffReadsMissingBytesAsFF) {
  DecoderFixture f({0x16, 0x01});
  SequenceSummary summary{};
  DecodeSequenceHeader(ReadSequenceHeader(f.source()), summary);
  EXPECT_EQ(summary.horizontalSize, 0x160u);
  EXPECT_EQ(summary.verticalSize, 0x1FFu);
  EXPECT_EQ(summary.frameRateIndex, 15u);
  EXPECT_TRUE(f.source().ended());
}

TEST(HeaderDecodersTest, ExtensionsAreDecodedOnlyTheFirstTimeOfEachKind) {
  // Sequence extension (4:2:2P@ML, progressive, 4:2:2), picture coding extensions with
  // picture_structure 1 and then 3, a scalable extension and a sequence display extension.
  // Sequence and picture coding extensions are read whole every time; the others give only
  // their identifier.
  DecoderFixture f({0x18, 0x5D, 0x00, 0x01, 0x00, 0x00, 0x8F, 0xFF, 0xF5, 0xD4, 0x80, 0x8F, 0xFF,
                    0xF3, 0x00, 0x00, 0x50, 0x20});
  SequenceSummary summary{};
  DecodedExtensions decoded;
  bool scalable = false;
  ASSERT_TRUE(DecodeNextExtension(f.source(), summary, decoded, scalable));
  EXPECT_EQ(summary.isMpeg2, 1);
  EXPECT_EQ(summary.profileLevel, 0x85);
  EXPECT_EQ(summary.progressiveSequence, 1u);
  EXPECT_EQ(summary.chromaFormat, 2u);
  ASSERT_TRUE(DecodeNextExtension(f.source(), summary, decoded, scalable));
  EXPECT_EQ(summary.intraDcPrecision, 1u);
  EXPECT_EQ(summary.pictureStructure, 1u);
  EXPECT_EQ(summary.topFieldFirst, 1);
  EXPECT_EQ(summary.framePredFrameDct, 1);
  EXPECT_EQ(summary.qScaleType, 1);
  EXPECT_EQ(summary.alternateScan, 1);
  EXPECT_EQ(summary.progressiveFrame, 1);
  ASSERT_TRUE(DecodeNextExtension(f.source(), summary, decoded, scalable));
  EXPECT_EQ(summary.pictureStructure, 1u) << "a later picture coding extension changes nothing";
  EXPECT_FALSE(scalable);
  ASSERT_TRUE(DecodeNextExtension(f.source(), summary, decoded, scalable));
  EXPECT_TRUE(scalable);
  ASSERT_TRUE(DecodeNextExtension(f.source(), summary, decoded, scalable));  // display: nothing
  EXPECT_FALSE(DecodeNextExtension(f.source(), summary, decoded, scalable));
}

TEST(HeaderDecodersTest, GopHeaderTimeCodeAndFlags) {
  // 1:23:45 picture 17, drop_frame set (not kept), closed, broken link.
  const uint8_t hours = 1, minutes = 23, seconds = 45, pictures = 17;
  DecoderFixture f({static_cast<uint8_t>(0x80 | hours << 2 | minutes >> 4),
                    static_cast<uint8_t>((minutes & 0xF) << 4 | 0x08 | seconds >> 3),
                    static_cast<uint8_t>((seconds & 0x7) << 5 | pictures >> 1),
                    static_cast<uint8_t>((pictures & 1) << 7 | 0x60)});
  GopRecord gop{};
  DecodeGopHeader(f.source(), gop);
  EXPECT_EQ(gop.hours, hours);
  EXPECT_EQ(gop.minutes, minutes);
  EXPECT_EQ(gop.seconds, seconds);
  EXPECT_EQ(gop.pictures, pictures);
  EXPECT_EQ(gop.closedGop, 1);
  EXPECT_EQ(gop.brokenLink, 1);
}

TEST(HeaderDecodersTest, PictureTypesAndVbvDelay) {
  const std::pair<uint8_t, char> cases[] = {{0, 'X'}, {1, 'I'}, {2, 'P'}, {3, 'B'},
                                            {4, 'D'}, {5, 'X'}, {7, 'X'}};
  for (const auto& [codingType, letter] : cases) {
    // vbv_delay 0x1234 in the 16 bits after picture_coding_type.
    const uint32_t word = uint32_t{codingType} << 19 | 0x1234u << 3;
    DecoderFixture f({static_cast<uint8_t>(word >> 24), static_cast<uint8_t>(word >> 16),
                      static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word)});
    PictureHeaderStart start;
    EXPECT_EQ(DecodePictureType(f.source(), start), letter);
    EXPECT_EQ(DecodeVbvDelay(f.source(), start), 0x1234);
  }
}

TEST(HeaderDecodersTest, SliceQuantiserPlainAndAfterPriorityBreakpoint) {
  DecoderFixture plain({0x2A});
  EXPECT_EQ(ReadSliceQuantiser(plain.source(), false), 5u);
  EXPECT_EQ(ReadSliceQuantiser(plain.source(), false), 0u) << "0 once the input has ended";
  DecoderFixture scalable({0x2B, 0x70});
  EXPECT_EQ(ReadSliceQuantiser(scalable.source(), true), 23u);
}

}  // namespace
}  // namespace tessivo
