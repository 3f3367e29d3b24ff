#include "tables/export_formats.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "tables/export_csv.h"
#include "tables/export_doc.h"
#include "tables/export_html.h"
#include "tables/export_xls.h"

namespace tessivo {

const ExportFormat kExportFormats[kExportFormatCount] = {
    {"txt", ".txt", SaveToCSV},
    {"xls", ".xls", SaveToXLS},
    {"doc", ".doc", SaveToDOC},
    {"htm", ".htm", SaveToHTML},
};

namespace {

constexpr const ExportFormat& kText = kExportFormats[0];
constexpr const ExportFormat& kHtml = kExportFormats[3];

}  // namespace

const ExportFormat* ExportFormatNamed(std::string_view name) {
  for (const ExportFormat& format : kExportFormats) {
    if (name == format.name) return &format;
  }
  return nullptr;
}

const ExportFormat* ExportFormatOfFile(const std::string& fileName) {
  std::string extension = std::filesystem::path(fileName).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".csv") return &kText;
  if (extension == ".html") return &kHtml;
  for (const ExportFormat& format : kExportFormats) {
    if (extension == format.extension) return &format;
  }
  return nullptr;
}

}  // namespace tessivo
