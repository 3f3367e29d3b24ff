#include "app/start_options.h"

#include <algorithm>

namespace tessivo::app {

const char* const kHelpText =
    "Usage: tessivo [OPTION...] [FILE]\n"
    "Opens the MPEG-1/MPEG-2 video analyser. FILE, a video elementary stream, an MPEG-1\n"
    "system stream or an MPEG-2 program stream, is analysed shortly after the window appears.\n"
    "\n"
    "Options:\n"
    "  -h, --help     shows this help and exits\n"
    "      --version  shows the version and exits\n"
    "  --             ends the options: what follows is a file even if it begins with -\n"
    "\n"
    "The window toolkit's own options, such as -platform NAME and -display DISPLAY, are\n"
    "taken as well. The analysis of many files, exports and stream copies without a window:\n"
    "tessivo-cli --help.\n";

StartOptions ParseStartOptions(const std::vector<std::string>& arguments) {
  const auto optionsEnd = std::find(arguments.begin(), arguments.end(), "--");
  for (auto argument = arguments.begin(); argument != optionsEnd; ++argument) {
    if (*argument == "--help" || *argument == "-h") return {StartAction::kShowHelp, {}, {}};
    if (*argument == "--version") return {StartAction::kShowVersion, {}, {}};
  }
  StartOptions options;
  for (auto argument = arguments.begin(); argument != optionsEnd; ++argument) {
    if (argument->size() > 1 && argument->front() == '-') {
      return {StartAction::kUsageError, {}, "unknown option " + *argument};
    }
    options.files.push_back(*argument);
  }
  if (optionsEnd != arguments.end())
    options.files.insert(options.files.end(), optionsEnd + 1, arguments.end());
  return options;
}

}  // namespace tessivo::app
