// The analysis run through the real window: command-line start, figures against the CLI, pause
// and resume, a second file during a run, failed opens, the AVI warning and result files.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstring>
#include <regex>

#include "analysis/analysis_context.h"
#include "analysis/stream_report.h"
#include "gui_test_support.h"
#include "gui_tests.h"
#include "mpeg/qt/freadthread.h"
#include "support/stream_builder.h"
#include "support/test_files.h"

namespace tessivo::test {

namespace {

constexpr int kRunTimeout = 20000;

QString Fixture(const char* name) {
  return QString::fromStdString(FixturePath(name));
}

// The records of a straight run of the engine over the same file.
struct StraightRun {
  explicit StraightRun(const QString& path) : context(AnalysisContext::Create({}, observer)) {
    context->StartAnalysis(path.toStdString());
    context->ReadToEnd();
  }
  AnalysisObserver observer;
  std::unique_ptr<AnalysisContext> context;
};

bool SameSeconds(const AnalysisContext& a, const AnalysisContext& b) {
  if (a.secondsRead() != b.secondsRead()) return false;
  for (uint32_t i = 0; i < a.secondsRead(); ++i) {
    const PerSecondStats& x = a.stores().seconds()[i];
    const PerSecondStats& y = b.stores().seconds()[i];
    if (x.bitrate != y.bitrate || x.quant != y.quant || x.valid != y.valid) return false;
  }
  return a.stores().summary.pictureCount == b.stores().summary.pictureCount;
}

QString CliFigure(const std::string& out, const char* name) {
  const std::regex pattern(std::string(name) + ": ([0-9.]+)");
  std::smatch match;
  return std::regex_search(out, match, pattern) ? QString::fromStdString(match[1]) : QString();
}

void OpenThroughDialog(view::TMainFrm& window, const QString& path) {
  AnswerFileDialog(&window, QStringLiteral("OpenDialog1"), path);
  QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
}

void ClickPanel4(view::TMainFrm& window) {
  QTest::mouseClick(window.findChild<QLabel*>(QStringLiteral("Panel4")), Qt::LeftButton);
}

QColor Panel4Colour(view::TMainFrm& window) {
  return window.findChild<QLabel*>(QStringLiteral("Panel4"))->palette().color(QPalette::Window);
}

bool RunEnded(const view::TMainFrm& window) {
  return window.context()->dataLoaded() && window.context()->endReached();
}

QString ReportText(const view::TMainFrm& window) {
  return window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
}

}  // namespace

class RunTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearSettings(); }

  void commandLineStartAnalysesToTheEndLikeTheCli() {
    const QString path = Fixture("mpeg2_pal_interlaced.vob");
    QElapsedTimer sinceShown;
    sinceShown.start();
    auto window = ShowWindow({path});
    QVERIFY(window);
    QTest::qWait(400);
    QVERIFY(!window->context()->dataLoaded());
    QVERIFY(window->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(window->context()->dataLoaded(), kRunTimeout);
    QVERIFY(sinceShown.elapsed() >= 800);
    QTRY_VERIFY_WITH_TIMEOUT(RunEnded(*window), kRunTimeout);

    const CliResult cli = RunCli({"analyse", path.toStdString()});
    QCOMPARE(cli.exitCode, 0);
    QCOMPARE(LabelText(window.get(), "Pbitr"), CliFigure(cli.out, "Peak bitrate"));
    QCOMPARE(LabelText(window.get(), "ABitr"), CliFigure(cli.out, "Average bitrate"));
    QCOMPARE(LabelText(window.get(), "Pq"), CliFigure(cli.out, "Peak quantiser"));
    QCOMPARE(LabelText(window.get(), "Aq"), CliFigure(cli.out, "Average quantiser"));
    const QString report = ReportText(*window);
    QVERIFY(!report.isEmpty());
    QVERIFY(QString::fromStdString(cli.out).startsWith(report + QLatin1Char('\n')));

    QCOMPARE(StoredValue(QStringLiteral("LastPath")).toString(),
             QFileInfo(path).path() + QLatin1Char('/'));
    QCOMPARE(StoredValue(QStringLiteral("FileTypes")).toInt(), 1);
    for (const char* name :
         {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton5", "SpeedButton6"}) {
      QVERIFY2(window->findChild<QToolButton*>(QString::fromLatin1(name))->isEnabled(), name);
    }
    // After the end the thread is parked within about a second.
    QTRY_VERIFY_WITH_TIMEOUT(window->readingThread()->suspended(), 2500);
  }

  void pauseAndResumeSkipNoSecond() {
    const QString path = Fixture("mpeg1_cif25.m1v");
    const StraightRun straight(path);
    auto window = ShowWindow();
    const QColor normal = Panel4Colour(*window);
    OpenThroughDialog(*window, path);
    ClickPanel4(*window);
    const uint32_t atPause = window->context()->secondsRead();
    QVERIFY(atPause >= 1);
    QVERIFY(atPause < straight.context->secondsRead());
    QCOMPARE(Panel4Colour(*window), QColor(0, 128, 0));
    QVERIFY(ReportText(*window).startsWith(QStringLiteral("Num. of picture read: ")));
    QTest::qWait(400);
    QCOMPARE(window->context()->secondsRead(), atPause);
    QVERIFY(!window->context()->endReached());

    ClickPanel4(*window);
    QCOMPARE(Panel4Colour(*window), normal);
    QTRY_VERIFY_WITH_TIMEOUT(RunEnded(*window), kRunTimeout);
    QVERIFY(SameSeconds(*window->context(), *straight.context));
    // After the end a click neither pauses nor colours the panel.
    ClickPanel4(*window);
    QCOMPARE(Panel4Colour(*window), normal);
  }

  void secondFileDuringARunReplacesTheFirst() {
    const QString first = Fixture("mpeg1_cif25.m1v");
    const QString second = Fixture("mpeg2_ntsc_progressive.m2v");
    const StraightRun straight(second);
    auto window = ShowWindow();
    OpenThroughDialog(*window, first);
    const FileReading* thread = window->readingThread();
    QVERIFY(thread);
    QVERIFY(!window->context()->endReached());
    OpenThroughDialog(*window, second);
    QTRY_VERIFY_WITH_TIMEOUT(RunEnded(*window), kRunTimeout);
    QTest::qWait(200);
    QCOMPARE(window->readingThread(), thread);
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), second);
    QVERIFY(SameSeconds(*window->context(), *straight.context));
  }

  void closingDuringARunEndsTheThreadWithTheWindow() {
    auto window = ShowWindow();
    OpenThroughDialog(*window, Fixture("mpeg1_cif25.m1v"));
    QTest::qWait(1);  // let the thread ask for a step
    QVERIFY(!window->context()->endReached());
    QVERIFY(window->close());
    QElapsedTimer destroying;
    destroying.start();
    window.reset();
    QVERIFY(destroying.elapsed() < 2000);
    QCOMPARE(StoredValue(QStringLiteral("XAxis")).toInt(), 15);
  }

  void failedOpenLeavesNoThreadAbleToStep() {
    QTemporaryDir folder;
    const QString invalid = folder.filePath(QStringLiteral("noise.m2v"));
    QFile noise(invalid);
    QVERIFY(noise.open(QIODevice::WriteOnly));
    noise.write(QByteArray(70000, '\x55'));
    noise.close();

    auto window = ShowWindow();
    OpenThroughDialog(*window, Fixture("mpeg1_cif25.m1v"));
    ClickPanel4(*window);  // paused in the middle of the first file
    {
      MessageBoxAnswer ok(QMessageBox::Ok);
      OpenThroughDialog(*window, invalid);
      QCOMPARE(ok.texts(), QStringList{QStringLiteral("Invalid stream type!")});
    }
    QVERIFY(!window->context()->dataLoaded());
    ClickPanel4(*window);  // no run to resume
    QTest::qWait(400);
    QCOMPARE(window->context()->secondsRead(), 0u);
    QCOMPARE(window->context()->stores().summary.pictureCount, 0u);
    QCOMPARE(window->context()->stores().gopCount, 0u);
    QVERIFY(window->findChild<QToolButton*>(QStringLiteral("SpeedButton1"))->isEnabled());
  }

  void aviWarningLetsTheUserDecline() {
    QTemporaryDir folder;
    const QString clip = folder.filePath(QStringLiteral("clip.AVI.mpg"));
    QVERIFY(QFile::copy(Fixture("mpeg2_pal_interlaced.vob"), clip));
    auto window = ShowWindow();
    {
      MessageBoxAnswer no(QMessageBox::No);
      OpenThroughDialog(*window, clip);
      QCOMPARE(
          no.texts(),
          QStringList{QStringLiteral("Parsing AVI files is just your risk! Wish you continue?")});
    }
    QVERIFY(!window->context()->dataLoaded());
    QVERIFY(window->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text().isEmpty());
    QVERIFY(!window->findChild<QToolButton*>(QStringLiteral("SpeedButton1"))->isEnabled());
    {
      MessageBoxAnswer yes(QMessageBox::Yes);
      OpenThroughDialog(*window, clip);
      QCOMPARE(yes.texts().size(), 1);
    }
    QTRY_VERIFY_WITH_TIMEOUT(RunEnded(*window), kRunTimeout);
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), clip);
  }

  void resultFileRoundTripRestoresLabelsReportAndGraph() {
    QTemporaryDir folder;
    const QString saved = folder.filePath(QStringLiteral("run.tsr"));
    auto window = ShowWindow();
    OpenThroughDialog(*window, Fixture("mpeg2_pal_interlaced.vob"));
    QTRY_VERIFY_WITH_TIMEOUT(RunEnded(*window), kRunTimeout);
    const QStringList labels = {LabelText(window.get(), "Pbitr"), LabelText(window.get(), "ABitr"),
                                LabelText(window.get(), "Pq"), LabelText(window.get(), "Aq")};
    const QString report = ReportText(*window);
    const QImage graph = window->grab().toImage();

    AnswerFileDialog(window.get(), QStringLiteral("SVRd"), saved);
    QTest::mouseClick(window->findChild<QToolButton*>(QStringLiteral("SpeedButton1")),
                      Qt::LeftButton);
    QVERIFY(QFile::exists(saved));

    OpenThroughDialog(*window, Fixture("mpeg1_cif25.m1v"));
    QTRY_VERIFY_WITH_TIMEOUT(RunEnded(*window), kRunTimeout);
    QVERIFY(ReportText(*window) != report);
    auto* edit1 = window->findChild<QLineEdit*>(QStringLiteral("Edit1"));
    QCOMPARE(edit1->text(), Fixture("mpeg1_cif25.m1v"));

    LoadResult(*window, saved);
    // The loaded result names the stream it was made from, not the one analysed last.
    QCOMPARE(edit1->text(), Fixture("mpeg2_pal_interlaced.vob"));
    const QStringList loaded = {LabelText(window.get(), "Pbitr"), LabelText(window.get(), "ABitr"),
                                LabelText(window.get(), "Pq"), LabelText(window.get(), "Aq")};
    QCOMPARE(loaded, labels);
    QCOMPARE(ReportText(*window), report);
    QTest::qWait(50);
    const QImage reloaded = window->grab().toImage();
    const int graphRight = window->view().graphWidth;
    QCOMPARE(reloaded.copy(0, 0, graphRight, window->view().graphHeight + 1),
             graph.copy(0, 0, graphRight, window->view().graphHeight + 1));
  }

  void noLoadCanStartWhileAStreamIsStillSeekingAndALoadEndsTheRun() {
    QTemporaryDir folder;
    const QString result = folder.filePath(QStringLiteral("other.tsr"));
    QCOMPARE(RunCli({"analyse", FixturePath("mpeg2_ntsc_progressive.m2v"), "--save",
                     result.toStdString()})
                 .exitCode,
             0);
    // Start codes before the first sequence header keep the window "Seeking" for a while.
    StreamBuilder seeking;
    for (int i = 0; i < 200; ++i) seeking.UserData("junk");
    seeking.Bytes(ReadFileBytes(FixturePath("mpeg1_cif25.m1v")));
    const QString stream = folder.filePath(QStringLiteral("seeking.m1v"));
    {
      const TempFile built(seeking.bytes(), ".m1v");
      QVERIFY(QFile::copy(QString::fromStdString(built.path()), stream));
    }
    const StraightRun straight(stream);

    auto window = ShowWindow();
    QVERIFY(window);
    auto* load = window->findChild<QToolButton*>(QStringLiteral("SpeedButton2"));
    auto* panel4 = window->findChild<QLabel*>(QStringLiteral("Panel4"));
    // While the open is seeking, the user clicks "Open result file".
    bool clickedWhileSeeking = false;
    QTimer user;
    user.setInterval(0);
    connect(&user, &QTimer::timeout, [&] {
      if (panel4->text() != QStringLiteral("Seeking")) return;
      user.stop();
      clickedWhileSeeking = true;
      if (load->isEnabled()) AnswerFileDialog(window.get(), QStringLiteral("LVRd"), result);
      load->click();
    });
    user.start();
    OpenThroughDialog(*window, stream);
    QVERIFY(clickedWhileSeeking);
    QTRY_VERIFY_WITH_TIMEOUT(RunEnded(*window), kRunTimeout);
    QVERIFY(SameSeconds(*window->context(), *straight.context));
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), stream);

    // Once the open is done a load may start, and no step of the run comes after it.
    OpenThroughDialog(*window, stream);
    QVERIFY(!window->context()->endReached());
    LoadResult(*window, result);
    const uint32_t loadedSeconds = window->context()->secondsRead();
    const uint32_t loadedPictures = window->context()->stores().summary.pictureCount;
    QCOMPARE(loadedPictures, 60u);
    QTest::qWait(400);
    QCOMPARE(window->context()->secondsRead(), loadedSeconds);
    QCOMPARE(window->context()->stores().summary.pictureCount, loadedPictures);
  }

  void aProgramStreamWithoutVideoSequenceHeaderShowsTheZeroReportWithANote() {
    StreamBuilder audio;
    audio.SequenceHeader().Gop(0, 0, 0, 0).FramePicture('I', 5).FramePicture('P', 5);
    std::vector<uint8_t> bytes = WrapInProgramStream(audio.bytes());
    for (size_t i = 0; i + 4 <= bytes.size(); ++i) {
      if (bytes[i] == 0 && bytes[i + 1] == 0 && bytes[i + 2] == 1 && bytes[i + 3] == 0xE0) {
        bytes[i + 3] = 0xC0;
      }
    }
    const TempFile stream(bytes, ".mpg");
    auto window = ShowWindow();
    QVERIFY(window);
    OpenThroughDialog(*window, QString::fromStdString(stream.path()));
    QTRY_VERIFY_WITH_TIMEOUT(RunEnded(*window), kRunTimeout);
    const QString report = ReportText(*window);
    QVERIFY(report.startsWith(QStringLiteral("Num. of picture read: 0\n")));
    QVERIFY2(
        report.endsWith(QStringLiteral("WARNING! No video sequence header found in this stream!")),
        qPrintable(report));
  }

  void brokenResultFileShowsTheEngineMessage() {
    QTemporaryDir folder;
    const QString broken = folder.filePath(QStringLiteral("short.tsr"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(100, '\0'));
    file.close();
    auto window = ShowWindow();
    MessageBoxAnswer ok(QMessageBox::Ok);
    AnswerFileDialog(window.get(), QStringLiteral("LVRd"), broken);
    QTest::mouseClick(window->findChild<QToolButton*>(QStringLiteral("SpeedButton2")),
                      Qt::LeftButton);
    QCOMPARE(ok.texts().size(), 1);
    QVERIFY(ok.texts().front().contains(QStringLiteral("is not a result file")));
    QVERIFY(!window->context()->dataLoaded());
  }
};

std::unique_ptr<QObject> MakeRunTest() {
  return std::make_unique<RunTest>();
}

}  // namespace tessivo::test

#include "mainfrm_run_test.moc"
