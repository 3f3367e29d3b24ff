#include "tables/export_html.h"

#include "tables/export_file.h"
#include "tables/utf8.h"

namespace tessivo {

namespace {

void AppendEscaped(std::string_view text, std::string& out) {
  for (size_t position = 0; position < text.size();) {
    const char32_t c = NextCodePoint(text, position);
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      case '\r':
        if (position < text.size() && text[position] == '\n') break;  // CR LF is one break
        out += "<br/>";
        break;
      case '\n':
        out += "<br/>";
        break;
      default:
        // Other control characters are not allowed in either HTML or XML text.
        AppendUtf8(c < 0x20 && c != '\t' ? kReplacementCharacter : c, out);
    }
  }
}

const char* AlignmentClass(CellAlignment alignment) {
  switch (alignment) {
    case CellAlignment::kCenter:
      return "c";
    case CellAlignment::kRight:
      return "r";
    case CellAlignment::kLeft:
      break;
  }
  return "l";
}

void AppendRow(const Table& table, size_t row, const char* tag, std::string& out) {
  out += "<tr>";
  for (size_t column = 0; column < table.columnCount(); ++column) {
    const TableCell& cell = table.cell(row, column);
    out.append("<").append(tag).append(" class=\"").append(AlignmentClass(cell.alignment));
    out += "\">";
    AppendEscaped(cell.text, out);
    out.append("</").append(tag).append(">");
  }
  out += "</tr>\n";
}

}  // namespace

std::string FormatHtml(const Table& table) {
  std::string out =
      "<!DOCTYPE html>\n"
      "<html lang=\"en\">\n"
      "<head>\n"
      "<meta charset=\"utf-8\"/>\n"
      "<title>";
  AppendEscaped(table.title(), out);
  out +=
      "</title>\n"
      "<style>\n"
      "table{border-collapse:collapse;font-family:Tahoma,sans-serif;font-size:10pt}\n"
      "th,td{border:1px solid #808080;padding:1px 4px}\n"
      "th{background:#c0c0c0}\n"
      ".l{text-align:left}.c{text-align:center}.r{text-align:right}\n"
      "</style>\n"
      "</head>\n"
      "<body>\n"
      "<table style=\"width:100%\">\n";
  size_t row = 0;
  if (table.rowCount() >= Table::kFixedRows) {
    out += "<thead>\n";
    for (; row < Table::kFixedRows; ++row) AppendRow(table, row, "th", out);
    out += "</thead>\n";
  }
  out += "<tbody>\n";
  for (; row < table.rowCount(); ++row) AppendRow(table, row, "td", out);
  out +=
      "</tbody>\n"
      "</table>\n"
      "</body>\n"
      "</html>\n";
  return out;
}

Status SaveToHTML(const Table& table, const std::string& fileName, PartialFileWatcher& watcher) {
  return WriteExportFile(fileName, FormatHtml(table), watcher);
}

}  // namespace tessivo
