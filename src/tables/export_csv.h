// Delimited text: one CR LF-ended line per row, header row first, cells separated by commas.
#pragma once

#include <string>

#include "base/partial_file_watcher.h"
#include "base/status.h"
#include "tables/table.h"

namespace tessivo {

std::string FormatCsv(const Table& table);
Status SaveToCSV(const Table& table, const std::string& fileName, PartialFileWatcher& watcher);

}  // namespace tessivo
