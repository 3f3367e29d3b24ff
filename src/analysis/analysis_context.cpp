#include "analysis/analysis_context.h"
#include "base/rounding.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tessivo {

namespace {

std::string UnknownProgramMessage(const std::vector<uint16_t>& programs) {
  if (programs.empty()) return "the transport stream lists no programs";
  std::string text = "the transport stream has no such program; its programs are";
  for (size_t i = 0; i < programs.size(); ++i) {
    text += (i == 0 ? " " : ", ") + std::to_string(programs[i]);
  }
  return text;
}

}  // namespace

std::unique_ptr<AnalysisContext> AnalysisContext::Create(const AnalysisSettings& settings,
                                                         AnalysisObserver& observer,
                                                         Status* status) {
  auto stores = RecordStores::Create(settings.maxFramesAllocate);
  if (!stores) {
    if (status) *status = Failure(StatusKind::kNotEnoughMemory, "Not enough memory!");
    return nullptr;
  }
  return std::unique_ptr<AnalysisContext>(
      new AnalysisContext(settings, observer, std::move(stores)));
}

AnalysisContext::AnalysisContext(const AnalysisSettings& settings, AnalysisObserver& observer,
                                 std::unique_ptr<RecordStores> stores)
    : settings_(settings),
      observer_(observer),
      stores_(std::move(stores)),
      reader_(observer, settings.checkPackStartHdr, settings.program, settings.readBlockSize),
      parser_(reader_, *stores_, observer, settings.kiloBase) {}

Status AnalysisContext::StartAnalysis(const std::string& path) {
  dataLoaded_ = false;
  secondsRead_ = 0;
  stores_->ClearSummary();
  const size_t nameLength = std::min(path.size(), kFileNameSize - 1);
  std::memcpy(stores_->summary.fileName, path.data(), nameLength);
  stores_->ClearPicturesAndGops();
  stores_->pictureFactsAvailable = true;
  observer_.UpdateProgress(0);
  reader_.ResetBytesRead();

  Status status = parser_.OpenStream(path);
  if (!status.ok()) {
    // No stream is open: keep anyone from stepping until a file opens.
    endReached_ = true;
    if (status.kind == StatusKind::kUnknownProgram) {
      status.message = UnknownProgramMessage(reader_.transport().programsFound());
    }
    return status;
  }
  endReached_ = false;
  dataLoaded_ = true;
  stores_->ClearSeconds();
  ReadNextSecond(true);
  return status;
}

StepResult AnalysisContext::ReadNextSecond(bool reset) {
  if (reset) {
    totalBitrate_ = 0;
    totalQuant_ = 0.0;
    secondsRead_ = 0;
  }
  // A loaded result or a finished run keeps its figures.
  if (endReached_) return StepResult::kEnded;
  if (secondsRead_ == stores_->secondCapacity()) parser_.StopAtCapacity();
  if (secondsRead_ < stores_->secondCapacity() &&
      parser_.ParseSecond(stores_->seconds()[secondsRead_])) {
    Accumulate(secondsRead_);
    ++secondsRead_;
    return secondsRead_ == 1 ? StepResult::kFirstSecond : StepResult::kNextSecond;
  }
  endReached_ = true;
  ComputeAverages(secondsRead_);
  return StepResult::kEnded;
}

void AnalysisContext::ReadToEnd() {
  while (ReadNextSecond(false) != StepResult::kEnded) {
  }
}

void AnalysisContext::Accumulate(uint32_t index) {
  PerSecondStats& second = stores_->seconds()[index];
  SequenceSummary& summary = stores_->summary;
  second.valid = 1;
  totalBitrate_ += second.bitrate;
  totalQuant_ += second.quant;
  if (index == 0) {
    summary.peakBitrate = second.bitrate;
    summary.peakQuant = second.quant;
    return;
  }
  if (second.bitrate > summary.peakBitrate) summary.peakBitrate = second.bitrate;
  if (second.quant > summary.peakQuant) summary.peakQuant = second.quant;
  ComputeAverages(index + 1);
}

void AnalysisContext::ComputeAverages(uint32_t secondCount) {
  SequenceSummary& summary = stores_->summary;
  if (secondCount == 0) {
    summary.averageBitrate = 0;
    summary.averageQuant = 0.0;
    return;
  }
  summary.averageBitrate = RoundToInteger(static_cast<double>(totalBitrate_) / secondCount);
  summary.averageQuant = totalQuant_ / secondCount;
}

RunNotes AnalysisContext::runNotes() const {
  const ParserFacts& parserFacts = parser_.facts();
  RunNotes notes;
  notes.startsWithInvalidHeader = parserFacts.startsWithInvalidHeader;
  notes.frameRateAssumed = parserFacts.frameRateAssumed;
  notes.capacityReached = parserFacts.capacityReached;
  notes.maxFrames = settings_.maxFramesAllocate;
  notes.skippedVideoPackets = reader_.demux().skippedVideoPackets();
  notes.noSequenceHeader = parserFacts.noSequenceHeader;
  if (reader_.container() == Container::kTransport) notes.transport = reader_.transport().facts();
  return notes;
}

void AnalysisContext::MarkResultLoaded(uint32_t secondCount) {
  stores_->pictureFactsAvailable = false;
  secondsRead_ = secondCount;
  endReached_ = true;
  dataLoaded_ = true;
}

}  // namespace tessivo
