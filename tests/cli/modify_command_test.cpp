// tessivo-cli modify on the encoder fixtures: exact bytes, and outputs that analyse and decode.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>

#include "analysis/analysis_context.h"
#include "support/stream_builder.h"
#include "support/test_files.h"

namespace tessivo {
namespace {

using Bytes = std::vector<uint8_t>;
const Bytes kEndCode = {0x00, 0x00, 0x01, 0xB7};
const char* const kElementaryFixtures[] = {"mpeg1_cif25.m1v", "mpeg2_pal_interlaced.m2v",
                                           "mpeg2_ntsc_progressive.m2v"};

Bytes Concat(const Bytes& a, const Bytes& b) {
  Bytes all = a;
  all.insert(all.end(), b.begin(), b.end());
  return all;
}

// ffmpeg finds nothing to complain about while decoding every picture.
bool DecodesCleanly(const std::string& path) {
  const test::TempFile errors(".txt");
  const std::string command =
      "ffmpeg -nostdin -v error -i '" + path + "' -f null - 2>'" + errors.path() + "'";
  return std::system(command.c_str()) == 0 && test::ReadFileBytes(errors.path()).empty();
}

void ExpectAnalysesCleanly(const std::string& path, const std::string& gopLine) {
  const test::CliResult result = test::RunCli({"analyse", path, "--quiet"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_NE(result.out.find("Notes:\n\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find(gopLine), std::string::npos) << result.out;
  EXPECT_TRUE(DecodesCleanly(path)) << path;
}

size_t CountOf(const Bytes& haystack, const Bytes& needle) {
  size_t count = 0;
  for (auto it = haystack.begin();
       (it = std::search(it, haystack.end(), needle.begin(), needle.end())) != haystack.end();
       ++it) {
    ++count;
  }
  return count;
}

TEST(ModifyCommandTest, UnchangedCopyEqualsTheInputPlusAnEndCode) {
  for (const char* name : kElementaryFixtures) {
    const Bytes input = test::ReadFileBytes(test::FixturePath(name));
    const test::TempFile output(".m2v");
    const test::CliResult result = test::RunCli({"modify", test::FixturePath(name), output.path()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(test::ReadFileBytes(output.path()), Concat(input, kEndCode)) << name;

    const test::TempFile bare(".m2v");
    ASSERT_EQ(
        test::RunCli({"modify", test::FixturePath(name), bare.path(), "--no-end-code"}).exitCode,
        0);
    EXPECT_EQ(test::ReadFileBytes(bare.path()), input) << name;

    // A copy that already ends with the end code gets no second one.
    const test::TempFile again(".m2v");
    ASSERT_EQ(test::RunCli({"modify", output.path(), again.path()}).exitCode, 0);
    EXPECT_EQ(test::ReadFileBytes(again.path()), Concat(input, kEndCode)) << name;
  }
}

TEST(ModifyCommandTest, NewBitrateIsWrittenInEveryHeaderAndDecodes) {
  const std::string input = test::FixturePath("mpeg2_pal_interlaced.m2v");
  const test::TempFile output(".m2v");
  ASSERT_EQ(test::RunCli({"modify", input, output.path(), "--bitrate", "1150799"}).exitCode, 0);
  const Bytes bytes = test::ReadFileBytes(output.path());
  const Bytes header = {0x00, 0x00, 0x01, 0xB3};
  size_t headers = 0;
  for (auto it = bytes.begin();
       (it = std::search(it, bytes.end(), header.begin(), header.end())) != bytes.end(); ++it) {
    const uint32_t bitRateValue = uint32_t{it[8]} << 10 | uint32_t{it[9]} << 2 | it[10] >> 6;
    EXPECT_EQ(bitRateValue, 2876u);
    ++headers;
  }
  EXPECT_EQ(headers, 6u);
  ExpectAnalysesCleanly(output.path(), "GOPs: 6");
  EXPECT_NE(test::RunCli({"analyse", output.path(), "--quiet"}).out.find("1150400 Bit/Sec"),
            std::string::npos);
}

TEST(ModifyCommandTest, UserDataIsInsertedBeforeEveryGopAndCanBeStrippedAgain) {
  const std::string input = test::FixturePath("mpeg1_cif25.m1v");
  const test::TempFile withText(".m1v");
  ASSERT_EQ(test::RunCli({"modify", input, withText.path(), "--user-data", "abc"}).exitCode, 0);
  const Bytes bytes = test::ReadFileBytes(withText.path());
  EXPECT_EQ(CountOf(bytes, {0x00, 0x00, 0x01, 0xB2, 'a', 'b', 'c', 0x00, 0x00, 0x01, 0xB8}), 9u);
  ExpectAnalysesCleanly(withText.path(), "GOPs: 9");

  const test::TempFile stripped(".m1v");
  ASSERT_EQ(
      test::RunCli({"modify", withText.path(), stripped.path(), "--strip-user-data"}).exitCode, 0);
  EXPECT_EQ(test::ReadFileBytes(stripped.path()), Concat(test::ReadFileBytes(input), kEndCode));
}

TEST(ModifyCommandTest, CutFromGop2ToGop4) {
  const std::string input = test::FixturePath("mpeg2_pal_interlaced.m2v");
  AnalysisObserver observer;
  auto context = AnalysisContext::Create(AnalysisSettings{}, observer);
  ASSERT_TRUE(context->StartAnalysis(input).ok());
  context->ReadToEnd();
  const RecordStores& stores = context->stores();
  ASSERT_EQ(stores.gopCount, 6u);
  const FirstSequenceBlock& block = stores.firstSequenceBlock;

  const test::TempFile output(".m2v");
  const test::CliResult result = test::RunCli(
      {"modify", input, output.path(), "--in", "2", "--out", "4", "--cut", "--bitrate", "1150799"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const Bytes bytes = test::ReadFileBytes(output.path());
  const Bytes source = test::ReadFileBytes(input);

  // 00 00 01 B3, the first header with its extension, then GOP 2 onwards.
  Bytes expected = {0x00, 0x00, 0x01, 0xB3};
  expected.insert(expected.end(), block.bytes, block.bytes + block.length - 4);
  const auto from = static_cast<std::ptrdiff_t>(stores.gopPositions()[2] - 4);
  // Every GOP of this stream has its own header: the copy stops at the one before GOP 5.
  const auto to = static_cast<std::ptrdiff_t>(stores.gopPositions()[5] - 4 - block.length);
  ASSERT_EQ(source[static_cast<size_t>(to) + 3], 0xB3);
  expected.insert(expected.end(), source.begin() + from, source.begin() + to);
  expected.insert(expected.end(), kEndCode.begin(), kEndCode.end());
  // Each header then carries bit_rate_value 2876.
  const Bytes header = {0x00, 0x00, 0x01, 0xB3};
  size_t headers = 0;
  for (auto it = expected.begin();
       (it = std::search(it, expected.end(), header.begin(), header.end())) != expected.end();
       ++it, ++headers) {
    it[8] = 0x02;
    it[9] = 0xCF;
    it[10] &= 0x3F;
  }
  EXPECT_EQ(headers, 3u);
  EXPECT_EQ(bytes, expected);
  ExpectAnalysesCleanly(output.path(), "GOPs: 3");
}

// Width, height and bit_rate_value of every sequence header in bytes.
std::vector<std::array<uint32_t, 3>> SequenceHeaderValues(const Bytes& bytes) {
  const Bytes code = {0x00, 0x00, 0x01, 0xB3};
  std::vector<std::array<uint32_t, 3>> values;
  for (auto it = bytes.begin();
       (it = std::search(it, bytes.end(), code.begin(), code.end())) != bytes.end(); ++it) {
    values.push_back({uint32_t{it[4]} << 4 | it[5] >> 4, uint32_t{it[5] & 0x0Fu} << 8 | it[6],
                      uint32_t{it[8]} << 10 | uint32_t{it[9]} << 2 | it[10] >> 6});
  }
  return values;
}

TEST(ModifyCommandTest, GivenValuesGoIntoEveryHeaderAlsoWhereTheFirstAlreadyHasThem) {
  // The first header says 352x288, the later ones 720x576 with a bitrate of their own.
  test::StreamBuilder builder;
  test::SequenceHeaderFields later;
  later.width = 720;
  later.height = 576;
  later.bitRateValue = 9000;
  for (int gop = 0; gop < 3; ++gop) {
    builder.SequenceHeader(gop == 0 ? test::SequenceHeaderFields{} : later);
    builder.Gop(0, 0, static_cast<uint8_t>(gop), 0);
    for (int i = 0; i < 5; ++i) builder.FramePicture(i == 0 ? 'I' : 'P', 4);
  }
  const test::TempFile input(builder.bytes(), ".m1v");
  const test::TempFile output(".m1v");
  const test::CliResult result =
      test::RunCli({"modify", input.path(), output.path(), "--width", "352", "--height", "288"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  using Values = std::array<uint32_t, 3>;
  EXPECT_EQ(SequenceHeaderValues(test::ReadFileBytes(output.path())),
            (std::vector<Values>{{352, 288, 2880}, {352, 288, 9000}, {352, 288, 9000}}));
}

TEST(ModifyCommandTest, RefusesProgramStreamsAndTheInputAsOutput) {
  const test::TempFile output(".m2v");
  const test::CliResult system =
      test::RunCli({"modify", test::FixturePath("mpeg2_pal_interlaced.vob"), output.path()});
  EXPECT_EQ(system.exitCode, 2);
  EXPECT_EQ(system.err,
            "You cannot modify a system/program stream!\nTo do it you have to demux it to "
            "separated video/audio streams\n");
  EXPECT_FALSE(std::filesystem::exists(output.path()));

  const test::TempFile input(test::ReadFileBytes(test::FixturePath("mpeg1_cif25.m1v")), ".m1v");
  const test::CliResult same = test::RunCli({"modify", input.path(), input.path()});
  EXPECT_EQ(same.exitCode, 4);
  EXPECT_NE(same.err.find("analysed file itself"), std::string::npos);
  EXPECT_EQ(test::ReadFileBytes(input.path()),
            test::ReadFileBytes(test::FixturePath("mpeg1_cif25.m1v")));
}

TEST(ModifyCommandTest, RefusesTransportStreamsWithTheProgramStreamMessage) {
  const test::TempFile output(".m2v");
  const test::CliResult transport =
      test::RunCli({"modify", test::FixturePath("ts_ffmpeg.ts"), output.path()});
  EXPECT_EQ(transport.exitCode, 2);
  EXPECT_EQ(transport.err,
            "You cannot modify a system/program stream!\nTo do it you have to demux it to "
            "separated video/audio streams\n");
  EXPECT_FALSE(std::filesystem::exists(output.path()));
}

TEST(ModifyCommandTest, BadArgumentsAreUsageErrors) {
  const std::string input = test::FixturePath("mpeg1_cif25.m1v");
  const test::TempFile output(".m1v");
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"modify", input},
           {"modify", input, output.path(), "--aspect", "15"},
           {"modify", input, output.path(), "--width", "4096"},
           {"modify", input, output.path(), "--out", "9"},
           {"modify", input, output.path(), "--in", "3", "--out", "2"},
       }) {
    EXPECT_EQ(test::RunCli(arguments).exitCode, 64) << arguments.back();
  }
  EXPECT_FALSE(std::filesystem::exists(output.path()));
  EXPECT_EQ(test::RunCli({"modify", input + ".missing", output.path()}).exitCode, 1);
}

}  // namespace
}  // namespace tessivo
