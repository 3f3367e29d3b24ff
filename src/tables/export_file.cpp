#include "tables/export_file.h"

#include <cstdio>

#include "base/partial_file.h"

namespace tessivo {

Status WriteExportFile(const std::string& fileName, std::string_view bytes,
                       PartialFileWatcher& watcher) {
  PartialFile file(&watcher);
  const bool written = file.Create(fileName) &&
                       std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  if (file.Commit(written)) return Status{};
  return CannotCreateExport(fileName);
}

}  // namespace tessivo
