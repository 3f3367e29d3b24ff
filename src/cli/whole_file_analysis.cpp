#include "cli/whole_file_analysis.h"

#include "cli/argument_list.h"

namespace tessivo::cli {

std::unique_ptr<AnalysisContext> AnalyseWholeFile(const AnalysisSettings& settings,
                                                  const std::string& path, CliObserver& observer,
                                                  int& exitCode) {
  auto context = AnalysisContext::Create(settings, observer);
  if (!context) {
    observer.ShowMessage("Not enough memory!");
    exitCode = kExitNotEnoughMemory;
    return nullptr;
  }
  switch (context->StartAnalysis(path)) {
    case OpenResult::kFileNotFound:
      exitCode = kExitFileNotFound;
      return nullptr;
    case OpenResult::kInvalidStreamType:
      exitCode = kExitInvalidStream;
      return nullptr;
    case OpenResult::kOpened:
      break;
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

}  // namespace tessivo::cli
