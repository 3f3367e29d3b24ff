// Input around the graph: pointer tracking and arrow keys with the cross-hair, the wheel, the
// scroll bar, "|<" and ">|", the scale and view controls, resizing and fitting the window.
#include <QComboBox>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSpinBox>
#include <QWheelEvent>

#include "view/graph_widget.h"
#include "view/mainunit.h"

namespace tessivo::view {

void TMainFrm::SetPointerShape(bool hand) {
  const Qt::CursorShape shape = hand ? Qt::PointingHandCursor : Qt::ArrowCursor;
  if (cursor().shape() != shape) setCursor(shape);
}

void TMainFrm::TrackPosition(int64_t x, int64_t y) {
  const Tracking tracking = model_->Track(x, y);
  SetPointerShape(tracking.outcome != TrackOutcome::kOutsideZone);
  if (tracking.outcome != TrackOutcome::kMoved) return;
  graph_->MoveCrossHair(tracking.oldCursorX, tracking.oldCursorY);
  UpdateReadouts();
}

bool TMainFrm::FormKeyDown(int key) {
  Arrow arrow;
  switch (key) {
    case Qt::Key_Left:
      arrow = Arrow::kLeft;
      break;
    case Qt::Key_Right:
      arrow = Arrow::kRight;
      break;
    case Qt::Key_Up:
      arrow = Arrow::kUp;
      break;
    case Qt::Key_Down:
      arrow = Arrow::kDown;
      break;
    default:
      return false;
  }
  const Pixel target = model_->ArrowTarget(arrow);
  TrackPosition(target.x, target.y);
  return true;
}

void TMainFrm::SetScrollPosition(int position) {
  scrollTracking_ = false;
  Sc1->setValue(position);
  lastScrollPosition_ = static_cast<uint16_t>(Sc1->value());
  scrollTracking_ = true;
}

void TMainFrm::FormMouseWheel(QWheelEvent* event) {
  // A sideways wheel or swipe has no direction along the stream.
  if (event->angleDelta().y() == 0) {
    event->ignore();
    return;
  }
  if (!wheelIdle_) {
    event->ignore();
    return;
  }
  event->accept();
  wheelIdle_ = false;
  if (!context_->dataLoaded()) {
    wheelIdle_ = true;
    return;
  }
  const bool forward = event->angleDelta().y() < 0;
  uint32_t moved = 0;
  if (event->modifiers() & Qt::ShiftModifier) {
    moved = model_->StepView(forward) ? 1 : 0;
  } else {
    for (int round = 0; round < scrollSpeed_; ++round) {
      if (model_->StepView(forward)) ++moved;
      PumpOneMessage();
    }
  }
  if (moved > 0) {
    RedrawView();
    SetScrollPosition(static_cast<int>(WheelScrollPosition(Sc1->value(), moved, forward)));
  }
  wheelIdle_ = true;
}

void TMainFrm::Sc1Change() {
  if (!scrollTracking_) return;
  const uint16_t p = static_cast<uint16_t>(Sc1->value());
  const uint32_t moved = model_->StepViewBy(int64_t{p} - lastScrollPosition_);
  lastScrollPosition_ = p;
  if (moved > 0) RedrawView();
}

void TMainFrm::Button4Click() {
  if (!context_->dataLoaded()) return;
  model_->GoToStart();
  RedrawView();
  SetScrollPosition(0);
}

void TMainFrm::Button5Click() {
  if (!context_->dataLoaded()) return;
  wheelIdle_ = false;
  while (model_->StepView(true)) PumpOneMessage();
  RedrawView();
  SetScrollPosition(Sc1->maximum());
  wheelIdle_ = true;
}

void TMainFrm::ScrSpeedChange() {
  const int value = ScrSpeed->value();
  if (value > 0) scrollSpeed_ = value;
  Sc1->setSingleStep(static_cast<uint16_t>(value));
}

void TMainFrm::CSpinEdit1Change() {
  model_->SetVerticalScale(static_cast<uint16_t>(CSpinEdit1->value()));
  RecomputeLayout();
}

void TMainFrm::CSpinEdit2Change() {
  model_->SetHorizontalScale(static_cast<uint16_t>(CSpinEdit2->value()));
  rescalePending_ = true;
}

void TMainFrm::ComboBox1Change() {
  if (!context_->dataLoaded()) return;
  model_->SetViewMode(
      static_cast<ViewMode>(ComboBox1->findText(ComboBox1->currentText(), Qt::MatchExactly)));
  RecomputeLayout();
}

void TMainFrm::FormDblClick() {
  const ViewState& v = view();
  const int clientHeight = v.graphHeight + ScP->height();
  const int clientWidth = v.pixelsPerSecond * v.horizontalScale + Panel1->width();
  resize(clientWidth, clientHeight);
}

}  // namespace tessivo::view
