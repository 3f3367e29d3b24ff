// The document read back by a small RTF reader written here from the format's rules: one table
// row per grid row, the cells' texts, and the header row in bold.
#include "tables/export_doc.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>

#include "analysis/analysis_context.h"
#include "support/test_files.h"
#include "tables/gop_table.h"
#include "tables/utf8.h"

namespace tessivo {
namespace {

struct RtfCell {
  std::string text;
  bool bold = false;  // some of its text was bold
};

struct RtfTable {
  std::vector<std::vector<RtfCell>> rows;
  std::vector<int> cellsDefined;  // \cellx count of each row definition
};

class RtfReader {
 public:
  explicit RtfReader(const std::string& rtf) : rtf_(rtf) {}

  RtfTable Read() {
    while (position_ < rtf_.size()) {
      const char c = rtf_[position_++];
      if (c == '{') {
        states_.push_back(states_.back());
      } else if (c == '}') {
        states_.pop_back();
        if (states_.empty()) break;
      } else if (c == '\\') {
        ControlWord();
      } else if (c != '\r' && c != '\n') {
        Text(std::string(1, c));
      }
    }
    return table_;
  }

 private:
  struct State {
    bool bold = false;
    bool skipped = false;  // inside a destination such as the font table
  };

  void ControlWord() {
    const char first = rtf_[position_];
    if (!std::isalpha(static_cast<unsigned char>(first))) {
      ++position_;
      Text(std::string(1, first));  // \\, \{ and \}
      return;
    }
    std::string word;
    while (std::isalpha(static_cast<unsigned char>(rtf_[position_]))) word += rtf_[position_++];
    std::string number;
    if (rtf_[position_] == '-') number += rtf_[position_++];
    while (std::isdigit(static_cast<unsigned char>(rtf_[position_]))) number += rtf_[position_++];
    if (rtf_[position_] == ' ') ++position_;
    const int value = number.empty() ? 1 : std::stoi(number);

    State& state = states_.back();
    if (word == "fonttbl" || word == "colortbl" || word == "info") state.skipped = true;
    if (state.skipped) return;
    if (word == "b") state.bold = value != 0;
    if (word == "plain") state.bold = false;
    if (word == "trowd") table_.cellsDefined.push_back(0);
    if (word == "cellx") ++table_.cellsDefined.back();
    if (word == "line") Text("\n");
    if (word == "tab") Text("\t");
    if (word == "u") {
      ++position_;  // the fallback character
      const auto unit = static_cast<char32_t>(static_cast<uint16_t>(value));
      if (unit >= 0xD800 && unit < 0xDC00) {
        highSurrogate_ = unit;
      } else if (unit >= 0xDC00 && unit < 0xE000) {
        AppendUtf8(0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00), cell_.text);
      } else {
        AppendUtf8(unit, cell_.text);
      }
    }
    if (word == "cell") {
      row_.push_back(cell_);
      cell_ = {};
    }
    if (word == "row") {
      table_.rows.push_back(row_);
      row_.clear();
    }
  }

  void Text(const std::string& text) {
    if (states_.back().skipped) return;
    cell_.text += text;
    cell_.bold = cell_.bold || states_.back().bold;
  }

  const std::string& rtf_;
  size_t position_ = 1;  // past the opening brace
  std::vector<State> states_{State{}};
  char32_t highSurrogate_ = 0;
  RtfCell cell_;
  std::vector<RtfCell> row_;
  RtfTable table_;
};

void ExpectTable(const Table& table, const std::string& rtf,
                 const std::function<std::string(const std::string&)>& shown) {
  ASSERT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
  const RtfTable read = RtfReader(rtf).Read();
  ASSERT_EQ(read.rows.size(), table.rowCount());
  ASSERT_EQ(read.cellsDefined.size(), table.rowCount());
  for (size_t row = 0; row < table.rowCount(); ++row) {
    EXPECT_EQ(read.cellsDefined[row], static_cast<int>(table.columnCount()));
    ASSERT_EQ(read.rows[row].size(), table.columnCount()) << row;
    for (size_t column = 0; column < table.columnCount(); ++column) {
      const RtfCell& cell = read.rows[row][column];
      EXPECT_EQ(cell.text, shown(table.cell(row, column).text)) << row << "," << column;
      // An empty cell has no text to be bold.
      if (!cell.text.empty()) {
        EXPECT_EQ(cell.bold, row < Table::kFixedRows) << row;
      }
    }
  }
}

TEST(Doc, GopTableOfAFixtureIsATableWithABoldHeaderRow) {
  AnalysisObserver observer;
  auto context = AnalysisContext::Create(AnalysisSettings{}, observer);
  ASSERT_TRUE(context->StartAnalysis(test::FixturePath("mpeg2_ntsc_progressive.m2v")).ok());
  context->ReadToEnd();
  const Table table = BuildGopTable(context->stores());
  ExpectTable(table, FormatRtf(table), [](const std::string& text) { return text; });
}

TEST(Doc, SpecialCharactersAreEscaped) {
  Table table("{title}", 2);
  const std::vector<std::string> texts = {"back\\slash",  "{braces}", "Größe",     "😀 emoji",
                                          "two\r\nlines", "a\nb",     "tab\there", ""};
  for (size_t i = 0; i < texts.size(); i += 2) {
    const size_t row = table.AddRow();
    table.cell(row, 0) = TextCell(texts[i]);
    table.cell(row, 1) = TextCell(texts[i + 1], CellAlignment::kRight);
  }
  ExpectTable(table, FormatRtf(table), [](const std::string& text) {
    return text == "two\r\nlines" ? std::string("two\nlines") : text;
  });
}

}  // namespace
}  // namespace tessivo
