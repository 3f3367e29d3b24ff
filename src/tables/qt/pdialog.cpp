#include "tables/qt/pdialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPushButton>

#include "tables/qt/error_messages.h"
#include "tables/qt/grid_print.h"
#include "tables/qt/pdf_print.h"

namespace tessivo::view {

TPForm::TPForm(QWidget* parent) : QDialog(parent), printer_(QPrinter::HighResolution) {
  setObjectName(QStringLiteral("PForm"));
  setWindowTitle(QStringLiteral("Printing"));
  printer_.setPageOrientation(QPageLayout::Portrait);
  Button1 = new QPushButton(QStringLiteral("Settings"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  PrintB = new QPushButton(QStringLiteral("Print"), this);
  PrintB->setObjectName(QStringLiteral("PrintB"));
  PrintB->setDefault(true);
  CancelB = new QPushButton(QStringLiteral("Cancel"), this);
  CancelB->setObjectName(QStringLiteral("CancelB"));
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(Button1);
  layout->addWidget(PrintB);
  layout->addWidget(CancelB);

  connect(Button1, &QPushButton::clicked, this, &TPForm::Button1Click);
  connect(PrintB, &QPushButton::clicked, this, &TPForm::PrintBClick);
  connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);
}

int TPForm::ShowFor(const TTableGrid& grid) {
  CurrentGrid = &grid;
  return exec();
}

bool TPForm::Button1Click() {
  QPrintDialog PD1(&printer_, this);
  PD1.setObjectName(QStringLiteral("PD1"));
  return PD1.exec() == QDialog::Accepted;
}

void TPForm::PrintBClick() {
  // Without a printer the output is a PDF file, which needs a name first.
  const bool needsFile =
      printer_.outputFormat() == QPrinter::PdfFormat && printer_.outputFileName().isEmpty();
  if (CurrentGrid && (!needsFile || Button1Click())) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (printer_.outputFormat() == QPrinter::PdfFormat) {
      ShowFailure(this, PrintGridToPdf(*CurrentGrid, printer_));
    } else {
      PrintGrid(*CurrentGrid, printer_);
    }
    QApplication::restoreOverrideCursor();
  }
  accept();
}

}  // namespace tessivo::view
