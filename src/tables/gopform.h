// TGopFrm ("GOPs"): every GOP header of the analysed stream, rebuilt on every showing.
#pragma once

#include "mpeg/record_stores.h"
#include "tables/table_window.h"

namespace tessivo::view {

class TGopFrm : public TTableWindow {
  Q_OBJECT
 public:
  TGopFrm(const RecordStores& stores, GridTarget& target, TExportFrm& exportFrm, TPForm& pForm,
          QWidget* parent);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();

  const RecordStores& stores_;
};

}  // namespace tessivo::view
