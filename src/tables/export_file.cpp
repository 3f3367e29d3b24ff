#include "tables/export_file.h"

#include <cstdio>

#include "base/partial_file.h"

namespace tessivo {

bool WriteExportFile(const std::string& fileName, std::string_view bytes,
                     AnalysisObserver& observer) {
  PartialFile file(&observer);
  const bool written = file.Create(fileName) &&
                       std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  if (file.Commit(written)) return true;
  observer.ShowMessage("Cannot Create file " + fileName);
  return false;
}

}  // namespace tessivo
