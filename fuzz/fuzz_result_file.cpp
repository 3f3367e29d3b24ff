// Arbitrary bytes loaded as a result file, then shown and saved as a loaded file would be, and
// saved once more as if its stream had passed 4 GiB, which the trailer must carry back whole.
#include <memory>

#include "analysis/analysis_context.h"
#include "analysis/result_file.h"
#include "analysis/stream_report.h"
#include "fuzz_checks.h"
#include "fuzz_input_file.h"

namespace {

constexpr uint64_t k4GiB = uint64_t{1} << 32;

void CheckWideRoundTrip(tessivo::AnalysisContext& context, tessivo::AnalysisContext& reloaded) {
  tessivo::RecordStores& stores = context.stores();
  stores.streamByteCount += k4GiB;
  for (uint32_t i = 0; i < stores.gopCount; ++i) stores.gopPositions()[i] += (i % 3) * k4GiB;
  tessivo::fuzz::FuzzInputFile wide(nullptr, 0, ".wide.tsr");
  if (!tessivo::SaveResultFile(context, wide.path()).ok()) __builtin_trap();
  if (!tessivo::LoadResultFile(reloaded, wide.path()).ok()) __builtin_trap();
  const tessivo::RecordStores& back = reloaded.stores();
  if (back.streamByteCount != stores.streamByteCount || back.gopCount != stores.gopCount) {
    __builtin_trap();
  }
  for (uint32_t i = 0; i < stores.gopCount; ++i) {
    if (back.gopPositions()[i] != stores.gopPositions()[i]) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static tessivo::AnalysisObserver observer;
  static auto context =
      tessivo::AnalysisContext::Create(tessivo::AnalysisSettings{500, 1024, true}, observer);
  static auto reloaded =
      tessivo::AnalysisContext::Create(tessivo::AnalysisSettings{500, 1024, true}, observer);
  tessivo::fuzz::FuzzInputFile input(data, size, ".tsr");
  if (!tessivo::LoadResultFile(*context, input.path()).ok()) return 0;
  tessivo::ShowStreamReport(context->stores(), context->runNotes());
  tessivo::fuzz::CheckEverything(*context);
  context->ReadNextSecond(false);  // a loaded result takes no further step
  tessivo::fuzz::FuzzInputFile output(nullptr, 0, ".out.tsr");
  if (!tessivo::SaveResultFile(*context, output.path()).ok()) __builtin_trap();
  CheckWideRoundTrip(*context, *reloaded);
  return 0;
}
