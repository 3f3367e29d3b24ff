#include "cli/command_input.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "analysis/result_file.h"
#include "base/same_file.h"
#include "cli/whole_file_analysis.h"

namespace tessivo::cli {

namespace {

constexpr uint64_t kLargestMaxFrames = 10'000'000;

}  // namespace

InputOptions TakeInputOptions(ArgumentList& arguments) {
  InputOptions options;
  const auto maxFrames = arguments.TakeNumber("--max-frames", 1, kLargestMaxFrames);
  const auto program = arguments.TakeNumber("--program", 1, 0xFFFF);
  options.settings.checkPackStartHdr = !arguments.TakeFlag("--no-pack-check");
  options.quiet = arguments.TakeFlag("--quiet");
  if (maxFrames) options.settings.maxFramesAllocate = static_cast<uint32_t>(*maxFrames);
  if (program) options.settings.program = static_cast<uint32_t>(*program);
  return options;
}

bool IsResultFileName(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".tsr";
}

std::unique_ptr<AnalysisContext> ReadInput(const InputOptions& options, const std::string& path,
                                           CliObserver& observer, int& exitCode) {
  if (!IsResultFileName(path)) return AnalyseWholeFile(options.settings, path, observer, exitCode);
  return LoadWholeResult(options.settings, path, observer, exitCode);
}

int RefuseOutputOntoInput(const std::string& input, const std::string& output) {
  if (!SameFile(input, output)) return kExitDone;
  const char* role = IsResultFileName(input) ? "result file" : "analysed file";
  std::fprintf(stderr, "%s\n", SameFileRefusal(output, input, role).c_str());
  return kExitCannotWrite;
}

}  // namespace tessivo::cli
