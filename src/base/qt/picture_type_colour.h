// The colour of each picture type wherever pictures are shown: the tab views and the Pictures
// window.
#pragma once

#include <QColor>

namespace tessivo::view {

inline QColor PictureTypeColour(char type) {
  switch (type) {
    case 'I':
      return QColor(255, 0, 0);
    case 'P':
      return QColor(0, 128, 0);
    case 'B':
      return QColor(0, 0, 255);
    default:
      return QColor(0, 0, 0);
  }
}

}  // namespace tessivo::view
