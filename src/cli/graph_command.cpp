// tessivo-cli graph INPUT OUTPUT.svg: the window's graph of a stream or a result file as an image.
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "analysis/result_file.h"
#include "base/same_file.h"
#include "cli/cli_observer.h"
#include "cli/commands.h"
#include "cli/status_exit.h"
#include "cli/whole_file_analysis.h"
#include "graph/graph_svg.h"
#include "tables/export_file.h"

namespace tessivo::cli {

namespace {

constexpr uint64_t kLargestMaxFrames = 10'000'000;

bool HasExtension(const std::string& path, const char* extension) {
  std::string found = std::filesystem::path(path).extension().string();
  for (char& c : found) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return found == extension;
}

}  // namespace

int RunGraph(ArgumentList& arguments) {
  AnalysisSettings settings;
  const auto from = arguments.TakeNumber("--from", 0, UINT32_MAX);
  const auto to = arguments.TakeNumber("--to", 0, UINT32_MAX);
  const auto xscale = arguments.TakeNumber("--xscale", 2, 7200);
  const auto yscale = arguments.TakeNumber("--yscale", 2, 255);
  const auto kilo = arguments.TakeKiloBase();
  const auto maxFrames = arguments.TakeNumber("--max-frames", 1, kLargestMaxFrames);
  settings.checkPackStartHdr = !arguments.TakeFlag("--no-pack-check");
  const auto program = arguments.TakeNumber("--program", 1, 0xFFFF);
  const auto files = arguments.TakePositional();
  if (!arguments.error().empty()) return UsageError(arguments.error());
  if (files.size() != 2) return UsageError("graph takes INPUT and OUTPUT.svg");
  const std::string& input = files[0];
  const std::string& output = files[1];
  if (!HasExtension(output, ".svg")) return UsageError("graph writes .svg, not \"" + output + "\"");
  if (from && to && *to < *from) return UsageError("--to comes before --from");
  if (kilo) settings.kiloBase = *kilo;
  if (maxFrames) settings.maxFramesAllocate = static_cast<uint32_t>(*maxFrames);
  if (program) settings.program = static_cast<uint32_t>(*program);
  if (SameFile(input, output)) {
    std::fprintf(stderr, "%s\n", SameFileRefusal(output, input, "input").c_str());
    return kExitCannotWrite;
  }

  CliObserver observer(input, true);
  int exitCode = kExitDone;
  const auto context = HasExtension(input, ".tsr")
                           ? LoadWholeResult(settings, input, observer, exitCode)
                           : AnalyseWholeFile(settings, input, observer, exitCode);
  if (!context) return exitCode;
  const uint32_t seconds = context->stores().ValidSecondCount();
  if (seconds == 0) {
    std::fprintf(stderr, "%s has no second to draw\n", input.c_str());
    return kExitInvalidStream;
  }
  GraphImageRange range;
  range.from = static_cast<uint32_t>(from.value_or(0));
  range.to = static_cast<uint32_t>(to.value_or(seconds - 1));
  if (range.from >= seconds || range.to >= seconds) {
    return UsageError("the stream has seconds 0 to " + std::to_string(seconds - 1));
  }
  if (xscale) range.horizontalScale = static_cast<uint16_t>(*xscale);
  if (yscale) range.verticalScale = static_cast<uint16_t>(*yscale);
  // One grid unit is one thousand kbit/s of --kilo, as in the window with that setting.
  range.kiloBase = static_cast<int32_t>(settings.kiloBase);
  const std::optional<GraphModel> model = LayOutGraphImage(context->stores(), range);
  if (!model) {
    return UsageError("seconds " + std::to_string(range.from) + " to " + std::to_string(range.to) +
                      " are too many for one image at this --xscale; give --from and --to "
                      "or a larger --xscale");
  }
  return ReportFailure(WriteExportFile(output, GraphSvg(*model), observer), &observer);
}

}  // namespace tessivo::cli
