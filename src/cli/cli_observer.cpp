#include "cli/cli_observer.h"

#include <unistd.h>

#include <cstdio>

#include "cli/commands.h"
#include "cli/signal_cleanup.h"

namespace tessivo::cli {

CliObserver::CliObserver(std::string label, bool quiet)
    : label_(std::move(label)), showProgress_(!quiet && isatty(STDERR_FILENO) == 1) {}

CliObserver::~CliObserver() {
  FinishProgress();
}

void CliObserver::UpdateProgress(uint32_t percent) {
  if (!showProgress_ || static_cast<int>(percent) == shownPercent_) return;
  shownPercent_ = static_cast<int>(percent);
  std::fprintf(stderr, "\r%s: %3u%%", label_.c_str(), percent);
  std::fflush(stderr);
}

void CliObserver::ShowMessage(const std::string& text) {
  FinishProgress();
  std::fputs(text.c_str(), stderr);
  if (text.empty() || text.back() != '\n') std::fputc('\n', stderr);
}

void CliObserver::PartialFileChanging() {
  HoldSignals();
}

void CliObserver::SetPartialFile(const std::string& temporaryPath) {
  SetFileToRemoveOnSignal(this, temporaryPath);
}

void CliObserver::FinishProgress() {
  if (shownPercent_ < 0) return;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
  shownPercent_ = -1;
}

int CliObserver::RefuseUsage(const std::string& message) {
  FinishProgress();
  return UsageError(message);
}

}  // namespace tessivo::cli
