// The desktop program's own command-line options.
#pragma once

#include <string>
#include <vector>

namespace tessivo::app {

enum class StartAction { kOpenWindow, kShowHelp, kShowVersion, kUsageError };

struct StartOptions {
  StartAction action = StartAction::kOpenWindow;
  std::vector<std::string> files;  // kOpenWindow: the arguments to open, in order
  std::string error;               // kUsageError: what was wrong
};

// arguments: the command line after the program name. --help and --version win over anything
// else before "--", so that they answer even among options only the window toolkit knows; the
// caller parses once more after the toolkit has taken its own options out.
StartOptions ParseStartOptions(const std::vector<std::string>& arguments);

extern const char* const kHelpText;

}  // namespace tessivo::app
