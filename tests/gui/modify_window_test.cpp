// The modify dialog opened from the main window: filled from the analysis, the IN and OUT rules
// and labels, the copy it writes against the CLI's, also for a loaded result, and the refusals
// for a program stream and for a stream file that is gone or replaced.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "gui_test_support.h"
#include "gui_tests.h"
#include "support/test_files.h"

namespace tessivo::test {

namespace {

constexpr const char* kFixture = "mpeg2_pal_interlaced.m2v";
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);

QToolButton* ModifyButton(const view::TMainFrm& window) {
  return window.findChild<QToolButton*>(QStringLiteral("SpeedButton5"));
}

template <typename Control>
Control* Find(const QWidget* dialog, const char* name) {
  return dialog->findChild<Control*>(QString::fromLatin1(name));
}

struct CutLabelView {
  QString text;
  QColor background;
  QColor textColour;
};

CutLabelView Shown(const QWidget* dialog, const char* name) {
  const auto* label = Find<QLabel>(dialog, name);
  return {label->text(), label->palette().color(QPalette::Window),
          label->palette().color(QPalette::WindowText)};
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Fixture(const char* name) {
  return QString::fromStdString(FixturePath(name));
}

// A result file saved by the CLI: it names stream as given.
bool SaveResultOf(const QString& stream, const QString& result) {
  return RunCli({"analyse", stream.toStdString(), "--save", result.toStdString(), "--quiet"})
             .exitCode == 0;
}

// OK in the modify dialog with a cut from GOP 1 to 3 and the first sequence header before every
// GOP, writing to chosen.
void CutThroughDialog(view::TMainFrm& window, const QString& chosen) {
  WithModal(&window, ModifyButton(window), QStringLiteral("ModifFrm"), [&](QWidget* dialog) {
    Find<QCheckBox>(dialog, "PcutP")->setChecked(true);
    Find<QCheckBox>(dialog, "ADEG")->setChecked(true);
    Find<QScrollBar>(dialog, "INs")->setValue(1);
    Find<QScrollBar>(dialog, "OUTs")->setValue(3);
    AnswerFileDialog(dialog, QStringLiteral("S1"), chosen);
    Find<QPushButton>(dialog, "BitBtn1")->click();
  });
}

}  // namespace

class ModifyWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearSettings(); }

  void dialogIsFilledFromTheAnalysis() {
    auto window = AnalysedToTheEnd(kFixture);
    QVERIFY(window);
    const SequenceSummary& summary = window->context()->stores().summary;
    QStringList texts;
    int aspect = -2, frameRate = -2, inMaximum = -1, outValue = -1;
    bool userDataEnabled = false;
    CutLabelView in, out;
    WithModal(window.get(), ModifyButton(*window), QStringLiteral("ModifFrm"),
              [&](QWidget* dialog) {
                for (const char* name : {"HRes", "VRes", "Brate", "Edit1"}) {
                  texts << Find<QLineEdit>(dialog, name)->text();
                }
                texts << Find<QComboBox>(dialog, "FrameRate")->currentText();
                aspect = Find<QComboBox>(dialog, "AspRat")->currentIndex();
                frameRate = Find<QComboBox>(dialog, "FrameRate")->currentIndex();
                inMaximum = Find<QScrollBar>(dialog, "INs")->maximum();
                outValue = Find<QScrollBar>(dialog, "OUTs")->value();
                userDataEnabled = Find<QLineEdit>(dialog, "Edit3")->isEnabled();
                in = Shown(dialog, "Label9");
                out = Shown(dialog, "Label10");
              });
    const QString peak = QString::number(summary.peakBitrate * 1024u);
    QCOMPARE(texts, (QStringList{"352", "576", "2500000", peak, "25.00"}));
    QCOMPARE(aspect, static_cast<int>(summary.aspectRatioCode) - 1);
    QCOMPARE(frameRate, 3);
    QCOMPARE(inMaximum, 5);  // six GOPs
    QCOMPARE(outValue, 5);
    QVERIFY(userDataEnabled);  // MPEG-2
    // The first GOP is closed; the last one ends the stream.
    QCOMPARE(in.text, QStringLiteral("00:00:00.00"));
    QCOMPARE(in.background, kGreen);
    QCOMPARE(in.textColour, QColor(Qt::white));
    QCOMPARE(out.text, QStringLiteral("00:00:02.24"));
    QCOMPARE(out.background, kGreen);
  }

  void inAndOutStayInOrderWithTheirTimeCodes() {
    auto window = AnalysedToTheEnd(kFixture);
    QVERIFY(window);
    int inAfterPull = -1, outAfterPush = -1;
    CutLabelView in, out;
    WithModal(window.get(), ModifyButton(*window), QStringLiteral("ModifFrm"),
              [&](QWidget* dialog) {
                auto* ins = Find<QScrollBar>(dialog, "INs");
                auto* outs = Find<QScrollBar>(dialog, "OUTs");
                outs->setValue(2);
                ins->setValue(4);
                inAfterPull = ins->value();
                in = Shown(dialog, "Label9");
                out = Shown(dialog, "Label10");
                outs->setValue(4);
                ins->setValue(3);
                outs->setValue(1);
                outAfterPush = outs->value();
              });
    QCOMPARE(inAfterPull, 2);
    QCOMPARE(outAfterPush, 3);
    // GOP 3 starts at 1 s 3 pictures and is open; its 15 pictures end at 1 s 17, and GOP 4 is
    // open too.
    QCOMPARE(in.text, QStringLiteral("00:00:01.03"));
    QCOMPARE(in.background, kRed);
    QCOMPARE(out.text, QStringLiteral("00:00:01.17"));
    QCOMPARE(out.background, kRed);
  }

  void okWritesTheCopyTheCliWrites() {
    auto window = AnalysedToTheEnd(kFixture);
    QVERIFY(window);
    QTemporaryDir folder;
    // The copy always takes the analysed file's extension.
    const QString chosen = folder.filePath(QStringLiteral("viadialog.out"));
    const QString written = folder.filePath(QStringLiteral("viadialog.m2v"));
    const QString fromCli = folder.filePath(QStringLiteral("viacli.m2v"));
    bool closed = false;
    WithModal(window.get(), ModifyButton(*window), QStringLiteral("ModifFrm"),
              [&](QWidget* dialog) {
                Find<QLineEdit>(dialog, "Brate")->setText(QStringLiteral("1150799"));
                Find<QLineEdit>(dialog, "HRes")->setText(QStringLiteral("320"));
                Find<QComboBox>(dialog, "AspRat")->setCurrentIndex(1);
                Find<QLineEdit>(dialog, "Edit3")->setText(QStringLiteral("abc"));
                Find<QCheckBox>(dialog, "PcutP")->setChecked(true);
                Find<QScrollBar>(dialog, "INs")->setValue(1);
                Find<QScrollBar>(dialog, "OUTs")->setValue(3);
                AnswerFileDialog(dialog, QStringLiteral("S1"), chosen);
                Find<QPushButton>(dialog, "BitBtn1")->click();
                closed = !dialog->isVisible();
              });
    QVERIFY(closed);
    const CliResult cli = RunCli({"modify", FixturePath(kFixture), fromCli.toStdString(),
                                  "--bitrate", "1150799", "--width", "320", "--aspect", "2",
                                  "--user-data", "abc", "--cut", "--in", "1", "--out", "3"});
    QCOMPARE(cli.exitCode, 0);
    const QByteArray copy = FileBytes(written);
    QVERIFY(!copy.isEmpty());
    QCOMPARE(copy, FileBytes(fromCli));
    QVERIFY(copy.size() < FileBytes(QString::fromStdString(FixturePath(kFixture))).size());
  }

  void loadedResultIsCopiedFromItsOwnStream() {
    QTemporaryDir folder;
    const QString stream = Fixture(kFixture);
    const QString result = folder.filePath(QStringLiteral("pal.tsr"));
    QVERIFY(SaveResultOf(stream, result));
    const QString fromCli = folder.filePath(QStringLiteral("viacli.m2v"));
    QCOMPARE(RunCli({"modify", stream.toStdString(), fromCli.toStdString(), "--cut", "--in", "1",
                     "--out", "3", "--seq-header-each-gop"})
                 .exitCode,
             0);
    const QByteArray expected = FileBytes(fromCli);
    QVERIFY(!expected.isEmpty());

    // In a fresh window, and after runs of another elementary stream and of a program stream.
    int index = 0;
    for (const char* before : {"", "mpeg1_cif25.m1v", "mpeg2_pal_interlaced.vob"}) {
      auto window = *before ? AnalysedToTheEnd(before) : ShowWindow();
      QVERIFY(window);
      LoadResult(*window, result);
      QVERIFY(window->context()->dataLoaded());
      MessageBoxAnswer answer(QMessageBox::Ok);
      const QString chosen = folder.filePath(QStringLiteral("after%1.out").arg(index));
      CutThroughDialog(*window, chosen);
      QCOMPARE(answer.texts(), QStringList());
      // The copy takes the extension of the loaded result's stream.
      QCOMPARE(FileBytes(folder.filePath(QStringLiteral("after%1.m2v").arg(index))), expected);
      ++index;
    }
  }

  void copyIsRefusedWhenTheStreamIsGoneOrReplaced() {
    QTemporaryDir folder;
    const QString stream = folder.filePath(QStringLiteral("clip.m2v"));
    QVERIFY(QFile::copy(Fixture(kFixture), stream));
    const QString result = folder.filePath(QStringLiteral("clip.tsr"));
    QVERIFY(SaveResultOf(stream, result));
    const QString cannotCopy = QStringLiteral("Cannot copy %1: ").arg(stream);
    const auto replaceBy = [&](const char* fixture) {
      QFile::remove(stream);
      return QFile::copy(Fixture(fixture), stream);
    };
    struct Change {
      std::function<bool()> apply;
      QString reason;
    };
    const Change changes[] = {
        {[&] { return QFile::rename(stream, folder.filePath(QStringLiteral("moved.m2v"))); },
         QStringLiteral("the file does not exist")},
        {[&] { return replaceBy("mpeg2_ntsc_progressive.m2v"); },
         QStringLiteral("it holds 4 GOPs where the analysis recorded 6: it is not the analysed "
                        "stream")},
        {[&] { return replaceBy("mpeg2_pal_interlaced.vob"); },
         QStringLiteral("it is a system/program stream, not the analysed elementary stream")},
    };
    for (const Change& change : changes) {
      QVERIFY(change.apply());
      auto window = ShowWindow();
      QVERIFY(window);
      LoadResult(*window, result);
      const QStringList files = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
      MessageBoxAnswer answer(QMessageBox::Ok);
      CutThroughDialog(*window, folder.filePath(QStringLiteral("out.x")));
      QCOMPARE(answer.texts(), QStringList{cannotCopy + change.reason});
      // Neither the copy nor a partial file of it.
      QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), files);
      QVERIFY(!window->findChild<QWidget*>(QStringLiteral("ModifFrm"))->isVisible());
    }
  }

  void closingTheDialogDuringACopyStopsItAndRemovesThePartialFile() {
    auto window = AnalysedToTheEnd(kFixture);
    QVERIFY(window);
    QTemporaryDir folder;
    const QDir files(folder.path());
    const auto partialFiles = [&] {
      return files.entryList({QStringLiteral(".tessivo-*")}, QDir::Files | QDir::Hidden);
    };
    // As soon as the copy's partial file exists, the user closes the dialog.
    bool sawPartialFile = false;
    bool closedAtOnce = true;
    QTimer user;
    user.setInterval(0);
    connect(&user, &QTimer::timeout, [&] {
      if (partialFiles().isEmpty()) return;
      user.stop();
      sawPartialFile = true;
      closedAtOnce = window->findChild<QWidget*>(QStringLiteral("ModifFrm"))->close();
    });
    MessageBoxAnswer answer(QMessageBox::Ok);
    bool closed = false;
    WithModal(window.get(), ModifyButton(*window), QStringLiteral("ModifFrm"),
              [&](QWidget* dialog) {
                AnswerFileDialog(dialog, QStringLiteral("S1"), folder.filePath("copy.m2v"));
                user.start();
                Find<QPushButton>(dialog, "BitBtn1")->click();
                closed = !dialog->isVisible();
              });
    QVERIFY(sawPartialFile);
    // The dialog stays until the copy has stopped, then closes without a message.
    QVERIFY(!closedAtOnce);
    QVERIFY(closed);
    QCOMPARE(answer.texts(), QStringList());
    QCOMPARE(files.entryList(QDir::Files | QDir::Hidden), QStringList());
  }

  void programStreamIsRefused() {
    auto window = AnalysedToTheEnd("mpeg2_pal_interlaced.vob");
    QVERIFY(window);
    MessageBoxAnswer answer(QMessageBox::Ok);
    QTest::mouseClick(ModifyButton(*window), Qt::LeftButton);
    QCOMPARE(answer.texts(),
             QStringList{QStringLiteral("You cannot modify a system/program stream!\nTo do it you "
                                        "have to demux it to separated video/audio streams")});
    QVERIFY(!window->findChild<QWidget*>(QStringLiteral("ModifFrm"))->isVisible());
  }
};

std::unique_ptr<QObject> MakeModifyWindowTest() {
  return std::make_unique<ModifyWindowTest>();
}

}  // namespace tessivo::test

#include "modify_window_test.moc"
