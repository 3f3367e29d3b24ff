// The window's drawing surface: an image that the graph paints into with a pen and a brush, the
// way a window canvas is painted directly, and that the paint event shows.
#pragma once

#include <QImage>
#include <QRgb>
#include <QSize>

namespace tessivo::view {

class Canvas {
 public:
  void Resize(QSize size, QRgb background);

  void SetPen(QRgb colour) { pen_ = colour; }
  void SetBrush(QRgb colour) { brush_ = colour; }
  // Fills without the right column and the bottom row.
  void FillRect(long long left, long long top, long long right, long long bottom);
  void MoveTo(long long x, long long y);
  // Draws from the pen position to (x, y) without painting (x, y) itself.
  void LineTo(long long x, long long y);

  const QImage& image() const { return image_; }

 private:
  QImage image_;
  QRgb pen_ = 0;
  QRgb brush_ = 0;
  long long penX_ = 0;
  long long penY_ = 0;
};

}  // namespace tessivo::view
