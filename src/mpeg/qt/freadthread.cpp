#include "mpeg/qt/freadthread.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace tessivo {

FileReading::FileReading(QObject* target, std::function<void()> step)
    : target_(target), step_(std::move(step)) {}

FileReading::~FileReading() {
  {
    std::lock_guard lock(mutex_);
    quitting_ = true;
    ++pass_;
  }
  gate_.notify_all();
  // A step request may be waiting for the window thread: deliver it (it is void by now) so the
  // thread can see the quit.
  while (!wait(5)) QCoreApplication::sendPostedEvents(target_, QEvent::MetaCall);
}

void FileReading::Suspend() {
  std::lock_guard lock(mutex_);
  suspended_ = true;
  ++pass_;
}

void FileReading::Resume() {
  {
    std::lock_guard lock(mutex_);
    suspended_ = false;
  }
  gate_.notify_all();
}

bool FileReading::suspended() const {
  std::lock_guard lock(mutex_);
  return suspended_;
}

void FileReading::SetEndReached(bool endReached) {
  {
    std::lock_guard lock(mutex_);
    endReached_ = endReached;
  }
  gate_.notify_all();
}

bool FileReading::Admits(uint64_t pass) const {
  std::lock_guard lock(mutex_);
  return !suspended_ && !quitting_ && pass == pass_;
}

void FileReading::run() {
  for (;;) {
    uint64_t pass = 0;
    {
      std::unique_lock lock(mutex_);
      gate_.wait(lock, [this] { return quitting_ || (!suspended_ && !endReached_); });
      if (quitting_) return;
      pass = pass_;
    }
    QMetaObject::invokeMethod(
        target_,
        [this, pass] {
          if (Admits(pass)) step_();
        },
        Qt::BlockingQueuedConnection);
  }
}

}  // namespace tessivo
