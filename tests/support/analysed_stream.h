// A whole analysis of some bytes or of a fixture, run to the end as the reading thread would.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "analysis/analysis_context.h"
#include "support/recording_observer.h"
#include "support/test_files.h"

namespace tessivo::test {

class AnalysedStream {
 public:
  explicit AnalysedStream(const std::vector<uint8_t>& bytes, AnalysisSettings settings = {});
  // Analyses an existing file.
  AnalysedStream(const std::string& path, AnalysisSettings settings);

  AnalysisContext& context() { return *context_; }
  const RecordStores& stores() const { return context_->stores(); }
  const SequenceSummary& summary() const { return context_->stores().summary; }
  const PictureRecord& picture(uint32_t i) const { return stores().pictures()[i]; }
  const GopRecord& gop(uint32_t i) const { return stores().gops()[i]; }
  const PerSecondStats& second(uint32_t i) const { return stores().seconds()[i]; }
  const Status& openStatus() const { return openStatus_; }
  RecordingObserver& observer() { return observer_; }
  // Picture type letters in stream order.
  std::string PictureTypes() const;

 private:
  void Run(const std::string& path, const AnalysisSettings& settings);

  std::unique_ptr<TempFile> file_;
  RecordingObserver observer_;
  std::unique_ptr<AnalysisContext> context_;
  Status openStatus_;
};

}  // namespace tessivo::test
