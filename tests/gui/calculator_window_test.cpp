// The bitrate calculator opened from the main window: the figures of its worked examples typed
// into its controls.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>

#include "base/qt/gauge.h"
#include "gui_test_support.h"
#include "gui_tests.h"

namespace tessivo::test {

namespace {

QToolButton* CalcButton(const view::TMainFrm& window) {
  return window.findChild<QToolButton*>(QStringLiteral("SpeedButton4"));
}

template <typename Control>
Control* Find(const QWidget* dialog, const char* name) {
  return dialog->findChild<Control*>(QString::fromLatin1(name));
}

// Replaces a spin edit's text by typing, as a user would.
void TypeInto(QSpinBox* spin, const QString& text) {
  spin->setFocus();
  spin->selectAll();
  QTest::keyClicks(spin, text);
}

QStringList Labels(const QWidget* dialog, std::initializer_list<const char*> names) {
  QStringList texts;
  for (const char* name : names) texts << Find<QLabel>(dialog, name)->text();
  return texts;
}

}  // namespace

class CalculatorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearSettings(); }

  void initialValuesGiveTheKnownFigures() {
    auto window = ShowWindow();
    QVERIFY(window);
    QString tab;
    QStringList bitrate, times, suggested;
    QList<int> gauges;
    WithModal(window.get(), CalcButton(*window), QStringLiteral("PWindow2"), [&](QWidget* calc) {
      QCOMPARE(calc->windowTitle(), QStringLiteral("Bitrate Calculation"));
      const auto* pages = Find<QTabWidget>(calc, "PageControl1");
      tab = pages->tabText(pages->currentIndex());
      bitrate = Labels(calc, {"bytes", "kbytes", "mbytes", "Label1"});
      times = Labels(calc, {"cd74", "cd80", "dram", "drom39", "drom"});
      suggested = Labels(calc, {"Panel6"});
      for (const char* name : {"Cg1", "Cg2", "Cg3"}) {
        gauges << Find<view::TCGauge>(calc, name)->value();
      }
    });
    QCOMPARE(tab, QStringLiteral("VIDEO LENGTH"));
    QCOMPARE(bitrate, (QStringList{"168426.00", "  164.48", "    0.16", "VCD,S-VCD,DVD-VIDEO"}));
    QCOMPARE(times, (QStringList{"~ 73:58", "~ 79:39", "~ 255:00", "~ 385:55", "~ 464:19"}));
    QCOMPARE(suggested, QStringList{"5885"});
    // Q = 42: the lime gauge full, the yellow one part-filled, the red one empty.
    QCOMPARE(gauges[0], 100);
    QVERIFY(gauges[1] > 0 && gauges[1] < 100);
    QCOMPARE(gauges[2], 0);
  }

  void mediaRowsStandInTheirOrderEachWithItsOwnTime() {
    auto window = ShowWindow();
    QVERIFY(window);
    QStringList rows;
    WithModal(window.get(), CalcButton(*window), QStringLiteral("PWindow2"), [&](QWidget* calc) {
      auto* pages = Find<QTabWidget>(calc, "PageControl1");
      for (int i = 0; i < pages->count(); ++i) {
        if (pages->tabText(i) == QStringLiteral("BITRATE")) pages->setCurrentIndex(i);
      }
      QGroupBox* media = nullptr;
      for (QGroupBox* group : calc->findChildren<QGroupBox*>()) {
        if (group->title() == QStringLiteral("Media")) media = group;
      }
      QVERIFY(media);
      QTRY_VERIFY(media->isVisible());
      // What a reader sees line by line: the medium, its file system and the time beside them.
      QList<QLabel*> labels = media->findChildren<QLabel*>();
      std::sort(labels.begin(), labels.end(), [](const QLabel* a, const QLabel* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
      });
      for (const QLabel* label : labels) {
        rows << (label->objectName().isEmpty() ? label->text()
                                               : label->objectName() + "=" + label->text());
      }
    });
    QCOMPARE(rows, (QStringList{"CD-ROM 650MB", "CDROM/XA", "cd74=~ 73:58",     //
                                "CD-ROM 700MB", "CDROM/XA", "cd80=~ 79:39",     //
                                "DVD-RAM 2.6GB", "UDFS", "dram=~ 255:00",       //
                                "DVD-R/RW/RAM 4.7GB", "UDFS", "drom=~ 464:19",  //
                                "DVD-R 3.9GB", "UDFS", "drom39=~ 385:55"}));
  }

  void aStoredKiloBaseOtherThan1000CountsAs1024() {
    // What the calculator shows at 1024, and what typing into its megabit field gives.
    const auto figures = [](view::TMainFrm& window) {
      QStringList shown;
      WithModal(&window, CalcButton(window), QStringLiteral("PWindow2"), [&](QWidget* calc) {
        shown = Labels(calc, {"bytes", "kbytes", "mbytes", "cd74", "drom", "Panel6"});
        TypeInto(Find<QSpinBox>(calc, "MBps"), QStringLiteral("2"));
        shown << QString::number(Find<QSpinBox>(calc, "Bps")->value())
              << QString::number(Find<QSpinBox>(calc, "KBps")->value());
      });
      return shown;
    };
    auto reference = ShowWindow();
    QVERIFY(reference);
    const QStringList at1024 = figures(*reference);
    QCOMPARE(at1024.mid(6), (QStringList{"2097152", "2048"}));  // 2 x 1024 x 1024
    reference.reset();
    for (const int stored : {0, -1, 5, 1001, 1023}) {
      ClearSettings();
      StoreValue(QStringLiteral("CNumber"), stored);
      auto window = ShowWindow();
      QVERIFY(window);
      QCOMPARE(window->view().kiloBase, 1024);
      QCOMPARE(figures(*window), at1024);
    }
  }

  void typedValuesRecomputeAndStay() {
    auto window = ShowWindow();
    QVERIFY(window);
    QList<int> rates;
    QString withSubtitles, afterBadData, total;
    WithModal(window.get(), CalcButton(*window), QStringLiteral("PWindow2"), [&](QWidget* calc) {
      TypeInto(Find<QSpinBox>(calc, "KBps"), QStringLiteral("1125"));
      rates << Find<QSpinBox>(calc, "Bps")->value() << Find<QSpinBox>(calc, "MBps")->value();
      total = Find<QLabel>(calc, "bytes")->text();
      TypeInto(Find<QSpinBox>(calc, "SubTit"), QStringLiteral("8"));
      withSubtitles = Find<QLabel>(calc, "Panel6")->text();
      auto* extra = Find<QLineEdit>(calc, "AddV");
      extra->selectAll();
      QTest::keyClicks(extra, QStringLiteral("x"));
      afterBadData = extra->text();
    });
    QCOMPARE(rates, (QList<int>{1152000, 1}));
    QCOMPARE(total, QStringLiteral("168576.00"));     // (1152000 + 192 x 1024) / 8
    QCOMPARE(withSubtitles, QStringLiteral("5373"));  // 512 kbit/s more audio
    QCOMPARE(afterBadData, QStringLiteral("0"));

    int kept = 0;
    WithModal(window.get(), CalcButton(*window), QStringLiteral("PWindow2"),
              [&](QWidget* calc) { kept = Find<QSpinBox>(calc, "SubTit")->value(); });
    QCOMPARE(kept, 8);
  }
};

std::unique_ptr<QObject> MakeCalculatorWindowTest() {
  return std::make_unique<CalculatorWindowTest>();
}

}  // namespace tessivo::test

#include "calculator_window_test.moc"
