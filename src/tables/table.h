// The cells of a table window: a fixed header row, a fixed first column, and per cell its text,
// its horizontal alignment and whether it is a number. The windows show it; the export writers
// write it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessivo {

enum class CellAlignment : uint8_t { kLeft, kCenter, kRight };

struct TableCell {
  std::string text;  // UTF-8
  CellAlignment alignment = CellAlignment::kLeft;
  bool isNumber = false;  // spreadsheets receive the value rather than the text
};

// A number takes the grid's own alignment for numbers, a text the one for texts unless it has
// its own.
inline TableCell NumberCell(std::string text) {
  return {std::move(text), CellAlignment::kRight, true};
}
inline TableCell TextCell(std::string text, CellAlignment alignment = CellAlignment::kLeft) {
  return {std::move(text), alignment, false};
}

// value with decimals digits after the point, in every locale: the desktop application runs
// under the user's.
std::string FixedText(double value, int decimals);

class Table {
 public:
  static constexpr size_t kFixedRows = 1;
  static constexpr size_t kFixedColumns = 1;

  Table(std::string title, size_t columnCount);

  const std::string& title() const { return title_; }
  size_t columnCount() const { return columnCount_; }
  size_t rowCount() const { return columnCount_ == 0 ? 0 : cells_.size() / columnCount_; }

  const TableCell& cell(size_t row, size_t column) const {
    return cells_[row * columnCount_ + column];
  }
  TableCell& cell(size_t row, size_t column) { return cells_[row * columnCount_ + column]; }

  // Appends a row of empty cells and returns its index.
  size_t AddRow();
  void Reserve(size_t rows) { cells_.reserve(rows * columnCount_); }

 private:
  std::string title_;
  size_t columnCount_;
  std::vector<TableCell> cells_;
};

}  // namespace tessivo
