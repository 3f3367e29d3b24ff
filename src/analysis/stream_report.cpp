#include "analysis/stream_report.h"

#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "mpeg/aspect_ratio_labels.h"

namespace tessivo {

namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...) {
  char text[256];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return text;
}

const char* YesNo(uint32_t flag) {
  return flag == 1 ? "Yes" : "No";
}

const char* ChromaFormatName(const SequenceSummary& summary) {
  if (summary.isMpeg2 != 1) return "4:2:0";
  static const char* const kNames[] = {"4:1:1", "4:2:0", "4:2:2", "4:4:4"};
  return kNames[summary.chromaFormat & 0x3];
}

const char* PictureStructureName(const SequenceSummary& summary) {
  if (summary.isMpeg2 != 1) return "FRAME";
  static const char* const kNames[] = {"Unknown", "Field", "Field", "Frame"};
  return kNames[summary.pictureStructure & 0x3];
}

// Adjacent GOPs are compared pairwise; the last GOP, perhaps incomplete, takes part in no pair.
struct GopChanges {
  uint32_t sceneChanges = 0;
  uint32_t patternChanges = 0;
};

GopChanges CompareGops(const RecordStores& stores) {
  GopChanges changes;
  const GopRecord* gops = stores.gops();
  for (uint32_t i = 1; i + 2 <= stores.gopCount; ++i) {
    const GopRecord& previous = gops[i - 1];
    const GopRecord& current = gops[i];
    if (previous.count != current.count) {
      ++changes.sceneChanges;
    } else if (std::strncmp(previous.pattern, current.pattern, kPatternSize) != 0) {
      ++changes.patternChanges;
    }
  }
  return changes;
}

void AddTransportNotes(const TransportFacts& facts, std::vector<std::string>& lines) {
  lines.push_back(Format("Transport stream: program %u, video PID %u, %u-byte packets",
                         facts.program, facts.videoPid, facts.packetSize));
  const TsCounts& counts = facts.counts;
  if (counts.continuityErrors > 0) {
    lines.push_back(
        Format("WARNING! %u continuity errors in the video stream!", counts.continuityErrors));
  }
  if (counts.damagedPackets > 0) {
    lines.push_back(
        Format("WARNING! %u damaged transport packets skipped!", counts.damagedPackets));
  }
  if (counts.scrambledPackets > 0) {
    lines.push_back(
        Format("WARNING! %u scrambled video packets skipped!", counts.scrambledPackets));
  }
  if (counts.syncLosses > 0) {
    lines.push_back(Format("WARNING! Transport stream sync lost %u times!", counts.syncLosses));
  }
}

}  // namespace

std::string ProfileLevelName(uint8_t profileLevel) {
  const char* profile = "UP";
  switch (profileLevel >> 4) {
    case 1:
      profile = "HP";
      break;
    case 4:
      profile = "MP";
      break;
    case 5:
      profile = "SP";
      break;
    case 8:
      profile = "4:2:2P";
      break;
  }
  const char* level = "UL";
  switch (profileLevel & 0x0F) {
    case 4:
      level = "HL";
      break;
    case 5:
    case 8:
      level = "ML";
      break;
    case 6:
      level = "H1440L";
      break;
    case 10:
      level = "LL";
      break;
  }
  return Format("%s@%s", profile, level);
}

std::string AspectRatioName(uint32_t code) {
  const uint32_t index = code & 0xFF;
  if (index >= 1 && index <= kAspectRatioItemCount)
    return Format("%-14s", kAspectRatioNames[index - 1]);
  return Format("Unknow %2u     ", index);
}

std::vector<std::string> ShowStreamReport(const RecordStores& stores, const RunNotes& notes) {
  const SequenceSummary& s = stores.summary;
  const bool mpeg2 = s.isMpeg2 == 1;
  const GopChanges changes = CompareGops(stores);
  std::vector<std::string> lines;
  lines.push_back(Format("Num. of picture read: %u", s.pictureCount));
  lines.push_back(Format("Stream type: %s  %s  %s", mpeg2 ? "MPEG-2" : "MPEG-1",
                         mpeg2 ? ProfileLevelName(s.profileLevel).c_str() : " ",
                         s.vbrFlag == 1 ? "VBR" : "CBR"));
  lines.push_back(Format("Resolution: %u*%u", s.horizontalSize, s.verticalSize));
  lines.push_back(Format("Aspect ratio: %s", AspectRatioName(s.aspectRatioCode).c_str()));
  lines.push_back(Format("Framerate: %3.2f", FrameRateOf(s.frameRateIndex)));
  // 64 bits: a loaded result file may hold any bit_rate_value.
  lines.push_back(Format("Nom. bitrate: %" PRIu64 " Bit/Sec", uint64_t{s.bitRateValue} * 400));
  lines.push_back(Format("VBV buffer size: %u ", s.vbvBufferSize));
  lines.push_back(Format("Constrained param. flag: %s ", YesNo(s.constrainedParameters)));
  lines.push_back(Format("Chroma format: %s", ChromaFormatName(s)));
  lines.push_back(Format("DCT precision: %u", 8 + (s.intraDcPrecision & 0x3)));
  lines.push_back(Format("Pic. structure: %s", PictureStructureName(s)));
  if (mpeg2) lines.push_back(Format("Field topfirst: %s", YesNo(s.topFieldFirst)));
  lines.push_back(Format("DCT type: %s", !mpeg2 || s.framePredFrameDct == 1 ? "Frame" : "Field"));
  lines.push_back(Format("Quantscale: %sinear", s.qScaleType == 1 ? "Nonl" : "L"));
  lines.push_back(Format("Scan type: %s", s.alternateScan == 1 ? "Alternate" : "ZigZag"));
  lines.push_back(
      Format("Frame type: %s", !mpeg2 || s.progressiveFrame == 1 ? "Progressive" : "Interlaced"));
  lines.push_back(
      Format("Scene change detection: %s", changes.sceneChanges >= 2 ? "FOUND" : "NOT FOUND"));
  lines.push_back(
      Format("Variable GOP pattern: %s", changes.patternChanges >= 2 ? "FOUND" : "NOT FOUND"));
  lines.push_back("Notes:");
  if (notes.transport) AddTransportNotes(*notes.transport, lines);
  if (notes.startsWithInvalidHeader) {
    lines.push_back("WARNING! The stream starts with invalid header!");
  }
  if (notes.noSequenceHeader) {
    lines.push_back("WARNING! No video sequence header found in this stream!");
  }
  if (notes.frameRateAssumed) {
    lines.push_back("WARNING! Invalid frame rate code, 25 frames per second assumed!");
  }
  if (notes.capacityReached) {
    lines.push_back(Format("WARNING! The analysis stopped at the store capacity (Max. frames: %u)!",
                           notes.maxFrames));
  }
  if (notes.skippedVideoPackets > 0) {
    lines.push_back(Format("WARNING! %" PRIu64 " video packets skipped by the packet header check!",
                           notes.skippedVideoPackets));
  }
  return lines;
}

}  // namespace tessivo
