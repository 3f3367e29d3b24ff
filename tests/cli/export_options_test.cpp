// tessivo-cli's table exports and JSON output, run as a user would run them and compared with
// what the engine writes for the same analysis.
#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/analysis_context.h"
#include "support/test_files.h"
#include "tables/export_csv.h"
#include "tables/export_doc.h"
#include "tables/export_html.h"
#include "tables/gop_table.h"
#include "tables/python_check.h"
#include "tables/seconds_table.h"

namespace tessivo {
namespace {

const std::string kFixture = test::FixturePath("mpeg2_pal_interlaced.vob");

std::string FileText(const std::string& path) {
  const auto bytes = test::ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

class CliExport : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    context_ = AnalysisContext::Create(AnalysisSettings{}, observer_).release();
    ASSERT_TRUE(context_->StartAnalysis(kFixture).ok());
    context_->ReadToEnd();
  }
  static void TearDownTestSuite() { delete context_; }

  static Table Gops() { return BuildGopTable(context_->stores()); }
  static Table Seconds() { return BuildSecondsTable(context_->stores()); }

  static inline AnalysisObserver observer_;
  static inline AnalysisContext* context_ = nullptr;
};

TEST_F(CliExport, TheExtensionChoosesTheFormat) {
  const test::TempFile gops(".csv"), seconds(".HTM"), document(".doc"), sheet(".xls");
  const test::CliResult result = test::RunCli(
      {"analyse", kFixture, "--gops", gops.path(), "--seconds", seconds.path(), "--quiet"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("GOPs: 6\n"), std::string::npos);
  EXPECT_EQ(FileText(gops.path()), FormatCsv(Gops()));
  EXPECT_EQ(FileText(seconds.path()), FormatHtml(Seconds()));

  ASSERT_EQ(test::RunCli({"analyse", kFixture, "--gops", document.path(), "--seconds", sheet.path(),
                          "--quiet"})
                .exitCode,
            0);
  EXPECT_EQ(FileText(document.path()), FormatRtf(Gops()));
  EXPECT_EQ(FileText(sheet.path()).substr(0, 8), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

TEST_F(CliExport, FormatOverridesTheExtension) {
  const test::TempFile gops(".dat"), seconds(".txt");
  const test::CliResult result = test::RunCli({"analyse", kFixture, "--quiet", "--format", "htm",
                                               "--gops", gops.path(), "--seconds", seconds.path()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(FileText(gops.path()), FormatHtml(Gops()));
  EXPECT_EQ(FileText(seconds.path()), FormatHtml(Seconds()));
}

TEST_F(CliExport, UnknownFormatsAreUsageErrorsBeforeAnyWork) {
  const test::TempFile gops(".dat");
  test::CliResult result = test::RunCli({"analyse", kFixture, "--gops", gops.path()});
  EXPECT_EQ(result.exitCode, 64);
  EXPECT_NE(result.err.find("--format"), std::string::npos) << result.err;
  EXPECT_FALSE(std::filesystem::exists(gops.path()));

  result = test::RunCli({"analyse", kFixture, "--gops", gops.path(), "--format", "pdf"});
  EXPECT_EQ(result.exitCode, 64);
  EXPECT_NE(result.err.find("--format takes txt, xls, doc or htm"), std::string::npos);
}

TEST_F(CliExport, AFileThatCannotBeCreatedEndsWithExitCode4) {
  const std::string missing = "/nonexistent-tessivo-folder/gops.xls";
  const test::CliResult result = test::RunCli({"analyse", kFixture, "--quiet", "--gops", missing});
  EXPECT_EQ(result.exitCode, 4);
  EXPECT_EQ(result.err, "Cannot Create file " + missing + "\n");
}

// The figures analyse prints, rebuilt from the JSON document by Python's json module.
constexpr const char* kFiguresFromJson = R"(
import sys, json
doc = json.load(sys.stdin if sys.argv[1] == '-' else open(sys.argv[1]))
run = doc['run']
print('Seconds: %d' % run['secondCount'])
print('GOPs: %d' % run['gopCount'])
print('Pictures: %d' % run['pictureCount'])
print('Peak bitrate: %d kbit/s' % run['peakBitrate'])
print('Average bitrate: %d kbit/s' % run['averageBitrate'])
print('Peak quantiser: %.2f' % run['peakQuant'])
print('Average quantiser: %.2f' % run['averageQuant'])
assert len(doc['seconds']) == run['secondCount']
assert len(doc['gops']) == run['gopCount']
assert len(doc['pictures']) == run['pictureCount'] == doc['summary']['pictureCount']
assert sum(g['count'] for g in doc['gops']) <= run['pictureCount']
assert sys.argv[2].startswith(doc['summary']['fileName'])  # kept to 127 bytes
for line in doc['report']:
    print(line)
)";

TEST_F(CliExport, JsonRoundTripsTheFiguresOfAnalyse) {
  const test::CliResult text = test::RunCli({"analyse", kFixture, "--quiet"});
  ASSERT_EQ(text.exitCode, 0);
  const test::TempFile json(".json");
  ASSERT_EQ(test::RunCli({"analyse", kFixture, "--quiet", "--json", json.path()}).exitCode, 0);
  const test::PythonResult figures = test::RunPython(kFiguresFromJson, {json.path(), kFixture});
  ASSERT_EQ(figures.exitCode, 0) << figures.err;

  // analyse prints the report, a blank line, then the figures; the script the other way round.
  const size_t blank = text.out.find("\n\n");
  ASSERT_NE(blank, std::string::npos);
  const std::string report = text.out.substr(0, blank + 1);
  const std::string runFigures = text.out.substr(blank + 2);
  EXPECT_EQ(figures.out, runFigures + report);
}

TEST_F(CliExport, JsonOnStdoutIsTheOnlyOutput) {
  const test::CliResult result = test::RunCli({"analyse", kFixture, "--quiet", "--json", "-"});
  ASSERT_EQ(result.exitCode, 0);
  const test::TempFile json(std::vector<uint8_t>(result.out.begin(), result.out.end()), ".json");
  const test::PythonResult figures = test::RunPython(kFiguresFromJson, {json.path(), kFixture});
  EXPECT_EQ(figures.exitCode, 0) << figures.err;
}

TEST_F(CliExport, ShowOfASavedAnalysisGivesTheSameRecordsAndTables) {
  const test::TempFile result(".tsr"), analysed(".json"), shown(".json");
  const test::TempFile analysedGops(".csv"), shownGops(".csv");
  ASSERT_EQ(test::RunCli({"analyse", kFixture, "--quiet", "--save", result.path(), "--json",
                          analysed.path(), "--gops", analysedGops.path()})
                .exitCode,
            0);
  ASSERT_EQ(
      test::RunCli({"show", result.path(), "--json", shown.path(), "--gops", shownGops.path()})
          .exitCode,
      0);
  EXPECT_EQ(FileText(shownGops.path()), FileText(analysedGops.path()));
  const test::PythonResult same = test::RunPython(R"(
import sys, json
a, b = (json.load(open(name)) for name in sys.argv[1:3])
for key in ('summary', 'seconds', 'gops'):
    assert a[key] == b[key], key
# A result file keeps the picture records, not the facts and buffer fill a run adds to them.
record = ('type', 'size', 'qmin', 'qmax', 'qavg')
assert [{k: p[k] for k in record} for p in a['pictures']] == b['pictures']
assert all('vbvDelay' in p and 'vbvBefore' in p for p in a['pictures'])
assert a['run']['pictureFactsAvailable'] and not b['run']['pictureFactsAvailable']
assert 'sequences' in a and 'sequences' not in b
assert b['vbv']['mode'] == 'not modelled' and b['vbv']['events'] == []
print(len(a['pictures']))
)",
                                                  {analysed.path(), shown.path()});
  EXPECT_EQ(same.exitCode, 0) << same.err;
  EXPECT_EQ(same.out, "75\n");
}

}  // namespace
}  // namespace tessivo
