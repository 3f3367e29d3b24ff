#include "tables/qt/table_window.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "tables/qt/fexport.h"
#include "tables/qt/pdialog.h"
#include "tables/qt/table_icons.h"

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

TTableWindow::TTableWindow(const TableKind& kind, const RecordStores& stores, TExportFrm& exportFrm,
                           TPForm& pForm, QWidget* parent)
    : QDialog(parent), build_(kind.build), stores_(stores), exportFrm_(exportFrm), pForm_(pForm) {
  setObjectName(QString::fromLatin1(kind.objectName));
  setWindowTitle(QString::fromLatin1(kind.caption));
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
  grid_->setObjectName(QString::fromLatin1(kind.gridName));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel1);
  layout->addWidget(grid_, 1);

  connect(SpeedButton1, &QToolButton::clicked, this, &TTableWindow::SpeedButton1Click);
  connect(SpeedButton2, &QToolButton::clicked, this, &TTableWindow::SpeedButton2Click);
  resize(kind.size);
}

void TTableWindow::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TTableWindow::FormShow() {
  grid_->Fill(build_(stores_));
}

void TTableWindow::SpeedButton1Click() {
  pForm_.ShowFor(*grid_);
}

void TTableWindow::SpeedButton2Click() {
  exportFrm_.ShowFor(*grid_);
}

}  // namespace tessivo::view
