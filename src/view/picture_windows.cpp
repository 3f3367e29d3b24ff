// The main window's side of the Pictures and Compliance windows: the graph's context menu, the
// key P, the second under the cross-hair and a new analysis of the stream a result names.
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>

#include "compliance/qt/compliancefrm.h"
#include "pictures/qt/picturesfrm.h"
#include "view/graph_context_menu.h"
#include "view/graph_widget.h"
#include "view/mainunit.h"

namespace tessivo::view {

void TMainFrm::CreatePictureWindows() {
  PicturesFrm =
      new TPicturesFrm(*context_, static_cast<uint32_t>(view().kiloBase), *ExportFrm, *PForm, this);
  ComplianceFrm = new TComplianceFrm(*context_, this);
  PicturesFrm->SetReanalyse([this] { ReanalyseNamedStream(); });
  ComplianceFrm->SetReanalyse([this] { ReanalyseNamedStream(); });
  ComplianceFrm->SetJump([this](uint32_t picture) { PicturesFrm->ShowPicture(picture); });
  GraphMenuActions actions;
  actions.pictures = [this] { OpenPicturesWindow(); };
  actions.compliance = [this] { OpenComplianceWindow(); };
  actions.saveImage = [this] { SaveGraphImageClick(); };
  GraphMenu = BuildGraphContextMenu(actions, this);
}

void TMainFrm::OpenPicturesWindow() {
  // Records that grew since (a run still under way) are taken at each opening.
  if (!context_->endReached()) PicturesFrm->Invalidate();
  PicturesFrm->show();
  PicturesFrm->raise();
  if (const std::optional<Readout> readout = model_->TrackedReadout()) {
    PicturesFrm->ShowSecond(readout->second);
  }
}

void TMainFrm::OpenComplianceWindow() {
  if (ComplianceFrm->isVisible()) ComplianceFrm->Check();
  ComplianceFrm->show();
  ComplianceFrm->raise();
}

void TMainFrm::FollowTrackedSecond(uint64_t second) {
  if (PicturesFrm != nullptr && PicturesFrm->isVisible()) PicturesFrm->ShowSecond(second);
}

void TMainFrm::RefreshPictureWindows() {
  if (PicturesFrm != nullptr) PicturesFrm->Invalidate();
  if (ComplianceFrm != nullptr && ComplianceFrm->isVisible()) ComplianceFrm->Check();
}

void TMainFrm::ReanalyseNamedStream() {
  if (fileOperation_ || analysedFile_.isEmpty()) return;
  openFileName_ = analysedFile_;
  Timer1->start();
}

bool TMainFrm::PictureKey(QWidget* focused, int key, Qt::KeyboardModifiers modifiers) {
  // A control that takes text keeps its letters.
  if (key != Qt::Key_P || (modifiers & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  if (focused->testAttribute(Qt::WA_InputMethodEnabled)) return false;
  OpenPicturesWindow();
  return true;
}

void TMainFrm::contextMenuEvent(QContextMenuEvent* event) {
  if (!context_ || childAt(event->pos()) != nullptr || !graph_->geometry().contains(event->pos())) {
    event->ignore();
    return;
  }
  GraphMenu->popup(event->globalPos());
}

}  // namespace tessivo::view
