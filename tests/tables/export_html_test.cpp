// The HTML page parsed back by Python's strict XML parser (so it is well-formed) and by its
// HTML parser: every cell, the header row as th, the full width and the escaping.
#include "tables/export_html.h"

#include <gtest/gtest.h>

#include <functional>

#include "analysis/analysis_context.h"
#include "support/test_files.h"
#include "tables/python_check.h"
#include "tables/seconds_table.h"

namespace tessivo {
namespace {

// Prints the table's style, then one line per row: its cell tags and their texts, as hex of
// their UTF-8 bytes; the HTML parser must see the same cells as the XML parser.
constexpr const char* kDumpTable = R"(
import sys, xml.etree.ElementTree as ET
from html.parser import HTMLParser
text = open(sys.argv[1], encoding='utf-8').read()
root = ET.fromstring(text[text.index('<html'):])
assert text.startswith('<!DOCTYPE html>\n')
assert root.find('head/meta').get('charset') == 'utf-8'
table = root.find('body/table')
print(table.get('style'))
def cell_text(cell):
    return (cell.text or '') + ''.join('\n' + (br.tail or '') for br in cell)
xml_rows = []
for tr in table.iter('tr'):
    xml_rows.append([(cell.tag, cell_text(cell)) for cell in tr])
class Cells(HTMLParser):
    rows, cell = [], None
    def handle_starttag(self, tag, attrs):
        if tag == 'tr': self.rows.append([])
        if tag in ('td', 'th'): self.cell = [tag, '']
        if tag == 'br': self.cell[1] += '\n'
    def handle_endtag(self, tag):
        if tag in ('td', 'th'): self.rows[-1].append(tuple(self.cell))
    def handle_data(self, data):
        if self.cell: self.cell[1] += data
parser = Cells(convert_charrefs=True)
parser.feed(text)
assert parser.rows == xml_rows, (parser.rows, xml_rows)
for row in xml_rows:
    print(' '.join(tag + ':' + (t.encode('utf-8').hex() or '-') for tag, t in row))
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

// The dump the page of a table should give, with the texts as the page shows them.
std::string ExpectedDump(const Table& table,
                         const std::function<std::string(const std::string&)>& shown) {
  std::string dump = "width:100%\n";
  for (size_t row = 0; row < table.rowCount(); ++row) {
    for (size_t column = 0; column < table.columnCount(); ++column) {
      if (column > 0) dump += ' ';
      dump += row < Table::kFixedRows ? "th:" : "td:";
      dump += Hex(shown(table.cell(row, column).text));
    }
    dump += '\n';
  }
  return dump;
}

std::string Dump(const Table& table) {
  const test::TempFile file(".htm");
  AnalysisObserver observer;
  EXPECT_TRUE(SaveToHTML(table, file.path(), observer).ok());
  const test::PythonResult result = test::RunPython(kDumpTable, {file.path()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  return result.out;
}

TEST(Html, SecondsTableOfAFixtureHasEveryCell) {
  AnalysisObserver observer;
  auto context = AnalysisContext::Create(AnalysisSettings{}, observer);
  ASSERT_TRUE(context->StartAnalysis(test::FixturePath("mpeg2_pal_interlaced.m2v")).ok());
  context->ReadToEnd();
  const Table table = BuildSecondsTable(context->stores());
  EXPECT_EQ(Dump(table), ExpectedDump(table, [](const std::string& text) { return text; }));
}

TEST(Html, MarkupCharactersAndLineBreaksAreEscaped) {
  Table table("<b>&title</b>", 3);
  const std::vector<std::string> texts = {"<td>",    "a & b",      "\"quoted\" 'single'",
                                          "Größe 😀", "one\r\ntwo", "x\ny",
                                          "",        "bell\a",     "bad \xFF byte"};
  for (size_t i = 0; i < texts.size(); i += 3) {
    const size_t row = table.AddRow();
    for (size_t column = 0; column < 3; ++column) {
      table.cell(row, column) = TextCell(texts[i + column]);
    }
  }
  EXPECT_EQ(Dump(table), ExpectedDump(table, [](const std::string& text) {
              if (text == "one\r\ntwo") return std::string("one\ntwo");
              if (text == "bell\a") return std::string("bell\uFFFD");
              if (text == "bad \xFF byte") return std::string("bad \uFFFD byte");
              return text;
            }));
}

}  // namespace
}  // namespace tessivo
