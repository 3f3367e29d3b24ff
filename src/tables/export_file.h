// Writes an exported table's bytes under the file name the user gave, unchanged. The bytes go to
// a temporary file first and take the name only once they are all written, so a failed export
// never leaves a file that looks complete.
#pragma once

#include <string>
#include <string_view>

#include "base/partial_file_watcher.h"
#include "base/status.h"

namespace tessivo {

// "Cannot Create file NAME": every export's failure.
inline Status CannotCreateExport(const std::string& fileName) {
  return Failure(StatusKind::kCannotWrite, "Cannot Create file " + fileName);
}

Status WriteExportFile(const std::string& fileName, std::string_view bytes,
                       PartialFileWatcher& watcher);

}  // namespace tessivo
