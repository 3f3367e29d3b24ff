// What tessivo-cli's outputs may never do, tried as an attacker or an unlucky user would: follow a
// planted link, fail on a long name, survive a signal as a half-written file, land on the input,
// report success after a failed write, or take an option for a file name.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/stream_builder.h"
#include "support/test_files.h"

extern char** environ;

namespace tessivo {
namespace {

namespace fs = std::filesystem;
using test::CliResult;
using test::FixturePath;
using test::RunCli;
using test::TempDir;

const std::string kElementary = FixturePath("mpeg1_cif25.m1v");
const std::string kProgram = FixturePath("mpeg2_pal_interlaced.vob");

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

bool IsTemporaryName(const std::string& name) {
  return name.rfind(".tessivo-", 0) == 0;
}

bool HoldsTemporaryFile(const TempDir& folder) {
  const auto names = folder.Names();
  return std::any_of(names.begin(), names.end(), IsTemporaryName);
}

// Sends the signal once a temporary file shows up in folder; false, with status set, when the
// process ended before one did.
bool SignalWhileWriting(pid_t pid, const TempDir& folder, int signalNumber, int& status) {
  for (;;) {
    if (HoldsTemporaryFile(folder)) {
      kill(pid, signalNumber);
      return true;
    }
    if (waitpid(pid, &status, WNOHANG) == pid) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
}

// Each output of analyse, with the option that writes it.
struct Output {
  std::vector<std::string> option;  // the value is appended
  std::string name;
};
const Output kAnalyseOutputs[] = {
    {{"--save"}, "r.tsr"},
    {{"--gops"}, "g.csv"},
    {{"--seconds"}, "s.htm"},
    {{"--json"}, "a.json"},
};

TEST(OutputSafetyTest, PlantedPartialLinksAreNeitherFollowedNorReused) {
  for (const Output& output : kAnalyseOutputs) {
    for (const bool hardLink : {false, true}) {
      TempDir folder;
      const std::string victim = folder / "victim";
      WriteText(victim, "precious");
      const std::string target = folder / output.name;
      const std::string planted = target + ".partial";
      if (hardLink) {
        fs::create_hard_link(victim, planted);
      } else {
        fs::create_symlink(victim, planted);
      }
      std::vector<std::string> arguments = {"analyse", kElementary};
      arguments.insert(arguments.end(), output.option.begin(), output.option.end());
      arguments.push_back(target);
      const CliResult result = RunCli(arguments);
      ASSERT_EQ(result.exitCode, 0) << output.name << result.err;
      EXPECT_EQ(test::ReadFileText(victim), "precious") << output.name;
      EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target))) << output.name;
      EXPECT_GT(fs::file_size(target), 0u) << output.name;
      EXPECT_EQ(fs::is_symlink(fs::symlink_status(planted)), !hardLink) << output.name;
      EXPECT_EQ(fs::hard_link_count(victim), hardLink ? 2u : 1u) << output.name;
      EXPECT_FALSE(HoldsTemporaryFile(folder)) << output.name;
    }
  }
}

TEST(OutputSafetyTest, AStreamCopyNeitherFollowsAPlantedLink) {
  TempDir folder;
  const std::string victim = folder / "victim";
  WriteText(victim, "precious");
  const std::string output = folder / "copy.m1v";
  fs::create_symlink(victim, output + ".partial");
  const CliResult result = RunCli({"modify", kElementary, output});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(test::ReadFileText(victim), "precious");
  EXPECT_EQ(fs::file_size(output), fs::file_size(kElementary) + 4);
}

TEST(OutputSafetyTest, NamesOfTheLongestValidLengthCanBeWritten) {
  TempDir folder;
  // 255 bytes, the longest name the file system takes.
  const auto longName = [&](const std::string& extension) {
    return folder / (std::string(255 - extension.size(), 'n') + extension);
  };
  const std::string result = longName(".tsr");
  const std::string gops = longName(".txt");
  const std::string json = longName(".json");
  const CliResult analysed =
      RunCli({"analyse", kElementary, "--save", result, "--gops", gops, "--json", json});
  ASSERT_EQ(analysed.exitCode, 0) << analysed.err;
  const TempDir reference;
  ASSERT_EQ(
      RunCli({"analyse", kElementary, "--save", reference / "r.tsr", "--gops", reference / "g.txt"})
          .exitCode,
      0);
  EXPECT_EQ(test::ReadFileBytes(result), test::ReadFileBytes(reference / "r.tsr"));
  EXPECT_EQ(test::ReadFileBytes(gops), test::ReadFileBytes(reference / "g.txt"));
  EXPECT_GT(fs::file_size(json), 0u);

  const std::string copy = longName(".m1v");
  const CliResult copied = RunCli({"modify", kElementary, copy});
  ASSERT_EQ(copied.exitCode, 0) << copied.err;
  EXPECT_EQ(fs::file_size(copy), fs::file_size(kElementary) + 4);
  EXPECT_FALSE(HoldsTemporaryFile(folder));
}

// tessivo-cli started with the arguments and the handled signals at their default action, as a
// shell started in the background would not leave them.
pid_t SpawnCli(const std::vector<std::string>& arguments) {
  std::vector<std::string> all = {TESSIVO_CLI};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : all) argv.push_back(argument.data());
  argv.push_back(nullptr);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&defaults, signalNumber);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  if (posix_spawn(&pid, TESSIVO_CLI, &files, &attributes, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&files);
  posix_spawnattr_destroy(&attributes);
  return pid;
}

// An elementary stream of about copies × 400 kB: the fixture over and over.
void WriteLongStream(const std::string& path, int copies) {
  const auto once = test::ReadFileBytes(kElementary);
  std::ofstream out(path, std::ios::binary);
  for (int i = 0; i < copies; ++i) {
    out.write(reinterpret_cast<const char*>(once.data()),
              static_cast<std::streamsize>(once.size()));
  }
}

TEST(OutputSafetyTest, ASignalDuringACopyRemovesThePartialFileAndEndsByTheSignal) {
  for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
    TempDir folder;
    const std::string input = folder / "long.m1v";
    const std::string output = folder / "copy.m1v";
    bool caught = false;
    // The copy must still run when the signal comes: a longer stream if it was done too soon.
    for (int copies = 160; copies <= 1280 && !caught; copies *= 2) {
      WriteLongStream(input, copies);
      const pid_t pid = SpawnCli({"modify", input, output});
      ASSERT_GT(pid, 0);
      int status = 0;
      caught = SignalWhileWriting(pid, folder, signalNumber, status);
      if (!caught) {
        fs::remove(output);
        continue;
      }
      ASSERT_EQ(waitpid(pid, &status, 0), pid);
      EXPECT_TRUE(WIFSIGNALED(status)) << strsignal(signalNumber);
      if (WIFSIGNALED(status)) {
        EXPECT_EQ(WTERMSIG(status), signalNumber);
      }
      EXPECT_FALSE(HoldsTemporaryFile(folder)) << strsignal(signalNumber);
      EXPECT_FALSE(fs::exists(output)) << strsignal(signalNumber);
    }
    EXPECT_TRUE(caught) << "the copy always ended before the signal could be sent";
  }
}

// Two inputs written at once: the signal removes the partial file of whichever is being written.
TEST(OutputSafetyTest, ASignalDuringABatchRemovesEveryPartialFile) {
  for (const int signalNumber : {SIGTERM, SIGHUP}) {
    TempDir folder;
    bool caught = false;
    for (int copies = 40; copies <= 640 && !caught; copies *= 2) {
      WriteLongStream(folder / "first.m1v", copies);
      WriteLongStream(folder / "second.m1v", copies);
      const pid_t pid =
          SpawnCli({"analyse", folder / "first.m1v", folder / "second.m1v", "--jobs", "2", "--json",
                    folder / "{name}.json", "--save", folder / "{name}.tsr"});
      ASSERT_GT(pid, 0);
      int status = 0;
      caught = SignalWhileWriting(pid, folder, signalNumber, status);
      if (!caught) {
        for (const char* name : {"first.json", "second.json", "first.tsr", "second.tsr"}) {
          fs::remove(folder / name);
        }
        continue;
      }
      ASSERT_EQ(waitpid(pid, &status, 0), pid);
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber)
          << strsignal(signalNumber);
      EXPECT_FALSE(HoldsTemporaryFile(folder)) << strsignal(signalNumber);
    }
    EXPECT_TRUE(caught) << "the batch always ended before the signal could be sent";
  }
}

// Runs script in a mount namespace of its own over a small tmpfs at folder, given as $DIR;
// false when no tmpfs can be mounted here (neither root nor user namespaces).
bool RunOnSmallDisk(const TempDir& folder, const std::string& script, CliResult& result) {
  const std::string mountAndRun = "mount -t tmpfs -o size=64k tmpfs \"$DIR\" || exit 99\n" + script;
  const std::string command = "DIR=" + test::ShellQuote(folder.path().string()) + " unshare " +
                              (geteuid() == 0 ? "--mount" : "--mount --map-root-user") + " sh -c " +
                              test::ShellQuote(mountAndRun);
  result = test::RunShell(command);
  return result.exitCode != 99 && result.err.find("unshare:") == std::string::npos;
}

TEST(OutputSafetyTest, AFullDiskKeepsTheOldFilesAndLeavesNoPartialOne) {
  TempDir folder;
  const std::string cli = test::CliCommand({});
  const std::string input = test::ShellQuote(kElementary);
  // Old outputs, and a planted link that a failed write must not truncate through.
  const std::string script =
      "printf old > \"$DIR/r.tsr\"; printf old > \"$DIR/g.csv\"; printf old > \"$DIR/c.m1v\"\n"
      "printf precious > \"$DIR/victim\"; ln -s \"$DIR/victim\" \"$DIR/g.csv.partial\"\n"
      "cat /dev/zero > \"$DIR/filler\" 2>/dev/null\n" +
      cli + " analyse " + input + " --save \"$DIR/r.tsr\"; echo save=$?\n" + cli + " analyse " +
      input + " --gops \"$DIR/g.csv\"; echo gops=$?\n" + cli + " modify " + input +
      " \"$DIR/c.m1v\"; echo modify=$?\n" +
      "ls -A \"$DIR\"; cat \"$DIR/r.tsr\" \"$DIR/g.csv\" \"$DIR/c.m1v\" \"$DIR/victim\"\n";
  CliResult result;
  if (!RunOnSmallDisk(folder, script, result)) {
    GTEST_SKIP() << "no small tmpfs can be mounted here (needs root or user namespaces): "
                 << result.err;
  }
  EXPECT_NE(result.out.find("save=4\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("gops=4\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("modify=4\n"), std::string::npos) << result.out;
  // Nothing but what was there, each file as it was.
  EXPECT_NE(result.out.find("c.m1v\nfiller\ng.csv\ng.csv.partial\nr.tsr\nvictim\n"
                            "oldoldoldprecious"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.err.find("Cannot write the result file"), std::string::npos) << result.err;
}

TEST(OutputSafetyTest, OutputsOntoTheInputAreRefusedBeforeAnyWork) {
  TempDir folder;
  const std::string movie = folder / "movie.m1v";
  fs::copy_file(kElementary, movie);
  fs::create_symlink(movie, folder / "link.m1v");
  fs::create_hard_link(movie, folder / "hard.m1v");
  fs::create_directory(folder / "sub");
  const std::string roundabout = (folder.path() / "sub" / ".." / "movie.m1v").string();
  const std::vector<std::vector<std::string>> attempts = {
      {"--json", movie},
      {"--save", roundabout},
      {"--gops", folder / "link.m1v", "--format", "txt"},
      {"--seconds", folder / "hard.m1v", "--format", "htm"},
  };
  for (const auto& attempt : attempts) {
    std::vector<std::string> arguments = {"analyse", movie};
    arguments.insert(arguments.end(), attempt.begin(), attempt.end());
    const CliResult result = RunCli(arguments);
    EXPECT_EQ(result.exitCode, 4) << attempt[1];
    EXPECT_EQ(result.out, "") << attempt[1];
    EXPECT_NE(result.err.find(attempt[1]), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(movie), std::string::npos) << result.err;
  }
  EXPECT_EQ(test::ReadFileBytes(movie), test::ReadFileBytes(kElementary));

  const std::string saved = folder / "r.tsr";
  ASSERT_EQ(RunCli({"analyse", kElementary, "--save", saved}).exitCode, 0);
  const auto before = test::ReadFileBytes(saved);
  for (const std::vector<std::string>& attempt :
       {std::vector<std::string>{"--gops", saved, "--format", "txt"}, {"--save", saved}}) {
    std::vector<std::string> arguments = {"show", saved};
    arguments.insert(arguments.end(), attempt.begin(), attempt.end());
    const CliResult result = RunCli(arguments);
    EXPECT_EQ(result.exitCode, 4) << attempt[0];
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("result file"), std::string::npos) << result.err;
  }
  EXPECT_EQ(test::ReadFileBytes(saved), before);

  const CliResult copy = RunCli({"modify", movie, folder / "link.m1v"});
  EXPECT_EQ(copy.exitCode, 4);
  EXPECT_EQ(test::ReadFileBytes(movie), test::ReadFileBytes(kElementary));
}

TEST(OutputSafetyTest, AFailedWriteToStdoutIsNoSuccess) {
  TempDir folder;
  const std::string saved = folder / "r.tsr";
  ASSERT_EQ(RunCli({"analyse", kElementary, "--save", saved}).exitCode, 0);
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"analyse", kElementary},
           {"analyse", kElementary, "--json", "-"},
           {"show", saved},
           {"calc", "bitrate"},
       }) {
    const CliResult result = test::RunShell(test::CliCommand(arguments) + " >/dev/full");
    EXPECT_EQ(result.exitCode, 4) << arguments[0] << " " << arguments.back();
    EXPECT_NE(result.err.find("Cannot write to the standard output"), std::string::npos)
        << result.err;
  }
}

TEST(OutputSafetyTest, AValueThatLooksLikeAnOptionIsNoFileName) {
  TempDir folder;
  const std::string cd = "cd " + test::ShellQuote(folder.path().string()) + " && ";
  const CliResult forgotten =
      test::RunShell(cd + test::CliCommand({"analyse", kElementary, "--save", "--quiet"}));
  EXPECT_EQ(forgotten.exitCode, 64);
  EXPECT_NE(forgotten.err.find("--save needs a value"), std::string::npos) << forgotten.err;
  EXPECT_TRUE(folder.Names().empty());

  const CliResult joined = test::RunShell(
      cd + test::CliCommand({"analyse", kElementary, "--save=--quiet", "--gops=g.csv"}));
  EXPECT_EQ(joined.exitCode, 0) << joined.err;
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"--quiet", "g.csv"}));
  EXPECT_EQ(RunCli({"analyse", kElementary, "--save="}).exitCode, 64);
}

// A program stream whose packets are all of stream id, with the video of builder inside.
std::vector<uint8_t> ProgramStreamOf(const test::StreamBuilder& builder, uint8_t id) {
  std::vector<uint8_t> stream = test::WrapInProgramStream(builder.bytes());
  for (size_t i = 0; i + 4 <= stream.size(); ++i) {
    if (stream[i] == 0 && stream[i + 1] == 0 && stream[i + 2] == 1 && stream[i + 3] == 0xE0) {
      stream[i + 3] = id;
    }
  }
  return stream;
}

TEST(OutputSafetyTest, AProgramStreamWithoutVideoSequenceHeaderIsRefused) {
  test::StreamBuilder video;
  video.SequenceHeader().Gop(0, 0, 0, 0);
  for (int i = 0; i < 30; ++i) video.FramePicture(i % 12 ? 'P' : 'I', 5);
  test::StreamBuilder headless;
  headless.Gop(0, 0, 0, 0);
  for (int i = 0; i < 30; ++i) headless.FramePicture(i % 12 ? 'P' : 'I', 5);
  const std::pair<const char*, std::vector<uint8_t>> streams[] = {
      {"audio only", ProgramStreamOf(video, 0xC0)},
      {"video on 0xE1 only", ProgramStreamOf(video, 0xE1)},
      {"no sequence header", ProgramStreamOf(headless, 0xE0)},
  };
  for (const auto& [what, bytes] : streams) {
    TempDir folder;
    const test::TempFile stream(bytes, ".mpg");
    const CliResult result =
        RunCli({"analyse", stream.path(), "--save", folder / "r.tsr", "--json", folder / "a.json"});
    EXPECT_EQ(result.exitCode, 2) << what;
    EXPECT_EQ(result.err, "No video sequence header found in this stream!\n") << what;
    EXPECT_EQ(result.out, "") << what;
    EXPECT_TRUE(folder.Names().empty()) << what;
  }
  // The same video with its sequence header is analysed as before.
  const test::TempFile good(ProgramStreamOf(video, 0xE0), ".mpg");
  EXPECT_EQ(RunCli({"analyse", good.path()}).exitCode, 0);
}

}  // namespace
}  // namespace tessivo
