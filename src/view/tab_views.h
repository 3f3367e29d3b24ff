// The rows of the four per-picture tabs: one (bar, label) pair per picture of a second, created
// once and moved to whichever tab is active at each update.
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <vector>

#include "mpeg/records.h"

class QLabel;
class QTabWidget;
class QWidget;

namespace tessivo::view {

// Uncompressed bytes of a picture over its coded bytes; 1.0 for a size of 0.
double CompressionRatio(uint32_t size, const SequenceSummary& summary);

// What a tab shows for one picture.
struct TabRowText {
  int barWidth = 0;
  QString hint;
  QString caption;
};
TabRowText DescribePicture(int tabIndex, const PictureRecord& picture,
                           const SequenceSummary& summary);

class TabRowTable {
 public:
  // pictures points at the first of n records of the second.
  void FillTabRows(QTabWidget* pageControl, int n, const PictureRecord* pictures,
                   const SequenceSummary& summary);
  int rowCount() const { return static_cast<int>(rows_.size()); }

 private:
  struct Row {
    QLabel* bar;
    QLabel* label;
  };
  void CreateTabRows(QWidget* parent, int n);

  std::vector<Row> rows_;
  bool filled_ = false;
};

}  // namespace tessivo::view
