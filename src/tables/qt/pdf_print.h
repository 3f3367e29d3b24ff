// Printing to a PDF file goes through the same partial-file writer as every other output: the
// document is made in memory and written under a temporary name, renamed when complete.
#pragma once

class QPrinter;

namespace tessivo {
class AnalysisObserver;
}

namespace tessivo::view {

class TTableGrid;

// Prints grid with printer's page layout and resolution into its output file; false, with a
// message through messages and no file left behind, when the file cannot be written.
bool PrintGridToPdf(const TTableGrid& grid, const QPrinter& printer, AnalysisObserver& messages);

}  // namespace tessivo::view
