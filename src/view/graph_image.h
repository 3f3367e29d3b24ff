// The graph as the window shows it, saved as an image: PNG from the canvas itself, SVG drawn
// again as lines over the same model.
#pragma once

#include <QRect>
#include <QString>

#include "analysis/analysis_observer.h"

namespace tessivo::view {

class GraphWidget;

// The part shown of the graph's canvas, by the extension: .svg writes SVG, anything else PNG.
// False, with the message shown, when the file cannot be written.
bool SaveGraphImage(const GraphWidget& graph, QRect shown, const QString& fileName,
                    AnalysisObserver& observer);

}  // namespace tessivo::view
