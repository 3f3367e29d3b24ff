// tessivo-cli analyse FILE and tessivo-cli show RESULT.tsr.
#include <cstdio>

#include "analysis/analysis_context.h"
#include "analysis/result_file.h"
#include "base/same_file.h"
#include "cli/analysis_output.h"
#include "cli/cli_observer.h"
#include "cli/status_exit.h"
#include "cli/commands.h"
#include "cli/export_options.h"
#include "cli/whole_file_analysis.h"

namespace tessivo::cli {

namespace {

constexpr uint64_t kLargestMaxFrames = 10'000'000;

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
           const ExportOptions& exports) {
  if (!exports.jsonToStdout()) PrintReportAndFigures(context, stdout);
  const int saved = SaveTo(context, save);
  if (saved != kExitDone) return saved;
  return WriteExports(context, exports, context.observer());
}

}  // namespace

int RunAnalyse(ArgumentList& arguments) {
  AnalysisSettings settings;
  const auto save = arguments.TakeValue("--save");
  const auto kilo = arguments.TakeNumber("--kilo", 1000, 1024);
  const auto maxFrames = arguments.TakeNumber("--max-frames", 1, kLargestMaxFrames);
  settings.checkPackStartHdr = !arguments.TakeFlag("--no-pack-check");
  const auto program = arguments.TakeNumber("--program", 1, 0xFFFF);
  const bool quiet = arguments.TakeFlag("--quiet");
  ExportOptions exports;
  const std::string exportError = TakeExportOptions(arguments, exports);
  const auto files = arguments.TakePositional();
  if (!arguments.error().empty()) return UsageError(arguments.error());
  if (!exportError.empty()) return UsageError(exportError);
  if (files.size() != 1) return UsageError("analyse takes exactly one FILE");
  if (kilo && *kilo != 1000 && *kilo != 1024) return UsageError("--kilo takes 1024 or 1000");
  if (kilo) settings.kiloBase = static_cast<uint32_t>(*kilo);
  if (maxFrames) settings.maxFramesAllocate = static_cast<uint32_t>(*maxFrames);
  if (program) settings.program = static_cast<uint32_t>(*program);
  const int refused = CheckOutputsAreNotTheInput(files[0], "analysed file", save, exports);
  if (refused != kExitDone) return refused;

  CliObserver observer(files[0], quiet);
  int exitCode = kExitDone;
  auto context = AnalyseWholeFile(settings, files[0], observer, exitCode);
  if (!context) return exitCode;
  return Finish(*context, save, exports);
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
  Status status;
  auto context = AnalysisContext::Create(AnalysisSettings{}, observer, &status);
  if (!context) return ReportFailure(status, &observer);
  status = LoadResultFile(*context, files[0]);
  if (!status.ok()) return ReportFailure(status, &observer);
  return Finish(*context, save, exports);
}

}  // namespace tessivo::cli
