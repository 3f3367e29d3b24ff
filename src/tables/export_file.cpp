#include "tables/export_file.h"

#include <cstdio>
#include <filesystem>

namespace tessivo {

bool WriteExportFile(const std::string& fileName, std::string_view bytes,
                     AnalysisObserver& observer) {
  const std::string partial = fileName + ".partial";
  bool written = false;
  if (std::FILE* file = std::fopen(partial.c_str(), "wb")) {
    written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fclose(file) == 0 && written;
  }
  std::error_code error;
  if (written) std::filesystem::rename(partial, fileName, error);
  if (!written || error) {
    std::filesystem::remove(partial, error);
    observer.ShowMessage("Cannot Create file " + fileName);
    return false;
  }
  return true;
}

}  // namespace tessivo
