// TPForm ("Printing"): "Settings" chooses the printer, "Print" prints the current grid.
#pragma once

#include <QDialog>
#include <QPrinter>

#include "tables/qt/table_grid.h"

class QPushButton;

namespace tessivo::view {

class TPForm : public QDialog {
  Q_OBJECT
 public:
  explicit TPForm(QWidget* parent);

  // Shows the dialog modally for the grid that a table window hands over.
  int ShowFor(const TTableGrid& grid);

  // The printer "Settings" chose; tests point it at a PDF file.
  QPrinter& printer() { return printer_; }

 private:
  bool Button1Click();
  void PrintBClick();

  // The grid printed: the one last handed over, never cleared.
  const TTableGrid* CurrentGrid = nullptr;
  QPrinter printer_;
  QPushButton* Button1;
  QPushButton* PrintB;
  QPushButton* CancelB;
};

}  // namespace tessivo::view
