// The graph's drawing surface: grid, curves and cross-hair drawn over the graph model into a
// canvas, directly after each change as on a window canvas, and shown by the paint event. It
// lies under the main window's other controls and leaves pointer and wheel to the window.
#pragma once

#include <QWidget>

class QPainter;

#include "analysis/analysis_context.h"
#include "graph/graph_model.h"
#include "view/canvas.h"

namespace tessivo::view {

class GraphWidget : public QWidget {
 public:
  GraphWidget(const GraphModel& model, const AnalysisContext& context, QWidget* parent);

  // A fresh silver canvas of the graph area's size.
  void Resize(QSize size);
  // Clears the graph as it was laid out, up to its last column, before a relayout.
  void ClearGraph();
  void DrawGrid();
  void DrawCurves();
  void DrawCursor(bool on, uint16_t x, uint16_t y);
  // The grid, and the curves and cross-hair while data are loaded.
  void RepaintGraph();
  // Grid, curves and cross-hair after the view moved.
  void RedrawGraph();
  // The cross-hair erased at its old place and drawn at the model's, the curves between.
  void MoveCrossHair(uint16_t oldX, uint16_t oldY);
  // Shows the canvas as drawn at the next paint.
  void ShowCanvas();

  // What the graph shows, as the canvas holds it.
  const QImage& canvasImage() const { return canvas_.image(); }
  // The same picture as lines, for surfaces that keep them as lines (SVG).
  void PaintLines(QPainter& painter) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void DrawPolyline(Curve curve);

  const GraphModel& model_;
  const AnalysisContext& context_;
  Canvas canvas_;
  bool canvasDrawn_ = false;
};

}  // namespace tessivo::view
