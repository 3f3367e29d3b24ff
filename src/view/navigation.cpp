// Input around the graph: pointer tracking and arrow keys with the cross-hair, the wheel, the
// scroll bar, "|<" and ">|", the scale and view controls, resizing and fitting the window.
#include <QComboBox>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSpinBox>
#include <QWheelEvent>

#include "view/mainunit.h"

namespace tessivo::view {

void TMainFrm::SetPointerShape(bool hand) {
  const Qt::CursorShape shape = hand ? Qt::PointingHandCursor : Qt::ArrowCursor;
  if (cursor().shape() != shape) setCursor(shape);
}

void TMainFrm::TrackPosition(int x, int y) {
  const uint16_t ux = static_cast<uint16_t>(x);
  const uint16_t uy = static_cast<uint16_t>(y);
  const long long zoneRight =
      static_cast<long long>(view_.graphLeft) + view_.graphWidth - view_.pixelsPerSecond + 4;
  const long long zoneBottom = static_cast<long long>(view_.graphTop) + view_.graphHeight + 4;
  if (ux < view_.graphLeft || ux > zoneRight || uy < view_.graphTop || uy > zoneBottom) {
    SetPointerShape(false);
    return;
  }
  SetPointerShape(true);
  if (view_.pixelsPerSecond == 0 || view_.pixelsPerUnit == 0) return;
  const uint16_t sx = static_cast<uint16_t>((ux / view_.pixelsPerSecond) * view_.pixelsPerSecond);
  const uint16_t sy = static_cast<uint16_t>((uy / view_.pixelsPerUnit) * view_.pixelsPerUnit);
  if (sx == view_.cursorX && sy == view_.cursorY) return;
  DrawCursor(false, view_.cursorX, view_.cursorY);
  view_.cursorX = sx;
  view_.cursorY = sy;
  DrawCurves();
  DrawCursor(true, sx, sy);
  ShowCanvas();
  view_.mouseX = ux;
  view_.mouseY = uy;
  UpdateReadouts();
}

bool TMainFrm::FormKeyDown(int key) {
  switch (key) {
    case Qt::Key_Left:
      TrackPosition(view_.mouseX - view_.pixelsPerSecond, view_.mouseY);
      return true;
    case Qt::Key_Right:
      TrackPosition(view_.mouseX + view_.pixelsPerSecond, view_.mouseY);
      return true;
    case Qt::Key_Up:
      TrackPosition(view_.mouseX, view_.mouseY - view_.pixelsPerUnit);
      return true;
    case Qt::Key_Down:
      TrackPosition(view_.mouseX, view_.mouseY + view_.pixelsPerUnit);
      return true;
    default:
      return false;
  }
}

bool TMainFrm::StepView(bool forward) {
  if (forward) {
    if (!SecondValid(static_cast<uint64_t>(view_.firstSecond) + view_.horizontalScale)) {
      return false;
    }
    ++view_.firstSecond;
    return true;
  }
  if (view_.firstSecond == 0) return false;
  --view_.firstSecond;
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
  int moved = 0;
  if (event->modifiers() & Qt::ShiftModifier) {
    moved = StepView(forward) ? 1 : 0;
  } else {
    for (int round = 0; round < scrollSpeed_; ++round) {
      if (StepView(forward)) ++moved;
      PumpOneMessage();
    }
  }
  if (moved > 0) {
    RedrawView();
    SetScrollPosition(forward ? Sc1->value() + moved + 1 : Sc1->value() - moved - 1);
  }
  wheelIdle_ = true;
}

void TMainFrm::Sc1Change() {
  if (!scrollTracking_) return;
  const uint16_t p = static_cast<uint16_t>(Sc1->value());
  int moved = 0;
  if (p > lastScrollPosition_) {
    for (int i = 0; i < p - lastScrollPosition_; ++i) moved += StepView(true) ? 1 : 0;
  } else {
    for (int i = 0; i < lastScrollPosition_ - p; ++i) moved += StepView(false) ? 1 : 0;
  }
  lastScrollPosition_ = p;
  if (moved > 0) RedrawView();
}

void TMainFrm::Button4Click() {
  if (!context_->dataLoaded()) return;
  view_.firstSecond = 0;
  RedrawView();
  SetScrollPosition(0);
}

void TMainFrm::Button5Click() {
  if (!context_->dataLoaded()) return;
  wheelIdle_ = false;
  while (SecondValid(static_cast<uint64_t>(view_.firstSecond) + view_.horizontalScale)) {
    ++view_.firstSecond;
    PumpOneMessage();
  }
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
  view_.verticalScale = static_cast<uint16_t>(CSpinEdit1->value());
  RecomputeLayout();
}

void TMainFrm::CSpinEdit2Change() {
  view_.horizontalScale = static_cast<uint16_t>(CSpinEdit2->value());
  rescalePending_ = true;
}

void TMainFrm::ComboBox1Change() {
  if (!context_->dataLoaded()) return;
  view_.viewMode = ComboBox1->findText(ComboBox1->currentText(), Qt::MatchExactly);
  RecomputeLayout();
}

void TMainFrm::FormDblClick() {
  const int clientHeight = view_.graphHeight + ScP->height();
  const int clientWidth = view_.pixelsPerSecond * view_.horizontalScale + Panel1->width();
  resize(clientWidth, clientHeight);
}

}  // namespace tessivo::view
