#include "view/window_placement.h"

#include <algorithm>

namespace tessivo::view {

QRect KeepOnScreen(const QRect& stored, const QRect& available) {
  const int width = std::clamp(stored.width(), 1, available.width());
  const int height = std::clamp(stored.height(), 1, available.height());
  const int left = std::clamp(stored.left(), available.left(),
                              std::max(available.left(), available.right() + 1 - kWindowGrip));
  const int top = std::clamp(stored.top(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - kWindowGrip));
  return QRect(left, top, width, height);
}

}  // namespace tessivo::view
