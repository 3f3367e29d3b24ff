// The GOP table's cells from crafted records and from a parsed stream.
#include "tables/gop_table.h"

#include <gtest/gtest.h>

#include <cstring>

#include "analysis/analysis_context.h"
#include "support/stream_builder.h"
#include "support/test_files.h"

namespace tessivo {
namespace {

std::vector<std::string> RowTexts(const Table& table, size_t row) {
  std::vector<std::string> texts;
  for (size_t column = 0; column < table.columnCount(); ++column) {
    texts.push_back(table.cell(row, column).text);
  }
  return texts;
}

GopRecord& AddGop(RecordStores& stores, const char* pattern, uint64_t position) {
  GopRecord& gop = stores.gops()[stores.gopCount];
  std::strcpy(gop.pattern, pattern);
  gop.count = static_cast<uint8_t>(std::strlen(pattern));
  gop.position = static_cast<uint32_t>(position);
  stores.gopPositions()[stores.gopCount] = position;
  ++stores.gopCount;
  return gop;
}

TEST(GopTable, WithoutGopsHoldsTheHeaderRowOnly) {
  const auto stores = RecordStores::Create(50);
  const Table table = BuildGopTable(*stores);
  ASSERT_EQ(table.rowCount(), 1u);
  EXPECT_EQ(table.title(), "GOPs");
  EXPECT_EQ(RowTexts(table, 0),
            (std::vector<std::string>{"Gop no.", "Timecode", "Pic n.", "Pictures", "Closed",
                                      "Broken l.", "Has SeqHdr", "Offset"}));
  for (size_t column = 0; column < table.columnCount(); ++column) {
    EXPECT_EQ(table.cell(0, column).alignment, CellAlignment::kCenter) << column;
  }
}

TEST(GopTable, RowsShowTheRecordsInTheirFormats) {
  const auto stores = RecordStores::Create(50);
  GopRecord& first = AddGop(*stores, "IBBPBB", 0x1234);
  first.hours = 1;
  first.minutes = 2;
  first.seconds = 3;
  first.pictures = 4;
  first.closedGop = 1;
  first.sequenceHeader = 1;
  AddGop(*stores, "", 0x10000000).brokenLink = 1;
  // Past 4 GiB the record keeps only the low bits; the table shows the full position.
  AddGop(*stores, "I", 0x123456789);

  const Table table = BuildGopTable(*stores);
  ASSERT_EQ(table.rowCount(), 4u);
  EXPECT_EQ(RowTexts(table, 1), (std::vector<std::string>{"1", "01:02:03.04", "6", "IBBPBB", "Yes",
                                                          "No", "Yes", "0001234"}));
  EXPECT_EQ(RowTexts(table, 2),
            (std::vector<std::string>{"2", "00:00:00.00", "0", "", "No", "Yes", "No", "10000000"}));
  EXPECT_EQ(table.cell(3, 7).text, "123456789");

  const CellAlignment expected[] = {CellAlignment::kRight,  CellAlignment::kCenter,
                                    CellAlignment::kRight,  CellAlignment::kLeft,
                                    CellAlignment::kCenter, CellAlignment::kCenter,
                                    CellAlignment::kCenter, CellAlignment::kRight};
  for (size_t column = 0; column < table.columnCount(); ++column) {
    EXPECT_EQ(table.cell(1, column).alignment, expected[column]) << column;
    // Only the decimal counts are numbers; the hexadecimal offset stays text.
    EXPECT_EQ(table.cell(1, column).isNumber, column == 0 || column == 2) << column;
  }
}

TEST(GopTable, GopOfManyPicturesShowsOneHundredAndTheMark) {
  test::StreamBuilder stream;
  stream.SequenceHeader().Gop(0, 0, 0, 0, true);
  for (int i = 0; i < 150; ++i) stream.FramePicture(i == 0 ? 'I' : 'P', 5, 1);
  stream.Gop(0, 0, 6, 0).FramePicture('I', 5, 1).FramePicture('B', 5, 1).SequenceEnd();
  const test::TempFile file(stream.bytes(), ".m1v");

  AnalysisObserver observer;
  auto context = AnalysisContext::Create(AnalysisSettings{}, observer);
  ASSERT_TRUE(context->StartAnalysis(file.path()).ok());
  context->ReadToEnd();

  const Table table = BuildGopTable(context->stores());
  ASSERT_EQ(table.rowCount(), 3u);
  EXPECT_EQ(table.cell(1, 2).text, "100");
  EXPECT_EQ(table.cell(1, 3).text, "I" + std::string(98, 'P') + "!");
  EXPECT_EQ(RowTexts(table, 2), (std::vector<std::string>{"2", "00:00:06.00", "2", "IB", "No", "No",
                                                          "No", table.cell(2, 7).text}));
}

}  // namespace
}  // namespace tessivo
