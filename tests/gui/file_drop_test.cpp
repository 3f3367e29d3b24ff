// Files dropped on the main window: a stream is analysed as "..." opens it, a result file loaded,
// and nothing is taken while another open or load is under way.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "gui_test_support.h"
#include "gui_tests.h"
#include "support/test_files.h"

namespace tessivo::test {

namespace {

constexpr int kRunTimeout = 20000;

QString Fixture(const char* name) {
  return QString::fromStdString(FixturePath(name));
}

std::unique_ptr<QMimeData> FilesData(const QStringList& paths) {
  auto data = std::make_unique<QMimeData>();
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data->setUrls(urls);
  return data;
}

bool DragEnterAccepted(QWidget* target, const QMimeData* data) {
  QDragEnterEvent enter(QPoint(30, 30), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  enter.ignore();
  QApplication::sendEvent(target, &enter);
  return enter.isAccepted();
}

// As a drag ends: entered, then dropped, where the enter was taken.
bool Drop(QWidget* target, const QMimeData* data) {
  if (!DragEnterAccepted(target, data)) return false;
  QDropEvent drop(QPointF(30, 30), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  drop.ignore();
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

bool RunEnded(const view::TMainFrm& window) {
  return window.context()->dataLoaded() && window.context()->endReached();
}

QStringList Layout(const view::TMainFrm& window) {
  QStringList layout;
  for (const QWidget* child : window.findChildren<QWidget*>()) {
    const QRect r = child->geometry();
    layout << QStringLiteral("%1 %2,%3 %4x%5 %6")
                  .arg(child->objectName())
                  .arg(r.x())
                  .arg(r.y())
                  .arg(r.width())
                  .arg(r.height())
                  .arg(child->isVisible());
  }
  return layout;
}

QString Edit1Text(const view::TMainFrm& window) {
  return window.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text();
}

}  // namespace

class FileDropTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearSettings(); }

  void aDroppedStreamIsAnalysedAndAResultFileLoaded() {
    auto window = ShowWindow();
    QVERIFY(window);
    const QString stream = Fixture("mpeg2_pal_interlaced.vob");
    const auto data = FilesData({stream});
    QVERIFY(DragEnterAccepted(window.get(), data.get()));
    QVERIFY(Drop(window.get(), data.get()));
    QTRY_VERIFY_WITH_TIMEOUT(RunEnded(*window), kRunTimeout);
    QCOMPARE(Edit1Text(*window), stream);
    QCOMPARE(window->context()->stores().summary.pictureCount, 75u);
    // The window is laid out as one that opened the file itself.
    const auto opened = AnalysedToTheEnd("mpeg2_pal_interlaced.vob");
    QVERIFY(opened);
    QCOMPARE(Layout(*window), Layout(*opened));

    QTemporaryDir folder;
    const QString result = folder.filePath(QStringLiteral("ntsc.tsr"));
    QCOMPARE(RunCli({"analyse", FixturePath("mpeg2_ntsc_progressive.m2v"), "--save",
                     result.toStdString()})
                 .exitCode,
             0);
    // Dropped on the report, which would otherwise take the name as text.
    auto* report = window->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    const auto resultData = FilesData({result});
    QVERIFY(Drop(report->viewport(), resultData.get()));
    QTRY_COMPARE(Edit1Text(*window), Fixture("mpeg2_ntsc_progressive.m2v"));
    QCOMPARE(window->context()->stores().summary.pictureCount, 60u);
    QVERIFY(!report->toPlainText().contains(QStringLiteral("file://")));
  }

  void aDroppedAviAsksFirst() {
    QTemporaryDir folder;
    const QString clip = folder.filePath(QStringLiteral("clip.avi"));
    QVERIFY(QFile::copy(Fixture("mpeg1_cif25.m1v"), clip));
    auto window = ShowWindow();
    QVERIFY(window);
    const auto data = FilesData({clip});
    {
      MessageBoxAnswer no(QMessageBox::No);
      QVERIFY(Drop(window.get(), data.get()));
      QTRY_COMPARE(
          no.texts(),
          QStringList{QStringLiteral("Parsing AVI files is just your risk! Wish you continue?")});
    }
    QVERIFY(!window->context()->dataLoaded());
    QVERIFY(Edit1Text(*window).isEmpty());
    {
      MessageBoxAnswer yes(QMessageBox::Yes);
      QVERIFY(Drop(window.get(), data.get()));
      QTRY_VERIFY_WITH_TIMEOUT(RunEnded(*window), kRunTimeout);
      QCOMPARE(yes.texts().size(), 1);
    }
    QCOMPARE(Edit1Text(*window), clip);
  }

  void nothingIsTakenDuringAnotherOpenOrLoad() {
    auto window = ShowWindow();
    QVERIFY(window);
    const auto first = FilesData({Fixture("mpeg1_cif25.m1v")});
    const auto second = FilesData({Fixture("mpeg2_pal_interlaced.m2v")});
    QVERIFY(Drop(window.get(), first.get()));
    // The first drop is not taken up yet, but it holds the window already.
    QVERIFY(!DragEnterAccepted(window.get(), second.get()));
    QVERIFY(!Drop(window.get(), second.get()));
    QTRY_VERIFY_WITH_TIMEOUT(RunEnded(*window), kRunTimeout);
    QCOMPARE(Edit1Text(*window), Fixture("mpeg1_cif25.m1v"));
    QTest::qWait(50);
    QCOMPARE(Edit1Text(*window), Fixture("mpeg1_cif25.m1v"));
    QVERIFY(DragEnterAccepted(window.get(), second.get()));

    // Several files, or one that is not local, leave open what is meant.
    const auto several =
        FilesData({Fixture("mpeg1_cif25.m1v"), Fixture("mpeg2_pal_interlaced.m2v")});
    QVERIFY(!DragEnterAccepted(window.get(), several.get()));
    QMimeData remote;
    remote.setUrls({QUrl(QStringLiteral("https://example.org/clip.mpg"))});
    QVERIFY(!DragEnterAccepted(window.get(), &remote));
  }
};

std::unique_ptr<QObject> MakeFileDropTest() {
  return std::make_unique<FileDropTest>();
}

}  // namespace tessivo::test

#include "file_drop_test.moc"
