#include "view/canvas.h"

#include <algorithm>
#include <cstdlib>

namespace tessivo::view {

namespace {

// Rounds n / d to the nearest integer, halves upward, for d > 0.
long long RoundedQuotient(long long n, long long d) {
  long long twice = 2 * n + d;
  long long q = twice / (2 * d);
  if (twice % (2 * d) != 0 && twice < 0) --q;
  return q;
}

}  // namespace

void Canvas::Resize(QSize size, QRgb background) {
  image_ = QImage(size, QImage::Format_RGB32);
  image_.fill(background);
}

void Canvas::FillRect(long long left, long long top, long long right, long long bottom) {
  const long long x0 = std::max(0LL, left);
  const long long y0 = std::max(0LL, top);
  const long long x1 = std::min<long long>(image_.width(), right);
  const long long y1 = std::min<long long>(image_.height(), bottom);
  for (long long y = y0; y < y1; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(static_cast<int>(y)));
    std::fill(line + x0, line + std::max(x0, x1), brush_);
  }
}

void Canvas::MoveTo(long long x, long long y) {
  penX_ = x;
  penY_ = y;
}

void Canvas::LineTo(long long x, long long y) {
  const long long dx = x - penX_;
  const long long dy = y - penY_;
  const bool alongX = std::llabs(dx) >= std::llabs(dy);
  const long long steps = alongX ? std::llabs(dx) : std::llabs(dy);
  const long long majorStart = alongX ? penX_ : penY_;
  const long long majorDirection = (alongX ? dx : dy) < 0 ? -1 : 1;
  const long long majorLimit = alongX ? image_.width() : image_.height();
  // Only the steps whose major coordinate lies on the image are walked.
  long long first = 0;
  long long last = steps;
  if (majorDirection > 0) {
    first = std::max(first, -majorStart);
    last = std::min(last, majorLimit - majorStart);
  } else {
    first = std::max(first, majorStart - (majorLimit - 1));
    last = std::min(last, majorStart + 1);
  }
  for (long long t = first; t < last; ++t) {
    const long long minorOffset = RoundedQuotient(t * (alongX ? dy : dx), steps);
    const long long px = alongX ? penX_ + majorDirection * t : penX_ + minorOffset;
    const long long py = alongX ? penY_ + minorOffset : penY_ + majorDirection * t;
    if (px >= 0 && py >= 0 && px < image_.width() && py < image_.height()) {
      reinterpret_cast<QRgb*>(image_.scanLine(static_cast<int>(py)))[px] = pen_;
    }
  }
  penX_ = x;
  penY_ = y;
}

}  // namespace tessivo::view
