// TExportFrm ("Exporting"): chooses a format and a file name and writes the current grid's table
// with the engine's writer of that format. Format, extension and name last for the process.
#pragma once

#include <QDialog>

#include "tables/export_formats.h"
#include "tables/qt/table_grid.h"

class QFileDialog;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tessivo::view {

class TExportFrm : public QDialog {
  Q_OBJECT
 public:
  explicit TExportFrm(QWidget* parent);

  // Shows the dialog modally for the grid that a table window hands over.
  int ShowFor(const TTableGrid& grid);

  int formatIndex() const { return formatIndex_; }
  const QString& defaultExtension() const { return defaultExtension_; }

 private:
  void RadioButtonClick(int format);
  void Button1Click();
  void BitBtn1Click();

  // The grid exported: the one last handed over, never cleared.
  const TTableGrid* CurrentGrid = nullptr;
  int formatIndex_ = 0;
  QString defaultExtension_ = QString::fromLatin1(kExportFormats[0].extension);
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QRadioButton* RadioButton3;
  QRadioButton* RadioButton4;
  QLineEdit* Edit1;
  QPushButton* Button1;
  QFileDialog* SaveDialog1;
};

}  // namespace tessivo::view
