#include "cli/batch_summary.h"

#include <cstdio>
#include <filesystem>

#include "analysis/stream_report.h"
#include "cli/json_object.h"

namespace tessivo::cli {

namespace {

constexpr const char* kCsvHeader =
    "name,container,exit_status,message,seconds,gops,pictures,peak_bitrate_kbps,"
    "average_bitrate_kbps,peak_quantiser,average_quantiser,notes\n";
constexpr const char* kNoteSeparator = "; ";

std::string Quantiser(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

// Quoted only when it must be: a comma, a quote or a line break inside.
void AppendCsvField(const std::string& text, std::string& out) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) {
    out += text;
    return;
  }
  out += '"';
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

std::string JoinedNotes(const std::vector<std::string>& notes) {
  std::string joined;
  for (const std::string& note : notes) {
    if (!joined.empty()) joined += kNoteSeparator;
    joined += note;
  }
  return joined;
}

void AppendCsvLine(const BatchEntry& entry, std::string& out) {
  std::vector<std::string> fields = {entry.name, entry.container, std::to_string(entry.exitStatus),
                                     entry.message};
  if (entry.figures) {
    const BatchFigures& f = *entry.figures;
    for (const uint32_t value : {f.seconds, f.gops, f.pictures, f.peakBitrate, f.averageBitrate}) {
      fields.push_back(std::to_string(value));
    }
    fields.push_back(Quantiser(f.peakQuant));
    fields.push_back(Quantiser(f.averageQuant));
  } else {
    fields.resize(fields.size() + 7);
  }
  fields.push_back(JoinedNotes(entry.notes));
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += ',';
    AppendCsvField(fields[i], out);
  }
  out += '\n';
}

void AppendJsonMember(const char* name, const std::string& rawValue, bool first, std::string& out) {
  if (!first) out += ',';
  JsonObject::AppendString(name, out);
  out += ':';
  out += rawValue;
}

std::string JsonText(const std::string& text) {
  std::string quoted;
  JsonObject::AppendString(text, quoted);
  return quoted;
}

void AppendJsonLine(const BatchEntry& entry, std::string& out) {
  out += '{';
  AppendJsonMember("name", JsonText(entry.name), true, out);
  AppendJsonMember("container", entry.container.empty() ? "null" : JsonText(entry.container), false,
                   out);
  AppendJsonMember("exitStatus", std::to_string(entry.exitStatus), false, out);
  AppendJsonMember("message", JsonText(entry.message), false, out);
  const BatchFigures* f = entry.figures ? &*entry.figures : nullptr;
  const auto number = [f](uint32_t BatchFigures::*field) {
    return f ? std::to_string(f->*field) : std::string("null");
  };
  AppendJsonMember("seconds", number(&BatchFigures::seconds), false, out);
  AppendJsonMember("gops", number(&BatchFigures::gops), false, out);
  AppendJsonMember("pictures", number(&BatchFigures::pictures), false, out);
  AppendJsonMember("peakBitrate", number(&BatchFigures::peakBitrate), false, out);
  AppendJsonMember("averageBitrate", number(&BatchFigures::averageBitrate), false, out);
  AppendJsonMember("peakQuant", f ? Quantiser(f->peakQuant) : "null", false, out);
  AppendJsonMember("averageQuant", f ? Quantiser(f->averageQuant) : "null", false, out);
  std::string notes = "[";
  for (size_t i = 0; i < entry.notes.size(); ++i) {
    if (i > 0) notes += ',';
    JsonObject::AppendString(entry.notes[i], notes);
  }
  notes += ']';
  AppendJsonMember("notes", notes, false, out);
  out += "}\n";
}

}  // namespace

std::optional<SummaryFormat> SummaryFormatOfFile(const std::string& fileName) {
  const std::string extension = std::filesystem::path(fileName).extension().string();
  if (extension == ".csv") return SummaryFormat::kCsv;
  if (extension == ".jsonl") return SummaryFormat::kJsonLines;
  return std::nullopt;
}

std::string ContainerName(Container container) {
  switch (container) {
    case Container::kElementary:
      return "elementary";
    case Container::kProgram:
      return "program";
    case Container::kTransport:
      return "transport";
  }
  return {};
}

void FillFromAnalysis(const AnalysisContext& context, BatchEntry& entry) {
  const RecordStores& stores = context.stores();
  const SequenceSummary& summary = stores.summary;
  entry.figures = BatchFigures{
      stores.ValidSecondCount(), stores.gopCount,   summary.pictureCount, summary.peakBitrate,
      summary.averageBitrate,    summary.peakQuant, summary.averageQuant};
  // The notes are what the report lists under its "Notes:" line.
  const std::vector<std::string> report = ShowStreamReport(stores, context.runNotes());
  bool inNotes = false;
  for (const std::string& line : report) {
    if (inNotes && !line.empty()) entry.notes.push_back(line);
    if (line == "Notes:") inNotes = true;
  }
}

std::string FormatSummary(const std::vector<BatchEntry>& entries, SummaryFormat format) {
  std::string out = format == SummaryFormat::kCsv ? kCsvHeader : "";
  for (const BatchEntry& entry : entries) {
    if (format == SummaryFormat::kCsv) {
      AppendCsvLine(entry, out);
    } else {
      AppendJsonLine(entry, out);
    }
  }
  return out;
}

}  // namespace tessivo::cli
