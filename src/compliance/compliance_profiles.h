// Compliance profiles: for each delivery format, the frame formats it allows and a table of
// rules with their limits, as the format's published documents set them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

namespace tessivo {

enum class RuleKind : uint8_t {
  kMpegVersion,             // limit: mask of the allowed versions
  kProfileLevel,            // profile_and_level_indication among the profile's list
  kFrameSize,               // horizontal and vertical size among the frame formats
  kFrameRate,               // frame_rate_code (and scan) allowed for that size
  kAspectRatio,             // aspect_ratio_information allowed for that size
  kChromaFormat,            // limit: the chroma_format code required
  kNominalBitrate,          // limit: bit/s for the sequence header's bit_rate
  kMeasuredBitrate,         // limit: bit/s for each second's coded bits
  kVbvBufferSize,           // limit: bits
  kBufferModel,             // no underflow or overflow of the buffer model
  kGopPictures,             // limit: frames per GOP (two field pictures make one)
  kGopFields,               // limit: fields displayed per GOP
  kGopDuration,             // limit: milliseconds displayed per GOP
  kClosedFirstGop,          // the first GOP is closed
  kSequenceHeaderEveryGop,  // a sequence header in front of every GOP
  kLowDelay,                // low_delay not set
  kConstantRate,            // no picture with vbv_delay 0xFFFF
  kConstrainedParameters,   // constrained_parameters_flag set
  kVbvDelayLimit,           // limit: 90 kHz ticks for every picture's vbv_delay
};

inline constexpr uint8_t kMpeg1 = 1;
inline constexpr uint8_t kMpeg2 = 2;
inline constexpr uint8_t kAnyMpeg = kMpeg1 | kMpeg2;

struct ComplianceRule {
  RuleKind kind;
  uint8_t versions;  // the MPEG versions of the stream the rule applies to
  uint64_t limit;
  const char* name;
  const char* source;  // where the limit is published
};

inline constexpr uint8_t kInterlacedScan = 1;   // progressive_sequence 0
inline constexpr uint8_t kProgressiveScan = 2;  // progressive_sequence 1 (or MPEG-1)
inline constexpr uint8_t kAnyScan = kInterlacedScan | kProgressiveScan;

constexpr uint16_t Codes(std::initializer_list<int> codes) {
  uint16_t mask = 0;
  for (const int code : codes) mask = static_cast<uint16_t>(mask | 1u << code);
  return mask;
}

struct FrameFormat {
  uint8_t versions;
  uint16_t width;
  uint16_t height;
  uint16_t frameRateCodes;  // bit n: frame_rate_code n
  uint16_t aspectCodes;     // bit n: aspect_ratio_information n
  uint8_t scans;
};

struct ComplianceProfile {
  const char* id;  // as the command line names it
  const char* name;
  std::span<const FrameFormat> formats;
  std::span<const uint8_t> profileLevels;
  std::span<const ComplianceRule> rules;
};

std::span<const ComplianceProfile> ComplianceProfiles();
// nullptr for an unknown id.
const ComplianceProfile* FindComplianceProfile(std::string_view id);

}  // namespace tessivo
