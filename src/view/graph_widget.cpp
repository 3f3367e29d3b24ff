#include "view/graph_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPolygonF>

namespace tessivo::view {

namespace {

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kGrid = qRgb(128, 128, 128);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kYellow = qRgb(255, 255, 0);
constexpr QRgb kLime = qRgb(0, 255, 0);
constexpr QRgb kSilver = qRgb(192, 192, 192);

}  // namespace

GraphWidget::GraphWidget(const GraphModel& model, const AnalysisContext& context, QWidget* parent)
    : QWidget(parent), model_(model), context_(context) {
  setObjectName(QStringLiteral("Graph"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GraphWidget::Resize(QSize size) {
  setGeometry(0, 0, size.width(), size.height());
  canvas_.Resize(size, kSilver);
}

void GraphWidget::ClearGraph() {
  canvas_.SetBrush(kSilver);
  canvas_.FillRect(0, 0, model_.LastColumnX() - model_.state().graphLeft, height());
}

void GraphWidget::DrawGrid() {
  const ViewState& view = model_.state();
  canvas_.SetBrush(kBlack);
  canvas_.FillRect(view.graphLeft, view.graphTop, model_.Right(), model_.Bottom() + 1);
  canvas_.SetPen(kGrid);
  const GridLines rows = model_.HorizontalGridLines();
  for (uint32_t k = 0; k < rows.count; ++k) {
    canvas_.MoveTo(view.graphLeft, rows[k]);
    canvas_.LineTo(model_.Right(), rows[k]);
  }
  const GridLines columns = model_.VerticalGridLines();
  for (uint32_t k = 0; k < columns.count; ++k) {
    canvas_.MoveTo(columns[k], view.graphTop);
    canvas_.LineTo(columns[k], model_.Bottom());
  }
}

void GraphWidget::DrawCurves() {
  for (Curve curve : {Curve::kBitrate, Curve::kQuantiser}) {
    if (model_.Draws(curve)) DrawPolyline(curve);
  }
}

void GraphWidget::DrawPolyline(Curve curve) {
  canvas_.SetPen(curve == Curve::kBitrate ? kYellow : kLime);
  const Pixel start = model_.CurveStart();
  canvas_.MoveTo(start.x, start.y);
  const uint32_t count = model_.CurvePointCount();
  for (uint32_t column = 0; column < count; ++column) {
    const Pixel point = model_.CurvePoint(curve, column);
    canvas_.LineTo(point.x, point.y);
  }
}

void GraphWidget::DrawCursor(bool on, uint16_t x, uint16_t y) {
  const std::optional<CrossHair> lines = model_.CrossHairAt(x, y);
  if (!lines) return;
  canvas_.SetPen(on ? kWhite : kGrid);
  canvas_.MoveTo(lines->verticalFrom.x, lines->verticalFrom.y);
  canvas_.LineTo(lines->verticalTo.x, lines->verticalTo.y);
  canvas_.MoveTo(lines->horizontalFrom.x, lines->horizontalFrom.y);
  canvas_.LineTo(lines->horizontalTo.x, lines->horizontalTo.y);
}

void GraphWidget::RepaintGraph() {
  DrawGrid();
  if (!context_.dataLoaded()) return;
  const ViewState& view = model_.state();
  DrawCursor(false, view.cursorX, view.cursorY);
  DrawCurves();
  DrawCursor(true, view.cursorX, view.cursorY);
}

void GraphWidget::RedrawGraph() {
  const ViewState& view = model_.state();
  DrawGrid();
  DrawCursor(false, view.cursorX, view.cursorY);
  DrawCurves();
  DrawCursor(true, view.cursorX, view.cursorY);
  ShowCanvas();
}

void GraphWidget::MoveCrossHair(uint16_t oldX, uint16_t oldY) {
  // Erasing in grid gray restores the grid under it; the curves it crossed are drawn again.
  DrawCursor(false, oldX, oldY);
  DrawCurves();
  DrawCursor(true, model_.state().cursorX, model_.state().cursorY);
  ShowCanvas();
}

void GraphWidget::ShowCanvas() {
  canvasDrawn_ = true;
  update();
}

void GraphWidget::PaintLines(QPainter& painter) const {
  const ViewState& view = model_.state();
  painter.fillRect(QRect(QPoint(0, 0), canvas_.image().size()), QColor(kSilver));
  painter.fillRect(QRect(view.graphLeft, view.graphTop, view.graphWidth, view.graphHeight + 1),
                   QColor(kBlack));
  // Pixel centres, as the canvas paints whole pixels.
  painter.translate(0.5, 0.5);
  const auto line = [&painter](QRgb colour, int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    painter.setPen(QPen(QColor(colour), 1));
    painter.drawLine(QLineF(x0, y0, x1, y1));
  };
  const GridLines rows = model_.HorizontalGridLines();
  for (uint32_t k = 0; k < rows.count; ++k) {
    line(kGrid, view.graphLeft, rows[k], model_.Right() - 1, rows[k]);
  }
  const GridLines columns = model_.VerticalGridLines();
  for (uint32_t k = 0; k < columns.count; ++k) {
    line(kGrid, columns[k], view.graphTop, columns[k], model_.Bottom() - 1);
  }
  if (!context_.dataLoaded()) return;
  for (Curve curve : {Curve::kBitrate, Curve::kQuantiser}) {
    if (!model_.Draws(curve)) continue;
    QPolygonF points;
    const Pixel start = model_.CurveStart();
    points << QPointF(start.x, start.y);
    const uint32_t count = model_.CurvePointCount();
    for (uint32_t column = 0; column < count; ++column) {
      const Pixel point = model_.CurvePoint(curve, column);
      points << QPointF(point.x, point.y);
    }
    painter.setPen(QPen(QColor(curve == Curve::kBitrate ? kYellow : kLime), 1));
    painter.drawPolyline(points);
  }
  if (const std::optional<CrossHair> cross = model_.CrossHairAt(view.cursorX, view.cursorY)) {
    line(kWhite, cross->verticalFrom.x, cross->verticalFrom.y, cross->verticalTo.x,
         cross->verticalTo.y - 1);
    line(kWhite, cross->horizontalFrom.x, cross->horizontalFrom.y, cross->horizontalTo.x - 1,
         cross->horizontalTo.y);
  }
}

void GraphWidget::paintEvent(QPaintEvent* event) {
  // A paint asked for by ShowCanvas shows the canvas as drawn; any other paint (an exposure)
  // repaints the graph from the records first.
  if (!canvasDrawn_) RepaintGraph();
  canvasDrawn_ = false;
  QPainter painter(this);
  painter.drawImage(event->rect(), canvas_.image(), event->rect());
}

}  // namespace tessivo::view
