// Delimited text: one CR LF-ended line per row, header row first, cells separated by commas.
#pragma once

#include <string>

#include "base/analysis_observer.h"
#include "tables/table.h"

namespace tessivo {

std::string FormatCsv(const Table& table);
bool SaveToCSV(const Table& table, const std::string& fileName, AnalysisObserver& observer);

}  // namespace tessivo
