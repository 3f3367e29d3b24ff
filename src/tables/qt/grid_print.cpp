#include "tables/qt/grid_print.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "tables/qt/table_grid.h"

namespace tessivo::view {

namespace {

// Columns that share a page width, first and one past the last.
struct ColumnBand {
  int first;
  int end;
};

std::vector<ColumnBand> BandsOf(const std::vector<int>& widths, int pageWidth) {
  std::vector<ColumnBand> bands;
  int first = 0;
  int used = 0;
  for (int column = 0; column < static_cast<int>(widths.size()); ++column) {
    if (column > first && used + widths[column] > pageWidth) {
      bands.push_back({first, column});
      first = column;
      used = 0;
    }
    used += widths[column];
  }
  if (first < static_cast<int>(widths.size()))
    bands.push_back({first, static_cast<int>(widths.size())});
  return bands;
}

}  // namespace

bool PrintGrid(const TTableGrid& grid, QPagedPaintDevice& printer) {
  printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  QFont font(QStringLiteral("MS Sans Serif"), 8);
  font.setStyleHint(QFont::SansSerif);
  // No ligatures: a printed "Offset" keeps its two f's for whoever searches the document.
  font.setStyleStrategy(QFont::PreferNoShaping);
  painter.setFont(font);
  const QFontMetrics metrics = painter.fontMetrics();
  const int padding = std::max(1, metrics.averageCharWidth() / 2);
  const int rowHeight = metrics.height();

  const int rows = grid.TableRowCount();
  const int columns = grid.TableColumnCount();
  std::vector<int> widths(static_cast<size_t>(columns), 0);
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      int& width = widths[static_cast<size_t>(column)];
      width = std::max(width, metrics.horizontalAdvance(grid.CellText(row, column)) + 2 * padding);
    }
  }

  const QRect page = painter.viewport();
  const int rowsPerPage = std::max(1, page.height() / rowHeight);
  bool firstPage = true;
  for (const ColumnBand& band : BandsOf(widths, page.width())) {
    for (int top = 0; top < rows; top += rowsPerPage) {
      if (!firstPage) printer.newPage();
      firstPage = false;
      const int bottom = std::min(rows, top + rowsPerPage);
      for (int row = top; row < bottom; ++row) {
        int x = 0;
        const int y = (row - top) * rowHeight;
        for (int column = band.first; column < band.end; ++column) {
          const int width = widths[static_cast<size_t>(column)];
          const QRect cell(x + padding, y, width - 2 * padding, rowHeight);
          const Qt::Alignment horizontal =
              grid.CellTextAlignment(row, column) & Qt::AlignHorizontal_Mask;
          painter.drawText(cell, static_cast<int>(horizontal | Qt::AlignVCenter),
                           grid.CellText(row, column));
          x += width;
        }
      }
    }
  }
  return painter.end();
}

}  // namespace tessivo::view
