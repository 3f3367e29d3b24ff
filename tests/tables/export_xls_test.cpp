// The spreadsheet file read back by xlrd, a reader independent of the writer: every cell, its
// kind (number or text), the bold header row and the alignments.
#include "tables/export_xls.h"

#include <gtest/gtest.h>

#include <sstream>

#include "analysis/analysis_context.h"
#include "support/test_files.h"
#include "tables/gop_table.h"
#include "tables/python_check.h"
#include "tables/seconds_table.h"

namespace tessivo {
namespace {

// One line per cell: sheet, row, column, kind (1 text, 2 number), value (a text as hex of its
// UTF-8 bytes, a number as Python's repr), bold, horizontal alignment, number format.
constexpr const char* kDumpCells = R"(
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
for sheet in book.sheets():
    print('sheet', sheet.name.encode('utf-8').hex(), sheet.nrows, sheet.ncols)
    for r in range(sheet.nrows):
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            xf = book.xf_list[cell.xf_index]
            value = cell.value.encode('utf-8').hex() if cell.ctype == 1 else repr(cell.value)
            print(r, c, cell.ctype, value or '-', book.font_list[xf.font_index].bold,
                  xf.alignment.hor_align, book.format_map[xf.format_key].format_str)
)";

std::string Hex(const std::string& text) {
  static const char* digits = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : text) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex.empty() ? "-" : hex;
}

// A number shows as many decimals as its text has.
std::string NumberFormat(const TableCell& cell) {
  const size_t point = cell.text.find('.');
  if (!cell.isNumber || point == std::string::npos) return "General";
  return "0." + std::string(cell.text.size() - point - 1, '0');
}

int HorizontalAlignment(CellAlignment alignment) {
  return 1 + static_cast<int>(alignment);  // BIFF: 1 left, 2 centre, 3 right
}

// Writes a table that fits on one sheet, dumps the file and checks each cell against the
// expected table.
void ExpectCells(const Table& written, const Table& table, const std::string& sheetName) {
  const test::TempFile file(".xls");
  AnalysisObserver observer;
  ASSERT_TRUE(SaveToXLS(written, file.path(), observer).ok());
  const test::PythonResult dump = test::RunPython(kDumpCells, {file.path()});
  ASSERT_EQ(dump.exitCode, 0) << dump.err;

  std::istringstream lines(dump.out);
  std::string word, name;
  size_t rows = 0, columns = 0;
  lines >> word >> name >> rows >> columns;
  EXPECT_EQ(word, "sheet");
  EXPECT_EQ(name, Hex(sheetName));
  ASSERT_EQ(rows, table.rowCount());
  ASSERT_EQ(columns, table.columnCount());
  for (size_t row = 0; row < rows; ++row) {
    for (size_t column = 0; column < columns; ++column) {
      const TableCell& cell = table.cell(row, column);
      size_t r, c;
      int kind, bold, alignment;
      std::string value, format;
      ASSERT_TRUE(lines >> r >> c >> kind >> value >> bold >> alignment >> format);
      ASSERT_EQ(r, row);
      ASSERT_EQ(c, column);
      if (cell.isNumber) {
        EXPECT_EQ(kind, 2) << row << "," << column;
        EXPECT_EQ(std::stod(value), std::stod(cell.text)) << row << "," << column;
      } else {
        EXPECT_EQ(kind, 1) << row << "," << column;
        EXPECT_EQ(value, Hex(cell.text)) << row << "," << column;
      }
      EXPECT_EQ(bold, row < Table::kFixedRows ? 1 : 0) << row << "," << column;
      EXPECT_EQ(alignment, HorizontalAlignment(cell.alignment)) << row << "," << column;
      EXPECT_EQ(format, NumberFormat(cell)) << row << "," << column;
    }
  }
  EXPECT_FALSE(lines >> word) << "more sheets or cells than the table has";
}

void ExpectSameCells(const Table& table, const std::string& sheetName) {
  ExpectCells(table, table, sheetName);
}

TEST(Xls, FixtureTablesReadBackCellForCell) {
  AnalysisObserver observer;
  auto context = AnalysisContext::Create(AnalysisSettings{}, observer);
  ASSERT_TRUE(context->StartAnalysis(test::FixturePath("mpeg2_pal_interlaced.vob")).ok());
  context->ReadToEnd();
  ExpectSameCells(BuildGopTable(context->stores()), "GOPs");
  ExpectSameCells(BuildSecondsTable(context->stores()), "Seconds");
}

TEST(Xls, TextsOfEveryKindSurviveTheSharedStringTable) {
  Table table("Odd [name]: *?/\\", 3);
  const std::vector<std::string> texts = {
      "",
      "Größe",
      "日本語",
      "emoji 😀",
      "two\r\nlines",
      "1,5",
      "0001234",
      "3.5 MB",
      std::string(9000, 'a'),  // a compressed string split across CONTINUE records
      [] {                     // an uncompressed one split too, after odd byte counts
        std::string text;
        for (int i = 0; i < 5000; ++i) text += "é";
        return text + "€";
      }(),
      std::string("bad \xFF byte"),  // shown as U+FFFD
  };
  for (int copy = 0; copy < 3; ++copy) {
    for (size_t i = 0; i < texts.size(); ++i) {
      const size_t row = table.AddRow();
      table.cell(row, 0) = NumberCell(row % 3 == 0   ? std::to_string(row)
                                      : row % 3 == 1 ? std::to_string(row) + ".5"
                                                     : std::to_string(row) + ".250");
      table.cell(row, 1) = TextCell(texts[i], CellAlignment::kCenter);
      // Many distinct strings move the later ones into further CONTINUE records.
      table.cell(row, 2) =
          TextCell("distinct " + std::to_string(copy * 1000 + i) + std::string(400, 'z'),
                   CellAlignment::kRight);
    }
  }
  Table expected = table;
  for (size_t row = 0; row < table.rowCount(); ++row) {
    if (table.cell(row, 1).text == texts.back()) expected.cell(row, 1).text = "bad \uFFFD byte";
  }
  ExpectCells(table, expected, "Odd _name__ ____");
}

TEST(Xls, TextLongerThanACellHoldsIsCut) {
  Table table("t", 1);
  table.cell(table.AddRow(), 0) = TextCell(std::string(40000, 'q'));
  Table expected("t", 1);
  expected.cell(expected.AddRow(), 0) = TextCell(std::string(32767, 'q'));
  ExpectCells(table, expected, "t");
}

TEST(Xls, RowsBeyondOneSheetContinueOnFurtherSheetsBelowTheHeader) {
  Table table("Seconds", 2);
  size_t row = table.AddRow();
  table.cell(row, 0) = TextCell("Time");
  table.cell(row, 1) = TextCell("Label");
  for (int i = 1; i <= 70000; ++i) {
    row = table.AddRow();
    table.cell(row, 0) = NumberCell(std::to_string(i));
    table.cell(row, 1) = TextCell(i % 2 ? "odd" : "even");
  }
  const test::TempFile file(".xls");
  AnalysisObserver observer;
  ASSERT_TRUE(SaveToXLS(table, file.path(), observer).ok());
  const auto dump = test::RunPython(R"(
import sys, xlrd
for s in xlrd.open_workbook(sys.argv[1]).sheets():
    print(s.name, s.nrows, s.row_values(0), s.row_values(1), s.row_values(s.nrows - 1))
)",
                                    {file.path()});
  ASSERT_EQ(dump.exitCode, 0) << dump.err;
  EXPECT_EQ(dump.out,
            "Seconds 65536 ['Time', 'Label'] [1.0, 'odd'] [65535.0, 'odd']\n"
            "Seconds (2) 4466 ['Time', 'Label'] [65536.0, 'even'] [70000.0, 'even']\n");
}

}  // namespace
}  // namespace tessivo
