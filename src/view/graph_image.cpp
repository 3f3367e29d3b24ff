#include "view/graph_image.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include "tables/export_file.h"
#include "view/graph_widget.h"

namespace tessivo::view {

namespace {

QByteArray PngOf(const GraphWidget& graph, QRect shown) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  graph.canvasImage().copy(shown).save(&buffer, "PNG");
  return bytes;
}

QByteArray SvgOf(const GraphWidget& graph, QRect shown, const QString& title) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  // The CSS pixel: browsers and renderers then show the image at the window's size.
  generator.setResolution(96);
  generator.setSize(shown.size());
  generator.setViewBox(QRect(QPoint(0, 0), shown.size()));
  generator.setTitle(title);
  QPainter painter(&generator);
  painter.setClipRect(QRect(QPoint(0, 0), shown.size()));
  painter.translate(-shown.topLeft());
  graph.PaintLines(painter);
  painter.end();
  return bytes;
}

}  // namespace

Status SaveGraphImage(const GraphWidget& graph, QRect shown, const QString& fileName,
                      PartialFileWatcher& watcher) {
  const bool svg = fileName.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
  const QByteArray bytes =
      svg ? SvgOf(graph, shown, QStringLiteral("Tessivo graph")) : PngOf(graph, shown);
  return WriteExportFile(fileName.toStdString(),
                         std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                         watcher);
}

}  // namespace tessivo::view
