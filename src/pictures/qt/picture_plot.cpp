#include "pictures/qt/picture_plot.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include "base/qt/picture_type_colour.h"

namespace tessivo::view {

namespace {

const QColor kBackground(255, 255, 255);
const QColor kMargin(192, 192, 192);
const QColor kGrid(208, 208, 208);
const QColor kBand(255, 255, 200);
const QColor kQuant(255, 128, 0);
const QColor kFill(160, 0, 160);
const QColor kCrossHair(0, 0, 0);
const QColor kGopShades[] = {QColor(96, 96, 96), QColor(144, 144, 144)};

QRect ToQRect(const PlotRect& r) {
  return QRect(static_cast<int>(r.left), static_cast<int>(r.top),
               static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top));
}

QPoint ToQPoint(const PlotPoint& p) {
  return QPoint(static_cast<int>(p.x), static_cast<int>(p.y));
}

}  // namespace

TPicturePlot::TPicturePlot(uint32_t kiloBase, QWidget* parent) : QWidget(parent), model_(kiloBase) {
  setObjectName(QStringLiteral("PicturePlot"));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(200, 120);
}

void TPicturePlot::Load(const RecordStores& stores, const VbvResult* vbv) {
  model_.Load(stores, vbv);
  model_.Relayout(width(), height());
  if (crossHair_ && *crossHair_ >= model_.pictureCount()) crossHair_.reset();
  update();
  emit viewMoved();
}

void TPicturePlot::SetCrossHair(std::optional<uint32_t> picture) {
  if (picture && *picture >= model_.pictureCount()) picture.reset();
  crossHair_ = picture;
  if (picture && !model_.InView(*picture)) {
    model_.ShowRange({*picture, *picture + 1});
    emit viewMoved();
  }
  update();
}

void TPicturePlot::SetBand(PictureRange band) {
  band_ = band;
  model_.ShowRange(band);
  update();
  emit viewMoved();
}

void TPicturePlot::Zoom(bool in) {
  const bool zoomed = in ? model_.ZoomIn(crossHair_) : model_.ZoomOut(crossHair_);
  if (!zoomed) return;
  update();
  emit viewMoved();
}

void TPicturePlot::ScrollTo(uint32_t firstPicture) {
  if (firstPicture == model_.firstPicture()) return;
  model_.SetFirstPicture(firstPicture);
  update();
  emit viewMoved();
}

void TPicturePlot::MoveCrossHair(uint32_t picture) {
  if (crossHair_ == picture) return;
  crossHair_ = picture;
  update();
  emit crossHairMoved(picture);
}

void TPicturePlot::resizeEvent(QResizeEvent*) {
  model_.Relayout(width(), height());
  emit viewMoved();
}

void TPicturePlot::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kMargin);
  const QRect plot = ToQRect(model_.PlotArea());
  painter.fillRect(plot, kBackground);
  if (const auto band = model_.BandOf(band_)) painter.fillRect(ToQRect(*band), kBand);

  for (const KbitLine& line : model_.KbitLines()) {
    const int y = static_cast<int>(line.y);
    painter.setPen(kGrid);
    painter.drawLine(plot.left(), y, plot.right(), y);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, y - 7, plot.left() - 3, 14), Qt::AlignRight | Qt::AlignVCenter,
                     QString::number(line.kbit));
  }
  painter.drawText(QRect(0, plot.top() + 8, plot.left() - 3, 14), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("kbit"));
  const QRect strip = ToQRect(model_.StripArea());
  painter.drawText(QRect(0, strip.top(), plot.left() - 3, strip.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("GOP"));
  // The curves' scales on the right: the quantiser up to 32, the fill up to a full buffer.
  const QRect right(plot.right() + 4, plot.top() - 7, width() - plot.right() - 4, 14);
  painter.setPen(kQuant);
  painter.drawText(right, Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("q %1").arg(PicturePlotModel::kQuantTop));
  if (model_.HasFill()) {
    painter.setPen(kFill);
    painter.drawText(right.translated(0, 14), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("100%"));
  }

  const uint32_t first = model_.firstPicture();
  const uint32_t end = first + model_.VisibleCount();
  for (uint32_t p = first; p < end; ++p) {
    const auto bar = model_.BarOf(p);
    if (!bar) continue;
    painter.fillRect(ToQRect(*bar), PictureTypeColour(model_.TypeOf(p)));
  }

  painter.setPen(kQuant);
  std::optional<QPoint> previous;
  for (uint32_t p = first; p < end; ++p) {
    const auto point = model_.QuantPoint(p);
    if (!point) continue;
    if (previous) painter.drawLine(*previous, ToQPoint(*point));
    previous = ToQPoint(*point);
  }
  if (model_.HasFill()) {
    // The fill rises while bits enter and drops at each picture's removal: a saw tooth.
    painter.setPen(kFill);
    previous.reset();
    for (uint32_t p = first; p < end; ++p) {
      const auto before = model_.FillBefore(p);
      const auto after = model_.FillAfter(p);
      if (!before || !after) {
        previous.reset();
        continue;
      }
      if (previous) painter.drawLine(*previous, ToQPoint(*before));
      painter.drawLine(ToQPoint(*before), ToQPoint(*after));
      previous = ToQPoint(*after);
    }
  }

  for (const GopBlock& block : model_.GopBlocks()) {
    const QRect r = ToQRect(block.rect);
    painter.fillRect(r, kGopShades[block.gop % 2]);
    const QString number = QString::number(block.gop + 1);
    if (painter.fontMetrics().horizontalAdvance(number) + 4 <= r.width()) {
      painter.setPen(Qt::white);
      painter.drawText(r, Qt::AlignCenter, number);
    }
  }

  if (crossHair_) {
    painter.setPen(kCrossHair);
    if (const auto line = model_.VerticalCrossHair(*crossHair_)) {
      painter.drawLine(ToQPoint(line->from), ToQPoint(line->to));
    }
    if (const auto line = model_.HorizontalCrossHair(*crossHair_)) {
      painter.drawLine(ToQPoint(line->from), ToQPoint(line->to));
    }
  }
}

void TPicturePlot::mouseMoveEvent(QMouseEvent* event) {
  const auto picture = model_.PictureAtX(static_cast<int64_t>(event->position().x()));
  if (picture) MoveCrossHair(*picture);
}

void TPicturePlot::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) {
    event->ignore();
    return;
  }
  event->accept();
  if (event->modifiers() & Qt::ControlModifier) {
    // Zooming keeps the picture under the pointer where it is.
    const auto anchor = model_.PictureAtX(static_cast<int64_t>(event->position().x()));
    const bool zoomed = delta > 0 ? model_.ZoomIn(anchor) : model_.ZoomOut(anchor);
    if (zoomed) {
      update();
      emit viewMoved();
    }
    return;
  }
  const int64_t step = std::max<int64_t>(1, model_.Capacity() / 8);
  const uint32_t before = model_.firstPicture();
  model_.ScrollBy(delta < 0 ? step : -step);
  if (model_.firstPicture() == before) return;
  update();
  emit viewMoved();
}

void TPicturePlot::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      Zoom(true);
      return;
    case Qt::Key_Minus:
      Zoom(false);
      return;
    case Qt::Key_Left:
    case Qt::Key_Right: {
      if (model_.pictureCount() == 0) return;
      const uint32_t at = crossHair_.value_or(model_.firstPicture());
      const bool right = event->key() == Qt::Key_Right;
      const uint32_t next = right ? std::min(at + 1, model_.pictureCount() - 1) : (at ? at - 1 : 0);
      if (!model_.InView(next)) {
        model_.ShowRange({next, next + 1});
        emit viewMoved();
      }
      MoveCrossHair(next);
      return;
    }
    default:
      QWidget::keyPressEvent(event);
  }
}

}  // namespace tessivo::view
