// The shared result of an analysis: picture, GOP and per-second records, the sequence summary
// and the raw first sequence header. Their layouts are also the layout of result files.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessivo {

struct PictureRecord {
  char type;      // 'I', 'P', 'B' or 'D'
  uint32_t size;  // stream bytes from the end of this picture start code to the end of the next
  int32_t qmin;
  int32_t qmax;
  double qavg;  // slice quantiser sum while the picture is open, mean once it is closed
};

inline constexpr int kPatternSize = 101;
inline constexpr uint8_t kPatternOverflowCount = 100;

struct GopRecord {
  uint8_t hours;
  uint8_t minutes;
  uint8_t seconds;
  uint8_t pictures;
  char pattern[kPatternSize];  // picture letters, NUL-terminated; "!" marks 100 or more pictures
  uint8_t count;
  uint8_t closedGop;
  uint8_t brokenLink;
  uint8_t sequenceHeader;  // a sequence header came after the previous GOP header
  uint32_t position;       // stream byte count just after this GOP's start code
};

struct PerSecondStats {
  uint32_t reserved;
  uint32_t bitrate;  // kbit/s
  double quant;
  uint8_t valid;
};

inline constexpr size_t kFileNameSize = 128;

struct SequenceSummary {
  char fileName[kFileNameSize];
  uint8_t isMpeg2;
  uint8_t profileLevel;
  uint32_t progressiveSequence;
  uint32_t chromaFormat;
  uint8_t vbrFlag;
  uint32_t horizontalSize;
  uint32_t verticalSize;
  uint32_t aspectRatioCode;
  uint32_t frameRateIndex;
  uint32_t bitRateValue;
  uint32_t vbvBufferSize;
  uint8_t constrainedParameters;
  uint32_t intraDcPrecision;
  uint32_t pictureStructure;
  uint8_t topFieldFirst;
  uint8_t framePredFrameDct;
  uint8_t qScaleType;
  uint8_t alternateScan;
  uint8_t progressiveFrame;
  uint32_t streamBytes;
  uint32_t pictureCount;
  uint32_t peakBitrate;
  uint32_t averageBitrate;
  double peakQuant;
  double averageQuant;
  uint32_t savedSecondCount;
  uint32_t savedGopCount;
};

// Natural alignment already gives the stored layout; these keep it that way.
static_assert(sizeof(PictureRecord) == 24 && offsetof(PictureRecord, qavg) == 16);
static_assert(sizeof(GopRecord) == 116 && offsetof(GopRecord, position) == 112);
static_assert(sizeof(PerSecondStats) == 24 && offsetof(PerSecondStats, valid) == 16);
static_assert(sizeof(SequenceSummary) == 232);
static_assert(offsetof(SequenceSummary, progressiveSequence) == 132);
static_assert(offsetof(SequenceSummary, horizontalSize) == 144);
static_assert(offsetof(SequenceSummary, intraDcPrecision) == 172);
static_assert(offsetof(SequenceSummary, streamBytes) == 188);
static_assert(offsetof(SequenceSummary, peakQuant) == 208);
static_assert(offsetof(SequenceSummary, savedGopCount) == 228);

inline constexpr uint32_t kFirstSequenceBlockSize = 1000;

struct FirstSequenceBlock {
  uint8_t bytes[kFirstSequenceBlockSize];
  uint32_t length;
};

inline constexpr int kFrameRateTableSize = 9;
inline constexpr double kFrameRateTable[kFrameRateTableSize] = {
    0.0, 24000.0 / 1001.0, 24.0, 25.0, 30000.0 / 1001.0, 30.0, 50.0, 60000.0 / 1001.0, 60.0};

// Frames per second of a frame_rate_code; 0.0 for codes outside the table.
inline double FrameRateOf(uint32_t frameRateIndex) {
  return frameRateIndex < kFrameRateTableSize ? kFrameRateTable[frameRateIndex] : 0.0;
}

// The rate everything assumes for a stream whose frame_rate_code is outside the table.
inline double FrameRateOrAssumed(double frameRate) {
  return frameRate > 0.0 ? frameRate : 25.0;
}

}  // namespace tessivo
