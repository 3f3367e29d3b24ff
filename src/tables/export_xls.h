// A BIFF8 workbook inside an OLE2 compound file: the table on one sheet, header row bold, numbers
// as numbers and texts as shared strings. A table longer than a sheet's 65536 rows continues on
// further sheets, each starting with the header row.
#pragma once

#include <optional>
#include <string>

#include "base/partial_file_watcher.h"
#include "base/status.h"
#include "tables/table.h"

namespace tessivo {

// The whole file; nothing when the compound file cannot be built.
std::optional<std::string> FormatXls(const Table& table);
Status SaveToXLS(const Table& table, const std::string& fileName, PartialFileWatcher& watcher);

}  // namespace tessivo
