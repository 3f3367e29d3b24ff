#include "tables/qt/pdf_print.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPrinter>
#include <string_view>

#include "tables/export_file.h"
#include "tables/qt/grid_print.h"

namespace tessivo::view {

Status PrintGridToPdf(const TTableGrid& grid, const QPrinter& printer) {
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
      return Failure(StatusKind::kCannotWrite, "Cannot print to " + fileName);
    }
  }
  const QByteArray& bytes = document.data();
  PartialFileWatcher unwatched;
  return WriteExportFile(fileName, std::string_view(bytes.constData(), bytes.size()), unwatched);
}

}  // namespace tessivo::view
