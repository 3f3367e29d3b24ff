#include "tables/export_csv.h"

#include "tables/export_file.h"

namespace tessivo {

namespace {

// Embedded double quotes are written as they are, not doubled.
void AppendCell(const std::string& text, std::string& out) {
  if (text.empty()) {
    out += "\"\"";
    return;
  }
  if (text.find_first_of(",\r\n") == std::string::npos) {
    out += text;
    return;
  }
  out += '"';
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  out += '"';
}

}  // namespace

std::string FormatCsv(const Table& table) {
  std::string out;
  for (size_t row = 0; row < table.rowCount(); ++row) {
    for (size_t column = 0; column < table.columnCount(); ++column) {
      if (column > 0) out += ',';
      AppendCell(table.cell(row, column).text, out);
    }
    out += "\r\n";
  }
  return out;
}

Status SaveToCSV(const Table& table, const std::string& fileName, PartialFileWatcher& watcher) {
  return WriteExportFile(fileName, FormatCsv(table), watcher);
}

}  // namespace tessivo
