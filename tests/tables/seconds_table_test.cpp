// The seconds table's cells: the delivered seconds up to the first record not marked valid.
#include "tables/seconds_table.h"

#include <gtest/gtest.h>

namespace tessivo {
namespace {

TEST(SecondsTable, BeforeAnySecondHoldsTheHeaderRowOnly) {
  const auto stores = RecordStores::Create(250);
  const Table table = BuildSecondsTable(*stores);
  ASSERT_EQ(table.rowCount(), 1u);
  ASSERT_EQ(table.columnCount(), 3u);
  EXPECT_EQ(table.title(), "Seconds");
  EXPECT_EQ(table.cell(0, 0).text, "Time");
  EXPECT_EQ(table.cell(0, 1).text, "Bitrate");
  EXPECT_EQ(table.cell(0, 2).text, "Quantization");
}

TEST(SecondsTable, RowsStopAtTheFirstRecordNotValid) {
  const auto stores = RecordStores::Create(250);
  PerSecondStats* seconds = stores->seconds();
  seconds[0] = {0, 4882, 7.1264, 1};
  seconds[1] = {0, 0, 0.005, 1};
  seconds[2] = {0, 900, 3.0, 0};
  seconds[3] = {0, 901, 4.0, 1};

  const Table table = BuildSecondsTable(*stores);
  ASSERT_EQ(table.rowCount(), 3u);
  EXPECT_EQ(table.cell(1, 0).text, "1");
  EXPECT_EQ(table.cell(1, 1).text, "4882");
  EXPECT_EQ(table.cell(1, 2).text, "7.13");
  EXPECT_EQ(table.cell(2, 0).text, "2");
  EXPECT_EQ(table.cell(2, 1).text, "0");
  EXPECT_EQ(table.cell(2, 2).text, "0.01");
  for (size_t column = 0; column < 3; ++column) {
    EXPECT_TRUE(table.cell(1, column).isNumber);
    EXPECT_EQ(table.cell(1, column).alignment, CellAlignment::kRight);
    EXPECT_EQ(table.cell(0, column).alignment, CellAlignment::kLeft);
  }
}

}  // namespace
}  // namespace tessivo
