// tessivo-cli: the headless front end over the analysis engine.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"

namespace tessivo::cli {

namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  tessivo-cli analyse FILE [--save RESULT.tsr] [--kilo 1024|1000] [--no-pack-check]\n"
    "                           [--max-frames N] [--quiet] [EXPORTS]\n"
    "      Analyses an MPEG-1/MPEG-2 video elementary, system or program stream and prints\n"
    "      the stream report and the run's figures.\n"
    "  tessivo-cli show RESULT.tsr [--save OUT.tsr] [EXPORTS]\n"
    "      Prints the report and figures of a saved analysis.\n"
    "\n"
    "EXPORTS:\n"
    "  --gops FILE       writes the GOP table\n"
    "  --seconds FILE    writes the seconds table\n"
    "  --format FORMAT   txt, xls, doc or htm for both tables; without it each file's\n"
    "                    extension decides (.txt or .csv, .xls, .doc, .htm or .html)\n"
    "  --json FILE       writes the whole analysis as JSON; - writes it to stdout instead\n"
    "                    of the report\n"
    "\n"
    "Exit codes: 0 done, 1 file not found or not readable, 2 invalid stream type,\n"
    "3 result file cannot be loaded, 4 output cannot be written, 5 not enough memory,\n"
    "64 bad usage.\n";

struct Command {
  const char* name;
  int (*run)(ArgumentList&);
};

constexpr Command kCommands[] = {
    {"analyse", RunAnalyse},
    {"show", RunShow},
};

}  // namespace

int UsageError(const std::string& message) {
  std::fprintf(stderr, "tessivo-cli: %s\n\n%s", message.c_str(), kUsage);
  return kExitUsage;
}

int Main(int argc, char** argv) {
  if (argc < 2) return UsageError("no command given");
  const std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    std::fputs(kUsage, stdout);
    return kExitDone;
  }
  for (const Command& command : kCommands) {
    if (name != command.name) continue;
    ArgumentList arguments(argc, argv, 2);
    if (arguments.TakeFlag("--help")) {
      std::fputs(kUsage, stdout);
      return kExitDone;
    }
    return command.run(arguments);
  }
  return UsageError("unknown command \"" + name + "\"");
}

}  // namespace tessivo::cli

int main(int argc, char** argv) {
  return tessivo::cli::Main(argc, argv);
}
