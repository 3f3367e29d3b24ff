// Arbitrary bytes analysed as a file, elementary and program stream paths alike, with stores
// small enough that the capacity limits are reached. Contexts are reused between inputs, as a
// front end reuses its one context for every analysis. Each input is analysed a second time in
// tiny reads, which must save the same result file.
#include <array>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "analysis/analysis_context.h"
#include "analysis/result_file.h"
#include "analysis/stream_report.h"
#include "fuzz_checks.h"
#include "fuzz_input_file.h"

namespace {

constexpr uint32_t kSmallStore = 100;  // 100 pictures and GOPs, 4 seconds
// Reads this short cut packets, packet headers and start codes at every kind of place.
constexpr uint32_t kTinyReads = 61;

tessivo::AnalysisContext& ContextFor(uint8_t options, bool tinyReads = false) {
  static tessivo::AnalysisObserver observer;
  static std::array<std::unique_ptr<tessivo::AnalysisContext>, 8> contexts;
  auto& context = contexts[(options & 3) | (tinyReads ? 4 : 0)];
  if (!context) {
    tessivo::AnalysisSettings settings;
    settings.checkPackStartHdr = (options & 1) != 0;
    settings.kiloBase = (options & 2) ? 1000 : 1024;
    settings.maxFramesAllocate = kSmallStore;
    if (tinyReads) settings.readBlockSize = kTinyReads;
    context = tessivo::AnalysisContext::Create(settings, observer);
  }
  return *context;
}

std::vector<char> SavedBytes(tessivo::AnalysisContext& context, const std::string& path) {
  if (!tessivo::SaveResultFile(context, path).ok()) __builtin_trap();
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

tessivo::AnalysisContext& ReloadContext() {
  static tessivo::AnalysisObserver observer;
  static auto context = tessivo::AnalysisContext::Create(
      tessivo::AnalysisSettings{kSmallStore, 1024, true}, observer);
  return *context;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  tessivo::AnalysisContext& context = ContextFor(data[0]);
  tessivo::fuzz::FuzzInputFile input(data + 1, size - 1, ".mpg");
  if (context.StartAnalysis(input.path()).ok()) context.ReadToEnd();

  const tessivo::RecordStores& stores = context.stores();
  if (stores.summary.pictureCount > stores.capacity() || stores.gopCount > stores.capacity() ||
      context.secondsRead() > stores.secondCapacity() || !context.endReached()) {
    __builtin_trap();
  }
  tessivo::ShowStreamReport(stores, context.runNotes());
  tessivo::fuzz::CheckEverything(context);

  // Whatever was analysed saves and loads back to the same records.
  tessivo::fuzz::FuzzInputFile result(nullptr, 0, ".tsr");
  if (!tessivo::SaveResultFile(context, result.path()).ok()) __builtin_trap();
  tessivo::AnalysisContext& reloaded = ReloadContext();
  if (!tessivo::LoadResultFile(reloaded, result.path()).ok()) __builtin_trap();
  if (reloaded.stores().summary.pictureCount != stores.summary.pictureCount ||
      reloaded.stores().gopCount != stores.gopCount ||
      reloaded.secondsRead() != stores.ValidSecondCount()) {
    __builtin_trap();
  }
  tessivo::fuzz::CheckEverything(reloaded);

  tessivo::AnalysisContext& tiny = ContextFor(data[0], true);
  if (tiny.StartAnalysis(input.path()).ok()) tiny.ReadToEnd();
  if (SavedBytes(tiny, result.path()) != SavedBytes(context, result.path())) __builtin_trap();
  return 0;
}
