#include "compliance/compliance_profiles.h"

#include <array>

namespace tessivo {

namespace {

constexpr uint8_t kMainProfileMainLevel = 0x48;
constexpr uint8_t kMainProfileHighLevel = 0x44;

// aspect_ratio_information: 2 is 4:3, 3 is 16:9 in MPEG-2. MPEG-1 codes a pel aspect ratio:
// 8 (0.9157) and 12 (1.0950) are the 625- and 525-line ones that show 352 pixels as 4:3.
constexpr uint16_t kFourByThree = Codes({2});
constexpr uint16_t kFourByThreeOrWide = Codes({2, 3});
constexpr uint16_t kPel625 = Codes({8});
constexpr uint16_t kPel525 = Codes({12});
constexpr uint16_t k25Hz = Codes({3});
constexpr uint16_t k2997Hz = Codes({4});

constexpr uint8_t kDvdProfileLevels[] = {kMainProfileMainLevel};

// DVD-Video (DVD Forum book B, video): MPEG-2 MP@ML or MPEG-1; 625/50 frame sizes 720, 704 and
// 352 x 576 and 352 x 288; 16:9 only at 720 and 704; MPEG-1 only at 352 x 288.
constexpr FrameFormat kDvdPalFormats[] = {
    {kMpeg2, 720, 576, k25Hz, kFourByThreeOrWide, kAnyScan},
    {kMpeg2, 704, 576, k25Hz, kFourByThreeOrWide, kAnyScan},
    {kMpeg2, 352, 576, k25Hz, kFourByThree, kAnyScan},
    {kMpeg2, 352, 288, k25Hz, kFourByThree, kAnyScan},
    {kMpeg1, 352, 288, k25Hz, kPel625, kAnyScan},
};
// 525/60: the same at 480 and 240 lines, 29.97 Hz only (film is carried with pulldown flags).
constexpr FrameFormat kDvdNtscFormats[] = {
    {kMpeg2, 720, 480, k2997Hz, kFourByThreeOrWide, kAnyScan},
    {kMpeg2, 704, 480, k2997Hz, kFourByThreeOrWide, kAnyScan},
    {kMpeg2, 352, 480, k2997Hz, kFourByThree, kAnyScan},
    {kMpeg2, 352, 240, k2997Hz, kFourByThree, kAnyScan},
    {kMpeg1, 352, 240, k2997Hz, kPel525, kAnyScan},
};

constexpr const char* kDvdBook = "DVD-Video book B, video";
constexpr const char* kDvdBitrateSource =
    "DVD-Video book B: 9.8 Mbit/s MPEG-2, 1.856 Mbit/s MPEG-1";
constexpr const char* kDvdBufferSource =
    "DVD-Video book B: 1 835 008 bits (MP@ML) MPEG-2, 327 680 bits MPEG-1";

// The two DVD systems differ only in their GOP limits.
constexpr std::array<ComplianceRule, 19> DvdRules(uint64_t gopFrames, uint64_t gopFields,
                                                  const char* gopSource) {
  return {{
      {RuleKind::kMpegVersion, kAnyMpeg, kAnyMpeg, "MPEG-1 or MPEG-2 video", kDvdBook},
      {RuleKind::kProfileLevel, kMpeg2, 0, "Main profile at main level", kDvdBook},
      {RuleKind::kFrameSize, kAnyMpeg, 0, "Frame size", kDvdBook},
      {RuleKind::kFrameRate, kAnyMpeg, 0, "Frame rate", kDvdBook},
      {RuleKind::kAspectRatio, kAnyMpeg, 0, "Aspect ratio", kDvdBook},
      {RuleKind::kChromaFormat, kMpeg2, 1, "4:2:0 chroma", "ISO/IEC 13818-2 main profile"},
      {RuleKind::kNominalBitrate, kMpeg2, 9800000, "Nominal bitrate (MPEG-2)", kDvdBitrateSource},
      {RuleKind::kNominalBitrate, kMpeg1, 1856000, "Nominal bitrate (MPEG-1)", kDvdBitrateSource},
      {RuleKind::kMeasuredBitrate, kMpeg2, 9800000, "Bitrate of each second (MPEG-2)",
       kDvdBitrateSource},
      {RuleKind::kMeasuredBitrate, kMpeg1, 1856000, "Bitrate of each second (MPEG-1)",
       kDvdBitrateSource},
      {RuleKind::kVbvBufferSize, kMpeg2, 1835008, "VBV buffer size (MPEG-2)", kDvdBufferSource},
      {RuleKind::kVbvBufferSize, kMpeg1, 327680, "VBV buffer size (MPEG-1)", kDvdBufferSource},
      {RuleKind::kBufferModel, kAnyMpeg, 0, "No buffer underflow or overflow",
       "ISO/IEC 13818-2 and 11172-2 annex C"},
      {RuleKind::kGopPictures, kAnyMpeg, gopFrames, "GOP length (pictures)", gopSource},
      {RuleKind::kGopFields, kAnyMpeg, gopFields, "GOP length (fields)", gopSource},
      {RuleKind::kClosedFirstGop, kAnyMpeg, 0, "First GOP closed", kDvdBook},
      {RuleKind::kSequenceHeaderEveryGop, kAnyMpeg, 0, "Sequence header before every GOP",
       kDvdBook},
      {RuleKind::kLowDelay, kMpeg2, 0, "No low delay", kDvdBook},
      {RuleKind::kConstantRate, kMpeg1, 0, "Constant rate (MPEG-1)", kDvdBook},
  }};
}

constexpr auto kDvdPalRules =
    DvdRules(15, 30, "DVD-Video book B: at most 15 frames or 30 fields at 625/50");
constexpr auto kDvdNtscRules =
    DvdRules(18, 36, "DVD-Video book B: at most 18 frames or 36 fields at 525/60");

// Super Video CD (IEC 62107): MPEG-2 MP@ML at 480 x 576 (25 Hz) or 480 x 480 (29.97 Hz), video
// at up to 2.6 Mbit/s.
constexpr FrameFormat kSvcdFormats[] = {
    {kMpeg2, 480, 576, k25Hz, kFourByThreeOrWide, kAnyScan},
    {kMpeg2, 480, 480, k2997Hz, kFourByThreeOrWide, kAnyScan},
};
constexpr const char* kSvcdStandard = "IEC 62107";
constexpr ComplianceRule kSvcdRules[] = {
    {RuleKind::kMpegVersion, kAnyMpeg, kMpeg2, "MPEG-2 video", kSvcdStandard},
    {RuleKind::kProfileLevel, kMpeg2, 0, "Main profile at main level", kSvcdStandard},
    {RuleKind::kFrameSize, kAnyMpeg, 0, "Frame size", kSvcdStandard},
    {RuleKind::kFrameRate, kAnyMpeg, 0, "Frame rate", kSvcdStandard},
    {RuleKind::kAspectRatio, kAnyMpeg, 0, "Aspect ratio", kSvcdStandard},
    {RuleKind::kChromaFormat, kMpeg2, 1, "4:2:0 chroma", "ISO/IEC 13818-2 main profile"},
    {RuleKind::kNominalBitrate, kAnyMpeg, 2600000, "Nominal bitrate", "IEC 62107: 2.6 Mbit/s"},
    {RuleKind::kMeasuredBitrate, kAnyMpeg, 2600000, "Bitrate of each second",
     "IEC 62107: 2.6 Mbit/s"},
    {RuleKind::kVbvBufferSize, kAnyMpeg, 1835008, "VBV buffer size",
     "ISO/IEC 13818-2 main level: 1 835 008 bits"},
    {RuleKind::kBufferModel, kAnyMpeg, 0, "No buffer underflow or overflow",
     "ISO/IEC 13818-2 annex C"},
};

// Video CD (White Book 2.0): MPEG-1 at 352 x 288 (25 Hz) or 352 x 240 (29.97 or 23.976 Hz),
// constant rate up to 1 151 929.1 bit/s (bit_rate_value 2880, rounded up to 400 bit/s), a
// 40 960-byte buffer, constrained parameters; I pictures at least every 2 seconds (recommended).
constexpr FrameFormat kVcdFormats[] = {
    {kMpeg1, 352, 288, k25Hz, kPel625, kAnyScan},
    {kMpeg1, 352, 240, Codes({1, 4}), kPel525, kAnyScan},
};
constexpr const char* kWhiteBook = "Video CD White Book 2.0";
constexpr ComplianceRule kVcdRules[] = {
    {RuleKind::kMpegVersion, kAnyMpeg, kMpeg1, "MPEG-1 video", kWhiteBook},
    {RuleKind::kFrameSize, kAnyMpeg, 0, "Frame size", kWhiteBook},
    {RuleKind::kFrameRate, kAnyMpeg, 0, "Frame rate", kWhiteBook},
    {RuleKind::kAspectRatio, kAnyMpeg, 0, "Pel aspect ratio", kWhiteBook},
    {RuleKind::kNominalBitrate, kAnyMpeg, 1152000, "Nominal bitrate",
     "Video CD White Book 2.0: 1 151 929.1 bit/s"},
    {RuleKind::kMeasuredBitrate, kAnyMpeg, 1152000, "Bitrate of each second",
     "Video CD White Book 2.0: 1 151 929.1 bit/s"},
    {RuleKind::kVbvBufferSize, kAnyMpeg, 327680, "VBV buffer size",
     "Video CD White Book 2.0: 40 960 bytes"},
    {RuleKind::kConstantRate, kAnyMpeg, 0, "Constant rate", kWhiteBook},
    {RuleKind::kConstrainedParameters, kMpeg1, 0, "Constrained parameters", kWhiteBook},
    {RuleKind::kBufferModel, kAnyMpeg, 0, "No buffer underflow or overflow",
     "ISO/IEC 11172-2 annex C"},
    {RuleKind::kGopDuration, kAnyMpeg, 2000, "GOP length (time)",
     "Video CD White Book 2.0: an I picture at least every 2 s (recommended)"},
};

// ATSC A/53 part 4 (MPEG-2 main profile): the compression formats of its table 6.2.
constexpr uint16_t kAtscProgressiveRates = Codes({1, 2, 4, 5, 7, 8});
constexpr uint16_t kAtscInterlacedRates = Codes({4, 5});
constexpr uint16_t kSquareOrWide = Codes({1, 3});
constexpr uint16_t kSquareOrFourByThree = Codes({1, 2});
constexpr FrameFormat kAtscFormats[] = {
    {kMpeg2, 1920, 1080, Codes({1, 2, 4, 5}), kSquareOrWide, kProgressiveScan},
    {kMpeg2, 1920, 1080, kAtscInterlacedRates, kSquareOrWide, kInterlacedScan},
    {kMpeg2, 1280, 720, kAtscProgressiveRates, kSquareOrWide, kProgressiveScan},
    {kMpeg2, 704, 480, kAtscProgressiveRates, kFourByThreeOrWide, kProgressiveScan},
    {kMpeg2, 704, 480, kAtscInterlacedRates, kFourByThreeOrWide, kInterlacedScan},
    {kMpeg2, 640, 480, kAtscProgressiveRates, kSquareOrFourByThree, kProgressiveScan},
    {kMpeg2, 640, 480, kAtscInterlacedRates, kSquareOrFourByThree, kInterlacedScan},
};
constexpr uint8_t kAtscProfileLevels[] = {kMainProfileHighLevel, kMainProfileMainLevel};
constexpr const char* kAtsc = "ATSC A/53 part 4";
constexpr ComplianceRule kAtscRules[] = {
    {RuleKind::kMpegVersion, kAnyMpeg, kMpeg2, "MPEG-2 video", kAtsc},
    {RuleKind::kProfileLevel, kMpeg2, 0, "Main profile at high or main level", kAtsc},
    {RuleKind::kFrameSize, kAnyMpeg, 0, "Frame size", kAtsc},
    {RuleKind::kFrameRate, kAnyMpeg, 0, "Frame rate and scan", kAtsc},
    {RuleKind::kAspectRatio, kAnyMpeg, 0, "Aspect ratio", kAtsc},
    {RuleKind::kChromaFormat, kMpeg2, 1, "4:2:0 chroma", kAtsc},
    {RuleKind::kNominalBitrate, kAnyMpeg, 19400000, "Nominal bitrate",
     "ATSC A/53 part 4: bit_rate_value at most 48 500"},
    {RuleKind::kMeasuredBitrate, kAnyMpeg, 19400000, "Bitrate of each second",
     "ATSC A/53 part 4: 19.4 Mbit/s"},
    {RuleKind::kVbvBufferSize, kAnyMpeg, 7995392, "VBV buffer size",
     "ATSC A/53 part 4: vbv_buffer_size_value at most 488"},
    // Read as published, without an exception for 0xFFFF.
    {RuleKind::kVbvDelayLimit, kAnyMpeg, 45000, "vbv_delay", "ATSC A/53 part 4: at most 45 000"},
    {RuleKind::kBufferModel, kAnyMpeg, 0, "No buffer underflow or overflow",
     "ISO/IEC 13818-2 annex C"},
};

constexpr ComplianceProfile kProfiles[] = {
    {"dvd-pal", "DVD-Video PAL", kDvdPalFormats, kDvdProfileLevels, kDvdPalRules},
    {"dvd-ntsc", "DVD-Video NTSC", kDvdNtscFormats, kDvdProfileLevels, kDvdNtscRules},
    {"svcd", "Super Video CD", kSvcdFormats, kDvdProfileLevels, kSvcdRules},
    {"vcd", "Video CD", kVcdFormats, {}, kVcdRules},
    {"atsc", "ATSC A/53 main profile", kAtscFormats, kAtscProfileLevels, kAtscRules},
};

}  // namespace

std::span<const ComplianceProfile> ComplianceProfiles() {
  return kProfiles;
}

const ComplianceProfile* FindComplianceProfile(std::string_view id) {
  for (const ComplianceProfile& profile : kProfiles) {
    if (id == profile.id) return &profile;
  }
  return nullptr;
}

}  // namespace tessivo
