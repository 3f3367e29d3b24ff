#include "cli/signal_cleanup.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <thread>

namespace tessivo::cli {

namespace {

constexpr int kHandledSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Never destroyed: the cleanup thread may still wait while the process exits.
struct Cleanup {
  std::mutex mutex;
  std::map<const void*, std::string> files;
  sigset_t signals;
};

Cleanup& State() {
  static Cleanup* const state = new Cleanup;
  return *state;
}

// A signal is taken by sigwait on this thread, not by a handler, so the removal may lock and
// use the map. Holding the lock to the end keeps every writer from starting a new file.
[[noreturn]] void WaitForSignals() {
  Cleanup& state = State();
  int signalNumber = 0;
  while (sigwait(&state.signals, &signalNumber) != 0) {
  }
  state.mutex.lock();
  for (const auto& [writer, path] : state.files) unlink(path.c_str());
  signal(signalNumber, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signalNumber);
  pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  raise(signalNumber);
  _exit(128 + signalNumber);
}

}  // namespace

void InstallSignalCleanup() {
  Cleanup& state = State();
  sigemptyset(&state.signals);
  for (const int signalNumber : kHandledSignals) {
    struct sigaction previous {};
    // A signal ignored by whoever started us (nohup) stays ignored.
    if (sigaction(signalNumber, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) {
      continue;
    }
    sigaddset(&state.signals, signalNumber);
  }
  // Threads started later inherit the mask, so only the cleanup thread ever takes these.
  pthread_sigmask(SIG_BLOCK, &state.signals, nullptr);
  std::thread(WaitForSignals).detach();
}

void HoldSignals() {
  State().mutex.lock();
}

void SetFileToRemoveOnSignal(const void* writer, const std::string& path) {
  Cleanup& state = State();
  if (path.empty()) {
    state.files.erase(writer);
  } else {
    state.files[writer] = path;
  }
  state.mutex.unlock();
}

}  // namespace tessivo::cli
