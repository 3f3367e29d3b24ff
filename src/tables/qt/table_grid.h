// TTableGrid: the grid of a table window. The table's header row and first column become the
// grid's fixed header row and column, which stay in view while the cells scroll. The grid keeps
// the engine's table, so export and print work on exactly what is shown.
#pragma once

#include <QTableWidget>

class QAbstractButton;

#include "tables/table.h"

namespace tessivo::view {

class TTableGrid : public QTableWidget {
  Q_OBJECT
 public:
  explicit TTableGrid(QWidget* parent);

  // Replaces the grid's rows with the table's and fits columns and rows to their texts.
  void Fill(Table table);
  const Table& table() const { return table_; }

  // What the grid shows in table coordinates: row 0 is the header row, column 0 the first
  // column.
  int TableRowCount() const { return rowCount() + 1; }
  int TableColumnCount() const { return columnCount() + 1; }
  QString CellText(int row, int column) const;
  Qt::Alignment CellTextAlignment(int row, int column) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const QTableWidgetItem* ItemAt(int row, int column) const;

  Table table_{{}, 0};
  QString cornerText_;
  QAbstractButton* cornerButton_ = nullptr;
};

}  // namespace tessivo::view
