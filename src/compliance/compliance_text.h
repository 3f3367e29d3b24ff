// How a compliance report reads: the outcome words and where a failure is, with GOPs, seconds
// and pictures numbered from 1 as the tables number them.
#pragma once

#include <string>

#include "compliance/compliance_check.h"

namespace tessivo {

// "pass", "fail", "not checked" or "not applicable".
const char* OutcomeText(RuleOutcome outcome);

// "GOP 3, second 2, picture 37", leaving out what the failure does not know; "stream" when it
// knows none of them.
std::string FailurePlace(const RuleFailure& failure);

// The place, then the detail: "GOP 3, second 2, picture 37: 20 pictures, at most 15".
std::string FailureText(const RuleFailure& failure);

// "every rule passes", "no rule fails; 4 rules not checked" or "2 of 19 rules fail".
std::string ReportVerdict(const ComplianceReport& report);

}  // namespace tessivo
