// tessivo-cli pictures INPUT OUTPUT: the table of pictures in one of the export formats.
#include "analysis/analysis_context.h"
#include "buffer/vbv_model.h"
#include "cli/command_input.h"
#include "cli/commands.h"
#include "cli/status_exit.h"
#include "tables/export_formats.h"
#include "tables/picture_table.h"

namespace tessivo::cli {

int RunPictures(ArgumentList& arguments) {
  const InputOptions input = TakeInputOptions(arguments);
  const auto formatName = arguments.TakeValue("--format");
  const auto files = arguments.TakePositional();
  if (!arguments.error().empty()) return UsageError(arguments.error());
  if (files.size() != 2) return UsageError("pictures takes INPUT and OUTPUT");
  const ExportFormat* format = nullptr;
  if (formatName) {
    format = ExportFormatNamed(*formatName);
    if (!format)
      return UsageError("--format takes txt, xls, doc or htm, not \"" + *formatName + "\"");
  } else {
    format = ExportFormatOfFile(files[1]);
    if (!format) {
      return UsageError(
          "cannot tell the format of \"" + files[1] +
          "\" from its extension (.txt, .csv, .xls, .doc, .htm, .html); give --format");
    }
  }
  const int refused = RefuseOutputOntoInput(files[0], files[1]);
  if (refused != kExitDone) return refused;

  CliObserver observer(files[0], input.quiet);
  int exitCode = kExitDone;
  auto context = ReadInput(input, files[0], observer, exitCode);
  if (!context) return exitCode;
  // A loaded result has no facts: its buffer column stays empty.
  const VbvResult vbv = SimulateVbv(context->stores());
  const Table table = BuildPictureTable(context->stores(), &vbv);
  return ReportFailure(format->write(table, files[1], observer), &observer);
}

}  // namespace tessivo::cli
