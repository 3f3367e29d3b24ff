// Prints every row and column of a table grid in on-screen order, on as many pages as it needs:
// an 8-point sans-serif font, no header, footer, borders, margins or spacing, columns that do
// not fit the page width continuing on further pages.
#pragma once

class QPrinter;

namespace tessivo::view {

class TTableGrid;

// False when the printer cannot be started.
bool PrintGrid(const TTableGrid& grid, QPrinter& printer);

}  // namespace tessivo::view
