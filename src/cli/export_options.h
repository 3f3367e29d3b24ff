// The export options of analyse and show: --gops FILE, --seconds FILE, --format, --json FILE.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_context.h"
#include "cli/argument_list.h"
#include "cli/cli_observer.h"
#include "tables/export_formats.h"

namespace tessivo::cli {

struct ExportOptions {
  std::optional<std::string> gopsFile;
  std::optional<std::string> secondsFile;
  const ExportFormat* format = nullptr;  // forced by --format; else each file's extension decides
  std::optional<std::string> jsonFile;   // "-" for stdout

  bool jsonToStdout() const { return jsonFile == "-"; }
  // The files these options write.
  std::vector<std::string> files() const;
};

// Takes the options; returns a usage error, or an empty text.
std::string TakeExportOptions(ArgumentList& arguments, ExportOptions& options);

// Writes the requested files; returns kExitDone or kExitCannotWrite.
int WriteExports(const AnalysisContext& context, const ExportOptions& options,
                 CliObserver& observer);

}  // namespace tessivo::cli
