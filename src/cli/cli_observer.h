// The command line's side of the engine's observer: plain messages on stderr and, when stderr is
// a terminal, a progress line that rewrites itself.
#pragma once

#include <string>

#include "base/analysis_observer.h"

namespace tessivo::cli {

class CliObserver : public AnalysisObserver {
 public:
  CliObserver(std::string label, bool quiet);
  ~CliObserver() override;

  void UpdateProgress(uint32_t percent) override;
  // A failure or notice on stderr, below the progress line.
  virtual void ShowMessage(const std::string& text);
  void PartialFileChanging() override;
  void SetPartialFile(const std::string& temporaryPath) override;
  // Clears the progress line before other output.
  void FinishProgress();
  // A usage error found only once the input is open; returns its exit code.
  virtual int RefuseUsage(const std::string& message);

 private:
  std::string label_;
  bool showProgress_;
  int shownPercent_ = -1;
};

}  // namespace tessivo::cli
