// An HTML5 page holding the table, full width, the header row as th cells. The markup is also
// well-formed XML, so strict parsers read it as well as browsers.
#pragma once

#include <string>

#include "base/analysis_observer.h"
#include "tables/table.h"

namespace tessivo {

std::string FormatHtml(const Table& table);
bool SaveToHTML(const Table& table, const std::string& fileName, AnalysisObserver& observer);

}  // namespace tessivo
