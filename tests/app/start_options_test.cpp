// The desktop program's options: what opens the window, what answers at once, what is refused.
#include "app/start_options.h"

#include <gtest/gtest.h>

namespace tessivo::app {
namespace {

TEST(StartOptionsTest, HelpAndVersionWinOverUnknownOptionsButNotAfterTheEndMark) {
  EXPECT_EQ(ParseStartOptions({"-platform", "xcb", "--help"}).action, StartAction::kShowHelp);
  EXPECT_EQ(ParseStartOptions({"clip.m2v", "-h"}).action, StartAction::kShowHelp);
  EXPECT_EQ(ParseStartOptions({"--bogus", "--version"}).action, StartAction::kShowVersion);
  EXPECT_EQ(ParseStartOptions({"--version", "--help"}).action, StartAction::kShowVersion);

  const StartOptions afterMark = ParseStartOptions({"--", "--help", "--version"});
  EXPECT_EQ(afterMark.action, StartAction::kOpenWindow);
  EXPECT_EQ(afterMark.files, (std::vector<std::string>{"--help", "--version"}));
}

TEST(StartOptionsTest, FilesKeepTheirOrderAndOnlyTheFirstEndMarkIsTaken) {
  EXPECT_TRUE(ParseStartOptions({}).files.empty());
  EXPECT_EQ(ParseStartOptions({}).action, StartAction::kOpenWindow);
  const StartOptions options = ParseStartOptions({"b.m2v", "-", "a.vob", "--", "-x", "--"});
  EXPECT_EQ(options.action, StartAction::kOpenWindow);
  EXPECT_EQ(options.files, (std::vector<std::string>{"b.m2v", "-", "a.vob", "-x", "--"}));
}

TEST(StartOptionsTest, AnUnknownOptionIsNamedAndNothingIsOpened) {
  const StartOptions options = ParseStartOptions({"clip.m2v", "--verison", "-q"});
  EXPECT_EQ(options.action, StartAction::kUsageError);
  EXPECT_EQ(options.error, "unknown option --verison");
  EXPECT_TRUE(options.files.empty());
}

}  // namespace
}  // namespace tessivo::app
