// The bar over views that need the per-picture facts a loaded result file lacks: what is missing,
// and "Re-analyse" of the stream the result names.
#pragma once

#include <QFrame>
#include <functional>

class QLabel;
class QPushButton;

namespace tessivo::view {

class TResultNotice : public QFrame {
  Q_OBJECT
 public:
  explicit TResultNotice(QWidget* parent);

  // The button is offered only while one is set.
  void SetReanalyse(std::function<void()> reanalyse) { reanalyse_ = std::move(reanalyse); }
  // Shown with text while facts are missing, hidden otherwise.
  void ShowFor(bool missingFacts, const QString& text);

 private:
  std::function<void()> reanalyse_;
  QLabel* Text;
  QPushButton* Reanalyse;
};

}  // namespace tessivo::view
