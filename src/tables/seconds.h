// TSecondsFrm ("Seconds"): the bitrate and mean quantiser of every delivered second, rebuilt on
// every showing.
#pragma once

#include "mpeg/record_stores.h"
#include "tables/table_window.h"

namespace tessivo::view {

class TSecondsFrm : public TTableWindow {
  Q_OBJECT
 public:
  TSecondsFrm(const RecordStores& stores, GridTarget& target, TExportFrm& exportFrm, TPForm& pForm,
              QWidget* parent);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();

  const RecordStores& stores_;
};

}  // namespace tessivo::view
