#include "compliance/compliance_text.h"

namespace tessivo {

const char* OutcomeText(RuleOutcome outcome) {
  switch (outcome) {
    case RuleOutcome::kPass:
      return "pass";
    case RuleOutcome::kFail:
      return "fail";
    case RuleOutcome::kNotChecked:
      return "not checked";
    case RuleOutcome::kNotApplicable:
      return "not applicable";
  }
  return "";
}

std::string FailurePlace(const RuleFailure& failure) {
  std::string place;
  const auto add = [&place](const char* what, uint32_t index) {
    if (!place.empty()) place += ", ";
    place += what + std::to_string(uint64_t{index} + 1);
  };
  if (failure.gop != kNoGop) add("GOP ", failure.gop);
  if (failure.second != kNoSecond) add("second ", failure.second);
  if (failure.picture != kNoPicture) add("picture ", failure.picture);
  return place.empty() ? "stream" : place;
}

std::string FailureText(const RuleFailure& failure) {
  const std::string place = FailurePlace(failure);
  return failure.detail.empty() ? place : place + ": " + failure.detail;
}

std::string ReportVerdict(const ComplianceReport& report) {
  size_t failed = 0;
  size_t unchecked = 0;
  for (const RuleResult& rule : report.rules) {
    failed += rule.outcome == RuleOutcome::kFail ? 1 : 0;
    unchecked += rule.outcome == RuleOutcome::kNotChecked ? 1 : 0;
  }
  std::string text;
  if (failed > 0) {
    text = std::to_string(failed) + " of " + std::to_string(report.rules.size()) +
           (report.rules.size() == 1 ? " rule fails" : " rules fail");
  } else {
    text = unchecked == 0 ? "every rule passes" : "no rule fails";
  }
  if (unchecked > 0) {
    text +=
        "; " + std::to_string(unchecked) + (unchecked == 1 ? " rule" : " rules") + " not checked";
  }
  return text;
}

}  // namespace tessivo
