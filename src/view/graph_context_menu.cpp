#include "view/graph_context_menu.h"

#include <QAction>
#include <QMenu>

namespace tessivo::view {

namespace {

void AddEntry(QMenu* menu, const QString& text, const std::function<void()>& action) {
  if (!action) return;
  QObject::connect(menu->addAction(text), &QAction::triggered, menu, action);
}

}  // namespace

QMenu* BuildGraphContextMenu(const GraphMenuActions& actions, QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("GraphContextMenu"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // The entries in the order the menu shows them.
  AddEntry(menu, QStringLiteral("Save graph image..."), actions.saveImage);
  return menu;
}

}  // namespace tessivo::view
