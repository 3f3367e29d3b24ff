// The whole analysis of one file, as every command that reads a stream needs it.
#pragma once

#include <memory>
#include <string>

#include "analysis/analysis_context.h"
#include "cli/cli_observer.h"

namespace tessivo::cli {

// Analyses path to its end. Returns nullptr, with the exit code set and the message shown, when
// the stores cannot be obtained or the file cannot be analysed.
std::unique_ptr<AnalysisContext> AnalyseWholeFile(const AnalysisSettings& settings,
                                                  const std::string& path, CliObserver& observer,
                                                  int& exitCode);

// Loads the result file at path. Returns nullptr, with the exit code set and the message shown,
// when the stores cannot be obtained or the file cannot be loaded.
std::unique_ptr<AnalysisContext> LoadWholeResult(const AnalysisSettings& settings,
                                                 const std::string& path, CliObserver& observer,
                                                 int& exitCode);

}  // namespace tessivo::cli
