// The file a copy reads, checked against the records it cuts by. A loaded result file names its
// stream, which may since have been moved or replaced, and keeps neither the first sequence
// header nor the high bits of GOP positions past 4 GiB: analysing the file again gives both and
// shows whether it is still the stream the records came from.
#pragma once

#include <memory>
#include <string>

#include "analysis/analysis_context.h"
#include "base/status.h"

namespace tessivo {

class CopySource {
 public:
  // Analyses path until it holds every GOP of records. The re-analysis reports its reading
  // through progress.UpdateProgress.
  CopySource(const std::string& path, const RecordStores& records, const AnalysisSettings& settings,
             AnalysisObserver& progress);
  CopySource(const CopySource&) = delete;
  CopySource& operator=(const CopySource&) = delete;

  // Not ok when path is not the elementary stream the records came from; its message then
  // names the file and the reason.
  const Status& status() const { return status_; }

  // What StreamCopy needs, taken from the file itself: the records' GOPs with their full
  // positions, and the file's own first sequence header. Only while the status is ok.
  const RecordStores& stores() const { return context_->stores(); }

 private:
  class ProgressOnly : public AnalysisObserver {
   public:
    explicit ProgressOnly(AnalysisObserver& target) : target_(target) {}
    void UpdateProgress(uint32_t percent) override { target_.UpdateProgress(percent); }

   private:
    AnalysisObserver& target_;
  };

  std::string Check(const std::string& path, const RecordStores& records,
                    const AnalysisSettings& settings);

  ProgressOnly observer_;
  std::unique_ptr<AnalysisContext> context_;
  Status status_;
};

}  // namespace tessivo
