// Arbitrary bytes loaded as a result file, then shown and saved as a loaded file would be.
#include <memory>

#include "analysis/analysis_context.h"
#include "analysis/result_file.h"
#include "analysis/stream_report.h"
#include "fuzz_checks.h"
#include "fuzz_input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static tessivo::AnalysisObserver observer;
  static auto context =
      tessivo::AnalysisContext::Create(tessivo::AnalysisSettings{500, 1024, true}, observer);
  tessivo::fuzz::FuzzInputFile input(data, size, ".tsr");
  if (!tessivo::LoadResultFile(*context, input.path()).ok) return 0;
  tessivo::ShowStreamReport(context->stores(), context->runNotes());
  tessivo::fuzz::CheckEverything(*context);
  context->ReadNextSecond(false);  // a loaded result takes no further step
  tessivo::fuzz::FuzzInputFile output(nullptr, 0, ".out.tsr");
  if (!tessivo::SaveResultFile(*context, output.path()).ok) __builtin_trap();
  return 0;
}
