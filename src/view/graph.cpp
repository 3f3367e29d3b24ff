// The graph of the main window: grid, curves and cross-hair drawn into the canvas, and the
// readouts of the second under the cross-hair.
#include <QLabel>
#include <QTabWidget>

#include "view/gauge.h"
#include "view/mainunit.h"

namespace tessivo::view {

namespace {

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kGrid = qRgb(128, 128, 128);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kYellow = qRgb(255, 255, 0);
constexpr QRgb kLime = qRgb(0, 255, 0);
constexpr QRgb kSilver = qRgb(192, 192, 192);

}  // namespace

bool TMainFrm::SecondValid(uint64_t second) const {
  const RecordStores& stores = context_->stores();
  return second < stores.secondCapacity() && stores.seconds()[second].valid != 0;
}

void TMainFrm::RecomputeLayout() {
  canvas_.SetBrush(kSilver);
  canvas_.FillRect(0, 0, static_cast<long long>(view_.graphWidth) - view_.pixelsPerSecond,
                   height());
  const int graphAreaWidth = std::max(0, width() - Panel1->width());
  const int graphAreaHeight = std::max(0, height() - ScP->height());
  view_.pixelsPerSecond = static_cast<uint16_t>(graphAreaWidth / view_.horizontalScale);
  view_.pixelsPerUnit = static_cast<uint16_t>(graphAreaHeight / view_.verticalScale);
  view_.graphWidth = static_cast<uint16_t>(view_.pixelsPerSecond * view_.horizontalScale);
  view_.graphHeight = static_cast<uint16_t>(view_.pixelsPerUnit * view_.verticalScale);
  view_.cursorX = 0;
  view_.cursorY = 0;
  RepaintGraph();
  ShowCanvas();
  RefreshProgress();
}

void TMainFrm::DrawGrid() {
  const long long left = view_.graphLeft;
  const long long top = view_.graphTop;
  const long long right = left + view_.graphWidth;
  const long long bottom = top + view_.graphHeight;
  canvas_.SetBrush(kBlack);
  canvas_.FillRect(left, top, right, bottom + 1);
  canvas_.SetPen(kGrid);
  long long y = bottom;
  do {
    canvas_.MoveTo(left, y);
    canvas_.LineTo(right, y);
    y -= view_.pixelsPerUnit;
  } while (view_.pixelsPerUnit > 0 && y > top);
  long long x = left;
  do {
    canvas_.MoveTo(x, top);
    canvas_.LineTo(x, bottom);
    x += view_.pixelsPerSecond;
  } while (view_.pixelsPerSecond > 0 && x < right);
}

void TMainFrm::DrawCurves() {
  // A graph without area has nowhere to put a point.
  if (view_.pixelsPerSecond == 0 || view_.pixelsPerUnit == 0) return;
  switch (view_.viewMode) {
    case 0:
      DrawPolyline(true);
      DrawPolyline(false);
      break;
    case 1:
      DrawPolyline(true);
      break;
    case 2:
      DrawPolyline(false);
      break;
    default:
      break;
  }
}

void TMainFrm::DrawPolyline(bool bitrate) {
  const int32_t kbitPerPixel = view_.kiloBase / static_cast<int32_t>(view_.pixelsPerUnit);
  if (bitrate && kbitPerPixel <= 0) return;
  const long long bottom = static_cast<long long>(view_.graphTop) + view_.graphHeight;
  const PerSecondStats* seconds = context_->stores().seconds();
  canvas_.SetPen(bitrate ? kYellow : kLime);
  canvas_.MoveTo(view_.graphLeft, bottom);
  for (uint32_t i = 0; i < view_.horizontalScale; ++i) {
    const uint64_t s = static_cast<uint64_t>(view_.firstSecond) + i;
    if (!SecondValid(s)) return;
    const PerSecondStats& second = seconds[s];
    const long long rise =
        bitrate ? second.bitrate / static_cast<uint32_t>(kbitPerPixel)
                : RoundToInteger(static_cast<double>(view_.pixelsPerUnit) * second.quant);
    canvas_.LineTo(static_cast<long long>(view_.graphLeft) + view_.pixelsPerSecond * i,
                   bottom - rise);
  }
}

void TMainFrm::DrawCursor(bool on, uint16_t x, uint16_t y) {
  if (x == 0 && y == 0) return;
  canvas_.SetPen(on ? kWhite : kGrid);
  canvas_.MoveTo(x, view_.graphTop);
  canvas_.LineTo(x, static_cast<long long>(view_.graphTop) + view_.graphHeight);
  canvas_.MoveTo(view_.graphLeft, y);
  canvas_.LineTo(static_cast<long long>(view_.graphLeft) + view_.graphWidth - view_.pixelsPerSecond,
                 y);
}

void TMainFrm::RepaintGraph() {
  DrawGrid();
  if (!context_->dataLoaded()) return;
  DrawCursor(false, view_.cursorX, view_.cursorY);
  DrawCurves();
  DrawCursor(true, view_.cursorX, view_.cursorY);
}

void TMainFrm::RedrawView() {
  DrawGrid();
  DrawCursor(false, view_.cursorX, view_.cursorY);
  DrawCurves();
  DrawCursor(true, view_.cursorX, view_.cursorY);
  ShowCanvas();
  UpdateReadouts();
}

void TMainFrm::UpdateReadouts() {
  if (view_.mouseX == 0) return;
  if (view_.pixelsPerSecond == 0 || view_.pixelsPerUnit == 0) return;
  const uint16_t column = static_cast<uint16_t>(view_.mouseX / view_.pixelsPerSecond);
  const uint16_t row = static_cast<uint16_t>(view_.mouseY / view_.pixelsPerUnit);
  const uint64_t s = static_cast<uint64_t>(view_.firstSecond) + column;
  const RecordStores& stores = context_->stores();
  if (s >= stores.secondCapacity()) return;
  const uint64_t t = s + 1;
  GopPos->setText(QString::asprintf("%02u:%02u:%02u", static_cast<unsigned>(t / 3600),
                                    static_cast<unsigned>((t / 60) % 60),
                                    static_cast<unsigned>(t % 60)));
  VertPos->setText(QString::number(static_cast<int>(view_.verticalScale) - row));
  const PerSecondStats& second = stores.seconds()[s];
  const SequenceSummary& summary = stores.summary;
  Bitrate->setText(QString::number(second.bitrate));
  if (summary.peakBitrate != 0) {
    CGp->setValue(
        static_cast<int>(static_cast<double>(second.bitrate) / summary.peakBitrate * 100));
    // Without a quantiser peak there is no share to show.
    CGq->setValue(
        summary.peakQuant != 0.0 ? static_cast<int>(second.quant / summary.peakQuant * 100) : 0);
  }
  QLevel->setText(QString::asprintf("%.2f", second.quant));
  const uint32_t n = RoundToInteger(FrameRateOf(summary.frameRateIndex));
  const uint64_t firstPicture = s * n;
  if (n == 0 || firstPicture + n > stores.capacity()) return;
  tabRows_.FillTabRows(PageControl1, static_cast<int>(n), stores.pictures() + firstPicture,
                       summary);
}

}  // namespace tessivo::view
