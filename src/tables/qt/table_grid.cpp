#include "tables/qt/table_grid.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QStyleOptionHeader>
#include <QStylePainter>

namespace tessivo::view {

namespace {

Qt::Alignment AlignmentOf(const TableCell& cell) {
  switch (cell.alignment) {
    case CellAlignment::kCenter:
      return Qt::AlignCenter;
    case CellAlignment::kRight:
      return Qt::AlignRight | Qt::AlignVCenter;
    case CellAlignment::kLeft:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

QTableWidgetItem* ItemOf(const TableCell& cell) {
  auto* item = new QTableWidgetItem(QString::fromStdString(cell.text));
  item->setTextAlignment(AlignmentOf(cell));
  return item;
}

}  // namespace

TTableGrid::TTableGrid(QWidget* parent) : QTableWidget(parent) {
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setWordWrap(false);
  cornerButton_ = findChild<QAbstractButton*>();
  if (cornerButton_) cornerButton_->installEventFilter(this);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setHighlightSections(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setHighlightSections(false);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, colours.color(QPalette::ToolTipBase));
  colours.setColor(QPalette::AlternateBase, colours.color(QPalette::ToolTipBase));
  colours.setColor(QPalette::Text, colours.color(QPalette::ToolTipText));
  setPalette(colours);
}

void TTableGrid::Fill(Table table) {
  table_ = std::move(table);
  clear();
  const size_t fixedRows = Table::kFixedRows;
  const size_t fixedColumns = Table::kFixedColumns;
  const size_t rows = table_.rowCount() > fixedRows ? table_.rowCount() - fixedRows : 0;
  const size_t columns =
      table_.columnCount() > fixedColumns ? table_.columnCount() - fixedColumns : 0;
  setRowCount(static_cast<int>(rows));
  setColumnCount(static_cast<int>(columns));
  if (table_.rowCount() == 0) return;

  cornerText_ = QString::fromStdString(table_.cell(0, 0).text);
  for (size_t column = 0; column < columns; ++column) {
    setHorizontalHeaderItem(static_cast<int>(column), ItemOf(table_.cell(0, column + 1)));
  }
  for (size_t row = 0; row < rows; ++row) {
    setVerticalHeaderItem(static_cast<int>(row), ItemOf(table_.cell(row + 1, 0)));
    for (size_t column = 0; column < columns; ++column) {
      setItem(static_cast<int>(row), static_cast<int>(column),
              ItemOf(table_.cell(row + 1, column + 1)));
    }
  }
  resizeColumnsToContents();
  verticalHeader()->setMinimumWidth(verticalHeader()->fontMetrics().horizontalAdvance(cornerText_) +
                                    8);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
}

const QTableWidgetItem* TTableGrid::ItemAt(int row, int column) const {
  if (row == 0) return column == 0 ? nullptr : horizontalHeaderItem(column - 1);
  if (column == 0) return verticalHeaderItem(row - 1);
  return item(row - 1, column - 1);
}

QString TTableGrid::CellText(int row, int column) const {
  if (row == 0 && column == 0) return cornerText_;
  const QTableWidgetItem* cell = ItemAt(row, column);
  return cell ? cell->text() : QString();
}

Qt::Alignment TTableGrid::CellTextAlignment(int row, int column) const {
  if (row == 0 && column == 0) return Qt::AlignCenter;
  const QTableWidgetItem* cell = ItemAt(row, column);
  return cell ? Qt::Alignment(cell->textAlignment()) : Qt::Alignment(Qt::AlignLeft);
}

bool TTableGrid::eventFilter(QObject* watched, QEvent* event) {
  // The corner above the first column is drawn as that column's header cell.
  if (event->type() != QEvent::Paint || watched != cornerButton_) {
    return QTableWidget::eventFilter(watched, event);
  }
  QStyleOptionHeader option;
  option.initFrom(cornerButton_);
  option.rect = cornerButton_->rect();
  option.text = cornerText_;
  option.textAlignment = Qt::AlignCenter;
  option.position = QStyleOptionHeader::OnlyOneSection;
  QStylePainter painter(cornerButton_);
  painter.drawControl(QStyle::CE_Header, option);
  return true;
}

}  // namespace tessivo::view
