// tessivo-cli analyse FILE and tessivo-cli show RESULT.tsr.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "analysis/analysis_context.h"
#include "analysis/result_file.h"
#include "base/same_file.h"
#include "cli/analysis_output.h"
#include "cli/batch_analysis.h"
#include "cli/batch_summary.h"
#include "cli/cli_observer.h"
#include "cli/commands.h"
#include "cli/export_options.h"
#include "cli/output_pattern.h"
#include "cli/status_exit.h"
#include "cli/whole_file_analysis.h"

namespace tessivo::cli {

namespace {

constexpr uint64_t kLargestMaxFrames = 10'000'000;
constexpr uint64_t kLargestJobs = 256;

uint32_t DefaultJobs() {
  return std::max(1u, std::thread::hardware_concurrency());
}

// Several inputs need a {name} in every output option, or their outputs would overwrite each
// other; one output for all of them is a usage error.
std::string CheckBatchOutputs(size_t inputs, const std::optional<std::string>& save,
                              const ExportOptions& exports,
                              const std::optional<std::string>& summary) {
  if (summary && !SummaryFormatOfFile(*summary)) {
    return "--summary writes .csv or .jsonl, not \"" + *summary + "\"";
  }
  if (inputs < 2) return {};
  if (exports.jsonToStdout()) return "--json - takes one FILE; give --json {name}.json";
  const std::pair<const char*, const std::optional<std::string>&> patterns[] = {
      {"--save", save},
      {"--gops", exports.gopsFile},
      {"--seconds", exports.secondsFile},
      {"--json", exports.jsonFile}};
  for (const auto& [option, pattern] : patterns) {
    if (pattern && !HasNamePlaceholder(*pattern)) {
      return std::string(option) + " needs {name} in its file name for several FILEs, as in " +
             option + " out/{name}" + std::filesystem::path(*pattern).extension().string();
    }
  }
  return {};
}

// An output that is the input would destroy it: refused before any work.
int CheckOutputsAreNotTheInput(const std::string& input, const std::string& inputRole,
                               const std::optional<std::string>& save,
                               const ExportOptions& exports) {
  std::vector<std::string> outputs = exports.files();
  if (save) outputs.push_back(*save);
  for (const std::string& output : outputs) {
    if (!SameFile(input, output)) continue;
    std::fprintf(stderr, "%s\n", SameFileRefusal(output, input, inputRole).c_str());
    return kExitCannotWrite;
  }
  return kExitDone;
}

int SaveTo(AnalysisContext& context, const std::optional<std::string>& path) {
  if (!path) return kExitDone;
  return ReportFailure(SaveResultFile(context, *path));
}

// The report goes to stdout unless the JSON document does.
int Finish(AnalysisContext& context, const std::optional<std::string>& save,
           const ExportOptions& exports, CliObserver& observer) {
  if (!exports.jsonToStdout()) PrintReportAndFigures(context, stdout);
  const int saved = SaveTo(context, save);
  if (saved != kExitDone) return saved;
  return WriteExports(context, exports, observer);
}

}  // namespace

int RunAnalyse(ArgumentList& arguments) {
  AnalysisSettings settings;
  const auto save = arguments.TakeValue("--save");
  const auto kilo = arguments.TakeKiloBase();
  const auto maxFrames = arguments.TakeNumber("--max-frames", 1, kLargestMaxFrames);
  settings.checkPackStartHdr = !arguments.TakeFlag("--no-pack-check");
  const auto program = arguments.TakeNumber("--program", 1, 0xFFFF);
  const bool quiet = arguments.TakeFlag("--quiet");
  const auto jobs = arguments.TakeNumber("--jobs", 1, kLargestJobs);
  const auto summary = arguments.TakeValue("--summary");
  ExportOptions exports;
  const std::string exportError = TakeExportOptions(arguments, exports);
  const auto files = arguments.TakePositional();
  if (!arguments.error().empty()) return UsageError(arguments.error());
  if (!exportError.empty()) return UsageError(exportError);
  if (files.empty()) return UsageError("analyse takes one FILE or more");
  const std::string batchError = CheckBatchOutputs(files.size(), save, exports, summary);
  if (!batchError.empty()) return UsageError(batchError);
  if (kilo) settings.kiloBase = *kilo;
  if (maxFrames) settings.maxFramesAllocate = static_cast<uint32_t>(*maxFrames);
  if (program) settings.program = static_cast<uint32_t>(*program);
  if (files.size() > 1 || summary) {
    BatchOptions batch{files,   settings, save,
                       exports, summary,  jobs ? static_cast<uint32_t>(*jobs) : DefaultJobs(),
                       quiet};
    return RunBatch(batch);
  }
  const auto expanded = [&files](const std::optional<std::string>& pattern) {
    return pattern ? std::optional(ExpandPattern(*pattern, files[0])) : pattern;
  };
  const auto saveName = expanded(save);
  exports.gopsFile = expanded(exports.gopsFile);
  exports.secondsFile = expanded(exports.secondsFile);
  if (!exports.jsonToStdout()) exports.jsonFile = expanded(exports.jsonFile);
  const int refused = CheckOutputsAreNotTheInput(files[0], "analysed file", saveName, exports);
  if (refused != kExitDone) return refused;

  CliObserver observer(files[0], quiet);
  int exitCode = kExitDone;
  auto context = AnalyseWholeFile(settings, files[0], observer, exitCode);
  if (!context) return exitCode;
  return Finish(*context, saveName, exports, observer);
}

int RunShow(ArgumentList& arguments) {
  const auto save = arguments.TakeValue("--save");
  ExportOptions exports;
  const std::string exportError = TakeExportOptions(arguments, exports);
  const auto files = arguments.TakePositional();
  if (!arguments.error().empty()) return UsageError(arguments.error());
  if (!exportError.empty()) return UsageError(exportError);
  if (files.size() != 1) return UsageError("show takes exactly one RESULT.tsr");
  const int refused = CheckOutputsAreNotTheInput(files[0], "result file", save, exports);
  if (refused != kExitDone) return refused;

  CliObserver observer(files[0], true);
  int exitCode = kExitDone;
  auto context = LoadWholeResult(AnalysisSettings{}, files[0], observer, exitCode);
  if (!context) return exitCode;
  return Finish(*context, save, exports, observer);
}

}  // namespace tessivo::cli
