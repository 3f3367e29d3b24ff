// Facts of each picture beside its PictureRecord, and of each distinct sequence header in force.
// A run records them; result files do not carry them.
#pragma once

#include <cstdint>

namespace tessivo {

inline constexpr uint32_t kNoGop = 0xFFFFFFFF;
inline constexpr uint16_t kVariableRateVbvDelay = 0xFFFF;
inline constexpr uint8_t kTopFieldStructure = 1;
inline constexpr uint8_t kBottomFieldStructure = 2;
inline constexpr uint8_t kFrameStructure = 3;

// Indexed like the PictureRecords.
struct PictureFacts {
  uint64_t position;     // stream byte count just after the picture start code
  uint32_t headerBytes;  // sequence and GOP header bytes in front of the picture start code
  uint32_t gop;          // index of the GOP record the picture follows, kNoGop before the first
  uint32_t second;       // index of the per-second record whose step counted the picture
  uint16_t temporalReference;
  uint16_t vbvDelay;  // 90 kHz ticks, kVariableRateVbvDelay in variable-rate streams
  uint8_t pictureStructure;
  uint8_t topFieldFirst;
  uint8_t repeatFirstField;
  uint8_t progressiveFrame;
  uint8_t sequence;  // index into the sequence facts table
};

// One sequence header with its sequence extension, as in force for the pictures that follow.
struct SequenceFacts {
  uint64_t bitRate;         // bit/s, the 30-bit value with bit_rate_extension, times 400
  uint64_t vbvBufferSize;   // bits, the 18-bit value with vbv_buffer_size_extension, times 16 384
  double frameRate;         // frame_rate_code's rate scaled by the frame rate extension; 0 if none
  uint32_t horizontalSize;  // with the size extensions
  uint32_t verticalSize;
  uint8_t aspectRatioCode;
  uint8_t frameRateCode;
  uint8_t constrainedParameters;
  uint8_t isMpeg2;  // a sequence extension followed the header
  uint8_t profileLevel;
  uint8_t chromaFormat;
  uint8_t progressiveSequence;
  uint8_t lowDelay;

  bool operator==(const SequenceFacts&) const = default;
};

// Streams rarely change their sequence header; past this many distinct ones the last entry
// takes every further change.
inline constexpr uint32_t kSequenceFactsCapacity = 64;

}  // namespace tessivo
