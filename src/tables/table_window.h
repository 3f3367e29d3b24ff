// The frame shared by the GOP and seconds windows: a panel on top with the print and export
// buttons, the grid below it filling the window.
#pragma once

#include <QDialog>

#include "tables/table_grid.h"

class QFrame;
class QToolButton;

namespace tessivo::view {

class TExportFrm;
class TPForm;

class TTableWindow : public QDialog {
  Q_OBJECT
 public:
  TTableWindow(const QString& gridName, GridTarget& target, TExportFrm& exportFrm, TPForm& pForm,
               QWidget* parent);

 protected:
  TTableGrid* grid() const { return grid_; }

 private:
  void SpeedButton1Click();
  void SpeedButton2Click();

  GridTarget& target_;
  TExportFrm& exportFrm_;
  TPForm& pForm_;
  QFrame* Panel1;
  QToolButton* SpeedButton1;
  QToolButton* SpeedButton2;
  TTableGrid* grid_;
};

}  // namespace tessivo::view
