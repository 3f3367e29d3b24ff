// tessivo-cli as a user runs it: the fixtures, result files, messages and exit codes.
#include <gtest/gtest.h>

#include "support/stream_builder.h"
#include "support/test_files.h"

namespace tessivo {
namespace {

using test::FixturePath;
using test::RunCli;

std::string Figure(const std::string& output, const std::string& name) {
  const size_t at = output.find("\n" + name + ": ");
  if (at == std::string::npos) return "<missing>";
  const size_t start = at + name.size() + 3;
  return output.substr(start, output.find('\n', start) - start);
}

TEST(CliTest, AnalysesEveryFixtureWithTheEncodersPictureCount) {
  const std::pair<const char*, const char*> fixtures[] = {
      {"mpeg1_cif25.m1v", "100"},
      {"mpeg2_pal_interlaced.m2v", "75"},
      {"mpeg2_pal_interlaced.vob", "75"},
      {"mpeg2_ntsc_progressive.m2v", "60"},
  };
  for (const auto& [name, pictures] : fixtures) {
    const auto result = RunCli({"analyse", FixturePath(name)});
    EXPECT_EQ(result.exitCode, 0) << name << result.err;
    EXPECT_EQ(Figure(result.out, "Pictures"), pictures) << name;
    EXPECT_EQ(result.out.rfind("Num. of picture read: ", 0), 0u) << name;
  }
  const auto system = RunCli({"analyse", FixturePath("mpeg1_cif25_system.mpg"), "--no-pack-check"});
  EXPECT_EQ(Figure(system.out, "Pictures"), "100");
  EXPECT_EQ(Figure(system.out, "Seconds"), "5");
  const auto checked = RunCli({"analyse", FixturePath("mpeg1_cif25_system.mpg")});
  EXPECT_NE(checked.out.find("video packets skipped by the packet header check!"),
            std::string::npos);
}

TEST(CliTest, FiguresOfTheMpeg2Fixture) {
  const auto result = RunCli({"analyse", FixturePath("mpeg2_pal_interlaced.m2v"), "--quiet"});
  ASSERT_EQ(result.exitCode, 0);
  EXPECT_EQ(Figure(result.out, "Seconds"), "3");
  EXPECT_EQ(Figure(result.out, "GOPs"), "6");
  EXPECT_NE(result.out.find("Stream type: MPEG-2  MP@ML  VBR\n"), std::string::npos);
  EXPECT_NE(result.out.find("Field topfirst: Yes\n"), std::string::npos);
  const auto kilo = RunCli({"analyse", FixturePath("mpeg2_pal_interlaced.m2v"), "--kilo", "1000"});
  EXPECT_GT(std::stoul(Figure(kilo.out, "Peak bitrate")),
            std::stoul(Figure(result.out, "Peak bitrate")));
  EXPECT_TRUE(result.err.empty()) << "no progress line when stderr is not a terminal";
}

TEST(CliTest, SavedResultShowsTheSameReportAndResavesIdentically) {
  test::TempFile saved(".tsr");
  test::TempFile resaved(".tsr");
  const std::string input = FixturePath("mpeg2_pal_interlaced.vob");
  const auto analysed = RunCli({"analyse", input, "--save", saved.path()});
  ASSERT_EQ(analysed.exitCode, 0) << analysed.err;
  const auto shown = RunCli({"show", saved.path(), "--save", resaved.path()});
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  EXPECT_EQ(shown.out, analysed.out);
  EXPECT_EQ(test::ReadFileBytes(resaved.path()), test::ReadFileBytes(saved.path()));
  const auto bytes = test::ReadFileBytes(saved.path());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), input);
}

TEST(CliTest, ErrorsHaveTheirMessagesAndExitCodes) {
  const auto missing = RunCli({"analyse", "/no/such/clip.m2v"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "File /no/such/clip.m2v not found\n");

  const std::string text = "just some text\n";
  test::TempFile textFile(std::vector<uint8_t>(text.begin(), text.end()), ".txt");
  const auto invalid = RunCli({"analyse", textFile.path()});
  EXPECT_EQ(invalid.exitCode, 2);
  EXPECT_EQ(invalid.err, "Invalid stream type!\n");
  EXPECT_TRUE(invalid.out.empty());

  const auto badResult = RunCli({"show", textFile.path()});
  EXPECT_EQ(badResult.exitCode, 3);
  EXPECT_NE(badResult.err.find("not a result file"), std::string::npos);

  for (const std::vector<std::string>& usage :
       {std::vector<std::string>{},
        {"analyse"},
        {"analyse", "a", "b", "--save", "one.tsr"},
        {"frobnicate"},
        {"analyse", FixturePath("mpeg1_cif25.m1v"), "--kilo", "512"},
        {"analyse", FixturePath("mpeg1_cif25.m1v"), "--max-frames", "lots"},
        {"analyse", FixturePath("mpeg1_cif25.m1v"), "--save"},
        {"analyse", FixturePath("mpeg1_cif25.m1v"), "--bogus"}}) {
    const auto result = RunCli(usage);
    EXPECT_EQ(result.exitCode, 64) << (usage.empty() ? "" : usage[0]);
    EXPECT_NE(result.err.find("Usage:"), std::string::npos);
  }
  const auto help = RunCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("tessivo-cli analyse FILE"), std::string::npos);

  const auto unwritable =
      RunCli({"analyse", FixturePath("mpeg1_cif25.m1v"), "--save", "/no/such/dir/out.tsr"});
  EXPECT_EQ(unwritable.exitCode, 4);
}

TEST(CliTest, TransportStreamsTheirProgramsAndTheirRefusals) {
  const auto result = RunCli({"analyse", FixturePath("ts_two_programs.ts"), "--program", "2"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("\nNotes:\nTransport stream: program 2, video PID 257, "
                            "188-byte packets\n"),
            std::string::npos);

  const auto unknown = RunCli({"analyse", FixturePath("ts_two_programs.ts"), "--program", "7"});
  EXPECT_EQ(unknown.exitCode, 64);
  EXPECT_EQ(unknown.err.rfind("tessivo-cli: --program 7: the transport stream has no such "
                              "program; its programs are 1, 2\n",
                              0),
            0u);
  EXPECT_TRUE(unknown.out.empty());
  const auto notTransport = RunCli({"analyse", FixturePath("vbv_cbr.m2v"), "--program", "1"});
  EXPECT_EQ(notTransport.exitCode, 64);
  EXPECT_EQ(RunCli({"analyse", FixturePath("ts_ffmpeg.ts"), "--program", "0"}).exitCode, 64);

  for (const char* name : {"ts_h264.ts", "ts_audio.ts"}) {
    const auto refused = RunCli({"analyse", FixturePath(name)});
    EXPECT_EQ(refused.exitCode, 2) << name;
    EXPECT_EQ(refused.err, "No MPEG-1/MPEG-2 video stream found in this transport stream!\n");
    EXPECT_TRUE(refused.out.empty());
  }
}

TEST(CliTest, JsonOfATransportStreamGivesItsContainerFacts) {
  const auto damaged = RunCli({"analyse", FixturePath("ts_damaged.ts"), "--json", "-"});
  ASSERT_EQ(damaged.exitCode, 0) << damaged.err;
  EXPECT_NE(damaged.out.find("\n,\"container\":{\"kind\":\"transport stream\",\"packetSize\":188,"
                             "\"program\":1,\"videoPid\":256,\"continuityErrors\":2,"
                             "\"damagedPackets\":3,\"scrambledPackets\":4,\"syncLosses\":1}\n"),
            std::string::npos);
  const auto elementary = RunCli({"analyse", FixturePath("vbv_cbr.m2v"), "--json", "-"});
  EXPECT_EQ(elementary.out.find("\"container\""), std::string::npos);
}

TEST(CliTest, SmallStoresStopTheRunWithANote) {
  const auto result = RunCli({"analyse", FixturePath("mpeg1_cif25.m1v"), "--max-frames", "50"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(Figure(result.out, "Pictures"), "50");
  EXPECT_NE(
      result.out.find("WARNING! The analysis stopped at the store capacity (Max. frames: 50)!"),
      std::string::npos);
}

TEST(CliTest, StreamBeyondTheDefaultCapacityEndsCleanly) {
  // 260 000 small pictures at 25 frames per second: the 10 000 seconds of the default stores
  // end the run at picture 250 000.
  test::StreamBuilder builder;
  builder.SequenceHeader().Gop(0, 0, 0, 0);
  for (int i = 0; i < 260000; ++i) builder.FramePicture(i % 15 ? 'P' : 'I', 4, 1, 1);
  test::TempFile stream(builder.bytes(), ".m1v");
  const auto result = test::RunCli({"analyse", stream.path()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(Figure(result.out, "Pictures"), "250000");
  EXPECT_EQ(Figure(result.out, "Seconds"), "10000");
  EXPECT_NE(
      result.out.find("WARNING! The analysis stopped at the store capacity (Max. frames: 250000)!"),
      std::string::npos);
}

}  // namespace
}  // namespace tessivo
