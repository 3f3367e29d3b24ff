#include "tables/qt/seconds.h"

#include "tables/seconds_table.h"

namespace tessivo::view {

TSecondsFrm::TSecondsFrm(const RecordStores& stores, TExportFrm& exportFrm, TPForm& pForm,
                         QWidget* parent)
    : TTableWindow({"SecondsFrm", "Seconds", "SGrid", BuildSecondsTable, QSize(260, 420)}, stores,
                   exportFrm, pForm, parent) {
  grid()->setSelectionMode(QAbstractItemView::ContiguousSelection);
}

}  // namespace tessivo::view
