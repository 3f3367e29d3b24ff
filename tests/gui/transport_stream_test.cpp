// Transport streams in the window: opened from the dialog and from the command line with the
// report and figures the CLI gives, Modify refused, and a stream without MPEG video refused.
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <regex>

#include "gui_test_support.h"
#include "gui_tests.h"
#include "support/test_files.h"

namespace tessivo::test {

namespace {

constexpr int kRunTimeout = 20000;

QString Fixture(const char* name) {
  return QString::fromStdString(FixturePath(name));
}

bool RunEnded(const view::TMainFrm& window) {
  return window.context()->dataLoaded() && window.context()->endReached();
}

QString ReportText(const view::TMainFrm& window) {
  return window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
}

// What the CLI prints for the file: the report, then the figures.
void CompareWithCli(const view::TMainFrm& window, const QString& path) {
  const CliResult cli = RunCli({"analyse", path.toStdString()});
  QCOMPARE(cli.exitCode, 0);
  QVERIFY(QString::fromStdString(cli.out).startsWith(ReportText(window) + QLatin1Char('\n')));
  std::smatch peak;
  const std::regex pattern("Peak bitrate: ([0-9]+)");
  QVERIFY(std::regex_search(cli.out, peak, pattern));
  QCOMPARE(LabelText(&window, "Pbitr"), QString::fromStdString(peak[1]));
}

}  // namespace

class TransportStreamTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearSettings(); }

  void openedFromTheDialogUnderItsFileType() {
    auto window = ShowWindow();
    QVERIFY(window);
    auto* dialog = window->findChild<QFileDialog*>(QStringLiteral("OpenDialog1"));
    const QStringList filters = dialog->nameFilters();
    QCOMPARE(filters.size(), 4);
    QCOMPARE(filters[1], QStringLiteral("Video/Audio streams (*.mpg *.vob *.dat *.ts *.m2ts *.mts "
                                        "*.m2t *.trp)"));
    const QString path = Fixture("ts_gst.m2ts");
    WhenShown(window.get(), QStringLiteral("OpenDialog1"), [&](QWidget*) {
      dialog->selectNameFilter(filters[1]);
      dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(RunEnded(*window), kRunTimeout);
    QCOMPARE(StoredValue(QStringLiteral("FileTypes")).toInt(), 2);
    QVERIFY(ReportText(*window).contains(
        QStringLiteral("\nNotes:\nTransport stream: program 1, video PID 65, 192-byte packets")));
    CompareWithCli(*window, path);
  }

  void openedFromTheCommandLineAndModifyRefused() {
    auto window = AnalysedToTheEnd("ts_damaged.ts");
    QVERIFY(window);
    QVERIFY(ReportText(*window).endsWith(QStringLiteral("Transport stream sync lost 1 times!")));
    CompareWithCli(*window, Fixture("ts_damaged.ts"));
    MessageBoxAnswer answer(QMessageBox::Ok);
    QTest::mouseClick(window->findChild<QToolButton*>(QStringLiteral("SpeedButton5")),
                      Qt::LeftButton);
    QCOMPARE(answer.texts(),
             QStringList{QStringLiteral("You cannot modify a system/program stream!\nTo do it you "
                                        "have to demux it to separated video/audio streams")});
    QVERIFY(!window->findChild<QWidget*>(QStringLiteral("ModifFrm"))->isVisible());
  }

  void withoutMpegVideoTheMessageBoxAndNoRun() {
    auto window = ShowWindow();
    QVERIFY(window);
    MessageBoxAnswer ok(QMessageBox::Ok);
    AnswerFileDialog(window.get(), QStringLiteral("OpenDialog1"), Fixture("ts_h264.ts"));
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    QCOMPARE(ok.texts(), QStringList{QStringLiteral(
                             "No MPEG-1/MPEG-2 video stream found in this transport stream!")});
    QVERIFY(!window->context()->dataLoaded());
    QVERIFY(ReportText(*window).isEmpty());
  }
};

std::unique_ptr<QObject> MakeTransportStreamTest() {
  return std::make_unique<TransportStreamTest>();
}

}  // namespace tessivo::test

#include "transport_stream_test.moc"
