// analyse with several inputs: the summary against single-file runs, the order, the exit
// status, --jobs, the {name} patterns and the refusals before any work.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "support/test_files.h"

namespace tessivo {
namespace {

namespace fs = std::filesystem;
using test::CliResult;
using test::FixturePath;
using test::RunCli;
using test::TempDir;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The fields of one CSV line, quoted ones unquoted.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

std::string Figure(const std::string& output, const std::string& name) {
  const size_t at = output.find("\n" + name + ": ");
  if (at == std::string::npos) return "<missing>";
  const size_t start = at + name.size() + 3;
  std::string value = output.substr(start, output.find('\n', start) - start);
  const size_t unit = value.find(" kbit/s");
  return unit == std::string::npos ? value : value.substr(0, unit);
}

// Four fixtures of three containers and one file that is no stream at all.
class BatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    broken_ = folder_ / "broken.m2v";
    std::ofstream(broken_) << std::string(5000, 'x');
    inputs_ = {FixturePath("mpeg2_pal_interlaced.m2v"), FixturePath("mpeg1_cif25.m1v"), broken_,
               FixturePath("ts_ffmpeg.ts"), FixturePath("mpeg2_pal_interlaced.vob")};
  }

  std::vector<std::string> Analyse(std::vector<std::string> options, size_t inputs = 5) const {
    std::vector<std::string> arguments = {"analyse"};
    arguments.insert(arguments.end(), inputs_.begin(), inputs_.begin() + inputs);
    arguments.insert(arguments.end(), options.begin(), options.end());
    return arguments;
  }

  TempDir folder_;
  std::string broken_;
  std::vector<std::string> inputs_;
};

TEST_F(BatchTest, SummaryLinesMatchSingleFileRunsInInputOrder) {
  const std::string summary = folder_ / "summary.csv";
  const CliResult batch = RunCli(Analyse({"--jobs", "2", "--summary", summary}));
  EXPECT_EQ(batch.exitCode, 2) << "the broken file's invalid stream type is the worst";
  const std::vector<std::string> lines = Lines(test::ReadFileText(summary));
  ASSERT_EQ(lines.size(), inputs_.size() + 1);
  EXPECT_EQ(lines[0],
            "name,container,exit_status,message,seconds,gops,pictures,peak_bitrate_kbps,"
            "average_bitrate_kbps,peak_quantiser,average_quantiser,notes");
  const char* containers[] = {"elementary", "elementary", "", "transport", "program"};
  for (size_t i = 0; i < inputs_.size(); ++i) {
    const std::vector<std::string> fields = Fields(lines[i + 1]);
    ASSERT_EQ(fields.size(), 12u) << lines[i + 1];
    EXPECT_EQ(fields[0], inputs_[i]);
    EXPECT_EQ(fields[1], containers[i]) << inputs_[i];
    const CliResult single = RunCli({"analyse", inputs_[i]});
    EXPECT_EQ(fields[2], std::to_string(single.exitCode)) << inputs_[i];
    if (single.exitCode != 0) {
      EXPECT_EQ(fields[3], "Invalid stream type!");
      EXPECT_EQ(fields[4], "");
      continue;
    }
    EXPECT_EQ(fields[3], "");
    const char* figures[] = {
        "Seconds",         "GOPs",           "Pictures",         "Peak bitrate",
        "Average bitrate", "Peak quantiser", "Average quantiser"};
    for (size_t k = 0; k < 7; ++k) {
      EXPECT_EQ(fields[4 + k], Figure(single.out, figures[k])) << inputs_[i] << figures[k];
    }
    // The batch prints the same report, under the input's name, in the order given.
    const size_t header = batch.out.find("==> " + inputs_[i] + " <==\n");
    ASSERT_NE(header, std::string::npos) << inputs_[i];
    EXPECT_EQ(batch.out.compare(header + inputs_[i].size() + 9, single.out.size(), single.out), 0)
        << inputs_[i];
  }
  EXPECT_EQ(Fields(lines[4]).back().rfind("Transport stream: program 1, video PID ", 0), 0u)
      << "the notes";
  EXPECT_LT(batch.out.find(inputs_[0]), batch.out.find(inputs_[1]));
  EXPECT_LT(batch.out.find(inputs_[3]), batch.out.find(inputs_[4]));
  EXPECT_NE(batch.err.find(broken_ + ": Invalid stream type!"), std::string::npos) << batch.err;
}

TEST_F(BatchTest, JsonLinesSummaryHasOneObjectPerInput) {
  const std::string summary = folder_ / "summary.jsonl";
  ASSERT_EQ(RunCli(Analyse({"--summary", summary, "--quiet"})).exitCode, 2);
  const std::vector<std::string> lines = Lines(test::ReadFileText(summary));
  ASSERT_EQ(lines.size(), inputs_.size());
  EXPECT_EQ(lines[0].rfind("{\"name\":\"" + inputs_[0] +
                               "\",\"container\":\"elementary\","
                               "\"exitStatus\":0,\"message\":\"\",\"seconds\":3,\"gops\":6,"
                               "\"pictures\":75,",
                           0),
            0u)
      << lines[0];
  EXPECT_NE(lines[2].find("\"container\":null,\"exitStatus\":2,\"message\":\"Invalid stream "
                          "type!\",\"seconds\":null"),
            std::string::npos)
      << lines[2];
  EXPECT_NE(lines[3].find("\"notes\":[\"Transport stream: program 1"), std::string::npos)
      << lines[3];
  for (const std::string& line : lines) EXPECT_EQ(line.back(), '}');
}

// Every file the outputs of a batch name, by name and bytes.
std::map<std::string, std::string> FilesIn(const TempDir& folder) {
  std::map<std::string, std::string> files;
  for (const std::string& name : folder.Names()) files[name] = test::ReadFileText(folder / name);
  return files;
}

TEST_F(BatchTest, TwoJobsWriteTheSameFilesAsOne) {
  std::map<std::string, std::string> written[2];
  std::string reports[2];
  for (const int jobs : {1, 2}) {
    TempDir out;
    const CliResult result =
        RunCli(Analyse({"--jobs", std::to_string(jobs), "--save", out / "{name}.tsr", "--seconds",
                        out / "{name}-seconds.csv", "--gops", out / "{name}-gops.htm", "--json",
                        out / "{name}.json", "--summary", out / "all.csv"},
                       4));
    EXPECT_EQ(result.exitCode, 2) << result.err;
    written[jobs - 1] = FilesIn(out);
    reports[jobs - 1] = result.out;
  }
  EXPECT_EQ(written[0], written[1]);
  EXPECT_EQ(reports[0], reports[1]);
  // The program stream shares the first one's name: three analysed inputs with four outputs
  // each, and the summary; nothing of the broken file.
  EXPECT_EQ(written[0].size(), 13u);
  EXPECT_EQ(written[0].count("broken.tsr"), 0u);
  EXPECT_EQ(written[0].count("ts_ffmpeg.json"), 1u);

  // The result saved in a batch is the one a single run saves.
  TempDir single;
  ASSERT_EQ(RunCli({"analyse", inputs_[3], "--save", single / "alone.tsr"}).exitCode, 0);
  EXPECT_EQ(written[0]["ts_ffmpeg.tsr"], test::ReadFileText(single / "alone.tsr"));
  // {name} also serves one input.
  ASSERT_EQ(RunCli({"analyse", inputs_[3], "--save", single / "{name}.tsr"}).exitCode, 0);
  EXPECT_EQ(test::ReadFileText(single / "ts_ffmpeg.tsr"), test::ReadFileText(single / "alone.tsr"));
}

TEST_F(BatchTest, OutputNamesThatCannotTellInputsApartAreRefusedBeforeAnyWork) {
  const std::string input = FixturePath("mpeg1_cif25.m1v");
  const std::string other = FixturePath("mpeg2_pal_interlaced.m2v");
  const std::vector<std::vector<std::string>> usageErrors = {
      {"analyse", input, other, "--save", folder_ / "one.tsr"},
      {"analyse", input, other, "--gops", folder_ / "gops.csv"},
      {"analyse", input, other, "--json", "-"},
      {"analyse", input, other, "--summary", folder_ / "summary.txt"},
      // The same stem in two containers.
      {"analyse", other, FixturePath("mpeg2_pal_interlaced.vob"), "--json",
       folder_ / "{name}.json"},
      {"analyse", input, other, "--jobs", "0"},
  };
  for (const auto& arguments : usageErrors) {
    const CliResult result = RunCli(arguments);
    EXPECT_EQ(result.exitCode, 64) << arguments.back() << result.err;
    EXPECT_TRUE(result.out.empty());
  }
  EXPECT_TRUE(folder_.Names() == std::vector<std::string>{"broken.m2v"});

  // An output that is one of the inputs, even another input's.
  const std::string copy = folder_ / "mpeg1_cif25.tsr";
  fs::copy_file(FixturePath("results/mpeg1_cif25.m1v.tsr"), copy);
  const std::string before = test::ReadFileText(copy);
  const CliResult onto = RunCli({"analyse", input, copy, "--save", folder_ / "{name}.tsr"});
  EXPECT_EQ(onto.exitCode, 4) << onto.err;
  EXPECT_EQ(test::ReadFileText(copy), before);
  EXPECT_TRUE(onto.out.empty());
}

TEST_F(BatchTest, AProgramNotInAStreamIsThatInputsUsageError) {
  const std::string summary = folder_ / "summary.csv";
  const CliResult result =
      RunCli({"analyse", FixturePath("ts_two_programs.ts"), FixturePath("ts_ffmpeg.ts"),
              "--program", "2", "--summary", summary});
  EXPECT_EQ(result.exitCode, 64);
  EXPECT_EQ(result.err.find("Usage:"), std::string::npos) << result.err;
  const std::vector<std::string> lines = Lines(test::ReadFileText(summary));
  ASSERT_EQ(lines.size(), 3u);
  const std::vector<std::string> wanted = Fields(lines[1]);
  const std::vector<std::string> missing = Fields(lines[2]);
  EXPECT_EQ(wanted[2], "0");
  EXPECT_EQ(missing[2], "64");
  EXPECT_EQ(missing[3].rfind("--program 2: the transport stream has no such program", 0), 0u)
      << missing[3];
}

}  // namespace
}  // namespace tessivo
