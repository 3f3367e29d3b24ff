#include "cli/compliance_json.h"

#include "cli/json_object.h"
#include "compliance/compliance_text.h"

namespace tessivo::cli {

namespace {

void AppendFailure(const RuleFailure& failure, std::string& out) {
  out += '{';
  JsonObject(out)
      .Index("gop", failure.gop, kNoGop)
      .Index("second", failure.second, kNoSecond)
      .Index("picture", failure.picture, kNoPicture)
      .Text("where", FailurePlace(failure))
      .Text("detail", failure.detail);
  out += '}';
}

void AppendRule(const RuleResult& rule, std::string& out) {
  out += '{';
  JsonObject members(out);
  members.Text("name", rule.rule->name)
      .Text("source", rule.rule->source)
      .Text("outcome", OutcomeText(rule.outcome))
      .Unsigned("failureCount", rule.failureCount)
      .Text("note", rule.note);
  members.Name("failures");
  out += '[';
  for (size_t k = 0; k < rule.failures.size(); ++k) {
    if (k > 0) out += ',';
    AppendFailure(rule.failures[k], out);
  }
  out += "]}";
}

}  // namespace

std::string FormatComplianceJson(const ComplianceReport& report, const std::string& input) {
  std::string out = "{\n";
  JsonObject document(out);
  document.Text("profile", report.profile->id)
      .Text("profileName", report.profile->name)
      .Text("input", input)
      .Boolean("passed", report.passed())
      .Text("verdict", ReportVerdict(report));
  out += '\n';
  document.Name("rules");
  out += '[';
  for (size_t k = 0; k < report.rules.size(); ++k) {
    out += k > 0 ? ",\n" : "\n";
    AppendRule(report.rules[k], out);
  }
  out += "]\n}\n";
  return out;
}

}  // namespace tessivo::cli
