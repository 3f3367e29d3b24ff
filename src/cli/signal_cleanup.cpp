#include "cli/signal_cleanup.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace tessivo::cli {

namespace {

constexpr int kHandledSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr size_t kPathCapacity = 4096;

// The handler may only read what is ready: the path is complete before armed is set.
char pathToRemove[kPathCapacity];
volatile sig_atomic_t armed = 0;

// Only async-signal-safe calls: unlink, then the default action, which ends the process.
extern "C" void RemoveAndReraise(int signalNumber) {
  if (armed) unlink(pathToRemove);
  signal(signalNumber, SIG_DFL);
  raise(signalNumber);
}

sigset_t HandledSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  for (const int signalNumber : kHandledSignals) sigaddset(&signals, signalNumber);
  return signals;
}

}  // namespace

void InstallSignalCleanup() {
  for (const int signalNumber : kHandledSignals) {
    struct sigaction previous {};
    // A signal ignored by whoever started us (nohup) stays ignored.
    if (sigaction(signalNumber, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) {
      continue;
    }
    struct sigaction action {};
    action.sa_handler = RemoveAndReraise;
    action.sa_mask = HandledSignals();
    sigaction(signalNumber, &action, nullptr);
  }
}

void HoldSignals() {
  const sigset_t signals = HandledSignals();
  sigprocmask(SIG_BLOCK, &signals, nullptr);
}

void SetFileToRemoveOnSignal(const std::string& path) {
  armed = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  if (!path.empty() && path.size() < kPathCapacity) {
    std::memcpy(pathToRemove, path.c_str(), path.size() + 1);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    armed = 1;
  }
  const sigset_t signals = HandledSignals();
  sigprocmask(SIG_UNBLOCK, &signals, nullptr);
}

}  // namespace tessivo::cli
