// A word-processor document (RTF, under whatever name the user chose) holding the table as a real
// table: bordered cells, the header row bold and repeated on every page.
#pragma once

#include <string>

#include "base/partial_file_watcher.h"
#include "base/status.h"
#include "tables/table.h"

namespace tessivo {

std::string FormatRtf(const Table& table);
Status SaveToDOC(const Table& table, const std::string& fileName, PartialFileWatcher& watcher);

}  // namespace tessivo
