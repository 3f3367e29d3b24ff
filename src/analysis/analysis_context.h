// One analysis context: the record stores, the reader and the parser, and the state of the run
// over them. A front end creates one for its lifetime; tests create their own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "analysis/stream_report.h"
#include "base/analysis_observer.h"
#include "base/status.h"
#include "input/fread.h"
#include "mpeg/mpgread.h"
#include "mpeg/record_stores.h"

namespace tessivo {

struct AnalysisSettings {
  uint32_t maxFramesAllocate = kDefaultMaxFrames;  // N
  uint32_t kiloBase = 1024;                        // bits per kbit: 1024 or 1000
  bool checkPackStartHdr = true;
  uint32_t program = 0;  // the transport-stream program to analyse; 0 for the first with video
  uint32_t readBlockSize = kFileBlockSize;  // bytes per file read: changes only the speed
};

enum class StepResult {
  kFirstSecond,  // the run's first second: it is the peak, nothing is shown yet
  kNextSecond,   // a later second: peaks and averages changed
  kEnded,        // the stream had ended: averages are final
};

class AnalysisContext {
 public:
  // Returns nullptr, and says why in status when given one, when the stores cannot be obtained.
  static std::unique_ptr<AnalysisContext> Create(const AnalysisSettings& settings,
                                                 AnalysisObserver& observer,
                                                 Status* status = nullptr);

  // Resets the records and opens the stream; when it is ok the first second has been read.
  Status StartAnalysis(const std::string& path);
  // One per-second step.
  StepResult ReadNextSecond(bool reset);
  // Reads the whole stream to its end, as the reading thread would.
  void ReadToEnd();

  RecordStores& stores() { return *stores_; }
  const RecordStores& stores() const { return *stores_; }
  const ParserFacts& facts() const { return parser_.facts(); }
  const FileReader& reader() const { return reader_; }
  const AnalysisSettings& settings() const { return settings_; }
  AnalysisObserver& observer() { return observer_; }

  uint32_t secondsRead() const { return secondsRead_; }
  bool endReached() const { return endReached_; }
  bool dataLoaded() const { return dataLoaded_; }

  // The notes of the latest run, for the report.
  RunNotes runNotes() const;

  // A loaded result file replaces the run: its records are complete and final.
  void MarkResultLoaded(uint32_t secondCount);

 private:
  AnalysisContext(const AnalysisSettings& settings, AnalysisObserver& observer,
                  std::unique_ptr<RecordStores> stores);
  void Accumulate(uint32_t index);
  void ComputeAverages(uint32_t secondCount);

  AnalysisSettings settings_;
  AnalysisObserver& observer_;
  std::unique_ptr<RecordStores> stores_;
  FileReader reader_;
  VideoParser parser_;

  uint32_t secondsRead_ = 0;
  bool endReached_ = false;
  bool dataLoaded_ = false;
  uint64_t totalBitrate_ = 0;
  double totalQuant_ = 0.0;
};

}  // namespace tessivo
