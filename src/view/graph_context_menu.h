// The graph's context menu: one entry per action the window hands in.
#pragma once

#include <functional>

class QMenu;
class QWidget;

namespace tessivo::view {

// What the entries do; an entry whose action is empty is left out of the menu.
struct GraphMenuActions {
  std::function<void()> saveImage;  // "Save graph image..."
};

// A new menu, deleted once it closes.
QMenu* BuildGraphContextMenu(const GraphMenuActions& actions, QWidget* parent);

}  // namespace tessivo::view
