// An engine writer's failure, shown as an error message over a window.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QWidget>

#include "base/status.h"

namespace tessivo::view {

inline void ShowFailure(QWidget* parent, const Status& status) {
  if (status.ok()) return;
  QMessageBox::critical(parent, QStringLiteral("Error"), QString::fromStdString(status.message));
}

}  // namespace tessivo::view
