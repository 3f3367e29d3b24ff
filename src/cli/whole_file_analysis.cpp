#include "cli/whole_file_analysis.h"

#include "cli/argument_list.h"
#include "cli/commands.h"

namespace tessivo::cli {

namespace {

std::string UnknownProgramMessage(uint32_t program, const std::vector<uint16_t>& programs) {
  std::string text = "--program " + std::to_string(program) + ": the transport stream ";
  if (programs.empty()) return text + "lists no programs";
  text += "has no such program; its programs are";
  for (size_t i = 0; i < programs.size(); ++i) {
    text += (i == 0 ? " " : ", ") + std::to_string(programs[i]);
  }
  return text;
}

}  // namespace

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
    case OpenResult::kNoTransportVideo:
      exitCode = kExitInvalidStream;
      return nullptr;
    case OpenResult::kUnknownProgram:
      exitCode = observer.RefuseUsage(
          UnknownProgramMessage(settings.program, context->reader().transport().programsFound()));
      return nullptr;
    case OpenResult::kOpened:
      break;
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

}  // namespace tessivo::cli
