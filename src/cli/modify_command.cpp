// tessivo-cli modify INPUT OUTPUT: writes a patched or cut copy of an elementary stream.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "analysis/analysis_context.h"
#include "base/same_file.h"
#include "cli/cli_observer.h"
#include "cli/commands.h"
#include "cli/status_exit.h"
#include "cli/whole_file_analysis.h"
#include "modify/header_patch.h"
#include "modify/modifiable_stream.h"
#include "modify/stream_copy.h"

namespace tessivo::cli {

namespace {

constexpr uint64_t kLargestSize = 4095;                   // 12-bit size fields
constexpr uint64_t kLargestBitRate = 262143 * 400 + 399;  // 18-bit bit_rate_value
constexpr uint64_t kLargestGop = 0xFFFFFFFE;

class CopyProgressObserver : public CliObserver, public CopyProgress {
 public:
  using CliObserver::CliObserver;
  void UpdateCopyProgress(uint32_t percent) override { UpdateProgress(percent); }
};

struct ModifyRequest {
  std::optional<uint64_t> width, height, aspect, frameRate, bitRate, constrained;
  std::optional<uint64_t> in, out;
  CopyOptions options;
};

void ApplyTo(const ModifyRequest& request, ModifyValues& values) {
  if (request.width) values.horizontalSize = static_cast<int32_t>(*request.width);
  if (request.height) values.verticalSize = static_cast<int32_t>(*request.height);
  if (request.aspect) values.aspectRatioCode = static_cast<int32_t>(*request.aspect);
  if (request.frameRate) values.frameRateCode = static_cast<int32_t>(*request.frameRate);
  if (request.bitRate) values.bitRate = static_cast<int32_t>(*request.bitRate);
  if (request.constrained) values.constrainedParameters = *request.constrained == 1;
}

// Every value given on the command line goes into every header, also where it equals the first
// header's and a later header differs.
uint32_t GivenFields(const ModifyRequest& request) {
  uint32_t fields = 0;
  if (request.width) fields |= kHorizontalSizeChanged;
  if (request.height) fields |= kVerticalSizeChanged;
  if (request.aspect) fields |= kAspectRatioChanged;
  if (request.frameRate) fields |= kFrameRateChanged;
  if (request.bitRate) fields |= kBitRateChanged;
  if (request.constrained) fields |= kConstrainedChanged;
  return fields;
}

// Checks IN and OUT against the GOP records and sets them; an empty text when they fit.
std::string SetCutPoints(const ModifyRequest& request, uint32_t gopCount, CopyOptions& options) {
  if (!request.in && !request.out) return {};
  if (gopCount == 0) return "the stream has no GOP, so --in and --out cannot be used";
  const uint64_t last = gopCount - 1;
  if (request.in.value_or(0) > last || request.out.value_or(last) > last) {
    return "--in and --out take a GOP from 0 to " + std::to_string(last);
  }
  if (request.in.value_or(0) > request.out.value_or(last)) return "--in must not be after --out";
  options.inGop = static_cast<uint32_t>(request.in.value_or(0));
  options.outGop = static_cast<uint32_t>(request.out.value_or(last));
  return {};
}

}  // namespace

int RunModify(ArgumentList& arguments) {
  ModifyRequest request;
  request.width = arguments.TakeNumber("--width", 0, kLargestSize);
  request.height = arguments.TakeNumber("--height", 0, kLargestSize);
  request.aspect = arguments.TakeNumber("--aspect", 1, kAspectRatioItemCount);
  request.frameRate = arguments.TakeNumber("--frame-rate", 0, kFrameRateItemCount - 1);
  request.bitRate = arguments.TakeNumber("--bitrate", 0, kLargestBitRate);
  request.constrained = arguments.TakeNumber("--constrained", 0, 1);
  request.in = arguments.TakeNumber("--in", 0, kLargestGop);
  request.out = arguments.TakeNumber("--out", 0, kLargestGop);
  CopyOptions& options = request.options;
  options.removeUserData = arguments.TakeFlag("--strip-user-data");
  options.userData = arguments.TakeValue("--user-data").value_or("");
  options.sequenceHeaderEachGop = arguments.TakeFlag("--seq-header-each-gop");
  options.performCut = arguments.TakeFlag("--cut");
  options.addSequenceEndCode = !arguments.TakeFlag("--no-end-code");
  const auto files = arguments.TakePositional();
  if (!arguments.error().empty()) return UsageError(arguments.error());
  if (files.size() != 2) return UsageError("modify takes an INPUT and an OUTPUT file");
  const std::string& input = files[0];
  const std::string& output = files[1];
  // Refused before the analysis, as analyse and show refuse theirs.
  if (SameFile(input, output)) {
    std::fprintf(stderr, "%s\n", SameFileRefusal(output, input, "analysed file").c_str());
    return kExitCannotWrite;
  }

  CliObserver observer(input, false);
  int exitCode = kExitDone;
  auto context = AnalyseWholeFile(AnalysisSettings{}, input, observer, exitCode);
  if (!context) return exitCode;
  const Status modifiable = CheckModifiable(context->reader().demuxMode());
  if (!modifiable.ok()) return ReportFailure(modifiable, &observer);
  const RecordStores& stores = context->stores();
  const std::string cutError = SetCutPoints(request, stores.gopCount, options);
  if (!cutError.empty()) return UsageError(cutError);

  ModifyValues values = ValuesOf(stores.summary);
  ApplyTo(request, values);
  HeaderPatch patch = MakeHeaderPatch(values, stores.summary);
  patch.changedFields |= GivenFields(request);
  CopyProgressObserver copyObserver(output, false);
  const Status copied = StreamCopy(input, output, patch, options, stores, copyObserver);
  if (!copied.ok()) return ReportFailure(copied, &copyObserver);
  copyObserver.FinishProgress();
  std::error_code error;
  const auto size = std::filesystem::file_size(output, error);
  std::printf("%s: %llu bytes written\n", output.c_str(), static_cast<unsigned long long>(size));
  return kExitDone;
}

}  // namespace tessivo::cli
