// TGopFrm ("GOPs"): every GOP header of the analysed stream, rebuilt on every showing.
#pragma once

#include "tables/qt/table_window.h"

namespace tessivo::view {

class TGopFrm : public TTableWindow {
  Q_OBJECT
 public:
  TGopFrm(const RecordStores& stores, TExportFrm& exportFrm, TPForm& pForm, QWidget* parent);
};

}  // namespace tessivo::view
