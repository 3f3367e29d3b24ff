// TSecondsFrm ("Seconds"): the bitrate and mean quantiser of every delivered second, rebuilt on
// every showing.
#pragma once

#include "tables/qt/table_window.h"

namespace tessivo::view {

class TSecondsFrm : public TTableWindow {
  Q_OBJECT
 public:
  TSecondsFrm(const RecordStores& stores, TExportFrm& exportFrm, TPForm& pForm, QWidget* parent);
};

}  // namespace tessivo::view
