// Both programs as a user starts them: --version and --help answer without a display and
// report the version the build was configured with.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/test_files.h"

namespace tessivo {
namespace {

// Runs the program without any display, so a start that needs one fails instead of passing.
test::CliResult RunWithoutDisplay(const std::string& program, const std::string& arguments,
                                  const std::string& environment = "") {
  test::TempFile err(".err");
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                              environment + " '" + program + "' " + arguments + " 2>'" +
                              err.path() + "' </dev/null";
  test::CliResult run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  const auto errBytes = test::ReadFileBytes(err.path());
  run.err.assign(errBytes.begin(), errBytes.end());
  return run;
}

TEST(ProgramVersionTest, BothProgramsReportTheConfiguredVersion) {
  const auto app = RunWithoutDisplay(TESSIVO_APP, "--version");
  EXPECT_EQ(app.exitCode, 0) << app.err;
  EXPECT_EQ(app.out, "tessivo " TESSIVO_PROJECT_VERSION "\n");
  EXPECT_EQ(app.err, "");

  const auto cli = RunWithoutDisplay(TESSIVO_CLI, "--version");
  EXPECT_EQ(cli.exitCode, 0) << cli.err;
  EXPECT_EQ(cli.out, "tessivo-cli " TESSIVO_PROJECT_VERSION "\n");
  EXPECT_EQ(cli.err, "");

  const auto cliHelp = RunWithoutDisplay(TESSIVO_CLI, "--help");
  EXPECT_NE(cliHelp.out.find("tessivo-cli --help | --version\n"), std::string::npos);
}

TEST(ProgramVersionTest, DesktopProgramHelpNeedsNoDisplay) {
  for (const char* option : {"--help", "-h", "-platform xcb --help"}) {
    const auto help = RunWithoutDisplay(TESSIVO_APP, option);
    EXPECT_EQ(help.exitCode, 0) << option << help.err;
    EXPECT_EQ(help.out.rfind("Usage: tessivo [OPTION...] [FILE]\n", 0), 0u) << option;
    EXPECT_NE(help.out.find("--version"), std::string::npos) << option;
  }
}

TEST(ProgramVersionTest, DesktopProgramRefusesAnUnknownOptionBeforeOpeningAWindow) {
  // Offscreen: the refusal comes after the toolkit took its own options out.
  const auto bogus = RunWithoutDisplay(TESSIVO_APP, "-platform offscreen --bogus clip.m2v",
                                       "XDG_RUNTIME_DIR=/tmp");
  EXPECT_EQ(bogus.exitCode, 64);
  EXPECT_NE(bogus.err.find("tessivo: unknown option --bogus\n"), std::string::npos) << bogus.err;
  EXPECT_EQ(bogus.out, "");
}

}  // namespace
}  // namespace tessivo
