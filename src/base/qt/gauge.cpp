#include "base/qt/gauge.h"

#include <QPainter>
#include <algorithm>

namespace tessivo::view {

TCGauge::TCGauge(QColor barColour, QWidget* parent) : QWidget(parent), barColour_(barColour) {}

void TCGauge::setValue(int value) {
  value = std::clamp(value, 0, 100);
  if (value == value_) return;
  value_ = value;
  update();
}

void TCGauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(192, 192, 192));
  const int inner = height() - 2;
  const int bar = inner * value_ / 100;
  painter.fillRect(1, 1 + inner - bar, width() - 2, bar, barColour_);
  painter.setPen(QColor(128, 128, 128));
  painter.drawRect(0, 0, width() - 1, height() - 1);
}

}  // namespace tessivo::view
