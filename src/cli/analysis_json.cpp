#include "cli/analysis_json.h"

#include <algorithm>
#include <cstring>

#include "analysis/stream_report.h"
#include "buffer/vbv_model.h"
#include "buffer/vbv_text.h"
#include "cli/json_object.h"

namespace tessivo::cli {

namespace {

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
      .Boolean("endReached", context.endReached())
      .Boolean("pictureFactsAvailable", stores.pictureFactsAvailable);
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

// The facts a run records beside each picture record, under their own names.
void AppendPictureFacts(const PictureFacts& facts, JsonObject& members) {
  members.Unsigned("position", facts.position)
      .Unsigned("headerBytes", facts.headerBytes)
      .Index("gop", facts.gop, kNoGop)
      .Unsigned("second", facts.second)
      .Unsigned("temporalReference", facts.temporalReference)
      .Unsigned("vbvDelay", facts.vbvDelay)
      .Unsigned("pictureStructure", facts.pictureStructure)
      .Unsigned("topFieldFirst", facts.topFieldFirst)
      .Unsigned("repeatFirstField", facts.repeatFirstField)
      .Unsigned("progressiveFrame", facts.progressiveFrame)
      .Unsigned("sequence", facts.sequence);
}

void AppendBufferFill(VbvMode mode, const VbvPicture& fill, JsonObject& members) {
  members.Real("decodingTime", fill.decodingTime)
      .Signed("vbvBefore", fill.before)
      .Signed("vbvAfter", fill.after);
  if (mode == VbvMode::kConstantRate) members.Signed("vbvFromDelay", fill.fromVbvDelay);
}

void AppendSequenceFacts(const SequenceFacts& sequence, JsonObject& members) {
  members.Unsigned("bitRate", sequence.bitRate)
      .Unsigned("vbvBufferSize", sequence.vbvBufferSize)
      .Real("frameRate", sequence.frameRate)
      .Unsigned("horizontalSize", sequence.horizontalSize)
      .Unsigned("verticalSize", sequence.verticalSize)
      .Unsigned("aspectRatioCode", sequence.aspectRatioCode)
      .Unsigned("frameRateCode", sequence.frameRateCode)
      .Unsigned("constrainedParameters", sequence.constrainedParameters)
      .Unsigned("isMpeg2", sequence.isMpeg2)
      .Unsigned("profileLevel", sequence.profileLevel)
      .Unsigned("chromaFormat", sequence.chromaFormat)
      .Unsigned("progressiveSequence", sequence.progressiveSequence)
      .Unsigned("lowDelay", sequence.lowDelay);
}

// The buffer model's mode, counts and events; pictures count from 0 like the records.
void AppendVbv(const VbvResult& vbv, std::string& out) {
  out += '{';
  JsonObject members(out);
  members.Text("mode", VbvModeText(vbv.mode))
      .Unsigned("underflowCount", vbv.underflowCount)
      .Unsigned("overflowCount", vbv.overflowCount);
  members.Name("events");
  AppendRecords(
      vbv.events.data(), static_cast<uint32_t>(vbv.events.size()),
      [](JsonObject& event, const VbvEvent& e, uint32_t) {
        event.Text("kind", VbvEventKindText(e.kind))
            .Unsigned("picture", e.picture)
            .Text("type", std::string_view(&e.type, e.type ? 1 : 0))
            .Index("gop", e.gop, kNoGop)
            .Unsigned("second", e.second)
            .Text("timeCode", TimeCodeText(e.timeCode))
            .Unsigned("position", e.position)
            .Real("time", e.time)
            .Signed("bits", e.bits);
      },
      out);
  out += '}';
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
  const VbvResult vbv = SimulateVbv(stores);
  const bool modelled = vbv.mode != VbvMode::kNone && vbv.pictures.size() == pictureCount;
  AppendRecords(
      stores.pictures(), pictureCount,
      [&](JsonObject& members, const PictureRecord& picture, uint32_t i) {
        members.Text("type", std::string_view(&picture.type, picture.type ? 1 : 0))
            .Unsigned("size", picture.size)
            .Signed("qmin", picture.qmin)
            .Signed("qmax", picture.qmax)
            .Real("qavg", picture.qavg);
        if (stores.pictureFactsAvailable) AppendPictureFacts(stores.pictureFacts()[i], members);
        if (modelled) AppendBufferFill(vbv.mode, vbv.pictures[i], members);
      },
      out);
  out += '\n';

  if (stores.pictureFactsAvailable) {
    document.Name("sequences");
    AppendRecords(
        stores.sequenceFacts(), stores.sequenceFactsCount,
        [](JsonObject& members, const SequenceFacts& sequence, uint32_t) {
          AppendSequenceFacts(sequence, members);
        },
        out);
    out += '\n';
  }

  document.Name("vbv");
  AppendVbv(vbv, out);
  out += "\n}\n";
  return out;
}

}  // namespace tessivo::cli
