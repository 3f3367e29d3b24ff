// The Pictures and Compliance windows on analysed fixtures: opened by the key P and the graph's
// context menu, bars at the pixels of known pictures, the cross-hair readout, the table against
// the command line's export, following the main window, a loaded result, and failures that jump
// to their picture.
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "base/qt/picture_type_colour.h"
#include "compliance/qt/compliancefrm.h"
#include "gui_test_support.h"
#include "gui_tests.h"
#include "pictures/qt/picture_plot.h"
#include "pictures/qt/picturesfrm.h"
#include "support/test_files.h"
#include "tables/qt/pdialog.h"
#include "tables/qt/table_grid.h"
#include "view/graph_widget.h"
#include "view/tab_views.h"

namespace tessivo::test {

namespace {

view::TPicturesFrm* PicturesOf(const QWidget* window) {
  return window->findChild<view::TPicturesFrm*>(QStringLiteral("PicturesFrm"));
}

view::TComplianceFrm* ComplianceOf(const QWidget* window) {
  return window->findChild<view::TComplianceFrm*>(QStringLiteral("ComplianceFrm"));
}

void TriggerMenuEntry(const QWidget* window, const char* action) {
  auto* menu = window->findChild<QMenu*>(QStringLiteral("GraphContextMenu"));
  QVERIFY(menu);
  auto* entry = menu->findChild<QAction*>(QString::fromLatin1(action));
  QVERIFY(entry);
  entry->trigger();
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The Pictures window of a fixture analysed to its end, opened from the graph's menu.
struct OpenPictures {
  std::unique_ptr<view::TMainFrm> window;
  view::TPicturesFrm* pictures = nullptr;
  view::TPicturePlot* plot = nullptr;
};

OpenPictures OpenOn(const char* fixture) {
  OpenPictures open;
  open.window = AnalysedToTheEnd(fixture);
  if (!open.window) return open;
  TriggerMenuEntry(open.window.get(), "PicturesAction");
  open.pictures = PicturesOf(open.window.get());
  if (open.pictures == nullptr) return open;
  open.pictures->resize(900, 600);
  if (QTest::qWaitForWindowExposed(open.pictures)) open.plot = open.pictures->plot();
  return open;
}

}  // namespace

class PictureWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearSettings(); }

  void theKeyPAndTheGraphMenuOpenThePicturesWindow() {
    auto window = AnalysedToTheEnd("dvd_pal.vob");
    QVERIFY(window);
    auto* pictures = PicturesOf(window.get());
    QVERIFY(pictures);
    QVERIFY(!pictures->isVisible());

    // A text field keeps its letters.
    auto* edit = window->findChild<QLineEdit*>(QStringLiteral("Edit1"));
    const QString name = edit->text();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_P);
    QCOMPARE(edit->text(), name + QStringLiteral("p"));
    QVERIFY(!pictures->isVisible());
    edit->setText(name);

    QTest::keyClick(window.get(), Qt::Key_P);
    QVERIFY(pictures->isVisible());
    QCOMPARE(pictures->windowTitle(), QStringLiteral("Pictures"));
    pictures->hide();

    // A right click on the graph pops the menu up; one on the side panel does not.
    auto* menu = window->findChild<QMenu*>(QStringLiteral("GraphContextMenu"));
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 3);
    QCOMPARE(menu->actions()[0]->text(), QStringLiteral("Pictures..."));
    QCOMPARE(menu->actions()[1]->text(), QStringLiteral("Compliance..."));
    const QPoint onSidePanel(window->width() - 5, 5);
    QContextMenuEvent sidePanel(QContextMenuEvent::Mouse, onSidePanel,
                                window->mapToGlobal(onSidePanel));
    QApplication::sendEvent(window.get(), &sidePanel);
    QVERIFY(!menu->isVisible());
    const QPoint onGraph(30, 30);
    QContextMenuEvent graph(QContextMenuEvent::Mouse, onGraph, window->mapToGlobal(onGraph));
    QApplication::sendEvent(window.get(), &graph);
    QVERIFY(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    menu->hide();
    TriggerMenuEntry(window.get(), "PicturesAction");
    QVERIFY(pictures->isVisible());
  }

  void barsStandAtThePixelsOfTheirPictures() {
    OpenPictures open = OpenOn("dvd_pal.vob");
    QVERIFY(open.plot);
    const RecordStores& stores = open.window->context()->stores();
    const PicturePlotModel& model = open.plot->model();
    QCOMPARE(model.pictureCount(), stores.summary.pictureCount);
    const auto left = static_cast<int>(model.PlotArea().left);
    const auto baseline = static_cast<int>(model.Baseline());
    const auto rows = static_cast<double>(model.PlotArea().bottom - model.PlotArea().top);
    const int ppp = static_cast<int>(model.pixelsPerPicture());
    QCOMPARE(ppp, 4);
    QCOMPARE(model.firstPicture(), 0u);
    const QImage image = open.plot->grab().toImage();
    // Picture 1 is the tall I picture, 2 and 3 small P pictures; the bar's height is its kbit
    // on the scale's top value.
    for (const uint32_t picture : {0u, 1u, 2u}) {
      const PictureRecord& record = stores.pictures()[picture];
      const int height =
          static_cast<int>(record.size * 8.0 * rows / (model.ScaleTopKbit() * 1024.0));
      const int x = left + ppp * static_cast<int>(picture);
      const QColor colour = view::PictureTypeColour(record.type);
      QCOMPARE(PixelAt(image, x, baseline - 1), colour);
      QCOMPARE(PixelAt(image, x, baseline - height), colour);
      QVERIFY(PixelAt(image, x, baseline - height - 2) != colour);
      QVERIFY(PixelAt(image, x + ppp - 1, baseline - 1) != colour);  // the gap
      QVERIFY(PixelAt(image, x, baseline + 1) != colour);
    }

    // One zoom step in: six pixels a picture, bars five wide.
    open.pictures->findChild<QToolButton*>(QStringLiteral("ZoomIn"))->click();
    QCOMPARE(model.pixelsPerPicture(), 6u);
    QCOMPARE(LabelText(open.pictures, "ZoomLabel"), QStringLiteral("6 px/picture"));
    const QImage zoomed = open.plot->grab().toImage();
    const QColor p = view::PictureTypeColour('P');
    QCOMPARE(PixelAt(zoomed, left + 6 * 2 + 4, baseline - 1), p);
    QVERIFY(PixelAt(zoomed, left + 6 * 2 + 5, baseline - 1) != p);
  }

  void theCrossHairReadsThePictureUnderThePointer() {
    OpenPictures open = OpenOn("dvd_pal.vob");
    QVERIFY(open.plot);
    const int left = static_cast<int>(open.plot->model().PlotArea().left);
    MoveMouse(open.plot, QPoint(left + 4 * 1 + 2, 40));
    QCOMPARE(open.plot->crossHair(), std::optional<uint32_t>(1));
    // The row the command line writes for picture 2: "2,P,1656,2,2,2.00,1,00:00:00.01,9.4".
    QCOMPARE(LabelText(open.pictures, "Readout"),
             QStringLiteral("Picture 2 P  1656 bytes (12.9 kbit)  qmin 2 qmax 2 qavg 2.00  GOP 1  "
                            "00:00:00.01  Buffer 9.4 %"));
    QCOMPARE(open.pictures->grid()->currentRow(), 1);

    // The cross-hair's vertical line runs through the middle of the bar.
    const QImage image = open.plot->grab().toImage();
    const int middle = left + 4 + 1;
    QCOMPARE(PixelAt(image, middle, static_cast<int>(open.plot->model().PlotArea().top)),
             QColor(0, 0, 0));

    // A row chosen in the table moves the cross-hair there, and arrow keys step it.
    open.pictures->grid()->setCurrentCell(9, 0);
    QCOMPARE(open.plot->crossHair(), std::optional<uint32_t>(9));
    QVERIFY(LabelText(open.pictures, "Readout").startsWith(QStringLiteral("Picture 10 ")));
    QTest::keyClick(open.plot, Qt::Key_Right);
    QCOMPARE(open.plot->crossHair(), std::optional<uint32_t>(10));
    QCOMPARE(open.pictures->grid()->currentRow(), 10);
  }

  void theTableExportsAsTheCommandLineWritesIt() {
    OpenPictures open = OpenOn("dvd_pal.vob");
    QVERIFY(open.pictures);
    QTemporaryDir folder;
    for (const auto& [radio, extension] :
         {std::pair{"RadioButton1", ".txt"}, std::pair{"RadioButton4", ".htm"}}) {
      const QString viaWindow = folder.filePath(QStringLiteral("window") + extension);
      const QString viaCli = folder.filePath(QStringLiteral("cli") + extension);
      WithModal(open.window.get(), open.pictures->findChild<QToolButton*>("SpeedButton2"),
                QStringLiteral("ExportFrm"), [&](QWidget* exportFrm) {
                  exportFrm->findChild<QRadioButton*>(QString::fromLatin1(radio))->click();
                  exportFrm->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(viaWindow);
                  exportFrm->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
                });
      const CliResult cli = RunCli({"pictures", FixturePath("dvd_pal.vob"), viaCli.toStdString()});
      QCOMPARE(cli.exitCode, 0);
      const QByteArray written = FileBytes(viaWindow);
      QVERIFY(!written.isEmpty());
      QCOMPARE(written, FileBytes(viaCli));
    }
    QCOMPARE(open.pictures->grid()->TableRowCount(),
             static_cast<int>(open.window->context()->stores().summary.pictureCount) + 1);
  }

  void theTablePrintsThroughThePrintDialog() {
    OpenPictures open = OpenOn("dvd_pal.vob");
    QVERIFY(open.pictures);
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("pictures.pdf"));
    auto* pForm = open.window->findChild<view::TPForm*>(QStringLiteral("PForm"));
    pForm->printer().setOutputFormat(QPrinter::PdfFormat);
    pForm->printer().setOutputFileName(pdf);
    WithModal(open.window.get(), open.pictures->findChild<QToolButton*>("SpeedButton1"),
              QStringLiteral("PForm"), [](QWidget* printing) {
                printing->findChild<QPushButton*>(QStringLiteral("PrintB"))->click();
              });
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(20000));
    QStringList lines;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
      lines << line.simplified();
    }
    const view::TTableGrid& grid = *open.pictures->grid();
    QCOMPARE(grid.TableRowCount(), 31);
    for (const int row : {0, 1, 2, 30}) {
      QStringList cells;
      for (int column = 0; column < grid.TableColumnCount(); ++column) {
        cells << grid.CellText(row, column);
      }
      QVERIFY2(lines.contains(cells.join(QLatin1Char(' '))), qPrintable(cells.join(' ')));
    }
  }

  void itFollowsTheSecondUnderTheMainWindowsCrossHair() {
    OpenPictures open = OpenOn("mpeg2_pal_interlaced.vob");
    QVERIFY(open.plot);
    const ViewState& v = open.window->view();
    MoveMouse(open.window.get(), QPoint(2 * v.pixelsPerSecond + 2, v.pixelsPerUnit + 2));
    // The run's first second counted 26 pictures, its second 25: the third begins at picture 52.
    QCOMPARE(open.plot->crossHair(), std::optional<uint32_t>(51));
    QCOMPARE(open.pictures->grid()->currentRow(), 51);
    QVERIFY(open.plot->model().InView(74));
    MoveMouse(open.window.get(), QPoint(v.pixelsPerSecond + 2, v.pixelsPerUnit + 2));
    QCOMPARE(open.plot->crossHair(), std::optional<uint32_t>(26));

    // The scroll bar spans the first pictures there can be and scrolls the plot.
    auto* zoomIn = open.pictures->findChild<QToolButton*>(QStringLiteral("ZoomIn"));
    while (zoomIn->isEnabled()) zoomIn->click();
    const PicturePlotModel& model = open.plot->model();
    QCOMPARE(model.pixelsPerPicture(), 24u);
    auto* scroll = open.pictures->findChild<QScrollBar*>(QStringLiteral("PlotScroll"));
    QVERIFY(model.LastFirstPicture() > 10);
    QCOMPARE(scroll->maximum(), static_cast<int>(model.LastFirstPicture()));
    QCOMPARE(scroll->value(), static_cast<int>(model.firstPicture()));
    scroll->setValue(10);
    QCOMPARE(model.firstPicture(), 10u);
    TurnWheel(open.plot, -120);
    QVERIFY(model.firstPicture() > 10);
    QCOMPARE(scroll->value(), static_cast<int>(model.firstPicture()));

    // Hidden, it no longer follows.
    open.pictures->hide();
    MoveMouse(open.window.get(), QPoint(2, v.pixelsPerUnit + 2));
    QCOMPARE(open.plot->crossHair(), std::optional<uint32_t>(26));
  }

  void aLoadedResultSaysWhatIsMissingAndOffersANewRun() {
    QTemporaryDir folder;
    const QString result = folder.filePath(QStringLiteral("dvd.tsr"));
    QCOMPARE(
        RunCli({"analyse", FixturePath("dvd_pal.vob"), "--save", result.toStdString()}).exitCode,
        0);
    auto window = ShowWindow();
    QVERIFY(window);
    LoadResult(*window, result);
    QVERIFY(QTest::qWaitFor([&] { return window->context()->dataLoaded(); }, 5000));
    QVERIFY(!window->context()->stores().pictureFactsAvailable);
    TriggerMenuEntry(window.get(), "PicturesAction");
    auto* pictures = PicturesOf(window.get());
    QVERIFY(pictures->notice()->isVisible());
    QCOMPARE(pictures->grid()->CellText(1, 8), QString());
    QVERIFY(!pictures->plot()->model().HasFill());
    auto* reanalyse = pictures->notice()->findChild<QPushButton*>(QStringLiteral("Reanalyse"));
    QVERIFY(reanalyse->isVisible());

    TriggerMenuEntry(window.get(), "ComplianceAction");
    auto* compliance = ComplianceOf(window.get());
    QVERIFY(compliance->notice()->isVisible());
    QVERIFY(compliance->verdict()->text().contains(QStringLiteral("not checked")));

    reanalyse->click();
    QVERIFY(QTest::qWaitFor(
        [&] {
          return window->context()->stores().pictureFactsAvailable &&
                 window->context()->endReached();
        },
        20000));
    QVERIFY(QTest::qWaitFor([&] { return !pictures->notice()->isVisible(); }, 5000));
    QCOMPARE(pictures->grid()->CellText(1, 8), QStringLiteral("13.6"));
    QVERIFY(pictures->plot()->model().HasFill());
    QCOMPARE(compliance->verdict()->text(), QStringLiteral("every rule passes"));
  }

  void complianceFailuresJumpToTheirPicture() {
    auto window = AnalysedToTheEnd("dvd_pal_12mbit.vob");
    QVERIFY(window);
    TriggerMenuEntry(window.get(), "ComplianceAction");
    auto* compliance = ComplianceOf(window.get());
    QVERIFY(compliance && compliance->isVisible());
    compliance->resize(640, 480);
    QVERIFY(QTest::qWaitForWindowExposed(compliance));
    QCOMPARE(compliance->profileBox()->currentText(), QStringLiteral("DVD-Video PAL"));
    QCOMPARE(compliance->profileBox()->count(), 5);
    QCOMPARE(compliance->verdict()->text(), QStringLiteral("2 of 19 rules fail"));

    QTableWidget* rules = compliance->ruleTable();
    int failure = -1;
    int ruleRow = -1;
    for (int row = 0; row < rules->rowCount(); ++row) {
      if (rules->item(row, 0)->text() == QStringLiteral("Bitrate of each second (MPEG-2)")) {
        ruleRow = row;
        QCOMPARE(rules->item(row, 1)->text(), QStringLiteral("fail"));
      }
      if (rules->item(row, 2)->text().startsWith(QStringLiteral("GOP 2, second 2, picture 27"))) {
        failure = row;
      }
    }
    QVERIFY(ruleRow >= 0 && failure > ruleRow);
    QCOMPARE(view::TComplianceFrm::PictureOfRow(*rules, failure), 26u);

    // A rule's own row goes nowhere; its failure opens the Pictures window on picture 27.
    auto* pictures = PicturesOf(window.get());
    const auto doubleClick = [rules](int row) {
      rules->scrollToItem(rules->item(row, 2));
      const QRect cell = rules->visualItemRect(rules->item(row, 2));
      // A first click as a user's, then the second that makes it a double click.
      QTest::mouseClick(rules->viewport(), Qt::LeftButton, {}, cell.center());
      QTest::mouseDClick(rules->viewport(), Qt::LeftButton, {}, cell.center());
    };
    doubleClick(failure);
    QVERIFY(pictures->isVisible());
    QCOMPARE(pictures->plot()->crossHair(), std::optional<uint32_t>(26));
    QCOMPARE(pictures->grid()->currentRow(), 26);
    QVERIFY(LabelText(pictures, "Readout").startsWith(QStringLiteral("Picture 27 ")));
    pictures->hide();
    doubleClick(ruleRow);
    QVERIFY(!pictures->isVisible());

    // Another profile is checked as soon as it is chosen.
    compliance->profileBox()->setCurrentIndex(1);
    QCOMPARE(compliance->report().profile->id, std::string_view("dvd-ntsc"));
    QVERIFY(!rules->findItems(QStringLiteral("Frame rate"), Qt::MatchExactly).isEmpty());
    const int frameRate =
        rules->findItems(QStringLiteral("Frame rate"), Qt::MatchExactly).front()->row();
    QCOMPARE(rules->item(frameRate, 1)->text(), QStringLiteral("fail"));
  }
};

std::unique_ptr<QObject> MakePictureWindowsTest() {
  return std::make_unique<PictureWindowsTest>();
}

}  // namespace tessivo::test

#include "picture_windows_test.moc"
