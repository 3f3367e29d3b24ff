#include "tables/qt/gopform.h"

#include "tables/gop_table.h"

namespace tessivo::view {

TGopFrm::TGopFrm(const RecordStores& stores, TExportFrm& exportFrm, TPForm& pForm, QWidget* parent)
    : TTableWindow({"GopFrm", "GOPs", "GOPs", BuildGopTable, QSize(560, 420)}, stores, exportFrm,
                   pForm, parent) {
  grid()->setFont(QFont(QStringLiteral("Tahoma"), 8));
}

}  // namespace tessivo::view
