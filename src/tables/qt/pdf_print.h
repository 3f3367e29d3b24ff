// Printing to a PDF file goes through the same partial-file writer as every other output: the
// document is made in memory and written under a temporary name, renamed when complete.
#pragma once

#include "base/status.h"

class QPrinter;

namespace tessivo::view {

class TTableGrid;

// Prints grid with printer's page layout and resolution into its output file; no file is left
// behind when the status is not ok.
Status PrintGridToPdf(const TTableGrid& grid, const QPrinter& printer);

}  // namespace tessivo::view
