// The table export formats, in the order the export dialog offers them: the name --format
// takes, the default extension of their files and the writer.
#pragma once

#include <string>
#include <string_view>

#include "base/partial_file_watcher.h"
#include "base/status.h"
#include "tables/table.h"

namespace tessivo {

struct ExportFormat {
  const char* name;
  const char* extension;
  Status (*write)(const Table& table, const std::string& fileName, PartialFileWatcher& watcher);
};

inline constexpr int kExportFormatCount = 4;
extern const ExportFormat kExportFormats[kExportFormatCount];

// nullptr for a name that is none of the formats'.
const ExportFormat* ExportFormatNamed(std::string_view name);
// The format a file name's extension names, case ignored, ".csv" for text and ".html" for HTML
// too; nullptr for no extension or another one.
const ExportFormat* ExportFormatOfFile(const std::string& fileName);

}  // namespace tessivo
