#include "tables/qt/pdf_print.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPrinter>
#include <string_view>

#include "base/analysis_observer.h"
#include "tables/export_file.h"
#include "tables/qt/grid_print.h"

namespace tessivo::view {

bool PrintGridToPdf(const TTableGrid& grid, const QPrinter& printer, AnalysisObserver& messages) {
  const std::string fileName = printer.outputFileName().toStdString();
  QBuffer document;
  document.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&document);
    writer.setPdfVersion(printer.pdfVersion());
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    writer.setCreator(printer.creator());
    writer.setTitle(printer.docName());
    if (!PrintGrid(grid, writer)) {
      messages.ShowMessage("Cannot print to " + fileName);
      return false;
    }
  }
  const QByteArray& bytes = document.data();
  return WriteExportFile(fileName, std::string_view(bytes.constData(), bytes.size()), messages);
}

}  // namespace tessivo::view
