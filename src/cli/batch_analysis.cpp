#include "cli/batch_analysis.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>

#include "analysis/result_file.h"
#include "base/same_file.h"
#include "cli/analysis_output.h"
#include "cli/batch_summary.h"
#include "cli/cli_observer.h"
#include "cli/commands.h"
#include "cli/output_pattern.h"
#include "cli/status_exit.h"
#include "cli/whole_file_analysis.h"
#include "tables/export_file.h"

namespace tessivo::cli {

namespace {

// stderr and stdout shared by the workers: messages whole, the progress line kept last, the
// reports in input order whatever order the inputs end in.
class BatchConsole {
 public:
  BatchConsole(size_t total, bool quiet)
      : total_(total),
        showProgress_(!quiet && isatty(STDERR_FILENO) == 1),
        reports_(total),
        ready_(total, false) {}

  void Message(const std::string& text) {
    std::lock_guard lock(mutex_);
    ClearProgress();
    std::fprintf(stderr, "%s\n", text.c_str());
    ShowProgress();
  }

  void Finished(size_t index, std::string report) {
    std::lock_guard lock(mutex_);
    reports_[index] = std::move(report);
    ready_[index] = true;
    for (; nextReport_ < total_ && ready_[nextReport_]; ++nextReport_) {
      std::fputs(reports_[nextReport_].c_str(), stdout);
      reports_[nextReport_].clear();
    }
    std::fflush(stdout);
    ++done_;
    ClearProgress();
    ShowProgress();
  }

  void End() {
    std::lock_guard lock(mutex_);
    ClearProgress();
  }

 private:
  void ShowProgress() {
    if (!showProgress_) return;
    std::fprintf(stderr, "%zu of %zu files done", done_, total_);
    std::fflush(stderr);
    progressShown_ = true;
  }
  void ClearProgress() {
    if (!progressShown_) return;
    std::fputs("\r\033[K", stderr);
    progressShown_ = false;
  }

  std::mutex mutex_;
  const size_t total_;
  const bool showProgress_;
  bool progressShown_ = false;
  size_t done_ = 0;
  size_t nextReport_ = 0;
  std::vector<std::string> reports_;
  std::vector<bool> ready_;
};

// One input's observer: its messages name the input and the first one is kept for the summary.
class BatchObserver : public CliObserver {
 public:
  BatchObserver(const std::string& input, BatchConsole& console)
      : CliObserver(input, true), input_(input), console_(console) {}

  void ShowMessage(const std::string& text) override {
    std::string line = text;
    while (!line.empty() && line.back() == '\n') line.pop_back();
    if (firstMessage_.empty()) firstMessage_ = line;
    console_.Message(input_ + ": " + line);
  }
  // Among other inputs the usage text would only bury the message.
  int RefuseUsage(const std::string& message) override {
    ShowMessage(message);
    return kExitUsage;
  }
  const std::string& firstMessage() const { return firstMessage_; }

 private:
  std::string input_;
  BatchConsole& console_;
  std::string firstMessage_;
};

const char* ExitMeaning(int exitStatus) {
  switch (exitStatus) {
    case kExitFileNotFound:
      return "file not found or not readable";
    case kExitInvalidStream:
      return "invalid stream type";
    case kExitCannotWrite:
      return "output cannot be written";
    case kExitNotEnoughMemory:
      return "not enough memory";
    case kExitUsage:
      return "bad usage";
    default:
      return "failed";
  }
}

struct InputOutputs {
  std::optional<std::string> save;
  ExportOptions exports;
};

InputOutputs OutputsOf(const BatchOptions& options, const std::string& input) {
  InputOutputs outputs;
  outputs.exports = options.exports;
  const auto expand = [&input](std::optional<std::string>& name) {
    if (name) name = ExpandPattern(*name, input);
  };
  outputs.save = options.save;
  expand(outputs.save);
  expand(outputs.exports.gopsFile);
  expand(outputs.exports.secondsFile);
  if (!outputs.exports.jsonToStdout()) expand(outputs.exports.jsonFile);
  return outputs;
}

std::vector<std::string> FilesOf(const InputOutputs& outputs) {
  std::vector<std::string> files = outputs.exports.files();
  if (outputs.save) files.push_back(*outputs.save);
  return files;
}

std::string Normalised(const std::string& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::weakly_canonical(path, error);
  return (error ? std::filesystem::path(path).lexically_normal() : full).string();
}

// Before any work: no output lands on any input, and no two outputs share a name.
int CheckOutputNames(const BatchOptions& options, const std::vector<InputOutputs>& outputs) {
  std::vector<std::pair<std::string, std::string>> named;  // normalised output, its input
  const auto claim = [&](const std::string& output, const std::string& owner) {
    for (const std::string& input : options.inputs) {
      if (!SameFile(input, output)) continue;
      std::fprintf(stderr, "%s\n", SameFileRefusal(output, input, "analysed file").c_str());
      return kExitCannotWrite;
    }
    const std::string key = Normalised(output);
    for (const auto& [other, otherOwner] : named) {
      if (other != key) continue;
      return UsageError("\"" + output + "\" would be written for both " + otherOwner + " and " +
                        owner + "; give the outputs names that tell the inputs apart");
    }
    named.emplace_back(key, owner);
    return kExitDone;
  };
  for (size_t i = 0; i < outputs.size(); ++i) {
    for (const std::string& file : FilesOf(outputs[i])) {
      const int refused = claim(file, options.inputs[i]);
      if (refused != kExitDone) return refused;
    }
  }
  if (options.summary) return claim(*options.summary, "the summary");
  return kExitDone;
}

int SaveAndExport(AnalysisContext& context, const InputOutputs& outputs, BatchObserver& observer) {
  if (outputs.save) {
    const Status status = SaveResultFile(context, *outputs.save);
    if (!status.ok()) return ReportFailure(status, &observer);
  }
  return WriteExports(context, outputs.exports, observer);
}

std::string ReportText(const AnalysisContext& context, const std::string& input) {
  char* buffer = nullptr;
  size_t size = 0;
  std::FILE* memory = open_memstream(&buffer, &size);
  if (!memory) return {};
  std::fprintf(memory, "==> %s <==\n", input.c_str());
  PrintReportAndFigures(context, memory);
  std::fputc('\n', memory);
  std::fclose(memory);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

BatchEntry AnalyseOne(const BatchOptions& options, const std::string& input,
                      const InputOutputs& outputs, BatchConsole& console, std::string& report) {
  BatchEntry entry;
  entry.name = input;
  BatchObserver observer(input, console);
  auto context = AnalyseWholeFile(options.settings, input, observer, entry.exitStatus);
  if (context) {
    entry.container = ContainerName(context->reader().container());
    FillFromAnalysis(*context, entry);
    if (!options.exports.jsonToStdout()) report = ReportText(*context, input);
    entry.exitStatus = SaveAndExport(*context, outputs, observer);
  }
  if (entry.exitStatus != kExitDone) {
    entry.message =
        observer.firstMessage().empty() ? ExitMeaning(entry.exitStatus) : observer.firstMessage();
  }
  return entry;
}

int WriteSummary(const std::string& path, const std::vector<BatchEntry>& entries,
                 BatchConsole& console) {
  BatchObserver observer(path, console);
  const std::string text = FormatSummary(entries, *SummaryFormatOfFile(path));
  return ReportFailure(WriteExportFile(path, text, observer), &observer);
}

}  // namespace

int RunBatch(const BatchOptions& options) {
  const size_t total = options.inputs.size();
  std::vector<InputOutputs> outputs;
  for (const std::string& input : options.inputs) outputs.push_back(OutputsOf(options, input));
  const int refused = CheckOutputNames(options, outputs);
  if (refused != kExitDone) return refused;

  BatchConsole console(total, options.quiet);
  std::vector<BatchEntry> entries(total);
  std::atomic<size_t> next{0};
  const auto work = [&] {
    for (size_t i; (i = next.fetch_add(1)) < total;) {
      std::string report;
      entries[i] = AnalyseOne(options, options.inputs[i], outputs[i], console, report);
      console.Finished(i, std::move(report));
    }
  };
  const size_t workers = std::min<size_t>(std::max<uint32_t>(options.jobs, 1), total);
  std::vector<std::thread> threads;
  for (size_t k = 1; k < workers; ++k) threads.emplace_back(work);
  work();
  for (std::thread& thread : threads) thread.join();
  console.End();

  int worst = kExitDone;
  for (const BatchEntry& entry : entries) worst = std::max(worst, entry.exitStatus);
  if (options.summary) worst = std::max(worst, WriteSummary(*options.summary, entries, console));
  return worst;
}

}  // namespace tessivo::cli
