#include "view/tab_views.h"

#include "base/qt/picture_type_colour.h"

#include <QLabel>
#include <QTabWidget>

#include "analysis/analysis_context.h"
#include "base/rounding.h"

namespace tessivo::view {

namespace {

constexpr int kRowHeight = 12;
constexpr int kLabelWidth = 30;

uint32_t BitsPerPixel(const SequenceSummary& summary) {
  if (summary.isMpeg2 == 0) return 12;
  switch (summary.chromaFormat) {
    case 2:
      return 16;
    case 3:
      return 24;
    default:
      return 12;
  }
}

}  // namespace

double CompressionRatio(uint32_t size, const SequenceSummary& summary) {
  if (size == 0) return 1.0;
  const uint32_t pictureBits =
      summary.horizontalSize * summary.verticalSize * BitsPerPixel(summary);
  return pictureBits * 0.125 / size;
}

TabRowText DescribePicture(int tabIndex, const PictureRecord& picture,
                           const SequenceSummary& summary) {
  switch (tabIndex) {
    case 1: {
      const double ratio = CompressionRatio(picture.size, summary);
      return {static_cast<int>(RoundToInteger(ratio)),
              QString::asprintf(" Compression: %.2fX ", ratio), QString::asprintf("%.2f", ratio)};
    }
    case 2:
      return {picture.qmin * 8, QString::asprintf(" Q scale: %u ", picture.qmin),
              QString::asprintf("%u", picture.qmin)};
    case 3:
      return {picture.qmax * 8, QString::asprintf(" Q scale: %u ", picture.qmax),
              QString::asprintf("%u", picture.qmax)};
    default:
      return {static_cast<int>(RoundToInteger(picture.qavg)) * 8,
              QString::asprintf(" Q scale: %.2f ", picture.qavg),
              QString::asprintf("%.2f", picture.qavg)};
  }
}

void TabRowTable::FillTabRows(QTabWidget* pageControl, int n, const PictureRecord* pictures,
                              const SequenceSummary& summary) {
  if (n <= 0) return;
  if (pageControl->currentIndex() == 0) return;
  // A later stream with a higher frame rate needs the rows that are still missing.
  if (!filled_ || n > rowCount()) CreateTabRows(pageControl->widget(2), n);
  QWidget* sheet = pageControl->currentWidget();
  for (int k = 0; k < n; ++k) {
    const PictureRecord& picture = pictures[k];
    const Row& row = rows_[static_cast<size_t>(k)];
    QPalette labelPalette = row.label->palette();
    labelPalette.setColor(QPalette::WindowText, PictureTypeColour(picture.type));
    row.label->setPalette(labelPalette);
    // A record not yet filled has type 0, which would print as a NUL character.
    row.label->setText(picture.type == '\0' ? QString::asprintf("%2u.", k + 1)
                                            : QString::asprintf("%2u.%c", k + 1, picture.type));
    const TabRowText text = DescribePicture(pageControl->currentIndex(), picture, summary);
    row.bar->resize(text.barWidth, kRowHeight);
    row.bar->setText(text.caption);
    if (row.bar->parentWidget() != sheet) {
      row.bar->setParent(sheet);
      row.label->setParent(sheet);
      row.bar->show();
      row.label->show();
    }
    row.bar->setToolTip(text.hint);
  }
}

void TabRowTable::CreateTabRows(QWidget* parent, int n) {
  QFont barFont;
  barFont.setFamilies({QStringLiteral("Small Fonts"), QStringLiteral("DejaVu Sans Condensed")});
  barFont.setPointSize(6);
  QFont labelFont;
  labelFont.setFamilies({QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")});
  labelFont.setStyleHint(QFont::TypeWriter);
  labelFont.setPointSize(8);
  for (int k = rowCount(); k < n; ++k) {
    auto* bar = new QLabel(parent);
    auto* label = new QLabel(parent);
    label->setGeometry(1, kRowHeight * k, kLabelWidth, kRowHeight);
    bar->setGeometry(kLabelWidth + 4, kRowHeight * k, 1, kRowHeight);
    bar->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    bar->setAutoFillBackground(true);
    QPalette barPalette = bar->palette();
    barPalette.setColor(QPalette::Window, QColor(0, 255, 0));
    barPalette.setColor(QPalette::WindowText, QColor(0, 0, 0));
    bar->setPalette(barPalette);
    bar->setFont(barFont);
    label->setFont(labelFont);
    bar->show();
    label->show();
    rows_.push_back(Row{bar, label});
  }
  filled_ = true;
}

}  // namespace tessivo::view
