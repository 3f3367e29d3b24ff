#include "cli/whole_file_analysis.h"

#include "analysis/result_file.h"
#include "cli/argument_list.h"
#include "cli/commands.h"
#include "cli/status_exit.h"

namespace tessivo::cli {

std::unique_ptr<AnalysisContext> AnalyseWholeFile(const AnalysisSettings& settings,
                                                  const std::string& path, CliObserver& observer,
                                                  int& exitCode) {
  Status status;
  auto context = AnalysisContext::Create(settings, observer, &status);
  if (!context) {
    exitCode = ReportFailure(status, &observer);
    return nullptr;
  }
  status = context->StartAnalysis(path);
  if (status.kind == StatusKind::kUnknownProgram) {
    exitCode = observer.RefuseUsage("--program " + std::to_string(settings.program) + ": " +
                                    status.message);
    return nullptr;
  }
  if (!status.ok()) {
    exitCode = ReportFailure(status, &observer);
    return nullptr;
  }
  if (settings.program != 0 && context->reader().container() != Container::kTransport) {
    exitCode = observer.RefuseUsage("--program applies to transport streams only; " + path +
                                    " is not one");
    return nullptr;
  }
  // Its report would be all zeros: nothing of it is worth writing.
  if (context->facts().noSequenceHeader) {
    observer.ShowMessage("No video sequence header found in this stream!");
    exitCode = kExitInvalidStream;
    return nullptr;
  }
  context->ReadToEnd();
  observer.FinishProgress();
  exitCode = kExitDone;
  return context;
}

std::unique_ptr<AnalysisContext> LoadWholeResult(const AnalysisSettings& settings,
                                                 const std::string& path, CliObserver& observer,
                                                 int& exitCode) {
  Status status;
  auto context = AnalysisContext::Create(settings, observer, &status);
  if (context) status = LoadResultFile(*context, path);
  exitCode = ReportFailure(status, &observer);
  return status.ok() ? std::move(context) : nullptr;
}

}  // namespace tessivo::cli
