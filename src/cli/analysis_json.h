// The whole analysis as one JSON document: the summary fields, the run's figures, the report
// lines and every per-second, GOP and picture record, with the records' field names.
#pragma once

#include <string>

#include "analysis/analysis_context.h"

namespace tessivo::cli {

std::string FormatAnalysisJson(const AnalysisContext& context);

}  // namespace tessivo::cli
