// The summary of a batch: one line per input, as CSV or as JSON Lines.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_context.h"

namespace tessivo::cli {

struct BatchFigures {
  uint32_t seconds = 0;
  uint32_t gops = 0;
  uint32_t pictures = 0;
  uint32_t peakBitrate = 0;  // kbit/s
  uint32_t averageBitrate = 0;
  double peakQuant = 0.0;
  double averageQuant = 0.0;
};

struct BatchEntry {
  std::string name;       // the input as given
  std::string container;  // empty when the file could not be opened
  int exitStatus = 0;
  std::string message;                  // what went wrong; empty when nothing did
  std::optional<BatchFigures> figures;  // none when the input was not analysed
  std::vector<std::string> notes;       // the report's notes
};

enum class SummaryFormat { kCsv, kJsonLines };

// By the file's extension, .csv or .jsonl; none for any other.
std::optional<SummaryFormat> SummaryFormatOfFile(const std::string& fileName);

// "elementary", "program" (program and system streams) or "transport".
std::string ContainerName(Container container);
// The figures and notes of a finished analysis.
void FillFromAnalysis(const AnalysisContext& context, BatchEntry& entry);

// The whole file: CSV has a header line first; every line ends with a newline.
std::string FormatSummary(const std::vector<BatchEntry>& entries, SummaryFormat format);

}  // namespace tessivo::cli
