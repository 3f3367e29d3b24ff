#include "tables/export_doc.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "tables/export_file.h"
#include "tables/utf8.h"

namespace tessivo {

namespace {

// Widths in twips for 10 pt Arial: a generous average character, the gap on each side of the
// text, and a cap beyond which a cell wraps its text rather than run off the page.
constexpr int kTwipsPerCharacter = 115;
constexpr int kCellGap = 60;
constexpr int kWidestColumn = 4000;

size_t CodePointCount(std::string_view text) {
  size_t count = 0;
  for (size_t position = 0; position < text.size(); ++count) NextCodePoint(text, position);
  return count;
}

std::vector<int> ColumnRightEdges(const Table& table) {
  std::vector<int> edges(table.columnCount());
  int edge = 0;
  for (size_t column = 0; column < table.columnCount(); ++column) {
    size_t widest = 1;
    for (size_t row = 0; row < table.rowCount(); ++row) {
      widest = std::max(widest, CodePointCount(table.cell(row, column).text));
    }
    widest = std::min<size_t>(widest, kWidestColumn / kTwipsPerCharacter);
    edge += static_cast<int>(widest) * kTwipsPerCharacter + 2 * kCellGap;
    edges[column] = edge;
  }
  return edges;
}

// \uN takes a signed 16-bit value; characters beyond the BMP go as a surrogate pair. The "?"
// is what readers without Unicode show instead.
void AppendUnicode(char32_t c, std::string& out) {
  const auto appendUnit = [&out](uint32_t unit) {
    out += "\\u" + std::to_string(static_cast<int16_t>(unit)) + "?";
  };
  if (c < 0x10000) {
    appendUnit(c);
  } else {
    appendUnit(0xD800 + ((c - 0x10000) >> 10));
    appendUnit(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

void AppendEscaped(std::string_view text, std::string& out) {
  for (size_t position = 0; position < text.size();) {
    const char32_t c = NextCodePoint(text, position);
    if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\r') {
      if (position < text.size() && text[position] == '\n') continue;  // CR LF is one break
      out += "\\line ";
    } else if (c == '\n') {
      out += "\\line ";
    } else if (c == '\t') {
      out += "\\tab ";
    } else if (c < 0x20) {
      continue;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      AppendUnicode(c, out);
    }
  }
}

const char* AlignmentWord(CellAlignment alignment) {
  switch (alignment) {
    case CellAlignment::kCenter:
      return "\\qc";
    case CellAlignment::kRight:
      return "\\qr";
    case CellAlignment::kLeft:
      break;
  }
  return "\\ql";
}

void AppendRowDefinition(const std::vector<int>& edges, bool header, std::string& out) {
  out += "\\trowd\\trgaph60\\trleft0";
  if (header) out += "\\trhdr";
  for (int edge : edges) {
    out +=
        "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
        "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
    if (header) out += "\\clcbpat2";
    out += "\\cellx" + std::to_string(edge);
  }
  out += "\n";
}

}  // namespace

std::string FormatRtf(const Table& table) {
  std::string out =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n"
      "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n"
      "{\\colortbl;\\red0\\green0\\blue0;\\red192\\green192\\blue192;}\n"
      "{\\info{\\title ";
  AppendEscaped(table.title(), out);
  out +=
      "}}\n"
      "\\margl720\\margr720\\margt720\\margb720\n"
      "\\pard\\plain\\f0\\fs20\n";
  const std::vector<int> edges = ColumnRightEdges(table);
  for (size_t row = 0; row < table.rowCount(); ++row) {
    const bool header = row < Table::kFixedRows;
    AppendRowDefinition(edges, header, out);
    for (size_t column = 0; column < table.columnCount(); ++column) {
      const TableCell& cell = table.cell(row, column);
      out.append("\\pard\\intbl").append(AlignmentWord(cell.alignment));
      out += header ? "{\\b " : "{";
      AppendEscaped(cell.text, out);
      out += "}\\cell\n";
    }
    out += "\\row\n";
  }
  out += "\\pard\\par\n}\n";
  return out;
}

Status SaveToDOC(const Table& table, const std::string& fileName, PartialFileWatcher& watcher) {
  return WriteExportFile(fileName, FormatRtf(table), watcher);
}

}  // namespace tessivo
