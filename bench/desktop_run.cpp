// Times the desktop application over one file as a user starts it, `tessivo FILE`: from the
// start of the program to the end of the analysis run, and every event the window thread
// handles on the way (the per-second steps, repaints, timers). Prints both; judges neither.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <ctime>

#include "analysis/analysis_context.h"
#include "view/mainunit.h"

namespace {

int64_t ThreadCpuNs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
}

struct Longest {
  int64_t ns = 0;
  int type = 0;
  QString receiver;

  void Offer(int64_t took, const QObject* to, const QEvent* event) {
    if (took <= ns) return;
    ns = took;
    type = event->type();
    // Unnamed helpers (timers, layouts) are named by their owner.
    const QObject* named = to;
    while (named && named->objectName().isEmpty()) named = named->parent();
    receiver = QString::fromLatin1(to->metaObject()->className());
    if (named) receiver += QStringLiteral(" of ") + named->objectName();
  }
  void Print(const char* what) const {
    std::printf("longest window-thread step, %s: %.1f ms (event type %d to %s)\n", what,
                static_cast<double>(ns) / 1e6, type, receiver.toLocal8Bit().constData());
  }
};

// Measures each event delivered on the window thread, outermost deliveries only. Wall time
// counts what the user waits for, the thread's CPU time what the step itself costs when other
// programs take the cores.
class TimedApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    if (nested_) return QApplication::notify(receiver, event);
    nested_ = true;
    QElapsedTimer wall;
    wall.start();
    const int64_t cpuBefore = ThreadCpuNs();
    const bool handled = QApplication::notify(receiver, event);
    const int64_t cpu = ThreadCpuNs() - cpuBefore;
    const int64_t took = wall.nsecsElapsed();
    nested_ = false;
    ++events;
    wallLongest.Offer(took, receiver, event);
    cpuLongest.Offer(cpu, receiver, event);
    return handled;
  }

  Longest wallLongest;
  Longest cpuLongest;
  int64_t events = 0;

 private:
  bool nested_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 64;
  }
  TimedApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tessivo"));
  QApplication::setOrganizationName(QStringLiteral("Marrek Ltd"));
  QApplication::setStyle(QStringLiteral("Fusion"));

  tessivo::view::TMainFrm window({QString::fromLocal8Bit(argv[1])});
  if (!window.storesObtained()) return 1;
  window.show();

  // The run's end is looked for after every pass of the event loop.
  int64_t endNs = 0;
  QTimer watch;
  watch.setInterval(0);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    const tessivo::AnalysisContext* context = window.context();
    if (context && context->dataLoaded() && context->endReached()) {
      endNs = sinceStart.nsecsElapsed();
      watch.stop();
      QCoreApplication::exit(0);  // quit() would close the window inside this step
    }
  });
  watch.start();
  QApplication::exec();

  const tessivo::AnalysisContext* context = window.context();
  std::printf("pictures %u, seconds %u\n", context->stores().summary.pictureCount,
              context->secondsRead());
  std::printf("start to end of run: %.3f s\n", static_cast<double>(endNs) / 1e9);
  application.wallLongest.Print("wall");
  application.cpuLongest.Print("thread CPU");
  std::printf("events: %lld\n", static_cast<long long>(application.events));
  return 0;
}
