#include "cli/analysis_output.h"

#include "analysis/stream_report.h"

namespace tessivo::cli {

void PrintReportAndFigures(const AnalysisContext& context, std::FILE* out) {
  const RecordStores& stores = context.stores();
  for (const std::string& line : ShowStreamReport(stores, context.runNotes())) {
    std::fprintf(out, "%s\n", line.c_str());
  }
  const SequenceSummary& summary = stores.summary;
  std::fprintf(out, "\n");
  std::fprintf(out, "Seconds: %u\n", stores.ValidSecondCount());
  std::fprintf(out, "GOPs: %u\n", stores.gopCount);
  std::fprintf(out, "Pictures: %u\n", summary.pictureCount);
  std::fprintf(out, "Peak bitrate: %u kbit/s\n", summary.peakBitrate);
  std::fprintf(out, "Average bitrate: %u kbit/s\n", summary.averageBitrate);
  std::fprintf(out, "Peak quantiser: %.2f\n", summary.peakQuant);
  std::fprintf(out, "Average quantiser: %.2f\n", summary.averageQuant);
}

}  // namespace tessivo::cli
