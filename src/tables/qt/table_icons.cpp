#include "tables/qt/table_icons.h"

#include <QPainter>
#include <QPixmap>

namespace tessivo::view {

namespace {

constexpr int kSize = 16;

QPixmap BlankPicture() {
  QPixmap picture(kSize, kSize);
  picture.fill(Qt::transparent);
  return picture;
}

}  // namespace

QIcon PrintIcon() {
  QPixmap picture = BlankPicture();
  QPainter painter(&picture);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  painter.drawRect(4, 1, 7, 6);  // paper going in
  painter.setBrush(QColor(192, 192, 192));
  painter.drawRect(1, 6, 13, 6);  // printer body
  painter.setBrush(Qt::white);
  painter.drawRect(4, 10, 7, 5);  // printed sheet
  painter.setPen(QColor(0, 128, 0));
  painter.drawPoint(12, 8);
  return QIcon(picture);
}

QIcon ExportIcon() {
  QPixmap picture = BlankPicture();
  QPainter painter(&picture);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  painter.drawRect(1, 1, 9, 13);  // the table's page
  painter.setPen(QColor(128, 128, 128));
  for (int y = 4; y <= 11; y += 2) painter.drawLine(3, y, 8, y);
  painter.setPen(QPen(QColor(0, 0, 160), 2));
  painter.drawLine(7, 9, 14, 9);  // arrow out of the page
  painter.drawLine(11, 6, 14, 9);
  painter.drawLine(11, 12, 14, 9);
  return QIcon(picture);
}

}  // namespace tessivo::view
