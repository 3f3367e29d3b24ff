#include "base/qt/result_notice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace tessivo::view {

TResultNotice::TResultNotice(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("Notice"));
  setFrameShape(QFrame::StyledPanel);
  Text = new QLabel(this);
  Text->setWordWrap(true);
  Reanalyse = new QPushButton(QStringLiteral("Re-analyse"), this);
  Reanalyse->setObjectName(QStringLiteral("Reanalyse"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 2, 4, 2);
  row->addWidget(Text, 1);
  row->addWidget(Reanalyse);
  connect(Reanalyse, &QPushButton::clicked, this, [this] {
    if (reanalyse_) reanalyse_();
  });
  hide();
}

void TResultNotice::ShowFor(bool missingFacts, const QString& text) {
  if (missingFacts) {
    Text->setText(text);
    Reanalyse->setVisible(static_cast<bool>(reanalyse_));
  }
  setVisible(missingFacts);
}

}  // namespace tessivo::view
