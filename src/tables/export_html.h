// An HTML5 page holding the table, full width, the header row as th cells. The markup is also
// well-formed XML, so strict parsers read it as well as browsers.
#pragma once

#include <string>

#include "base/partial_file_watcher.h"
#include "base/status.h"
#include "tables/table.h"

namespace tessivo {

std::string FormatHtml(const Table& table);
Status SaveToHTML(const Table& table, const std::string& fileName, PartialFileWatcher& watcher);

}  // namespace tessivo
