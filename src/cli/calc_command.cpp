// tessivo-cli calc bitrate|length: the bitrate calculator's two tabs as text.
#include <cstdio>
#include <optional>
#include <string>

#include "calculator/bitrate_result.h"
#include "calculator/calculator_tables.h"
#include "calculator/rate_fields.h"
#include "calculator/video_length.h"
#include "cli/commands.h"

namespace tessivo::cli {

namespace {

constexpr uint64_t kLargestRate = 2147483647;

int RunBitrateTab(ArgumentList& arguments) {
  const auto bps = arguments.TakeNumber("--bps", 0, kLargestRate);
  const auto kbps = arguments.TakeNumber("--kbps", 0, kLargestRate);
  const auto mbps = arguments.TakeNumber("--mbps", 0, kLargestRate);
  const int64_t audio =
      static_cast<int64_t>(arguments.TakeNumber("--audio", 0, 1024).value_or(kInitialAudioKbps));
  const uint32_t kiloBase = arguments.TakeKiloBase().value_or(1024);
  arguments.TakePositional();
  if (!arguments.error().empty()) return UsageError(arguments.error());
  if (bps.has_value() + kbps.has_value() + mbps.has_value() > 1) {
    return UsageError("give one of --bps, --kbps and --mbps");
  }

  RateFields rates;
  if (bps) rates = BpsChange(static_cast<int64_t>(*bps), kiloBase);
  if (kbps) rates = KBpsChange(static_cast<int64_t>(*kbps), kiloBase);
  if (mbps) rates = MBpsChange(static_cast<int64_t>(*mbps), kiloBase);
  const BitrateResult result = calcresult(rates.bps, audio, kiloBase);

  std::printf("%lld bps\n%lld Kbps\n%lld Mpps\n", static_cast<long long>(rates.bps),
              static_cast<long long>(rates.kbps), static_cast<long long>(rates.mbps));
  std::printf("Additional audiostream bitrate: %lld Kbps\n", static_cast<long long>(audio));
  std::printf("%s Byte/sec\n%s KByte/sec\n%s MByte/sec\n", result.bytes.c_str(),
              result.kbytes.c_str(), result.mbytes.c_str());
  std::printf("Compliance: %s\n", result.compliance.c_str());
  for (const MediaRow& row : kBitrateMediaRows) {
    std::printf("%-20s %-9s %s\n", row.text, row.fileSystem,
                result.playingTimes[row.medium].c_str());
  }
  return kExitDone;
}

int RunLengthTab(ArgumentList& arguments) {
  VideoLengthInputs inputs;
  auto take = [&arguments](const char* name, uint64_t minimum, uint64_t maximum, int32_t& field) {
    if (const auto value = arguments.TakeNumber(name, minimum, maximum)) {
      field = static_cast<int32_t>(*value);
    }
  };
  take("--minutes", 1, 1000, inputs.minutes);
  take("--audio", 0, 4096, inputs.audioKbps);
  take("--subtitles", 0, 32, inputs.subtitles);
  take("--resolution", 0, kResolutionCount - 1, inputs.resolution);
  take("--media", 0, kMediaCount - 1, inputs.medium);
  take("--discs", 1, 100, inputs.discs);
  take("--custom", 1, 20000, inputs.customMegabytes);
  take("--complexity", 0, 100, inputs.complexity);
  take("--quality", 0, 40, inputs.quality);
  const auto extra = arguments.TakeValue("--extra");
  const uint32_t kiloBase = arguments.TakeKiloBase().value_or(1024);
  arguments.TakePositional();
  if (!arguments.error().empty()) return UsageError(arguments.error());
  if (extra) {
    const AddVEntry entry = AddVChange(*extra);
    if (entry.replaced) return UsageError("--extra takes a whole number, not \"" + *extra + "\"");
    inputs.extraMegabytes = entry.megabytes;
  }

  const VideoLengthResult result = ComputeVideoLength(inputs, kiloBase);
  std::printf("Video length: %d minutes\n", inputs.minutes);
  std::printf("Audio bitrate: %d Kbps\n", inputs.audioKbps);
  std::printf("Num of subtitles: %d Channel(s)\n", inputs.subtitles);
  std::printf("Additional data: %d MByte\n", inputs.extraMegabytes);
  std::printf("Res: %s\n", kResolutions[inputs.resolution].text);
  std::printf("Media type: %s\n", kMediaTexts[inputs.medium]);
  std::printf("Number of discs: %d pcs\n", inputs.discs);
  std::printf("Custom size: %d MByte\n", inputs.customMegabytes);
  std::printf("Average picture complexity: %d\n", inputs.complexity);
  std::printf("Encoder's quality: %d\n", inputs.quality);
  std::printf("Suggested bitrate (Kbps): %s\n", result.suggested.c_str());
  if (result.quality) {
    const std::string hint = QualityHint(*result.quality);
    std::printf("Q: %lld%s\n", static_cast<long long>(*result.quality),
                hint.empty() ? "" : (" (" + hint + ")").c_str());
  } else {
    std::printf("Q: --\n");
  }
  return kExitDone;
}

}  // namespace

int RunCalc(ArgumentList& arguments) {
  const bool bitrate = arguments.TakeFlag("bitrate");
  const bool length = arguments.TakeFlag("length");
  if (bitrate == length) return UsageError("calc takes either bitrate or length");
  return bitrate ? RunBitrateTab(arguments) : RunLengthTab(arguments);
}

}  // namespace tessivo::cli
