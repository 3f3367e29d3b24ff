// The main window's side of the graph: relayout, redraw after the view moved, the readouts of
// the tracked second and the graph's context menu.
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>

#include "base/qt/gauge.h"
#include "view/graph_context_menu.h"
#include "view/graph_image.h"
#include "view/graph_widget.h"
#include "view/mainunit.h"

namespace tessivo::view {

void TMainFrm::RecomputeLayout() {
  graph_->ClearGraph();
  model_->Relayout(width() - Panel1->width(), height() - ScP->height());
  graph_->RepaintGraph();
  graph_->ShowCanvas();
  RefreshProgress();
}

void TMainFrm::RedrawView() {
  graph_->RedrawGraph();
  UpdateReadouts();
}

void TMainFrm::UpdateReadouts() {
  const std::optional<Readout> readout = model_->TrackedReadout();
  if (!readout) return;
  GopPos->setText(QString::fromStdString(EndTimeText(readout->second)));
  VertPos->setText(QString::number(readout->units));
  Bitrate->setText(QString::number(readout->bitrate));
  if (readout->shares) {
    CGp->setValue(readout->shares->bitrate);
    CGq->setValue(readout->shares->quant);
  }
  QLevel->setText(QString::asprintf("%.2f", readout->quant));
  FollowTrackedSecond(readout->second);
  if (!readout->pictures) return;
  const RecordStores& stores = context_->stores();
  tabRows_.FillTabRows(PageControl1, static_cast<int>(readout->pictures->count),
                       stores.pictures() + readout->pictures->first, stores.summary);
}

void TMainFrm::SaveGraphImageClick() {
  if (GraphImageDialog->exec() != QDialog::Accepted ||
      GraphImageDialog->selectedFiles().isEmpty()) {
    return;
  }
  // The scroll bar panel covers the canvas below the graph area.
  const QRect shown(0, 0, graph_->width(), std::min(graph_->height(), ScP->y()));
  const Status saved =
      SaveGraphImage(*graph_, shown, GraphImageDialog->selectedFiles().front(), *this);
  if (!saved.ok()) ShowMessage(saved.message);
}

}  // namespace tessivo::view
