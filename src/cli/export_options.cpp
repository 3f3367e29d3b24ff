#include "cli/export_options.h"

#include <cstdio>

#include "cli/analysis_json.h"
#include "cli/status_exit.h"
#include "tables/export_file.h"
#include "tables/gop_table.h"
#include "tables/seconds_table.h"

namespace tessivo::cli {

namespace {

// The options were checked when taken: a file without --format has a known extension.
Status SaveTable(const Table& table, const ExportOptions& options, const std::string& fileName,
                 PartialFileWatcher& watcher) {
  const ExportFormat& format = options.format ? *options.format : *ExportFormatOfFile(fileName);
  return format.write(table, fileName, watcher);
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
    options.format = ExportFormatNamed(*format);
    if (!options.format) return "--format takes txt, xls, doc or htm, not \"" + *format + "\"";
  }
  if (options.format) return {};
  for (const auto& file : {options.gopsFile, options.secondsFile}) {
    if (file && !ExportFormatOfFile(*file)) {
      return "cannot tell the format of \"" + *file +
             "\" from its extension (.txt, .csv, .xls, .doc, .htm, .html); give --format";
    }
  }
  return {};
}

int WriteExports(const AnalysisContext& context, const ExportOptions& options,
                 CliObserver& observer) {
  const RecordStores& stores = context.stores();
  if (options.gopsFile) {
    const Status status = SaveTable(BuildGopTable(stores), options, *options.gopsFile, observer);
    if (!status.ok()) return ReportFailure(status, &observer);
  }
  if (options.secondsFile) {
    const Status status =
        SaveTable(BuildSecondsTable(stores), options, *options.secondsFile, observer);
    if (!status.ok()) return ReportFailure(status, &observer);
  }
  if (options.jsonFile) {
    const std::string json = FormatAnalysisJson(context);
    if (options.jsonToStdout()) {
      if (std::fwrite(json.data(), 1, json.size(), stdout) != json.size()) return kExitCannotWrite;
    } else {
      return ReportFailure(WriteExportFile(*options.jsonFile, json, observer), &observer);
    }
  }
  return kExitDone;
}

}  // namespace tessivo::cli
