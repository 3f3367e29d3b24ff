#include "cli/export_options.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "cli/analysis_json.h"
#include "tables/export_csv.h"
#include "tables/export_doc.h"
#include "tables/export_file.h"
#include "tables/export_html.h"
#include "tables/export_xls.h"
#include "tables/gop_table.h"
#include "tables/seconds_table.h"

namespace tessivo::cli {

namespace {

std::optional<ExportFormat> FormatNamed(const std::string& name) {
  if (name == "txt") return ExportFormat::kText;
  if (name == "xls") return ExportFormat::kSpreadsheet;
  if (name == "doc") return ExportFormat::kDocument;
  if (name == "htm") return ExportFormat::kHtml;
  return std::nullopt;
}

std::optional<ExportFormat> FormatOfExtension(const std::string& fileName) {
  std::string extension = std::filesystem::path(fileName).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".csv") return ExportFormat::kText;
  if (extension == ".html") return ExportFormat::kHtml;
  if (extension.empty()) return std::nullopt;
  return FormatNamed(extension.substr(1));
}

// The options were checked when taken: a file without --format has a known extension.
bool SaveTable(const Table& table, const ExportOptions& options, const std::string& fileName,
               AnalysisObserver& observer) {
  switch (options.format ? *options.format : *FormatOfExtension(fileName)) {
    case ExportFormat::kText:
      return SaveToCSV(table, fileName, observer);
    case ExportFormat::kSpreadsheet:
      return SaveToXLS(table, fileName, observer);
    case ExportFormat::kDocument:
      return SaveToDOC(table, fileName, observer);
    case ExportFormat::kHtml:
      return SaveToHTML(table, fileName, observer);
  }
  return false;
}

}  // namespace

std::vector<std::string> ExportOptions::files() const {
  std::vector<std::string> names;
  for (const auto& file : {gopsFile, secondsFile}) {
    if (file) names.push_back(*file);
  }
  if (jsonFile && !jsonToStdout()) names.push_back(*jsonFile);
  return names;
}

std::string TakeExportOptions(ArgumentList& arguments, ExportOptions& options) {
  options.gopsFile = arguments.TakeValue("--gops");
  options.secondsFile = arguments.TakeValue("--seconds");
  options.jsonFile = arguments.TakeValue("--json");
  if (const auto format = arguments.TakeValue("--format")) {
    options.format = FormatNamed(*format);
    if (!options.format) return "--format takes txt, xls, doc or htm, not \"" + *format + "\"";
  }
  if (options.format) return {};
  for (const auto& file : {options.gopsFile, options.secondsFile}) {
    if (file && !FormatOfExtension(*file)) {
      return "cannot tell the format of \"" + *file +
             "\" from its extension (.txt, .csv, .xls, .doc, .htm, .html); give --format";
    }
  }
  return {};
}

int WriteExports(const AnalysisContext& context, const ExportOptions& options,
                 AnalysisObserver& observer) {
  const RecordStores& stores = context.stores();
  if (options.gopsFile && !SaveTable(BuildGopTable(stores), options, *options.gopsFile, observer)) {
    return kExitCannotWrite;
  }
  if (options.secondsFile &&
      !SaveTable(BuildSecondsTable(stores), options, *options.secondsFile, observer)) {
    return kExitCannotWrite;
  }
  if (options.jsonFile) {
    const std::string json = FormatAnalysisJson(context);
    if (options.jsonToStdout()) {
      if (std::fwrite(json.data(), 1, json.size(), stdout) != json.size()) return kExitCannotWrite;
    } else if (!WriteExportFile(*options.jsonFile, json, observer)) {
      return kExitCannotWrite;
    }
  }
  return kExitDone;
}

}  // namespace tessivo::cli
