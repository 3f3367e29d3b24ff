#include "tables/gopform.h"

#include "tables/gop_table.h"

namespace tessivo::view {

TGopFrm::TGopFrm(const RecordStores& stores, GridTarget& target, TExportFrm& exportFrm,
                 TPForm& pForm, QWidget* parent)
    : TTableWindow(QStringLiteral("GOPs"), target, exportFrm, pForm, parent), stores_(stores) {
  setObjectName(QStringLiteral("GopFrm"));
  setWindowTitle(QStringLiteral("GOPs"));
  grid()->setFont(QFont(QStringLiteral("Tahoma"), 8));
  resize(560, 420);
}

void TGopFrm::showEvent(QShowEvent* event) {
  FormShow();
  TTableWindow::showEvent(event);
}

void TGopFrm::FormShow() {
  grid()->Fill(BuildGopTable(stores_));
}

}  // namespace tessivo::view
