// The main window's tool buttons that open the table, patcher and calculator windows.
#include <QToolButton>

#include "calculator/qt/pwind2.h"
#include "modify/modifiable_stream.h"
#include "modify/qt/modif.h"
#include "tables/qt/fexport.h"
#include "tables/qt/gopform.h"
#include "tables/qt/pdialog.h"
#include "tables/qt/seconds.h"
#include "view/mainunit.h"

namespace tessivo::view {

void TMainFrm::CreateToolWindows() {
  ExportFrm = new TExportFrm(this);
  PForm = new TPForm(this);
  GopFrm = new TGopFrm(context_->stores(), *ExportFrm, *PForm, this);
  SecondsFrm = new TSecondsFrm(context_->stores(), *ExportFrm, *PForm, this);
  ModifFrm = new TModifFrm(*context_, static_cast<uint32_t>(view().kiloBase), this);
  PWindow2 = new TPWindow2(static_cast<uint32_t>(view().kiloBase), this);
  connect(SpeedButton3, &QToolButton::clicked, this, &TMainFrm::SpeedButton3Click);
  connect(SpeedButton6, &QToolButton::clicked, this, &TMainFrm::SpeedButton6Click);
  connect(SpeedButton5, &QToolButton::clicked, this, &TMainFrm::SpeedButton5Click);
  connect(SpeedButton4, &QToolButton::clicked, this, &TMainFrm::SpeedButton4Click);
}

void TMainFrm::SpeedButton3Click() {
  GopFrm->exec();
}

void TMainFrm::SpeedButton6Click() {
  SecondsFrm->exec();
}

void TMainFrm::SpeedButton5Click() {
  const Status modifiable = CheckModifiable(analysedDemuxed_);
  if (!modifiable.ok()) {
    ShowMessage(modifiable.message);
    return;
  }
  ModifFrm->setAnalysedFile(analysedFile_);
  ModifFrm->exec();
}

void TMainFrm::SpeedButton4Click() {
  PWindow2->exec();
}

}  // namespace tessivo::view
