#include "tables/table.h"

#include <charconv>

namespace tessivo {

std::string FixedText(double value, int decimals) {
  char text[400];  // room for any double in fixed notation
  const auto written =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, written.ptr);
}

Table::Table(std::string title, size_t columnCount)
    : title_(std::move(title)), columnCount_(columnCount) {}

size_t Table::AddRow() {
  cells_.resize(cells_.size() + columnCount_);
  return rowCount() - 1;
}

}  // namespace tessivo
