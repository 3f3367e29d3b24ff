// The picture table's cells from a parsed stream, with and without the buffer model.
#include "tables/picture_table.h"

#include <gtest/gtest.h>

#include "support/analysed_stream.h"
#include "support/unit_stream.h"

namespace tessivo {
namespace {

using test::AnalysedStream;
using test::SequenceHeaderFields;
using test::UnitStream;

std::vector<std::string> RowTexts(const Table& table, size_t row) {
  std::vector<std::string> texts;
  for (size_t column = 0; column < table.columnCount(); ++column) {
    texts.push_back(table.cell(row, column).text);
  }
  return texts;
}

// MPEG-1 at 1 Mbit/s with a 327 680-bit buffer: 100 192 bits before the first removal (30.6 %);
// then a second GOP at 00:00:01.24.
std::vector<uint8_t> TwoGops() {
  SequenceHeaderFields header;
  header.bitRateValue = 2500;
  header.vbvBufferSize = 20;
  UnitStream stream(header, nullptr);
  stream.Add('I', 5000, 9000).Add('P', 5000, 9014);
  stream.builder().Gop(0, 0, 1, 24);
  stream.Add('I', 5000, 9014).Add('B', 5000, 9014);
  return stream.bytes();
}

TEST(PictureTable, RowsShowEachPictureWithItsGopTimeCodeAndBufferFill) {
  AnalysedStream run(TwoGops());
  const VbvResult vbv = SimulateVbv(run.stores());
  const Table table = BuildPictureTable(run.stores(), &vbv);
  EXPECT_EQ(table.title(), "Pictures");
  ASSERT_EQ(table.rowCount(), 5u);
  EXPECT_EQ(RowTexts(table, 0), (std::vector<std::string>{"Pic no.", "Type", "Size", "qmin", "qmax",
                                                          "qavg", "GOP", "Timecode", "Buffer %"}));
  const std::vector<std::string> first = RowTexts(table, 1);
  EXPECT_EQ(first, (std::vector<std::string>{"1", "I", std::to_string(run.picture(0).size), "5",
                                             "5", "5.00", "1", "00:00:00.00", "30.6"}));
  EXPECT_EQ(RowTexts(table, 3)[6], "2");
  EXPECT_EQ(RowTexts(table, 4)[7], "00:00:02.00") << "one picture after 00:00:01.24";
  EXPECT_TRUE(table.cell(1, 8).isNumber);
}

TEST(PictureTable, ALoadedResultHasNoBufferColumnButKeepsGopsAndTimeCodes) {
  AnalysedStream run(TwoGops());
  const VbvResult vbv = SimulateVbv(run.stores());
  const Table modelled = BuildPictureTable(run.stores(), &vbv);
  run.context().MarkResultLoaded(1);
  const Table loaded = BuildPictureTable(run.stores(), &vbv);
  ASSERT_EQ(loaded.rowCount(), modelled.rowCount());
  for (size_t row = 1; row < loaded.rowCount(); ++row) {
    std::vector<std::string> expected = RowTexts(modelled, row);
    expected[8] = "";
    EXPECT_EQ(RowTexts(loaded, row), expected) << row;
  }
}

}  // namespace
}  // namespace tessivo
