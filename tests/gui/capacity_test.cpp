// A stream longer than the default stores reach, read through the real window.
#include <QPlainTextEdit>
#include <QTest>

#include "gui_test_support.h"
#include "gui_tests.h"
#include "support/stream_builder.h"
#include "support/test_files.h"

namespace tessivo::test {

class CapacityTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearSettings(); }

  void streamBeyondTheDefaultStoresEndsWithTheNote() {
    // 260 000 small pictures at 25 frames per second; the 10 000 seconds the default stores keep
    // end the run at picture 250 000.
    StreamBuilder builder;
    builder.SequenceHeader().Gop(0, 0, 0, 0);
    for (int i = 0; i < 260000; ++i) builder.FramePicture(i % 15 ? 'P' : 'I', 4, 1, 1);
    TempFile stream(builder.bytes(), ".m1v");
    auto window = ShowWindow({QString::fromStdString(stream.path())});
    QVERIFY(window);
    QTRY_VERIFY_WITH_TIMEOUT(window->context()->dataLoaded() && window->context()->endReached(),
                             240000);
    QCOMPARE(window->context()->secondsRead(), 10000u);
    QCOMPARE(window->context()->stores().summary.pictureCount, 250000u);
    const QString report =
        window->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
    QVERIFY(report.startsWith(QStringLiteral("Num. of picture read: 250000\n")));
    QVERIFY(report.endsWith(QStringLiteral(
        "WARNING! The analysis stopped at the store capacity (Max. frames: 250000)!")));
    QVERIFY(!LabelText(window.get(), "ABitr").isEmpty());
  }
};

std::unique_ptr<QObject> MakeCapacityTest() {
  return std::make_unique<CapacityTest>();
}

}  // namespace tessivo::test

#include "capacity_test.moc"
