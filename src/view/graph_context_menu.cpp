#include "view/graph_context_menu.h"

#include <QAction>
#include <QMenu>

namespace tessivo::view {

namespace {

void AddEntry(QMenu* menu, const char* name, const QString& text,
              const std::function<void()>& action) {
  if (!action) return;
  QAction* entry = menu->addAction(text);
  entry->setObjectName(QString::fromLatin1(name));
  QObject::connect(entry, &QAction::triggered, menu, action);
}

}  // namespace

QMenu* BuildGraphContextMenu(const GraphMenuActions& actions, QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("GraphContextMenu"));
  // The entries in the order the menu shows them.
  AddEntry(menu, "PicturesAction", QStringLiteral("Pictures..."), actions.pictures);
  AddEntry(menu, "ComplianceAction", QStringLiteral("Compliance..."), actions.compliance);
  AddEntry(menu, "SaveGraphImageAction", QStringLiteral("Save graph image..."), actions.saveImage);
  return menu;
}

}  // namespace tessivo::view
