// The context menu of the graph: the windows that look closer at the stream the graph shows.
#pragma once

#include <functional>

class QMenu;
class QWidget;

namespace tessivo::view {

struct GraphMenuActions {
  std::function<void()> pictures;
  std::function<void()> compliance;
};

// The menu, owned by the graph widget; the caller pops it up where the pointer is.
QMenu* CreateGraphContextMenu(QWidget* graph, const GraphMenuActions& actions);

}  // namespace tessivo::view
