// tessivo-cli: the headless front end over the analysis engine.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"
#include "cli/signal_cleanup.h"
#include "tessivo_version.h"

namespace tessivo::cli {

namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  tessivo-cli analyse FILE... [--save RESULT.tsr] [--kilo 1024|1000] [--no-pack-check]\n"
    "                              [--max-frames N] [--program N] [--quiet] [EXPORTS]\n"
    "                              [--jobs N] [--summary FILE.csv|FILE.jsonl]\n"
    "      Analyses an MPEG-1/MPEG-2 video elementary, system, program or transport stream\n"
    "      and prints the stream report and the run's figures. --program picks the program\n"
    "      of a transport stream by its number; the first one with MPEG video by default.\n"
    "      Several FILEs are analysed --jobs at a time (the number of cores by default),\n"
    "      their reports printed in the order given; each output option then needs {name},\n"
    "      the input's file name without folder and extension: --save out/{name}.tsr.\n"
    "      --summary writes one line per FILE. The exit code is the highest of the FILEs.\n"
    "  tessivo-cli graph INPUT OUTPUT.svg [--from S] [--to S] [--xscale SECONDS]\n"
    "                    [--yscale UNITS] [--kilo 1024|1000] [--no-pack-check]\n"
    "                    [--max-frames N] [--program N]\n"
    "      Draws the graph of bitrate and quantiser per second of a stream or a saved\n"
    "      RESULT.tsr as an SVG image, from second S to second S (the whole stream by\n"
    "      default), as the window draws it at those scales (60 seconds, 15 units).\n"
    "  tessivo-cli show RESULT.tsr [--save OUT.tsr] [EXPORTS]\n"
    "      Prints the report and figures of a saved analysis.\n"
    "  tessivo-cli modify INPUT OUTPUT [--width N] [--height N] [--aspect CODE]\n"
    "                     [--frame-rate CODE] [--bitrate BPS] [--constrained 0|1]\n"
    "                     [--strip-user-data] [--user-data TEXT] [--seq-header-each-gop]\n"
    "                     [--in GOP] [--out GOP] [--cut] [--no-end-code]\n"
    "      Analyses the elementary stream INPUT and writes a copy with patched sequence\n"
    "      headers; values not given stay as the stream has them. --in is honoured only\n"
    "      with --cut, --out always. A program, system or transport stream is refused\n"
    "      (exit 2).\n"
    "  tessivo-cli calc bitrate [--bps N | --kbps N | --mbps N] [--audio KBPS]\n"
    "                           [--kilo 1024|1000]\n"
    "  tessivo-cli calc length [--minutes N] [--audio KBPS] [--subtitles N] [--extra MB]\n"
    "                          [--resolution 0-7] [--media 0-5] [--discs N] [--custom MB]\n"
    "                          [--complexity 0-100] [--quality 0-40] [--kilo 1024|1000]\n"
    "      Prints what the bitrate calculator shows on its BITRATE or VIDEO LENGTH tab.\n"
    "  tessivo-cli pictures INPUT OUTPUT [--format txt|xls|doc|htm] [INPUT-OPTIONS]\n"
    "      Writes the table of pictures (type, size, quantisers, GOP, time code and buffer\n"
    "      fill) in the format OUTPUT's extension or --format names.\n"
    "  tessivo-cli vbv INPUT [--csv FILE] [INPUT-OPTIONS]\n"
    "      Models the decoder's buffer over the stream INPUT and prints its figures and its\n"
    "      underflow, overflow and late-picture events; --csv writes the fill per picture.\n"
    "  tessivo-cli check INPUT --profile dvd-pal|dvd-ntsc|svcd|vcd|atsc [--json FILE]\n"
    "                    [--kilo 1024|1000] [INPUT-OPTIONS]\n"
    "      Checks INPUT against the rules of a delivery format and prints each rule's\n"
    "      outcome and where it fails. Exit 1 when a rule fails, with a line on stderr\n"
    "      that begins \"Compliance check failed:\".\n"
    "  tessivo-cli --help | --version\n"
    "\n"
    "EXPORTS:\n"
    "  --gops FILE       writes the GOP table\n"
    "  --seconds FILE    writes the seconds table\n"
    "  --format FORMAT   txt, xls, doc or htm for both tables; without it each file's\n"
    "                    extension decides (.txt or .csv, .xls, .doc, .htm or .html)\n"
    "  --json FILE       writes the whole analysis as JSON; - writes it to stdout instead\n"
    "                    of the report\n"
    "\n"
    "INPUT-OPTIONS: [--max-frames N] [--program N] [--no-pack-check] [--quiet]\n"
    "  INPUT is a stream, which is analysed, or a result file (.tsr); vbv needs a stream,\n"
    "  and the rules that need the picture facts of a run are not checked on a result file.\n"
    "\n"
    "A value that begins with -- is written joined: --save=--name.\n"
    "\n"
    "Exit codes: 0 done, 1 file not found or not readable (check: or a rule failed),\n"
    "2 invalid stream type, 3 result file cannot be loaded, 4 output cannot be written,\n"
    "5 not enough memory, 64 bad usage.\n";

struct Command {
  const char* name;
  int (*run)(ArgumentList&);
};

constexpr Command kCommands[] = {
    {"analyse", RunAnalyse},   {"show", RunShow}, {"modify", RunModify}, {"calc", RunCalc},
    {"pictures", RunPictures}, {"vbv", RunVbv},   {"check", RunCheck},   {"graph", RunGraph},
};

}  // namespace

int UsageError(const std::string& message) {
  std::fprintf(stderr, "tessivo-cli: %s\n\n%s", message.c_str(), kUsage);
  return kExitUsage;
}

int RunCommand(int argc, char** argv) {
  if (argc < 2) return UsageError("no command given");
  const std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    std::fputs(kUsage, stdout);
    return kExitDone;
  }
  if (name == "--version") {
    std::printf("tessivo-cli %s\n", kVersion);
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

// Output that never reached its destination (a full disk behind stdout) is no success.
int Main(int argc, char** argv) {
  InstallSignalCleanup();
  const int exitCode = RunCommand(argc, argv);
  const bool flushed = std::fflush(stdout) == 0;
  const int flushError = errno;
  if (!flushed || std::ferror(stdout)) {
    std::fprintf(stderr, "Cannot write to the standard output%s%s\n", flushed ? "" : ": ",
                 flushed ? "" : std::strerror(flushError));
    return exitCode == kExitDone ? kExitCannotWrite : exitCode;
  }
  return exitCode;
}

}  // namespace tessivo::cli

int main(int argc, char** argv) {
  return tessivo::cli::Main(argc, argv);
}
