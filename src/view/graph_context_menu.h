// The graph's context menu: the windows that look closer at the stream the graph shows, and the
// graph's image.
#pragma once

#include <functional>

class QMenu;
class QWidget;

namespace tessivo::view {

// What the entries do; an entry whose action is empty is left out of the menu.
struct GraphMenuActions {
  std::function<void()> pictures;    // "Pictures..."
  std::function<void()> compliance;  // "Compliance..."
  std::function<void()> saveImage;   // "Save graph image..."
};

// The menu, owned by parent; the caller pops it up where the pointer is.
QMenu* BuildGraphContextMenu(const GraphMenuActions& actions, QWidget* parent);

}  // namespace tessivo::view
