// The reading thread: a thin stepper that has the window thread run one per-second step at a
// time and waits for it. It touches no record and no control.
#pragma once

#include <QThread>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace tessivo {

class FileReading : public QThread {
 public:
  // Created suspended; step runs on target's thread, and only if no Suspend came between its
  // request and its turn.
  FileReading(QObject* target, std::function<void()> step);
  ~FileReading() override;

  // The gate of pause and resume. Suspending also voids every step already requested.
  void Suspend();
  void Resume();
  bool suspended() const;
  // While set (the stream has ended, or no stream is open) no step is requested.
  void SetEndReached(bool endReached);

 protected:
  void run() override;

 private:
  bool Admits(uint64_t pass) const;

  QObject* target_;
  std::function<void()> step_;
  mutable std::mutex mutex_;
  std::condition_variable gate_;
  bool suspended_ = true;
  bool endReached_ = false;
  bool quitting_ = false;
  uint64_t pass_ = 0;
};

}  // namespace tessivo
