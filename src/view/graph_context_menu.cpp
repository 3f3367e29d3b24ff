#include "view/graph_context_menu.h"

#include <QMenu>

namespace tessivo::view {

QMenu* CreateGraphContextMenu(QWidget* graph, const GraphMenuActions& actions) {
  auto* menu = new QMenu(graph);
  menu->setObjectName(QStringLiteral("GraphMenu"));
  QAction* pictures = menu->addAction(QStringLiteral("Pictures..."));
  pictures->setObjectName(QStringLiteral("PicturesAction"));
  QObject::connect(pictures, &QAction::triggered, menu, actions.pictures);
  QAction* compliance = menu->addAction(QStringLiteral("Compliance..."));
  compliance->setObjectName(QStringLiteral("ComplianceAction"));
  QObject::connect(compliance, &QAction::triggered, menu, actions.compliance);
  return menu;
}

}  // namespace tessivo::view
