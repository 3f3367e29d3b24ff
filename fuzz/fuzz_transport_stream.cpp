// Arbitrary transport packets analysed as a file. The first byte chooses the packet size, whether
// every packet gets its sync byte (so that the input reaches the PSI, PES and continuity
// handling rather than stopping at the detection) and the program asked for.
#include <array>
#include <memory>
#include <vector>

#include "analysis/analysis_context.h"
#include "analysis/stream_report.h"
#include "fuzz_checks.h"
#include "fuzz_input_file.h"

namespace {

constexpr uint32_t kSmallStore = 100;
constexpr uint32_t kPacketSizes[] = {188, 192, 204, 188};

tessivo::AnalysisContext& ContextFor(uint32_t program) {
  static tessivo::AnalysisObserver observer;
  static std::array<std::unique_ptr<tessivo::AnalysisContext>, 32> contexts;
  auto& context = contexts[program];
  if (!context) {
    tessivo::AnalysisSettings settings;
    settings.maxFramesAllocate = kSmallStore;
    settings.program = program;
    context = tessivo::AnalysisContext::Create(settings, observer);
  }
  return *context;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t options = data[0];
  const uint32_t packetSize = kPacketSizes[options & 3];
  std::vector<uint8_t> bytes(data + 1, data + size);
  if (options & 4) {
    for (size_t sync = packetSize == 192 ? 4 : 0; sync < bytes.size(); sync += packetSize) {
      bytes[sync] = 0x47;
    }
  }
  tessivo::AnalysisContext& context = ContextFor(options >> 3);
  tessivo::fuzz::FuzzInputFile input(bytes.data(), bytes.size(), ".ts");
  const tessivo::Status result = context.StartAnalysis(input.path());
  if (result.ok()) context.ReadToEnd();

  const tessivo::RecordStores& stores = context.stores();
  if (stores.summary.pictureCount > stores.capacity() || stores.gopCount > stores.capacity() ||
      context.secondsRead() > stores.secondCapacity() || !context.endReached()) {
    __builtin_trap();
  }
  const tessivo::RunNotes notes = context.runNotes();
  if (result.ok() && notes.transport) {
    // No count can exceed the packets the file holds.
    const uint64_t packets = bytes.size() / 188 + 1;
    const tessivo::TsCounts& counts = notes.transport->counts;
    if (counts.continuityErrors > packets || counts.damagedPackets > packets ||
        counts.scrambledPackets > packets || counts.syncLosses > packets) {
      __builtin_trap();
    }
  }
  tessivo::ShowStreamReport(stores, notes);
  tessivo::fuzz::CheckEverything(context);
  return 0;
}
