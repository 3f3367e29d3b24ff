// tessivo-cli graph: the SVG's curves lie where the window's model puts each second's bitrate
// and quantiser, the image is well-formed and renders cleanly, and bad ranges are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>

#include "analysis/analysis_context.h"
#include "graph/graph_svg.h"
#include "support/analysed_stream.h"
#include "support/test_files.h"
#include "tables/python_check.h"

namespace tessivo {
namespace {

namespace fs = std::filesystem;
using test::CliResult;
using test::FixturePath;
using test::RunCli;
using test::TempDir;

std::vector<Pixel> PolylinePoints(const std::string& svg, const std::string& id) {
  const std::regex polyline("<polyline id=\"" + id + "\"[^>]* points=\"([^\"]*)\"");
  std::smatch match;
  if (!std::regex_search(svg, match, polyline)) return {};
  std::vector<Pixel> points;
  const std::regex pair("(-?[0-9]+),(-?[0-9]+)");
  const std::string text = match[1];
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pair); it != std::sregex_iterator();
       ++it) {
    points.push_back({std::stoll((*it)[1]), std::stoll((*it)[2])});
  }
  return points;
}

std::vector<std::string> Texts(const std::string& svg) {
  std::vector<std::string> texts;
  const std::regex text("<text [^>]*>([^<]*)</text>");
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), text); it != std::sregex_iterator();
       ++it) {
    texts.push_back((*it)[1]);
  }
  return texts;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

struct Scales {
  uint32_t from;
  uint32_t to;
  uint16_t xscale;
  uint16_t yscale;
};

// The curves hold the bottom left corner and then one point per second of the range, at the
// x of its column and the y of its record, as the window's model maps them.
void ExpectCurvesOfTheRecords(const std::string& svg, const RecordStores& stores,
                              const Scales& scales) {
  GraphImageRange range;
  range.from = scales.from;
  range.to = scales.to;
  range.horizontalScale = scales.xscale;
  range.verticalScale = scales.yscale;
  const std::optional<GraphModel> model = LayOutGraphImage(stores, range);
  ASSERT_TRUE(model);
  // The window at its graph area of the image's reference size has the same pixel factors.
  ViewState windowState;
  windowState.horizontalScale = scales.xscale;
  windowState.verticalScale = scales.yscale;
  GraphModel window(stores, windowState);
  window.Relayout(kImageAreaWidth, kImageAreaHeight);
  EXPECT_EQ(model->state().pixelsPerSecond, std::max<uint16_t>(1, window.state().pixelsPerSecond));
  EXPECT_EQ(model->state().pixelsPerUnit, std::max<uint16_t>(1, window.state().pixelsPerUnit));

  const std::vector<Pixel> bitrate = PolylinePoints(svg, "bitrate");
  const std::vector<Pixel> quantiser = PolylinePoints(svg, "quantiser");
  const size_t seconds = scales.to - scales.from + 1;
  ASSERT_EQ(bitrate.size(), seconds + 1);
  ASSERT_EQ(quantiser.size(), seconds + 1);
  const int64_t bottom = model->Bottom();
  EXPECT_EQ(bitrate[0].x, kImageLeftMargin);
  EXPECT_EQ(bitrate[0].y, bottom);
  EXPECT_EQ(quantiser[0].x, kImageLeftMargin);
  for (size_t k = 0; k < seconds; ++k) {
    const uint32_t second = scales.from + static_cast<uint32_t>(k);
    const PerSecondStats& record = stores.seconds()[second];
    ASSERT_NE(record.valid, 0);
    EXPECT_EQ(bitrate[k + 1].x, *model->XOfSecond(second)) << second;
    EXPECT_EQ(bitrate[k + 1].x, kImageLeftMargin + int64_t(k) * model->state().pixelsPerSecond);
    EXPECT_EQ(bitrate[k + 1].y, *model->YOfBitrate(record.bitrate)) << second;
    EXPECT_EQ(quantiser[k + 1].x, bitrate[k + 1].x);
    EXPECT_EQ(quantiser[k + 1].y, model->YOfQuant(record.quant)) << second;
  }
  const std::vector<std::string> texts = Texts(svg);
  EXPECT_TRUE(Contains(texts, "kbit/s"));
  EXPECT_TRUE(Contains(texts, "second"));
  // Both scales tested label every line or every other one.
  EXPECT_TRUE(Contains(texts, std::to_string(*model->HorizontalLineValue(2).kbps)));
  EXPECT_TRUE(Contains(texts, std::to_string(scales.from)));
}

TEST(GraphCommandTest, CurvesOfAStreamAndOfItsResultFile) {
  TempDir folder;
  const std::string input = FixturePath("mpeg1_cif25.m1v");
  test::AnalysedStream analysed(input, AnalysisSettings{});
  const uint32_t seconds = analysed.stores().ValidSecondCount();
  ASSERT_GE(seconds, 4u);

  const std::string whole = folder / "whole.svg";
  const CliResult drawn = RunCli({"graph", input, whole});
  ASSERT_EQ(drawn.exitCode, 0) << drawn.err;
  ExpectCurvesOfTheRecords(test::ReadFileText(whole), analysed.stores(), {0, seconds - 1, 60, 15});

  const std::string part = folder / "part.svg";
  ASSERT_EQ(
      RunCli({"graph", input, part, "--from", "1", "--to", "2", "--xscale", "7", "--yscale", "40"})
          .exitCode,
      0);
  ExpectCurvesOfTheRecords(test::ReadFileText(part), analysed.stores(), {1, 2, 7, 40});

  // A saved result draws the same image as the stream it describes.
  const std::string fromResult = folder / "result.svg";
  ASSERT_EQ(RunCli({"graph", FixturePath("results/mpeg1_cif25.m1v.tsr"), fromResult}).exitCode, 0);
  EXPECT_EQ(test::ReadFileText(fromResult), test::ReadFileText(whole));
}

TEST(GraphCommandTest, TheImageIsWellFormedAndRendersWithoutWarnings) {
  TempDir folder;
  const std::string svg = folder / "graph.svg";
  ASSERT_EQ(RunCli({"graph", FixturePath("ts_ffmpeg.ts"), svg, "--xscale", "20"}).exitCode, 0);
  const auto parsed = test::RunPython(
      "import sys, xml.etree.ElementTree as E\n"
      "root = E.parse(sys.argv[1]).getroot()\n"
      "print(root.tag, len(root.findall('.//{http://www.w3.org/2000/svg}polyline')))\n",
      {svg});
  EXPECT_EQ(parsed.exitCode, 0) << parsed.err;
  EXPECT_EQ(parsed.out, "{http://www.w3.org/2000/svg}svg 2\n");

  if (test::RunShell("command -v rsvg-convert").exitCode != 0) {
    GTEST_SKIP() << "rsvg-convert is not installed";
  }
  const std::string png = folder / "graph.png";
  const CliResult rendered =
      test::RunShell("rsvg-convert -o " + test::ShellQuote(png) + " " + test::ShellQuote(svg));
  EXPECT_EQ(rendered.exitCode, 0);
  EXPECT_EQ(rendered.err, "");
  EXPECT_GT(fs::file_size(png), 0u);
}

TEST(GraphCommandTest, RefusesWhatItCannotDraw) {
  TempDir folder;
  const std::string input = FixturePath("mpeg1_cif25.m1v");
  const std::string svg = folder / "graph.svg";
  const std::vector<std::vector<std::string>> usageErrors = {
      {"graph", input, folder / "graph.png"},
      {"graph", input},
      {"graph", input, svg, "--from", "3", "--to", "1"},
      {"graph", input, svg, "--to", "99"},
      {"graph", input, svg, "--xscale", "1"},
      {"graph", input, svg, "--yscale", "256"},
  };
  for (const auto& arguments : usageErrors) {
    EXPECT_EQ(RunCli(arguments).exitCode, 64) << arguments.back();
  }
  EXPECT_EQ(RunCli({"graph", folder / "missing.m2v", svg}).exitCode, 1);
  const std::string junk = folder / "junk.svg";
  std::ofstream(junk) << "not a stream";
  EXPECT_EQ(RunCli({"graph", junk, svg}).exitCode, 2);
  EXPECT_EQ(RunCli({"graph", junk, junk}).exitCode, 4);
  EXPECT_EQ(test::ReadFileText(junk), "not a stream");
  EXPECT_TRUE(folder.Names() == std::vector<std::string>{"junk.svg"});
}

}  // namespace
}  // namespace tessivo
