// TPForm ("Printing"): "Settings" chooses the printer, "Print" prints the current grid.
#pragma once

#include <QDialog>
#include <QPrinter>

#include "tables/table_grid.h"

class QPushButton;

namespace tessivo::view {

class TPForm : public QDialog {
  Q_OBJECT
 public:
  TPForm(const GridTarget& target, QWidget* parent);

  // The printer "Settings" chose; tests point it at a PDF file.
  QPrinter& printer() { return printer_; }

 private:
  bool Button1Click();
  void PrintBClick();

  const GridTarget& target_;
  QPrinter printer_;
  QPushButton* Button1;
  QPushButton* PrintB;
  QPushButton* CancelB;
};

}  // namespace tessivo::view
