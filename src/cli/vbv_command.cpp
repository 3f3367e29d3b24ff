// tessivo-cli vbv INPUT [--csv FILE]: the buffer model's summary and events on stdout, and the
// fill per picture as comma-separated text.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "buffer/vbv_model.h"
#include "buffer/vbv_text.h"
#include "cli/command_input.h"
#include "cli/commands.h"
#include "cli/status_exit.h"
#include "tables/export_csv.h"
#include "tables/vbv_table.h"

namespace tessivo::cli {

namespace {

// The fill of picture k as "bits (percent of the buffer)".
std::string FillText(const RecordStores& stores, int64_t bits, uint32_t k) {
  const uint64_t size = stores.sequenceFacts()[stores.pictureFacts()[k].sequence].vbvBufferSize;
  std::string text = std::to_string(bits) + " bits";
  if (size == 0) return text;
  char percent[32];
  std::snprintf(percent, sizeof percent, " (%.1f %%)", 100.0 * static_cast<double>(bits) / size);
  return text + percent;
}

void PrintSummary(const RecordStores& stores, const VbvResult& vbv, std::FILE* out) {
  std::fprintf(out, "Buffer model: %s\n", VbvModeText(vbv.mode));
  if (vbv.mode == VbvMode::kNone) {
    std::fputs("The stream has no pictures or no bit rate to fill the buffer at.\n", out);
    return;
  }
  const SequenceFacts& first = stores.sequenceFacts()[stores.pictureFacts()[0].sequence];
  std::fprintf(out, "Bit rate: %llu bit/s\n", static_cast<unsigned long long>(first.bitRate));
  std::fprintf(out, "Buffer size: %llu bits\n",
               static_cast<unsigned long long>(first.vbvBufferSize));
  std::fprintf(out, "Pictures: %zu\n", vbv.pictures.size());
  const auto byBefore = [](const VbvPicture& a, const VbvPicture& b) {
    return a.before < b.before;
  };
  const auto lowest = std::min_element(vbv.pictures.begin(), vbv.pictures.end(), byBefore);
  const auto highest = std::max_element(vbv.pictures.begin(), vbv.pictures.end(), byBefore);
  const auto at = [&vbv](auto it) { return static_cast<uint32_t>(it - vbv.pictures.begin()); };
  std::fprintf(out, "Lowest fill before a picture: %s at picture %u\n",
               FillText(stores, lowest->before, at(lowest)).c_str(), at(lowest) + 1);
  std::fprintf(out, "Highest fill before a picture: %s at picture %u\n",
               FillText(stores, highest->before, at(highest)).c_str(), at(highest) + 1);
  uint32_t late = 0;
  for (const VbvEvent& event : vbv.events) late += event.kind == VbvEventKind::kLatePicture;
  std::fprintf(out, "Underflows: %u\nOverflows: %u\nLate pictures: %u\n", vbv.underflowCount,
               vbv.overflowCount, late);
  if (vbv.events.empty()) {
    std::fputs("Events: none\n", out);
    return;
  }
  std::fputs("Events:\n", out);
  for (const VbvEvent& event : vbv.events) std::fprintf(out, "  %s\n", VbvEventText(event).c_str());
}

}  // namespace

int RunVbv(ArgumentList& arguments) {
  const InputOptions input = TakeInputOptions(arguments);
  const auto csv = arguments.TakeValue("--csv");
  const auto files = arguments.TakePositional();
  if (!arguments.error().empty()) return UsageError(arguments.error());
  if (files.size() != 1) return UsageError("vbv takes exactly one INPUT");
  if (IsResultFileName(files[0])) {
    std::fprintf(stderr,
                 "%s is a result file, which keeps no picture facts; the buffer model needs the "
                 "stream itself\n",
                 files[0].c_str());
    return kExitInvalidStream;
  }
  if (csv) {
    const int refused = RefuseOutputOntoInput(files[0], *csv);
    if (refused != kExitDone) return refused;
  }

  CliObserver observer(files[0], input.quiet);
  int exitCode = kExitDone;
  auto context = ReadInput(input, files[0], observer, exitCode);
  if (!context) return exitCode;
  const RecordStores& stores = context->stores();
  const VbvResult vbv = SimulateVbv(stores);
  PrintSummary(stores, vbv, stdout);
  if (csv) {
    const Status written = SaveToCSV(BuildVbvTable(stores, vbv), *csv, observer);
    if (!written.ok()) return ReportFailure(written, &observer);
  }
  return kExitDone;
}

}  // namespace tessivo::cli
