// An observer that keeps what the engine told it, for tests to check.
#pragma once

#include <string>
#include <vector>

#include "base/analysis_observer.h"

namespace tessivo::test {

class RecordingObserver : public AnalysisObserver {
 public:
  void UpdateProgress(uint32_t percent) override { progress.push_back(percent); }
  void SetStatusCaption(const std::string& caption) override { captions.push_back(caption); }
  void SetPictureCounter(uint32_t count) override { lastPictureCounter = count; }
  void PumpOneMessage() override { ++pumps; }

  std::vector<uint32_t> progress;
  std::vector<std::string> captions;
  uint32_t lastPictureCounter = 0;
  int pumps = 0;
};

}  // namespace tessivo::test
