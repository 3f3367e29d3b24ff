// A vertical bar gauge without text: the bar rises from the bottom by the share of 0 to 100.
#pragma once

#include <QColor>
#include <QWidget>

namespace tessivo::view {

class TCGauge : public QWidget {
  Q_OBJECT
 public:
  TCGauge(QColor barColour, QWidget* parent);

  int value() const { return value_; }
  void setValue(int value);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor barColour_;
  int value_ = 0;
};

}  // namespace tessivo::view
