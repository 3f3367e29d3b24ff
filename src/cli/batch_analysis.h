// analyse with several inputs: each analysed in a context of its own, several at once, with
// their outputs named by patterns, their reports in input order and a summary line each.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_context.h"
#include "cli/export_options.h"

namespace tessivo::cli {

struct BatchOptions {
  std::vector<std::string> inputs;
  AnalysisSettings settings;
  std::optional<std::string> save;  // a pattern, as are the files of exports
  ExportOptions exports;
  std::optional<std::string> summary;
  uint32_t jobs = 1;
  bool quiet = false;
};

// The highest exit status of the inputs; the refusals of output names before any work.
int RunBatch(const BatchOptions& options);

}  // namespace tessivo::cli
