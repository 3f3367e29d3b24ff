#include "tables/table_window.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "tables/fexport.h"
#include "tables/pdialog.h"
#include "tables/table_icons.h"

namespace tessivo::view {

namespace {

QToolButton* PictureButton(const char* name, const QIcon& icon, const QString& hint,
                           QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setIcon(icon);
  button->setIconSize(QSize(16, 16));
  button->setFixedSize(25, 25);
  button->setAutoRaise(true);
  button->setToolTip(hint);
  return button;
}

}  // namespace

TTableWindow::TTableWindow(const QString& gridName, GridTarget& target, TExportFrm& exportFrm,
                           TPForm& pForm, QWidget* parent)
    : QDialog(parent), target_(target), exportFrm_(exportFrm), pForm_(pForm) {
  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameShape(QFrame::StyledPanel);
  SpeedButton1 = PictureButton("SpeedButton1", PrintIcon(), QStringLiteral("Print"), Panel1);
  SpeedButton2 = PictureButton("SpeedButton2", ExportIcon(), QStringLiteral("Export"), Panel1);
  auto* buttons = new QHBoxLayout(Panel1);
  buttons->setContentsMargins(2, 2, 2, 2);
  buttons->setSpacing(2);
  buttons->addWidget(SpeedButton1);
  buttons->addWidget(SpeedButton2);
  buttons->addStretch();

  grid_ = new TTableGrid(this);
  grid_->setObjectName(gridName);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel1);
  layout->addWidget(grid_, 1);

  connect(SpeedButton1, &QToolButton::clicked, this, &TTableWindow::SpeedButton1Click);
  connect(SpeedButton2, &QToolButton::clicked, this, &TTableWindow::SpeedButton2Click);
}

void TTableWindow::SpeedButton1Click() {
  target_.CurrentGrid = grid_;
  pForm_.exec();
}

void TTableWindow::SpeedButton2Click() {
  target_.CurrentGrid = grid_;
  exportFrm_.exec();
}

}  // namespace tessivo::view
