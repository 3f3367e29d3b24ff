// The graph's context menu and the images it saves: the PNG is what the window shows, the SVG
// the same curves as lines.
#include <QContextMenuEvent>
#include <QFile>
#include <QFrame>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "graph/graph_model.h"
#include "gui_test_support.h"
#include "gui_tests.h"
#include "support/test_files.h"
#include "tables/python_check.h"

namespace tessivo::test {

namespace {

// Right-clicks the window at position and chooses the menu entry text, the file dialog
// answered with path.
QStringList SaveThroughMenu(view::TMainFrm& window, QPoint position, const QString& path) {
  QContextMenuEvent event(QContextMenuEvent::Mouse, position, window.mapToGlobal(position));
  QApplication::sendEvent(&window, &event);
  auto* menu = window.findChild<QMenu*>(QStringLiteral("GraphContextMenu"));
  if (!menu || !QTest::qWaitForWindowExposed(menu)) return {};
  QStringList entries;
  for (QAction* action : menu->actions()) entries << action->text();
  AnswerFileDialog(&window, QStringLiteral("GraphImageDialog"), path);
  for (QAction* action : menu->actions()) {
    if (action->text() == QStringLiteral("Save graph image...")) action->trigger();
  }
  menu->close();
  return entries;
}

QRect ShownGraph(const view::TMainFrm& window) {
  const auto* graph = window.findChild<QWidget*>(QStringLiteral("Graph"));
  const auto* scrollPanel = window.findChild<QFrame*>(QStringLiteral("ScP"));
  return QRect(0, 0, graph->width(), scrollPanel->y());
}

}  // namespace

class GraphImageTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearSettings(); }

  void pngFromTheMenuIsTheWindowsOwnGrab() {
    auto window = AnalysedToTheEnd("mpeg2_pal_interlaced.vob");
    QVERIFY(window);
    MoveMouse(window.get(), QPoint(25, 60));
    QVERIFY(window->view().cursorX != 0);
    QTemporaryDir folder;
    const QString png = folder.filePath(QStringLiteral("graph.png"));
    QCOMPARE(SaveThroughMenu(*window, QPoint(40, 40), png),
             (QStringList{QStringLiteral("Pictures..."), QStringLiteral("Compliance..."),
                          QStringLiteral("Save graph image...")}));
    const QImage saved(png);
    QVERIFY(!saved.isNull());
    const QImage grab = window->grab(ShownGraph(*window)).toImage();
    QCOMPARE(saved.size(), grab.size());
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
             grab.convertToFormat(QImage::Format_RGB32));
    // The cross-hair is in it, white on the grid.
    QCOMPARE(PixelAt(saved, window->view().cursorX, 2), QColor(255, 255, 255));
  }

  void svgFromTheMenuHoldsTheCurvesAsLines() {
    auto window = AnalysedToTheEnd("mpeg1_cif25.m1v");
    QVERIFY(window);
    QTemporaryDir folder;
    const QString svg = folder.filePath(QStringLiteral("graph.svg"));
    SaveThroughMenu(*window, QPoint(40, 40), svg);
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    // Each curve as one polyline in its colour, through the points of the window's model.
    const GraphModel model(window->context()->stores(), window->view());
    for (const auto& [curve, colour] :
         {std::pair{Curve::kBitrate, "#ffff00"}, std::pair{Curve::kQuantiser, "#00ff00"}}) {
      const QRegularExpression polyline(
          QStringLiteral("stroke=\"%1\"[^>]*>\\s*<polyline[^>]*points=\"([^\"]*)\"")
              .arg(QLatin1String(colour)));
      const QRegularExpressionMatch match = polyline.match(text);
      QVERIFY2(match.hasMatch(), colour);
      QStringList expected;
      const Pixel start = model.CurveStart();
      expected << QStringLiteral("%1,%2").arg(start.x).arg(start.y);
      for (uint32_t column = 0; column < model.CurvePointCount(); ++column) {
        const Pixel point = model.CurvePoint(curve, column);
        expected << QStringLiteral("%1,%2").arg(point.x).arg(point.y);
      }
      QCOMPARE(match.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts), expected);
    }
    const auto parsed = RunPython(
        "import sys, xml.etree.ElementTree as E\n"
        "print(E.parse(sys.argv[1]).getroot().get('viewBox'))\n",
        {svg.toStdString()});
    QCOMPARE(parsed.exitCode, 0);
    const QRect shown = ShownGraph(*window);
    QCOMPARE(QString::fromStdString(parsed.out),
             QStringLiteral("0 0 %1 %2\n").arg(shown.width()).arg(shown.height()));
    if (RunShell("command -v rsvg-convert").exitCode != 0) QSKIP("rsvg-convert is not installed");
    const QString png = folder.filePath(QStringLiteral("rendered.png"));
    const CliResult rendered = RunShell("rsvg-convert -o " + ShellQuote(png.toStdString()) + " " +
                                        ShellQuote(svg.toStdString()));
    QCOMPARE(rendered.exitCode, 0);
    QCOMPARE(QString::fromStdString(rendered.err), QString());
    // The size goes through millimetres, which may round up by one pixel.
    const QSize size = QImage(png).size();
    QVERIFY(qAbs(size.width() - shown.width()) <= 1 && qAbs(size.height() - shown.height()) <= 1);
  }

  void noMenuOutsideTheGraph() {
    auto window = ShowWindow();
    QVERIFY(window);
    const QPoint onPanel(window->width() - 20, 20);
    QContextMenuEvent event(QContextMenuEvent::Mouse, onPanel, window->mapToGlobal(onPanel));
    QApplication::sendEvent(window.get(), &event);
    const auto* menu = window->findChild<QMenu*>(QStringLiteral("GraphContextMenu"));
    QVERIFY(!menu || !menu->isVisible());
  }
};

std::unique_ptr<QObject> MakeGraphImageTest() {
  return std::make_unique<GraphImageTest>();
}

}  // namespace tessivo::test

#include "graph_image_test.moc"
