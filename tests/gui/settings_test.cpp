// Start-up values, settings written on close and restored on the next start, and the settings
// dialog.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "gui_test_support.h"
#include "gui_tests.h"
#include "view/settings_registry.h"
#include "view/window_placement.h"

namespace tessivo::test {

namespace {

int SpinValue(const QWidget* window, const char* name) {
  return window->findChild<QSpinBox*>(QString::fromLatin1(name))->value();
}

void PressOk(QWidget* dialog) {
  dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

void OpenSettings(view::TMainFrm& window, std::function<void(QWidget*)> action) {
  WhenShown(&window, QStringLiteral("SFrm"), std::move(action));
  QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("SpeedButton7")), Qt::LeftButton);
}

}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearSettings(); }

  void emptyConfigurationGivesTheDefaults() {
    auto window = ShowWindow();
    QVERIFY(window);
    QCOMPARE(SpinValue(window.get(), "CSpinEdit1"), 15);
    QCOMPARE(SpinValue(window.get(), "CSpinEdit2"), 60);
    QCOMPARE(window->view().kiloBase, 1024);
    QCOMPARE(SpinValue(window.get(), "ScrSpeed"), 3);
    QCOMPARE(window->scrollSpeed(), 3);
    QVERIFY(window->checkPackStartHdr());
    QCOMPARE(window->maxFramesAllocate(), 250000u);
    QCOMPARE(window->context()->stores().secondCapacity(), 10000u);
    QCOMPARE(QRect(window->pos(), window->size()), QRect(187, 130, 699, 421));
    QCOMPARE(window->windowTitle(), QStringLiteral("Tessivo"));
    QCOMPARE(LabelText(window.get(), "Panel2"), QStringLiteral("Tessivo 1.5.054"));
    for (const char* name : {"SpeedButton2", "SpeedButton4", "SpeedButton7"}) {
      QVERIFY2(window->findChild<QToolButton*>(QString::fromLatin1(name))->isEnabled(), name);
    }
    for (const char* name : {"SpeedButton1", "SpeedButton3", "SpeedButton5", "SpeedButton6"}) {
      QVERIFY2(!window->findChild<QToolButton*>(QString::fromLatin1(name))->isEnabled(), name);
    }
    QCOMPARE(LabelText(window->findChild<QWidget*>(QStringLiteral("SFrm")), "Label2"),
             QStringLiteral("NTSC: 138, PAL: 166 minutes"));
  }

  void closingSavesAndTheNextStartRestores() {
    {
      auto window = ShowWindow();
      window->findChild<QSpinBox*>(QStringLiteral("CSpinEdit1"))->setValue(20);
      window->findChild<QSpinBox*>(QStringLiteral("CSpinEdit2"))->setValue(90);
      window->findChild<QSpinBox*>(QStringLiteral("ScrSpeed"))->setValue(5);
      window->move(100, 50);
      window->resize(800, 500);
      QVERIFY(window->close());
    }
    QCOMPARE(StoredValue(QStringLiteral("XAxis")).toInt(), 20);
    QCOMPARE(StoredValue(QStringLiteral("YAxis")).toInt(), 90);
    QCOMPARE(StoredValue(QStringLiteral("ScrollSpeed")).toInt(), 5);
    QCOMPARE(StoredValue(QStringLiteral("wleft")).toInt(), 100);

    auto window = ShowWindow();
    QCOMPARE(QRect(window->pos(), window->size()), QRect(100, 50, 800, 500));
    QCOMPARE(window->view().verticalScale, uint16_t(20));
    QCOMPARE(window->view().horizontalScale, uint16_t(90));
    QCOMPARE(window->scrollSpeed(), 5);
    QCOMPARE(window->view().pixelsPerSecond, uint16_t((800 - 272) / 90));
  }

  void storedValuesAreBroughtIntoRange() {
    StoreValue(QStringLiteral("wleft"), 2000);
    StoreValue(QStringLiteral("wtop"), 10);
    StoreValue(QStringLiteral("wwidth"), 500);
    StoreValue(QStringLiteral("wheight"), 300);
    StoreValue(QStringLiteral("XAxis"), 1000);
    StoreValue(QStringLiteral("ScrollSpeed"), 0);
    StoreValue(QStringLiteral("CNumber"), 1000);
    StoreValue(QStringLiteral("MaxFramesAllocate"), 5000);
    StoreValue(QStringLiteral("CheckPackStartHdr"), 0);
    auto window = ShowWindow();
    QCOMPARE(QRect(window->pos(), window->size()), QRect(187, 130, 699, 421));
    QCOMPARE(window->view().verticalScale, uint16_t(255));
    QCOMPARE(window->scrollSpeed(), 1);
    QCOMPARE(window->view().kiloBase, 1000);
    QVERIFY(!window->checkPackStartHdr());
    QCOMPARE(window->context()->stores().capacity(), 5000u);
    QCOMPARE(window->context()->stores().secondCapacity(), 200u);
  }

  void storedValuesTheDialogCannotGiveTakeTheirDefaults() {
    for (const int stored : {-1, 0, 2999, 1000001, 60000000}) {
      ClearSettings();
      StoreValue(QStringLiteral("MaxFramesAllocate"), stored);
      MessageBoxAnswer ok(QMessageBox::Ok);
      auto window = ShowWindow();
      QCOMPARE(ok.texts(), QStringList());
      QVERIFY2(window && window->storesObtained(), qPrintable(QString::number(stored)));
      QCOMPARE(window->maxFramesAllocate(), 250000u);
      QCOMPARE(window->context()->stores().capacity(), 250000u);
    }
    for (const int stored : {3000, 1000000}) {
      ClearSettings();
      StoreValue(QStringLiteral("MaxFramesAllocate"), stored);
      auto window = ShowWindow();
      QVERIFY(window);
      QCOMPARE(window->maxFramesAllocate(), static_cast<uint32_t>(stored));
    }
  }

  void aStoredGeometryIsKeptOnTheAvailableScreen() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Stored {
      int left, top, width, height;
    };
    for (const Stored& stored :
         {Stored{10, 10, 100000, 100000}, Stored{-100000, -100000, 500, 300},
          Stored{100000, 100000, 500, 300}, Stored{-100000, 100000, 100000, -5}}) {
      ClearSettings();
      StoreValue(QStringLiteral("wleft"), stored.left);
      StoreValue(QStringLiteral("wtop"), stored.top);
      StoreValue(QStringLiteral("wwidth"), stored.width);
      StoreValue(QStringLiteral("wheight"), stored.height);
      auto window = ShowWindow();
      QVERIFY(window);
      const QRect placed(window->pos(), window->size());
      const QString what = QStringLiteral("%1,%2 %3x%4")
                               .arg(stored.left)
                               .arg(stored.top)
                               .arg(stored.width)
                               .arg(stored.height);
      QVERIFY2(placed.width() <= std::max(screen.width(), window->minimumWidth()),
               qPrintable(what));
      QVERIFY2(placed.height() <= std::max(screen.height(), window->minimumHeight()),
               qPrintable(what));
      // Its corner on the screen and enough of it there to take hold of.
      QVERIFY2(screen.contains(placed.topLeft()), qPrintable(what));
      QVERIFY2(placed.left() <= screen.right() - view::kWindowGrip + 1, qPrintable(what));
      QVERIFY2(placed.top() <= screen.bottom() - view::kWindowGrip + 1, qPrintable(what));
    }
  }

  void settingsDialogWritesAndAsksForARestart() {
    auto window = ShowWindow();
    {
      MessageBoxAnswer ok(QMessageBox::Ok);
      OpenSettings(*window, PressOk);
      QVERIFY(ok.texts().isEmpty());
    }
    QCOMPARE(StoredValue(QStringLiteral("CheckPackStartHdr")).toInt(), 1);
    QCOMPARE(StoredValue(QStringLiteral("MaxFramesAllocate")).toInt(), 250000);
    QCOMPARE(StoredValue(QStringLiteral("CNumber")).toInt(), 1024);
    {
      MessageBoxAnswer ok(QMessageBox::Ok);
      OpenSettings(*window, [](QWidget* dialog) {
        dialog->findChild<QSpinBox*>(QStringLiteral("CSpinEdit1"))->setValue(3000);
        QCOMPARE(LabelText(dialog, "Label2"), QStringLiteral("NTSC: 1, PAL: 2 minutes"));
        dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->click();
        PressOk(dialog);
      });
      QCOMPARE(ok.texts(), QStringList{QStringLiteral(
                               "You have to restart this application to make the setting "
                               "changes effective!")});
    }
    QCOMPARE(StoredValue(QStringLiteral("MaxFramesAllocate")).toInt(), 3000);
    QCOMPARE(StoredValue(QStringLiteral("CheckPackStartHdr")).toInt(), 0);
    // The running window keeps what it read at start-up.
    QCOMPARE(window->maxFramesAllocate(), 250000u);
    QVERIFY(window->checkPackStartHdr());
  }

  void doubleClickOnTheVersionPanelShowsTheAboutBox() {
    auto window = ShowWindow();
    QString title;
    QStringList lines;
    WhenShown(window.get(), QStringLiteral("ABoutFrm"), [&](QWidget* about) {
      title = about->windowTitle();
      for (QLabel* label : about->findChildren<QLabel*>()) lines << label->text();
      PressOk(about);
    });
    QTest::mouseDClick(window->findChild<QLabel*>(QStringLiteral("Panel2")), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("ABOUT"));
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.front(), QStringLiteral("Tessivo Application"));
  }

  void versionPanelCyclesItsCaptions() {
    auto window = ShowWindow();
    auto* timer = window->findChild<QTimer*>(QStringLiteral("Timer2"));
    QCOMPARE(timer->interval(), 5000);
    QVERIFY(timer->isActive());
    QStringList captions{LabelText(window.get(), "Panel2")};
    for (int tick = 0; tick < 4; ++tick) {
      QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
      captions << LabelText(window.get(), "Panel2");
    }
    QCOMPARE(captions[0], QStringLiteral("Tessivo 1.5.054"));
    QVERIFY(captions[1] != captions[0] && captions[2] != captions[1] && captions[3] != captions[2]);
    QCOMPARE(captions[4], captions[0]);
  }

  void blankLastPathIsReadAsEmpty() {
    StoreValue(QStringLiteral("LastPath"), QStringLiteral("  \t "));
    QCOMPARE(view::RegReadString(view::SettingsKey, QStringLiteral("LastPath")), QString());
    StoreValue(QStringLiteral("LastPath"), QStringLiteral(" /data/ \n"));
    QCOMPARE(view::RegReadString(view::SettingsKey, QStringLiteral("LastPath")),
             QStringLiteral("/data/"));
    StoreValue(QStringLiteral("XAxis"), QStringLiteral("wide"));
    QCOMPARE(view::RegReadInteger(view::SettingsKey, QStringLiteral("XAxis"), 15), 15);
  }
};

std::unique_ptr<QObject> MakeSettingsTest() {
  return std::make_unique<SettingsTest>();
}

}  // namespace tessivo::test

#include "settings_test.moc"
