// Where a stored window geometry may be restored: a hand-edited or stale setting must neither
// make the window larger than the screen nor put it where it cannot be seen and moved.
#pragma once

#include <QRect>

namespace tessivo::view {

// stored no larger than available, with its top-left corner on available and at least
// kWindowGrip pixels from available's right and bottom edges; a geometry that fits is kept.
inline constexpr int kWindowGrip = 100;
QRect KeepOnScreen(const QRect& stored, const QRect& available);

}  // namespace tessivo::view
