#include "tables/table.h"

namespace tessivo {

Table::Table(std::string title, size_t columnCount)
    : title_(std::move(title)), columnCount_(columnCount) {}

size_t Table::AddRow() {
  cells_.resize(cells_.size() + columnCount_);
  return rowCount() - 1;
}

}  // namespace tessivo
