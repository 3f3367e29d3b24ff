// Prints every row and column of a table grid in on-screen order, on as many pages as it needs:
// an 8-point sans-serif font, no header, footer, borders, margins or spacing, columns that do
// not fit the page width continuing on further pages.
#pragma once

class QPagedPaintDevice;

namespace tessivo::view {

class TTableGrid;

// False when the printer or document cannot be started or finished.
bool PrintGrid(const TTableGrid& grid, QPagedPaintDevice& printer);

}  // namespace tessivo::view
