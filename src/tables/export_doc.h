// A word-processor document (RTF, under whatever name the user chose) holding the table as a real
// table: bordered cells, the header row bold and repeated on every page.
#pragma once

#include <string>

#include "base/analysis_observer.h"
#include "tables/table.h"

namespace tessivo {

std::string FormatRtf(const Table& table);
bool SaveToDOC(const Table& table, const std::string& fileName, AnalysisObserver& observer);

}  // namespace tessivo
