// The input of the commands that read either a stream or a saved result: the options that shape
// an analysis, and the analysis itself.
#pragma once

#include <memory>
#include <string>

#include "analysis/analysis_context.h"
#include "cli/argument_list.h"
#include "cli/cli_observer.h"

namespace tessivo::cli {

struct InputOptions {
  AnalysisSettings settings;
  bool quiet = false;
};

// Takes --max-frames, --program, --no-pack-check and --quiet; a bad value sets the list's error.
InputOptions TakeInputOptions(ArgumentList& arguments);

// A result file is told by its extension, .tsr: the stream detection would refuse one anyway.
bool IsResultFileName(const std::string& path);

// Analyses the stream to its end or loads the result file. Returns nullptr, with the exit code
// set and the message shown, when that fails.
std::unique_ptr<AnalysisContext> ReadInput(const InputOptions& options, const std::string& path,
                                           CliObserver& observer, int& exitCode);

// The refusal of an output that is the input, before any work: kExitCannotWrite, or kExitDone.
int RefuseOutputOntoInput(const std::string& input, const std::string& output);

}  // namespace tessivo::cli
