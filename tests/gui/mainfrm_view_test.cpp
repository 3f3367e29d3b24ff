// The graph, the cross-hair and readouts, navigation and the tab views of the real window.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cmath>

#include "analysis/result_file.h"
#include "base/qt/gauge.h"
#include "base/rounding.h"
#include "gui_test_support.h"
#include "gui_tests.h"
#include "support/test_files.h"

namespace tessivo::test {

namespace {

constexpr int kRunTimeout = 20000;
constexpr int kPanel1Width = 272;
constexpr int kScPHeight = 21;
const QColor kBlack(0, 0, 0);
const QColor kGray(128, 128, 128);
const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kLime(0, 255, 0);
const QColor kSilver(192, 192, 192);

std::unique_ptr<view::TMainFrm> AnalysedWindow(const char* fixture) {
  auto window = ShowWindow({QString::fromStdString(FixturePath(fixture))});
  if (!window) return nullptr;
  const bool ended = QTest::qWaitFor(
      [&] { return window->context()->dataLoaded() && window->context()->endReached(); },
      kRunTimeout);
  return ended ? std::move(window) : nullptr;
}

// A result file of count valid seconds with rising bitrates, at 25 frames per second.
void WriteSeconds(const QString& path, uint32_t count) {
  AnalysisObserver observer;
  auto context = AnalysisContext::Create({}, observer);
  RecordStores& stores = context->stores();
  for (uint32_t i = 0; i < count; ++i) {
    stores.seconds()[i] = PerSecondStats{0, 1000 + 10 * i, 4.0 + (i % 7), 1};
  }
  stores.summary.frameRateIndex = 3;
  stores.summary.peakBitrate = 1000 + 10 * (count - 1);
  stores.summary.peakQuant = 10.0;
  SaveResultFile(*context, path.toStdString());
}

int CountColour(const QImage& image, QRect area, QColor colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) count += PixelAt(image, x, y) == colour;
  }
  return count;
}

int Sc1Position(const view::TMainFrm& window) {
  return window.findChild<QScrollBar*>(QStringLiteral("Sc1"))->value();
}

void Click(view::TMainFrm& window, const char* button) {
  QTest::mouseClick(window.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

QList<QLabel*> RowLabels(const view::TMainFrm& window, const char* sheet) {
  QList<QLabel*> labels;
  for (QLabel* label :
       window.findChild<QWidget*>(QString::fromLatin1(sheet))->findChildren<QLabel*>()) {
    if (label->x() == 1) labels.append(label);
  }
  std::sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
  return labels;
}

QLabel* BarBeside(const QLabel* label) {
  for (QLabel* bar : label->parentWidget()->findChildren<QLabel*>()) {
    if (bar->x() == 34 && bar->y() == label->y()) return bar;
  }
  return nullptr;
}

}  // namespace

class ViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearSettings(); }

  void emptyGraphBeforeAnyFile() {
    auto window = ShowWindow();
    const view::ViewState& v = window->view();
    QCOMPARE(v.pixelsPerSecond, uint16_t((699 - kPanel1Width) / 60));
    QCOMPARE(v.pixelsPerUnit, uint16_t((421 - kScPHeight) / 15));
    const QImage image = window->grab().toImage();
    QCOMPARE(PixelAt(image, v.pixelsPerSecond / 2, v.pixelsPerUnit / 2), kBlack);
    QCOMPARE(PixelAt(image, v.pixelsPerSecond / 2, v.graphHeight), kGray);
    QCOMPARE(PixelAt(image, v.pixelsPerSecond, v.pixelsPerUnit / 2), kGray);
    QCOMPARE(CountColour(image, QRect(0, 0, v.graphWidth, v.graphHeight), kWhite), 0);
    // Pointer and wheel do nothing before a file is loaded.
    MoveMouse(window.get(), QPoint(25, 25));
    QCOMPARE(v.cursorX, uint16_t(0));
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    TurnWheel(window.get(), -120);
    QCOMPARE(v.firstSecond, 0u);
    // The view selection waits for data.
    window->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(1);
    QCOMPARE(v.viewMode, 0);
  }

  void graphPixelsFollowTheMapping() {
    auto window = AnalysedWindow("mpeg1_cif25.m1v");
    QVERIFY(window);
    const view::ViewState& v = window->view();
    const QImage design = window->grab().toImage();
    // Black area beyond the data, gray grid without top or right edge lines, silver margins.
    QCOMPARE(PixelAt(design, v.graphWidth - v.pixelsPerSecond / 2, 2), kBlack);
    QCOMPARE(PixelAt(design, v.graphWidth - v.pixelsPerSecond / 2, v.graphHeight), kGray);
    QCOMPARE(PixelAt(design, v.graphWidth - v.pixelsPerSecond, 2), kGray);
    QCOMPARE(PixelAt(design, v.graphWidth - v.pixelsPerSecond / 2, 0), kBlack);
    QCOMPARE(PixelAt(design, v.graphWidth, 2), kSilver);
    QCOMPARE(PixelAt(design, v.pixelsPerSecond / 2, v.graphHeight + 2), kSilver);

    // Units of 40 pixels: each kbit step of the mapping shows, and both curves stay inside.
    window->findChild<QSpinBox*>(QStringLiteral("CSpinEdit1"))->setValue(10);
    QCOMPARE(v.pixelsPerUnit, uint16_t(40));
    const PerSecondStats* seconds = window->context()->stores().seconds();
    const QImage image = window->grab().toImage();
    const int bottom = v.graphHeight;

    // A second whose two points lie well apart, so neither curve covers the other's point.
    int best = 1;
    const auto bitrateY = [&](int s) {
      return bottom - int(seconds[s].bitrate / (1024 / v.pixelsPerUnit));
    };
    const auto quantY = [&](int s) {
      return bottom - int(RoundToInteger(v.pixelsPerUnit * seconds[s].quant));
    };
    for (int s = 1; s < 4; ++s) {
      if (std::abs(bitrateY(s) - quantY(s)) > std::abs(bitrateY(best) - quantY(best))) best = s;
    }
    QVERIFY(std::abs(bitrateY(best) - quantY(best)) > 2 * v.pixelsPerUnit);
    // At a point's column only the segment leaving it is painted: the run of curve pixels starts
    // exactly at the point and heads for the next one.
    const int x = best * v.pixelsPerSecond;
    const auto away = [](int from, int to) { return to > from ? -1 : 1; };
    QCOMPARE(PixelAt(image, x, bitrateY(best)), kYellow);
    QVERIFY(PixelAt(image, x, bitrateY(best) + away(bitrateY(best), bitrateY(best + 1))) !=
            kYellow);
    QCOMPARE(PixelAt(image, x, quantY(best)), kLime);
    QVERIFY(PixelAt(image, x, quantY(best) + away(quantY(best), quantY(best + 1))) != kLime);
    // The first segment rises from the bottom left corner; the quantiser is drawn last.
    QCOMPARE(PixelAt(image, 0, bottom - 1), kLime);
    const QRect area(0, 0, v.graphWidth, bottom);
    auto* combo = window->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    combo->setCurrentIndex(1);
    QImage only = window->grab().toImage();
    QVERIFY(CountColour(only, area, kYellow) > 0);
    QCOMPARE(CountColour(only, area, kLime), 0);
    combo->setCurrentIndex(2);
    only = window->grab().toImage();
    QCOMPARE(CountColour(only, area, kYellow), 0);
    QVERIFY(CountColour(only, area, kLime) > 0);
    combo->setEditText(QStringLiteral("Neither"));
    QCOMPARE(v.viewMode, -1);
    only = window->grab().toImage();
    QCOMPARE(CountColour(only, area, kYellow) + CountColour(only, area, kLime), 0);
  }

  void crossHairAndReadoutsFollowPointerAndKeys() {
    auto window = AnalysedWindow("mpeg1_cif25.m1v");
    QVERIFY(window);
    const view::ViewState& v = window->view();
    const RecordStores& stores = window->context()->stores();
    const int pps = v.pixelsPerSecond;
    const int ppu = v.pixelsPerUnit;

    MoveMouse(window.get(), QPoint(pps + 2, v.graphHeight - 3 * ppu + 1));
    QCOMPARE(window->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(LabelText(window.get(), "GopPos"), QStringLiteral("00:00:02"));
    QCOMPARE(LabelText(window.get(), "VertPos"), QStringLiteral("3"));
    QCOMPARE(LabelText(window.get(), "Bitrate"), QString::number(stores.seconds()[1].bitrate));
    QCOMPARE(LabelText(window.get(), "QLevel"),
             QString::asprintf("%.2f", stores.seconds()[1].quant));
    QCOMPARE(window->findChild<view::TCGauge*>(QStringLiteral("CGp"))->value(),
             int(double(stores.seconds()[1].bitrate) / stores.summary.peakBitrate * 100));
    QImage image = window->grab().toImage();
    QCOMPARE(PixelAt(image, pps, 1), kWhite);
    QCOMPARE(PixelAt(image, v.graphWidth - pps - 2, (v.graphHeight / ppu - 3) * ppu), kWhite);

    // Moving one cell on erases the old cross-hair back to grid gray.
    MoveMouse(window.get(), QPoint(2 * pps + 2, v.graphHeight - 3 * ppu + 1));
    image = window->grab().toImage();
    QCOMPARE(PixelAt(image, pps, 1), kGray);
    QCOMPARE(PixelAt(image, 2 * pps, 1), kWhite);
    QCOMPARE(LabelText(window.get(), "GopPos"), QStringLiteral("00:00:03"));

    // Shift freezes the cross-hair and the readouts.
    MoveMouse(window.get(), QPoint(pps / 2, 5), Qt::ShiftModifier);
    QCOMPARE(LabelText(window.get(), "GopPos"), QStringLiteral("00:00:03"));

    QTest::keyClick(window.get(), Qt::Key_Left);
    QCOMPARE(LabelText(window.get(), "GopPos"), QStringLiteral("00:00:02"));
    QTest::keyClick(window.get(), Qt::Key_Left);
    QCOMPARE(LabelText(window.get(), "GopPos"), QStringLiteral("00:00:01"));
    QCOMPARE(LabelText(window.get(), "Bitrate"), QString::number(stores.seconds()[0].bitrate));
    // Left in the first column leaves the graph: the cross-hair stays.
    QTest::keyClick(window.get(), Qt::Key_Left);
    QCOMPARE(LabelText(window.get(), "GopPos"), QStringLiteral("00:00:01"));
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    QTest::keyClick(window.get(), Qt::Key_Up);
    QCOMPARE(LabelText(window.get(), "VertPos"), QStringLiteral("4"));
    QTest::keyClick(window.get(), Qt::Key_Down);
    QCOMPARE(LabelText(window.get(), "VertPos"), QStringLiteral("3"));
    // Arrow keys are the window's, even with a spin edit focused.
    auto* spin = window->findChild<QSpinBox*>(QStringLiteral("CSpinEdit1"));
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_Up);
    QCOMPARE(spin->value(), 15);
    QCOMPARE(LabelText(window.get(), "VertPos"), QStringLiteral("4"));

    // Outside the zone only the pointer shape changes.
    MoveMouse(window.get(), QPoint(v.graphWidth + 5, 5));
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(LabelText(window.get(), "VertPos"), QStringLiteral("4"));
  }

  void pointerOverTheGraphReachesTheWindowThroughTheWindowSystem() {
    auto window = AnalysedWindow("mpeg1_cif25.m1v");
    QVERIFY(window);
    const view::ViewState& v = window->view();
    // Through the window, as a real pointer comes: the drawing surface under it must pass the
    // motion on to the window's tracking.
    QTest::mouseMove(window->windowHandle(),
                     QPoint(2 * v.pixelsPerSecond + 2, v.pixelsPerUnit + 2));
    QTRY_COMPARE(LabelText(window.get(), "GopPos"), QStringLiteral("00:00:03"));
    QCOMPARE(v.cursorX, uint16_t(2 * v.pixelsPerSecond));
    QTest::mouseMove(window->windowHandle(),
                     QPoint(5 * v.pixelsPerSecond + 2, v.pixelsPerUnit + 2));
    QTRY_COMPARE(LabelText(window.get(), "GopPos"), QStringLiteral("00:00:06"));
  }

  void tabViewsShowThePicturesOfTheTrackedSecond() {
    auto window = AnalysedWindow("mpeg1_cif25.m1v");
    QVERIFY(window);
    const RecordStores& stores = window->context()->stores();
    const PictureRecord* pictures = stores.pictures();
    auto* pages = window->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    // The top left cell is the no-cross-hair state; the one below it is second 0 as well.
    MoveMouse(window.get(), QPoint(2, window->view().pixelsPerUnit + 2));
    QCOMPARE(LabelText(window.get(), "GopPos"), QStringLiteral("00:00:01"));
    QVERIFY(RowLabels(*window, "TB3").isEmpty());

    pages->setCurrentIndex(2);  // "FrQ Min"
    QList<QLabel*> rows = RowLabels(*window, "TB3");
    QCOMPARE(rows.size(), 25);
    QCOMPARE(rows[0]->text(), QStringLiteral(" 1.I"));
    QCOMPARE(rows[0]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(rows[24]->y(), 24 * 12);
    for (int k = 0; k < 25; ++k) {
      QLabel* bar = BarBeside(rows[k]);
      QVERIFY(bar);
      QCOMPARE(bar->width(), pictures[k].qmin * 8);
      QCOMPARE(bar->text(), QString::number(pictures[k].qmin));
      QCOMPARE(bar->toolTip(), QStringLiteral(" Q scale: %1 ").arg(pictures[k].qmin));
    }

    pages->setCurrentIndex(4);  // "FrQ Avg": the same rows move over
    QVERIFY(RowLabels(*window, "TB3").isEmpty());
    rows = RowLabels(*window, "TB5");
    QCOMPARE(rows.size(), 25);
    QCOMPARE(BarBeside(rows[3])->text(), QString::asprintf("%.2f", pictures[3].qavg));
    QCOMPARE(BarBeside(rows[3])->width(), int(std::lround(pictures[3].qavg)) * 8);

    pages->setCurrentIndex(1);  // "Comp. Ratio"
    rows = RowLabels(*window, "TB2");
    const double ratio = 352.0 * 288.0 * 1.5 / pictures[5].size;
    QCOMPARE(stores.summary.horizontalSize, 352u);
    QCOMPARE(BarBeside(rows[5])->text(), QString::asprintf("%.2f", ratio));
    QCOMPARE(BarBeside(rows[5])->toolTip(), QString::asprintf(" Compression: %.2fX ", ratio));

    // The next second fills the same rows with pictures 25 to 49.
    QTest::keyClick(window.get(), Qt::Key_Right);
    const char type = pictures[25].type;
    QCOMPARE(rows[0]->text(), QStringLiteral(" 1.%1").arg(QLatin1Char(type)));
    QCOMPARE(BarBeside(rows[0])->text(),
             QString::asprintf("%.2f", 352.0 * 288.0 * 1.5 / pictures[25].size));

    pages->setCurrentIndex(0);  // "General" leaves the rows where they are
    QCOMPARE(RowLabels(*window, "TB2").size(), 25);
  }

  void higherFrameRateAddsTheMissingRows() {
    auto window = AnalysedWindow("mpeg1_cif25.m1v");
    QVERIFY(window);
    auto* pages = window->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    pages->setCurrentIndex(3);  // "FrQ Max"
    MoveMouse(window.get(), QPoint(2, window->view().pixelsPerUnit + 2));
    QCOMPARE(RowLabels(*window, "TB4").size(), 25);

    AnswerFileDialog(window.get(), QStringLiteral("OpenDialog1"),
                     QString::fromStdString(FixturePath("mpeg2_ntsc_progressive.m2v")));
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(window->context()->endReached(), kRunTimeout);
    MoveMouse(window.get(),
              QPoint(window->view().pixelsPerSecond + 2, 2 * window->view().pixelsPerUnit + 2));
    const QList<QLabel*> rows = RowLabels(*window, "TB4");
    QCOMPARE(rows.size(), 30);
    QCOMPARE(rows[29]->text(), QStringLiteral("30.%1").arg(
                                   QLatin1Char(window->context()->stores().pictures()[59].type)));
    QCOMPARE(BarBeside(rows[29])->width(), window->context()->stores().pictures()[59].qmax * 8);
  }

  void picturesNotYetFilledShowTheirNumberAndADot() {
    auto window = AnalysedWindow("mpeg1_cif25.m1v");
    QVERIFY(window);
    const view::ViewState& v = window->view();
    const uint32_t pictures = window->context()->stores().summary.pictureCount;
    auto* pages = window->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    pages->setCurrentIndex(1);  // "Comp. Ratio"
    // Two seconds past the last picture: every row is a record never filled.
    const int second = static_cast<int>(pictures / 25) + 2;
    MoveMouse(window.get(), QPoint(second * v.pixelsPerSecond + 2, v.pixelsPerUnit + 2));
    QCOMPARE(LabelText(window.get(), "GopPos"), QString::asprintf("00:00:%02d", second + 1));
    QList<QLabel*> rows = RowLabels(*window, "TB2");
    QCOMPARE(rows.size(), 25);
    for (int k = 0; k < 25; ++k) {
      QCOMPARE(rows[k]->text(), QString::asprintf("%2d.", k + 1));
      QCOMPARE(rows[k]->palette().color(QPalette::WindowText), kBlack);
      QCOMPARE(BarBeside(rows[k])->width(), 1);
      QCOMPARE(BarBeside(rows[k])->text(), QStringLiteral("1.00"));
    }
    pages->setCurrentIndex(2);  // "FrQ Min"
    rows = RowLabels(*window, "TB3");
    QCOMPARE(rows.size(), 25);
    QCOMPARE(rows[6]->text(), QStringLiteral(" 7."));
    QCOMPARE(BarBeside(rows[6])->width(), 0);
  }

  void sidewaysWheelLeavesTheView() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("hundred.tsr"));
    WriteSeconds(path, 100);
    auto window = ShowWindow();
    LoadResult(*window, path);
    const view::ViewState& v = window->view();
    TurnWheel(window.get(), -120);
    QCOMPARE(v.firstSecond, 3u);
    QCOMPARE(Sc1Position(*window), 4);
    for (int delta : {120, -120}) {
      SwipeSideways(window.get(), delta);
      SwipeSideways(window.get(), delta, Qt::ShiftModifier);
    }
    QCOMPARE(v.firstSecond, 3u);
    QCOMPARE(Sc1Position(*window), 4);
    TurnWheel(window.get(), 120);  // the vertical wheel still steps back
    QCOMPARE(v.firstSecond, 0u);
  }

  void wheelScrollBarAndEndButtonsMoveTheView() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("hundred.tsr"));
    WriteSeconds(path, 100);
    auto window = ShowWindow();
    LoadResult(*window, path);
    const view::ViewState& v = window->view();
    QVERIFY(window->context()->dataLoaded());
    QCOMPARE(v.horizontalScale, uint16_t(60));
    QCOMPARE(window->scrollSpeed(), 3);

    TurnWheel(window.get(), 120);  // away from the user at the start: nothing
    QCOMPARE(v.firstSecond, 0u);
    QCOMPARE(Sc1Position(*window), 0);
    TurnWheel(window.get(), -120);
    QCOMPARE(v.firstSecond, 3u);
    QCOMPARE(Sc1Position(*window), 4);
    TurnWheel(window.get(), -120, Qt::ShiftModifier);
    QCOMPARE(v.firstSecond, 4u);
    QCOMPARE(Sc1Position(*window), 6);

    Click(*window, "Button5");  // ">|"
    QCOMPARE(v.firstSecond, 40u);
    QCOMPARE(Sc1Position(*window), 99);
    TurnWheel(window.get(), -120);
    QCOMPARE(v.firstSecond, 40u);
    QCOMPARE(Sc1Position(*window), 99);
    // The last valid second sits in the last column.
    const QImage image = window->grab().toImage();
    const int lastX = 59 * v.pixelsPerSecond;
    QVERIFY(CountColour(image, QRect(lastX - 1, 0, 1, v.graphHeight), kYellow) > 0);

    Click(*window, "Button4");  // "|<"
    QCOMPARE(v.firstSecond, 0u);
    QCOMPARE(Sc1Position(*window), 0);

    auto* scrollBar = window->findChild<QScrollBar*>(QStringLiteral("Sc1"));
    scrollBar->setValue(10);
    QCOMPARE(v.firstSecond, 10u);
    scrollBar->setValue(4);
    QCOMPARE(v.firstSecond, 4u);
    MoveMouse(window.get(), QPoint(2, v.pixelsPerUnit + 2));
    QCOMPARE(LabelText(window.get(), "GopPos"), QStringLiteral("00:00:05"));
    QCOMPARE(LabelText(window.get(), "Bitrate"), QStringLiteral("1040"));
  }

  void scalesResizeAndDoubleClickRelayout() {
    auto window = AnalysedWindow("mpeg2_pal_interlaced.vob");
    QVERIFY(window);
    const view::ViewState& v = window->view();
    window->resize(900, 500);
    QCOMPARE(v.pixelsPerSecond, uint16_t((900 - kPanel1Width) / 60));
    QCOMPARE(v.pixelsPerUnit, uint16_t((500 - kScPHeight) / 15));
    auto* strip = window->findChild<QWidget*>(QStringLiteral("ScP"));
    QCOMPARE(strip->geometry(), QRect(0, 500 - kScPHeight - 1, 900 - kPanel1Width, kScPHeight));
    auto* scrollBar = window->findChild<QScrollBar*>(QStringLiteral("Sc1"));
    auto* start = window->findChild<QPushButton*>(QStringLiteral("Button4"));
    auto* end = window->findChild<QPushButton*>(QStringLiteral("Button5"));
    QCOMPARE(scrollBar->x(), start->width() + 1);
    QCOMPARE(end->x(), scrollBar->width() + start->width() + 1);
    QVERIFY(end->geometry().right() < strip->width());

    window->findChild<QSpinBox*>(QStringLiteral("CSpinEdit1"))->setValue(10);
    QCOMPARE(v.pixelsPerUnit, uint16_t((500 - kScPHeight) / 10));  // at once
    window->findChild<QSpinBox*>(QStringLiteral("CSpinEdit2"))->setValue(100);
    QCOMPARE(v.horizontalScale, uint16_t(100));
    QCOMPARE(v.pixelsPerSecond, uint16_t((900 - kPanel1Width) / 60));  // within a second
    QTRY_COMPARE_WITH_TIMEOUT(v.pixelsPerSecond, uint16_t((900 - kPanel1Width) / 100), 1500);

    QTest::mouseDClick(window.get(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(window->size(),
             QSize(v.pixelsPerSecond * 100 + kPanel1Width, v.graphHeight + kScPHeight));
  }
};

std::unique_ptr<QObject> MakeViewTest() {
  return std::make_unique<ViewTest>();
}

}  // namespace tessivo::test

#include "mainfrm_view_test.moc"
