// The whole analysis as one JSON document: the summary fields, the run's figures, the report
// lines and every per-second, GOP and picture record, with the records' field names.
#pragma once

#include <string>
#include <string_view>

#include "analysis/analysis_context.h"

namespace tessivo::cli {

std::string FormatAnalysisJson(const AnalysisContext& context);

// Appends text as a quoted JSON string.
void AppendJsonString(std::string_view text, std::string& out);

}  // namespace tessivo::cli
