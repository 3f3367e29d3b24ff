// What analyse and show print: the stream report, then the run's figures.
#pragma once

#include <cstdio>

#include "analysis/analysis_context.h"

namespace tessivo::cli {

void PrintReportAndFigures(const AnalysisContext& context, std::FILE* out);

}  // namespace tessivo::cli
