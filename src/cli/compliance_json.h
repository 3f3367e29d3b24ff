// A compliance report as one JSON document: the profile, the verdict and every rule with its
// outcome and failures. GOPs, seconds and pictures count from 0 like the records of the analysis
// JSON; each failure's "where" numbers them from 1 as the printed report does.
#pragma once

#include <string>

#include "compliance/compliance_check.h"

namespace tessivo::cli {

std::string FormatComplianceJson(const ComplianceReport& report, const std::string& input);

}  // namespace tessivo::cli
