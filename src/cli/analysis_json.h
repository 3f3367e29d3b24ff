// The whole analysis as one JSON document: the summary fields, the run's figures, the report
// lines and every per-second, GOP and picture record, with the records' field names; after a
// run also each picture's facts and buffer fill, the sequence facts and the buffer's events.
#pragma once

#include <string>

#include "analysis/analysis_context.h"

namespace tessivo::cli {

std::string FormatAnalysisJson(const AnalysisContext& context);

}  // namespace tessivo::cli
