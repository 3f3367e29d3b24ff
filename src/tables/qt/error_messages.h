// An engine writer's failures, shown as error messages over a window.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QWidget>

#include "base/analysis_observer.h"

namespace tessivo::view {

class ErrorMessages : public AnalysisObserver {
 public:
  explicit ErrorMessages(QWidget* parent) : parent_(parent) {}
  void ShowMessage(const std::string& text) override {
    QMessageBox::critical(parent_, QStringLiteral("Error"), QString::fromStdString(text));
  }

 private:
  QWidget* parent_;
};

}  // namespace tessivo::view
