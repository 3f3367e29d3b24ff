// The stream patcher over arbitrary input with arbitrary option values; the input is analysed
// first, as the modify dialog requires.
#include <memory>
#include <string>

#include "analysis/analysis_context.h"
#include "fuzz_input_file.h"
#include "modify/header_patch.h"
#include "modify/stream_copy.h"

namespace {

constexpr size_t kOptionBytes = 16;

int32_t Signed32(const uint8_t* p) {
  return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 |
                              uint32_t{p[3]} << 24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kOptionBytes) return 0;
  static tessivo::AnalysisObserver observer;
  static auto context =
      tessivo::AnalysisContext::Create(tessivo::AnalysisSettings{100, 1024, true}, observer);
  tessivo::fuzz::FuzzInputFile input(data + kOptionBytes, size - kOptionBytes, ".m2v");
  if (!context->StartAnalysis(input.path()).ok()) return 0;
  context->ReadToEnd();
  if (context->reader().demuxMode()) return 0;

  const uint8_t* o = data;
  tessivo::ModifyValues values = tessivo::ValuesOf(context->stores().summary);
  if (o[0] & 1) values.aspectRatioCode = static_cast<int8_t>(o[1]);
  if (o[0] & 2) values.frameRateCode = static_cast<int8_t>(o[2]);
  if (o[0] & 4) values.bitRate = Signed32(o + 4);
  if (o[0] & 8) values.horizontalSize = static_cast<int16_t>(o[8] | o[9] << 8);
  if (o[0] & 16) values.verticalSize = static_cast<int16_t>(o[10] | o[11] << 8);
  if (o[0] & 32) values.constrainedParameters = !values.constrainedParameters;
  tessivo::CopyOptions options;
  options.removeUserData = (o[3] & 1) != 0;
  if (o[3] & 2) options.userData = std::string(reinterpret_cast<const char*>(o + 12), o[3] >> 5);
  options.sequenceHeaderEachGop = (o[3] & 4) != 0;
  options.performCut = (o[3] & 8) != 0;
  options.addSequenceEndCode = (o[3] & 16) != 0;
  options.inGop = o[14];
  options.outGop = o[15] == 0xFF ? tessivo::kLastGop : o[15];

  const tessivo::HeaderPatch patch = tessivo::MakeHeaderPatch(values, context->stores().summary);
  tessivo::fuzz::FuzzInputFile output(nullptr, 0, ".out.m2v");
  tessivo::CopyProgress progress;
  tessivo::StreamCopy(input.path(), output.path(), patch, options, context->stores(), progress);
  return 0;
}
