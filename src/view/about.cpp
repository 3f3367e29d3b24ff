#include "view/about.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessivo::view {

TABoutFrm::TABoutFrm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("ABoutFrm"));
  setWindowTitle(QStringLiteral("ABOUT"));
  auto* layout = new QVBoxLayout(this);
  const QString lines[] = {
      QStringLiteral("Tessivo") + QStringLiteral(" Application"),
      QStringLiteral("Copyright (c) 2026 Marrek Ltd"),
      QStringLiteral("www.marrek-ltd.example"),
      QStringLiteral("support@marrek-ltd.example"),
  };
  for (const QString& line : lines) {
    auto* label = new QLabel(line, this);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
  }
  QFont productFont = layout->itemAt(0)->widget()->font();
  productFont.setBold(true);
  layout->itemAt(0)->widget()->setFont(productFont);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->setCenterButtons(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
}

}  // namespace tessivo::view
