// Checks an analysis against a compliance profile: every rule of the profile with its outcome
// and, for each failure, where it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "buffer/vbv_model.h"
#include "compliance/compliance_profiles.h"
#include "mpeg/record_stores.h"

namespace tessivo {

inline constexpr uint32_t kNoSecond = 0xFFFFFFFF;
inline constexpr uint32_t kNoPicture = 0xFFFFFFFF;
// Failures past this many of one rule are counted, not listed.
inline constexpr uint32_t kListedFailures = 100;

enum class RuleOutcome : uint8_t {
  kPass,
  kFail,
  kNotChecked,     // the analysis lacks what the rule needs (see the note)
  kNotApplicable,  // the rule is for the other MPEG version
};

struct RuleFailure {
  uint32_t gop = kNoGop;  // indices, as the records count them
  uint32_t second = kNoSecond;
  uint32_t picture = kNoPicture;
  std::string detail;  // what was found, e.g. "20 pictures, at most 15"
};

struct RuleResult {
  const ComplianceRule* rule = nullptr;
  RuleOutcome outcome = RuleOutcome::kPass;
  uint32_t failureCount = 0;
  std::vector<RuleFailure> failures;  // the first kListedFailures
  std::string note;                   // why a rule was not checked
};

struct ComplianceReport {
  const ComplianceProfile* profile = nullptr;
  std::vector<RuleResult> rules;  // in the profile's order

  bool passed() const;  // no rule failed
};

struct ComplianceInput {
  const RecordStores& stores;
  uint32_t secondCount;  // per-second records delivered
  uint32_t kiloBase;     // bits per kbit of those records
  const VbvResult* vbv;  // nullptr when the buffer was not modelled
};

ComplianceReport CheckCompliance(const ComplianceProfile& profile, const ComplianceInput& input);

}  // namespace tessivo
