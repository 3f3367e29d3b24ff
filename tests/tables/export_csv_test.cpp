// Delimited text: the quoting rules on crafted cells and the exact bytes of both tables of a
// real encoder stream.
#include "tables/export_csv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>

#include "analysis/analysis_context.h"
#include "support/test_files.h"
#include "tables/gop_table.h"
#include "tables/seconds_table.h"

namespace tessivo {
namespace {

Table OneRow(const std::vector<std::string>& texts) {
  Table table("crafted", texts.size());
  const size_t row = table.AddRow();
  for (size_t column = 0; column < texts.size(); ++column) {
    table.cell(row, column) = TextCell(texts[column]);
  }
  return table;
}

TEST(Csv, QuotesOnlyCellsWithACommaOrSeveralLines) {
  EXPECT_EQ(FormatCsv(OneRow({"plain", "a b", "x;y"})), "plain,a b,x;y\r\n");
  EXPECT_EQ(FormatCsv(OneRow({"", "x", ""})), "\"\",x,\"\"\r\n");
  EXPECT_EQ(FormatCsv(OneRow({"1,5"})), "\"1,5\"\r\n");
  // A CR LF inside a cell becomes a single LF; a bare LF stays.
  EXPECT_EQ(FormatCsv(OneRow({"one\r\ntwo\nthree"})), "\"one\ntwo\nthree\"\r\n");
  // Double quotes are not doubled, quoted or not.
  EXPECT_EQ(FormatCsv(OneRow({"say \"hi\"", "\"a\",b"})), "say \"hi\",\"\"a\",b\"\r\n");
}

TEST(Csv, EveryRowEndsWithCrLf) {
  Table table("t", 2);
  for (int i = 0; i < 3; ++i) {
    const size_t row = table.AddRow();
    table.cell(row, 0) = NumberCell(std::to_string(i));
    table.cell(row, 1) = TextCell("x");
  }
  EXPECT_EQ(FormatCsv(table), "0,x\r\n1,x\r\n2,x\r\n");
}

class FixtureTables : public ::testing::Test {
 protected:
  void SetUp() override {
    context_ = AnalysisContext::Create(AnalysisSettings{}, observer_);
    ASSERT_TRUE(context_->StartAnalysis(test::FixturePath("mpeg1_cif25.m1v")).ok());
    context_->ReadToEnd();
  }

  AnalysisObserver observer_;
  std::unique_ptr<AnalysisContext> context_;
};

TEST_F(FixtureTables, GopTableText) {
  EXPECT_EQ(FormatCsv(BuildGopTable(context_->stores())),
            "Gop no.,Timecode,Pic n.,Pictures,Closed,Broken l.,Has SeqHdr,Offset\r\n"
            "1,00:00:00.00,10,IPBBPBBPBB,Yes,No,Yes,0000010\r\n"
            "2,00:00:00.10,12,IBBPBBPBBPBB,No,No,Yes,000f72d\r\n"
            "3,00:00:00.22,12,IBBPBBPBBPBB,No,No,Yes,00195b2\r\n"
            "4,00:00:01.09,12,IBBPBBPBBPBB,No,No,Yes,002390a\r\n"
            "5,00:00:01.21,12,IBBPBBPBBPBB,No,No,Yes,002eae0\r\n"
            "6,00:00:02.08,12,IBBPBBPBBPBB,No,No,Yes,003a3ba\r\n"
            "7,00:00:02.20,12,IBBPBBPBBPBB,No,No,Yes,00461d3\r\n"
            "8,00:00:03.07,12,IBBPBBPBBPBB,No,No,Yes,0051f28\r\n"
            "9,00:00:03.19,6,IBBPBB,No,No,Yes,005dc1a\r\n");
}

// In an elementary stream a GOP's offset is its start code's file offset plus 4: found here
// straight from the file's bytes.
TEST_F(FixtureTables, GopOffsetsAreThoseOfTheStartCodesInTheFile) {
  const std::vector<uint8_t> bytes = test::ReadFileBytes(test::FixturePath("mpeg1_cif25.m1v"));
  const uint8_t gopStartCode[] = {0, 0, 1, 0xB8};
  std::vector<std::string> offsets;
  for (auto it = bytes.begin();
       (it = std::search(it, bytes.end(), gopStartCode, gopStartCode + 4)) != bytes.end(); ++it) {
    char text[32];
    std::snprintf(text, sizeof text, "%07" PRIx64, static_cast<uint64_t>(it - bytes.begin() + 4));
    offsets.push_back(text);
  }
  const Table table = BuildGopTable(context_->stores());
  ASSERT_EQ(table.rowCount(), offsets.size() + 1);
  for (size_t i = 0; i < offsets.size(); ++i) EXPECT_EQ(table.cell(i + 1, 7).text, offsets[i]);
}

TEST_F(FixtureTables, SecondsTableText) {
  EXPECT_EQ(FormatCsv(BuildSecondsTable(context_->stores())),
            "Time,Bitrate,Quantization\r\n"
            "1,885,7.76\r\n"
            "2,734,8.12\r\n"
            "3,790,8.24\r\n"
            "4,777,9.24\r\n"
            "5,0,0.00\r\n");
}

}  // namespace
}  // namespace tessivo
