// The graph as the window shows it, saved as an image: PNG from the canvas itself, SVG drawn
// again as lines over the same model.
#pragma once

#include <QRect>
#include <QString>

#include "base/partial_file_watcher.h"
#include "base/status.h"

namespace tessivo::view {

class GraphWidget;

// The part shown of the graph's canvas, by the extension: .svg writes SVG, anything else PNG.
Status SaveGraphImage(const GraphWidget& graph, QRect shown, const QString& fileName,
                      PartialFileWatcher& watcher);

}  // namespace tessivo::view
