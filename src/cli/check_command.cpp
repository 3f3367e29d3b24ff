// tessivo-cli check INPUT --profile ID [--json FILE]: every rule of a delivery format's profile
// with its outcome and the places where it fails. Exits 1 when a rule fails, so that a pipeline
// can stop there; the line on stderr then begins "Compliance check failed:", which tells it from
// the exit code 1 of a missing input.
#include <cstdio>

#include "buffer/vbv_model.h"
#include "cli/command_input.h"
#include "cli/commands.h"
#include "cli/compliance_json.h"
#include "cli/status_exit.h"
#include "compliance/compliance_check.h"
#include "compliance/compliance_text.h"
#include "tables/export_file.h"

namespace tessivo::cli {

namespace {

// Failures printed per rule; the JSON document lists all the report keeps.
constexpr size_t kPrintedFailures = 10;

std::string ProfileIds() {
  std::string ids;
  for (const ComplianceProfile& profile : ComplianceProfiles()) {
    if (!ids.empty()) ids += "|";
    ids += profile.id;
  }
  return ids;
}

void PrintReport(const ComplianceReport& report, const std::string& input, std::FILE* out) {
  std::fprintf(out, "Profile: %s (%s)\nInput: %s\n", report.profile->name, report.profile->id,
               input.c_str());
  for (const RuleResult& rule : report.rules) {
    std::fprintf(out, "%-15s %s\n", OutcomeText(rule.outcome), rule.rule->name);
    if (!rule.note.empty()) std::fprintf(out, "    %s\n", rule.note.c_str());
    const size_t printed = std::min(rule.failures.size(), kPrintedFailures);
    for (size_t k = 0; k < printed; ++k) {
      std::fprintf(out, "    %s\n", FailureText(rule.failures[k]).c_str());
    }
    if (rule.failureCount > printed) {
      std::fprintf(out, "    and %zu more\n", rule.failureCount - printed);
    }
  }
  std::fprintf(out, "Result: %s\n", ReportVerdict(report).c_str());
}

}  // namespace

int RunCheck(ArgumentList& arguments) {
  InputOptions input = TakeInputOptions(arguments);
  const auto profileId = arguments.TakeValue("--profile");
  const auto json = arguments.TakeValue("--json");
  const auto kilo = arguments.TakeKiloBase();
  const auto files = arguments.TakePositional();
  if (!arguments.error().empty()) return UsageError(arguments.error());
  if (files.size() != 1) return UsageError("check takes exactly one INPUT");
  if (!profileId) return UsageError("check needs --profile " + ProfileIds());
  const ComplianceProfile* profile = FindComplianceProfile(*profileId);
  if (!profile) {
    return UsageError("--profile takes " + ProfileIds() + ", not \"" + *profileId + "\"");
  }
  if (kilo) input.settings.kiloBase = *kilo;
  if (json) {
    const int refused = RefuseOutputOntoInput(files[0], *json);
    if (refused != kExitDone) return refused;
  }

  CliObserver observer(files[0], input.quiet);
  int exitCode = kExitDone;
  auto context = ReadInput(input, files[0], observer, exitCode);
  if (!context) return exitCode;
  const VbvResult vbv = SimulateVbv(context->stores());
  // The per-second records of a loaded result are in the kbit --kilo says they were saved in.
  const ComplianceInput checked{context->stores(), context->secondsRead(), input.settings.kiloBase,
                                &vbv};
  const ComplianceReport report = CheckCompliance(*profile, checked);
  PrintReport(report, files[0], stdout);
  if (json) {
    const Status written = WriteExportFile(*json, FormatComplianceJson(report, files[0]), observer);
    if (!written.ok()) return ReportFailure(written, &observer);
  }
  if (report.passed()) return kExitDone;
  std::fprintf(stderr, "Compliance check failed: %s\n", ReportVerdict(report).c_str());
  return kExitRuleFailed;
}

}  // namespace tessivo::cli
