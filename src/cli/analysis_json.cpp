#include "cli/analysis_json.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "analysis/stream_report.h"
#include "tables/utf8.h"

namespace tessivo::cli {

namespace {

// Appends the members of one object; the caller writes its braces.
class JsonObject {
 public:
  explicit JsonObject(std::string& out) : out_(out) {}

  JsonObject& Text(const char* name, std::string_view value) {
    Name(name);
    AppendString(value, out_);
    return *this;
  }
  JsonObject& Unsigned(const char* name, uint64_t value) {
    Name(name);
    out_ += std::to_string(value);
    return *this;
  }
  JsonObject& Signed(const char* name, int64_t value) {
    Name(name);
    out_ += std::to_string(value);
    return *this;
  }
  JsonObject& Real(const char* name, double value) {
    Name(name);
    AppendReal(value, out_);
    return *this;
  }
  JsonObject& Boolean(const char* name, bool value) {
    Name(name);
    out_ += value ? "true" : "false";
    return *this;
  }
  // Opens a member whose value the caller writes.
  void Name(const char* name) {
    if (!first_) out_ += ',';
    first_ = false;
    AppendString(name, out_);
    out_ += ':';
  }

  static void AppendString(std::string_view text, std::string& out) {
    out += '"';
    for (size_t position = 0; position < text.size();) {
      const char32_t c = NextCodePoint(text, position);
      if (c == '"' || c == '\\') {
        out += '\\';
        out += static_cast<char>(c);
      } else if (c < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
        out += escaped;
      } else {
        AppendUtf8(c, out);
      }
    }
    out += '"';
  }

  // The shortest text that reads back as the same double; JSON has no NaN or infinity.
  static void AppendReal(double value, std::string& out) {
    if (!std::isfinite(value)) {
      out += "null";
      return;
    }
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
  }

 private:
  std::string& out_;
  bool first_ = true;
};

void AppendSummary(const RecordStores& stores, std::string& out) {
  const SequenceSummary& summary = stores.summary;
  out += '{';
  JsonObject(out)
      .Text("fileName",
            std::string_view(summary.fileName, strnlen(summary.fileName, kFileNameSize)))
      .Unsigned("isMpeg2", summary.isMpeg2)
      .Unsigned("profileLevel", summary.profileLevel)
      .Unsigned("progressiveSequence", summary.progressiveSequence)
      .Unsigned("chromaFormat", summary.chromaFormat)
      .Unsigned("vbrFlag", summary.vbrFlag)
      .Unsigned("horizontalSize", summary.horizontalSize)
      .Unsigned("verticalSize", summary.verticalSize)
      .Unsigned("aspectRatioCode", summary.aspectRatioCode)
      .Unsigned("frameRateIndex", summary.frameRateIndex)
      .Unsigned("bitRateValue", summary.bitRateValue)
      .Unsigned("vbvBufferSize", summary.vbvBufferSize)
      .Unsigned("constrainedParameters", summary.constrainedParameters)
      .Unsigned("intraDcPrecision", summary.intraDcPrecision)
      .Unsigned("pictureStructure", summary.pictureStructure)
      .Unsigned("topFieldFirst", summary.topFieldFirst)
      .Unsigned("framePredFrameDct", summary.framePredFrameDct)
      .Unsigned("qScaleType", summary.qScaleType)
      .Unsigned("alternateScan", summary.alternateScan)
      .Unsigned("progressiveFrame", summary.progressiveFrame)
      .Unsigned("streamBytes", stores.streamByteCount)
      .Unsigned("pictureCount", summary.pictureCount)
      .Unsigned("peakBitrate", summary.peakBitrate)
      .Unsigned("averageBitrate", summary.averageBitrate)
      .Real("peakQuant", summary.peakQuant)
      .Real("averageQuant", summary.averageQuant)
      .Unsigned("savedSecondCount", summary.savedSecondCount)
      .Unsigned("savedGopCount", summary.savedGopCount);
  out += '}';
}

// The figures analyse prints after the report.
void AppendRun(const AnalysisContext& context, std::string& out) {
  const RecordStores& stores = context.stores();
  out += '{';
  JsonObject(out)
      .Unsigned("secondCount", stores.ValidSecondCount())
      .Unsigned("gopCount", stores.gopCount)
      .Unsigned("pictureCount", stores.summary.pictureCount)
      .Unsigned("peakBitrate", stores.summary.peakBitrate)
      .Unsigned("averageBitrate", stores.summary.averageBitrate)
      .Real("peakQuant", stores.summary.peakQuant)
      .Real("averageQuant", stores.summary.averageQuant)
      .Real("frameRate", FrameRateOf(stores.summary.frameRateIndex))
      .Unsigned("kiloBase", context.settings().kiloBase)
      .Boolean("endReached", context.endReached());
  out += '}';
}

// Where the video came from, for the containers whose facts the records do not show.
void AppendTransport(const TransportFacts& facts, std::string& out) {
  out += '{';
  JsonObject(out)
      .Text("kind", "transport stream")
      .Unsigned("packetSize", facts.packetSize)
      .Unsigned("program", facts.program)
      .Unsigned("videoPid", facts.videoPid)
      .Unsigned("continuityErrors", facts.counts.continuityErrors)
      .Unsigned("damagedPackets", facts.counts.damagedPackets)
      .Unsigned("scrambledPackets", facts.counts.scrambledPackets)
      .Unsigned("syncLosses", facts.counts.syncLosses);
  out += '}';
}

template <typename Record, typename AppendMembers>
void AppendRecords(const Record* records, uint32_t count, AppendMembers appendMembers,
                   std::string& out) {
  out += '[';
  for (uint32_t i = 0; i < count; ++i) {
    if (i > 0) out += ',';
    out += "\n{";
    JsonObject members(out);
    appendMembers(members, records[i], i);
    out += '}';
  }
  out += ']';
}

}  // namespace

std::string FormatAnalysisJson(const AnalysisContext& context) {
  const RecordStores& stores = context.stores();
  std::string out = "{\n";
  JsonObject document(out);
  document.Name("summary");
  AppendSummary(stores, out);
  out += '\n';
  document.Name("run");
  AppendRun(context, out);
  out += '\n';
  const RunNotes notes = context.runNotes();
  if (notes.transport) {
    document.Name("container");
    AppendTransport(*notes.transport, out);
    out += '\n';
  }

  document.Name("report");
  out += '[';
  bool firstLine = true;
  for (const std::string& line : ShowStreamReport(stores, notes)) {
    if (!firstLine) out += ',';
    firstLine = false;
    out += '\n';
    JsonObject::AppendString(line, out);
  }
  out += "]\n";

  document.Name("seconds");
  AppendRecords(
      stores.seconds(), stores.ValidSecondCount(),
      [](JsonObject& members, const PerSecondStats& second, uint32_t) {
        members.Unsigned("bitrate", second.bitrate)
            .Real("quant", second.quant)
            .Unsigned("valid", second.valid);
      },
      out);
  out += '\n';

  document.Name("gops");
  const uint32_t gopCount = stores.recordedGopCount();
  AppendRecords(
      stores.gops(), gopCount,
      [&stores](JsonObject& members, const GopRecord& gop, uint32_t i) {
        members.Unsigned("hours", gop.hours)
            .Unsigned("minutes", gop.minutes)
            .Unsigned("seconds", gop.seconds)
            .Unsigned("pictures", gop.pictures)
            .Text("pattern", std::string_view(gop.pattern, strnlen(gop.pattern, kPatternSize)))
            .Unsigned("count", gop.count)
            .Unsigned("closedGop", gop.closedGop)
            .Unsigned("brokenLink", gop.brokenLink)
            .Unsigned("sequenceHeader", gop.sequenceHeader)
            .Unsigned("position", stores.gopPositions()[i]);
      },
      out);
  out += '\n';

  document.Name("pictures");
  const uint32_t pictureCount = std::min(stores.summary.pictureCount, stores.capacity());
  AppendRecords(
      stores.pictures(), pictureCount,
      [](JsonObject& members, const PictureRecord& picture, uint32_t) {
        members.Text("type", std::string_view(&picture.type, picture.type ? 1 : 0))
            .Unsigned("size", picture.size)
            .Signed("qmin", picture.qmin)
            .Signed("qmax", picture.qmax)
            .Real("qavg", picture.qavg);
      },
      out);
  out += "\n}\n";
  return out;
}

}  // namespace tessivo::cli
