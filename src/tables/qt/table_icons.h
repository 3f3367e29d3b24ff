// The pictures of the table windows' print and export buttons.
#pragma once

#include <QIcon>

namespace tessivo::view {

QIcon PrintIcon();
QIcon ExportIcon();

}  // namespace tessivo::view
