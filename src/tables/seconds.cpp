#include "tables/seconds.h"

#include "tables/seconds_table.h"

namespace tessivo::view {

TSecondsFrm::TSecondsFrm(const RecordStores& stores, GridTarget& target, TExportFrm& exportFrm,
                         TPForm& pForm, QWidget* parent)
    : TTableWindow(QStringLiteral("SGrid"), target, exportFrm, pForm, parent), stores_(stores) {
  setObjectName(QStringLiteral("SecondsFrm"));
  setWindowTitle(QStringLiteral("Seconds"));
  grid()->setSelectionMode(QAbstractItemView::ContiguousSelection);
  resize(260, 420);
}

void TSecondsFrm::showEvent(QShowEvent* event) {
  FormShow();
  TTableWindow::showEvent(event);
}

void TSecondsFrm::FormShow() {
  grid()->Fill(BuildSecondsTable(stores_));
}

}  // namespace tessivo::view
