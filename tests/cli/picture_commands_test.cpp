// tessivo-cli pictures, vbv and check as a pipeline runs them: their outputs, compared with what
// the engine builds for the same stream, and their exit codes.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "analysis/analysis_context.h"
#include "buffer/vbv_model.h"
#include "buffer/vbv_text.h"
#include "support/test_files.h"
#include "tables/export_csv.h"
#include "tables/export_html.h"
#include "tables/picture_table.h"
#include "tables/python_check.h"
#include "tables/vbv_table.h"

namespace tessivo {
namespace {

using test::FixturePath;
using test::RunCli;

std::string FileText(const std::string& path) {
  const auto bytes = test::ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

struct Analysed {
  AnalysisObserver observer;
  std::unique_ptr<AnalysisContext> context;
  VbvResult vbv;
};

std::unique_ptr<Analysed> Analyse(const std::string& path) {
  auto analysed = std::make_unique<Analysed>();
  analysed->context = AnalysisContext::Create(AnalysisSettings{}, analysed->observer);
  EXPECT_TRUE(analysed->context->StartAnalysis(path).ok());
  analysed->context->ReadToEnd();
  analysed->vbv = SimulateVbv(analysed->context->stores());
  return analysed;
}

TEST(PicturesCommand, WritesTheEnginesPictureTableInTheChosenFormat) {
  const std::string input = FixturePath("dvd_pal.vob");
  const auto analysed = Analyse(input);
  const Table expected = BuildPictureTable(analysed->context->stores(), &analysed->vbv);
  const test::TempFile text(".txt"), page(".dat");

  const auto result = RunCli({"pictures", input, text.path(), "--quiet"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(FileText(text.path()), FormatCsv(expected));
  EXPECT_NE(FileText(text.path()).find("\n1,I,"), std::string::npos);

  ASSERT_EQ(RunCli({"pictures", input, page.path(), "--format", "htm", "--quiet"}).exitCode, 0);
  EXPECT_EQ(FileText(page.path()), FormatHtml(expected));
}

TEST(PicturesCommand, AResultFileGivesTheSameRowsWithoutTheBufferFill) {
  const std::string input = FixturePath("dvd_pal.vob");
  const test::TempFile fromStream(".txt"), fromResult(".txt");
  ASSERT_EQ(RunCli({"pictures", input, fromStream.path(), "--quiet"}).exitCode, 0);
  const auto shown =
      RunCli({"pictures", FixturePath("results/dvd_pal.vob.tsr"), fromResult.path()});
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  // Every row of the stream's table without its last cell, the buffer fill.
  const test::PythonResult same = test::RunPython(R"(
import sys, csv
a, b = (list(csv.reader(open(name))) for name in sys.argv[1:3])
assert len(a) == len(b) > 1
assert a[0] == b[0]
for x, y in zip(a[1:], b[1:]):
    assert x[:-1] == y[:-1] and x[-1] != '' and y[-1] == '', (x, y)
print(len(a) - 1)
)",
                                                  {fromStream.path(), fromResult.path()});
  EXPECT_EQ(same.exitCode, 0) << same.err;
  EXPECT_EQ(same.out,
            std::to_string(Analyse(input)->context->stores().summary.pictureCount) + "\n");
}

TEST(PicturesCommand, RefusesBadUsageAndOutputsOntoTheInput) {
  const std::string input = FixturePath("dvd_pal.vob");
  const test::TempFile unknown(".dat");
  auto result = RunCli({"pictures", input, unknown.path()});
  EXPECT_EQ(result.exitCode, 64);
  EXPECT_NE(result.err.find("give --format"), std::string::npos) << result.err;
  EXPECT_FALSE(std::filesystem::exists(unknown.path()));
  EXPECT_EQ(RunCli({"pictures", input}).exitCode, 64);
  EXPECT_EQ(RunCli({"pictures", input, unknown.path(), "--format", "pdf"}).exitCode, 64);

  test::TempDir dir;
  const std::string copy = dir / "clip.txt";
  std::filesystem::copy_file(input, copy);
  const auto before = test::ReadFileBytes(copy);
  result = RunCli({"pictures", copy, copy, "--format", "txt"});
  EXPECT_EQ(result.exitCode, 4);
  EXPECT_EQ(test::ReadFileBytes(copy), before);
  EXPECT_EQ(RunCli({"pictures", "/no/such/clip.m2v", dir / "p.txt"}).exitCode, 1);
  EXPECT_EQ(RunCli({"pictures", input, "/nonexistent-tessivo-folder/p.txt"}).exitCode, 4);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"clip.txt"});
}

TEST(VbvCommand, PrintsTheModelsCountsAndEventsAndWritesItsTable) {
  const std::string input = FixturePath("vbv_cbr_small_buffer.m2v");
  const auto analysed = Analyse(input);
  const VbvResult& vbv = analysed->vbv;
  ASSERT_GT(vbv.underflowCount, 0u);
  const test::TempFile csv(".csv");

  const auto result = RunCli({"vbv", input, "--csv", csv.path(), "--quiet"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("Buffer model: constant rate\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("Underflows: " + std::to_string(vbv.underflowCount) + "\n"),
            std::string::npos);
  EXPECT_NE(result.out.find("Overflows: " + std::to_string(vbv.overflowCount) + "\n"),
            std::string::npos);
  for (const VbvEvent& event : vbv.events) {
    EXPECT_NE(result.out.find("\n  " + VbvEventText(event) + "\n"), std::string::npos);
  }
  EXPECT_EQ(FileText(csv.path()), FormatCsv(BuildVbvTable(analysed->context->stores(), vbv)));

  const auto fits = RunCli({"vbv", FixturePath("vbv_cbr.m2v"), "--quiet"});
  ASSERT_EQ(fits.exitCode, 0) << fits.err;
  EXPECT_NE(fits.out.find("Underflows: 0\nOverflows: 0\n"), std::string::npos) << fits.out;
  EXPECT_NE(fits.out.find("Events: none\n"), std::string::npos);
}

TEST(VbvCommand, TheAnalysisJsonCarriesTheSameEventsAndEachPicturesFacts) {
  const std::string input = FixturePath("vbv_cbr_small_buffer.m2v");
  const auto analysed = Analyse(input);
  const test::TempFile json(".json");
  ASSERT_EQ(RunCli({"analyse", input, "--quiet", "--json", json.path()}).exitCode, 0);
  const test::PythonResult read = test::RunPython(R"(
import sys, json
doc = json.load(open(sys.argv[1]))
vbv = doc['vbv']
print(vbv['mode'], vbv['underflowCount'], vbv['overflowCount'], len(vbv['events']))
print(' '.join('%s@%d' % (e['kind'], e['picture']) for e in vbv['events']))
p = doc['pictures'][1]
assert p['vbvBefore'] - p['vbvAfter'] == p['size'] * 8 or p['vbvAfter'] <= 0, p
assert all(0 <= q['vbvDelay'] < 0xFFFF for q in doc['pictures'])
assert doc['sequences'][0]['vbvBufferSize'] == 16384
)",
                                                  {json.path()});
  ASSERT_EQ(read.exitCode, 0) << read.err;
  const VbvResult& vbv = analysed->vbv;
  std::ostringstream expected;
  expected << "constant rate " << vbv.underflowCount << ' ' << vbv.overflowCount << ' '
           << vbv.events.size() << '\n';
  for (size_t k = 0; k < vbv.events.size(); ++k) {
    expected << (k ? " " : "") << VbvEventKindText(vbv.events[k].kind) << '@'
             << vbv.events[k].picture;
  }
  EXPECT_EQ(read.out, expected.str() + "\n");
}

TEST(VbvCommand, NeedsAStreamAndAWritableTable) {
  const auto result = RunCli({"vbv", FixturePath("results/vbv_cbr.m2v.tsr")});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find("needs the stream itself"), std::string::npos) << result.err;
  EXPECT_TRUE(result.out.empty());
  EXPECT_EQ(RunCli({"vbv"}).exitCode, 64);
  EXPECT_EQ(RunCli({"vbv", "/no/such/clip.m2v"}).exitCode, 1);
  EXPECT_EQ(
      RunCli({"vbv", FixturePath("vbv_cbr.m2v"), "--csv", "/nonexistent-tessivo-folder/v.csv"})
          .exitCode,
      4);
}

// The failing rules' lines with the places printed under them.
TEST(CheckCommand, TheDvdFixturePassesAndTheOthersFailNamingRuleAndPlace) {
  const auto pass = RunCli({"check", FixturePath("dvd_pal.vob"), "--profile", "dvd-pal"});
  EXPECT_EQ(pass.exitCode, 0) << pass.out << pass.err;
  EXPECT_NE(pass.out.find("Result: every rule passes\n"), std::string::npos) << pass.out;
  EXPECT_EQ(pass.out.find("\nfail "), std::string::npos);
  EXPECT_TRUE(pass.err.empty());

  const auto gop = RunCli({"check", FixturePath("dvd_pal_gop20.vob"), "--profile", "dvd-pal"});
  EXPECT_EQ(gop.exitCode, 1);
  EXPECT_EQ(gop.err.rfind("Compliance check failed: ", 0), 0u) << gop.err;
  EXPECT_NE(gop.out.find("fail            GOP length (pictures)\n"
                         "    GOP 1, second 1, picture 1: 20 pictures, at most 15\n"),
            std::string::npos)
      << gop.out;

  const auto rate = RunCli({"check", FixturePath("dvd_pal_12mbit.vob"), "--profile", "dvd-pal"});
  EXPECT_EQ(rate.exitCode, 1);
  EXPECT_NE(rate.out.find("fail            Nominal bitrate (MPEG-2)\n"
                          "    GOP 1, second 1, picture 1: bit_rate 12000000 bit/s"),
            std::string::npos)
      << rate.out;
  EXPECT_NE(rate.out.find("fail            Bitrate of each second (MPEG-2)\n    GOP 1, second 1"),
            std::string::npos);
  EXPECT_EQ(rate.out.find("fail            GOP length"), std::string::npos);

  // A result file keeps no picture facts: what needs them is not checked, and nothing fails.
  const auto saved =
      RunCli({"check", FixturePath("results/dvd_pal.vob.tsr"), "--profile", "dvd-pal"});
  EXPECT_EQ(saved.exitCode, 0) << saved.err;
  EXPECT_NE(saved.out.find("not checked     GOP length (fields)\n"), std::string::npos);
  EXPECT_NE(saved.out.find("Result: no rule fails; "), std::string::npos) << saved.out;

  // The NTSC profile refuses the PAL frame rate and size of the passing fixture.
  const auto ntsc = RunCli({"check", FixturePath("dvd_pal.vob"), "--profile", "dvd-ntsc"});
  EXPECT_EQ(ntsc.exitCode, 1);
  EXPECT_NE(ntsc.out.find("fail            Frame rate\n"), std::string::npos) << ntsc.out;
}

TEST(CheckCommand, TheJsonReportListsEveryRuleAndWhereItFails) {
  const test::TempFile json(".json");
  const auto result = RunCli({"check", FixturePath("dvd_pal_gop20.vob"), "--profile", "dvd-pal",
                              "--json", json.path(), "--quiet"});
  ASSERT_EQ(result.exitCode, 1) << result.err;
  const test::PythonResult read = test::RunPython(R"(
import sys, json
doc = json.load(open(sys.argv[1]))
assert doc['profile'] == 'dvd-pal' and doc['passed'] is False
failed = [r for r in doc['rules'] if r['outcome'] == 'fail']
for rule in failed:
    f = rule['failures'][0]
    print(rule['name'], f['gop'], f['picture'], f['where'])
assert all(r['outcome'] in ('pass', 'fail', 'not applicable', 'not checked') for r in doc['rules'])
)",
                                                  {json.path()});
  EXPECT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(read.out,
            "GOP length (pictures) 0 0 GOP 1, second 1, picture 1\n"
            "GOP length (fields) 0 0 GOP 1, second 1, picture 1\n");
}

TEST(CheckCommand, OtherFailuresKeepTheirExitCodes) {
  const std::string input = FixturePath("dvd_pal.vob");
  auto result = RunCli({"check", "/no/such/clip.vob", "--profile", "dvd-pal"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err.find("Compliance check failed"), std::string::npos) << result.err;
  EXPECT_EQ(RunCli({"check", input}).exitCode, 64);
  result = RunCli({"check", input, "--profile", "bluray"});
  EXPECT_EQ(result.exitCode, 64);
  EXPECT_NE(result.err.find("dvd-pal|dvd-ntsc|svcd|vcd|atsc"), std::string::npos) << result.err;

  const std::string text = "just some text\n";
  test::TempFile textFile(std::vector<uint8_t>(text.begin(), text.end()), ".txt");
  EXPECT_EQ(RunCli({"check", textFile.path(), "--profile", "vcd"}).exitCode, 2);
  EXPECT_EQ(RunCli({"check", input, "--profile", "dvd-pal", "--json", input}).exitCode, 4);
  EXPECT_EQ(RunCli({"check", input, "--profile", "dvd-pal", "--json",
                    "/nonexistent-tessivo-folder/c.json"})
                .exitCode,
            4);
}

}  // namespace
}  // namespace tessivo
