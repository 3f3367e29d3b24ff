// The one table window behind the GOP and seconds windows: a panel on top with the print and
// export buttons, the grid below it filling the window, rebuilt from the records on every
// showing. The two windows differ only in what TableKind says.
#pragma once

#include <QDialog>
#include <QSize>

#include "mpeg/record_stores.h"
#include "tables/qt/table_grid.h"
#include "tables/table.h"

class QFrame;
class QToolButton;

namespace tessivo::view {

class TExportFrm;
class TPForm;

struct TableKind {
  const char* objectName;
  const char* caption;
  const char* gridName;
  Table (*build)(const RecordStores& stores);
  QSize size;
};

class TTableWindow : public QDialog {
  Q_OBJECT
 public:
  TTableWindow(const TableKind& kind, const RecordStores& stores, TExportFrm& exportFrm,
               TPForm& pForm, QWidget* parent);

 protected:
  void showEvent(QShowEvent* event) override;
  TTableGrid* grid() const { return grid_; }

 private:
  void FormShow();
  void SpeedButton1Click();
  void SpeedButton2Click();

  Table (*build_)(const RecordStores& stores);
  const RecordStores& stores_;
  TExportFrm& exportFrm_;
  TPForm& pForm_;
  QFrame* Panel1;
  QToolButton* SpeedButton1;
  QToolButton* SpeedButton2;
  TTableGrid* grid_;
};

}  // namespace tessivo::view
