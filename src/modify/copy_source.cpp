#include "modify/copy_source.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace tessivo {

CopySource::CopySource(const std::string& path, const RecordStores& records,
                       const AnalysisSettings& settings, AnalysisObserver& progress)
    : observer_(progress) {
  std::string refusal = Check(path, records, settings);
  if (!refusal.empty()) status_ = Failure(StatusKind::kInvalidStream, std::move(refusal));
}

std::string CopySource::Check(const std::string& path, const RecordStores& records,
                              const AnalysisSettings& settings) {
  if (path.empty()) return "Cannot copy: the analysis names no stream file";
  const std::string cannotCopy = "Cannot copy " + path + ": ";
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return cannotCopy + "the file does not exist";

  context_ = AnalysisContext::Create(settings, observer_);
  if (!context_) return cannotCopy + "not enough memory to analyse it again";
  const Status opened = context_->StartAnalysis(path);
  if (opened.kind == StatusKind::kFileNotFound) return cannotCopy + "the file cannot be read";
  if (!opened.ok()) return cannotCopy + "it is not an MPEG video stream";
  if (context_->reader().container() == Container::kTransport) {
    return cannotCopy + "it is a transport stream, not the analysed elementary stream";
  }
  if (context_->reader().demuxMode()) {
    return cannotCopy + "it is a system/program stream, not the analysed elementary stream";
  }

  const uint32_t needed = records.recordedGopCount();
  RecordStores& found = context_->stores();
  while (found.gopCount < needed && context_->ReadNextSecond(false) != StepResult::kEnded) {
  }
  const std::string notAnalysed = ": it is not the analysed stream";
  if (found.gopCount < needed) {
    return cannotCopy + "it holds " + std::to_string(found.gopCount) +
           " GOPs where the analysis recorded " + std::to_string(needed) + notAnalysed;
  }
  // Result files keep the low 32 bits of each position.
  for (uint32_t i = 0; i < needed; ++i) {
    if (static_cast<uint32_t>(found.gopPositions()[i]) != records.gops()[i].position) {
      std::string message = cannotCopy;
      message += "GOP " + std::to_string(i) + " is not where the analysis found it";
      return message + notAnalysed;
    }
  }
  // A result saved during a run holds only the first GOPs: the copy follows those.
  found.gopCount = needed;
  return {};
}

}  // namespace tessivo
