#include "tables/gop_table.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace tessivo {

namespace {

constexpr const char* kHeaders[] = {"Gop no.", "Timecode",  "Pic n.",     "Pictures",
                                    "Closed",  "Broken l.", "Has SeqHdr", "Offset"};
constexpr size_t kColumnCount = std::size(kHeaders);

const char* YesNo(uint8_t flag) {
  return flag ? "Yes" : "No";
}

}  // namespace

Table BuildGopTable(const RecordStores& stores) {
  Table table("GOPs", kColumnCount);
  const uint32_t gopCount = stores.recordedGopCount();
  table.Reserve(gopCount + Table::kFixedRows);

  const size_t header = table.AddRow();
  for (size_t column = 0; column < kColumnCount; ++column) {
    table.cell(header, column) = TextCell(kHeaders[column], CellAlignment::kCenter);
  }

  char text[32];
  for (uint32_t i = 0; i < gopCount; ++i) {
    const GopRecord& gop = stores.gops()[i];
    const size_t row = table.AddRow();
    table.cell(row, 0) = NumberCell(std::to_string(i + 1));
    std::snprintf(text, sizeof text, "%02u:%02u:%02u.%02u", gop.hours, gop.minutes, gop.seconds,
                  gop.pictures);
    table.cell(row, 1) = TextCell(text, CellAlignment::kCenter);
    table.cell(row, 2) = NumberCell(std::to_string(gop.count));
    // A record from a damaged result file may lack its NUL.
    table.cell(row, 3) = TextCell(std::string(gop.pattern, strnlen(gop.pattern, kPatternSize)));
    table.cell(row, 4) = TextCell(YesNo(gop.closedGop), CellAlignment::kCenter);
    table.cell(row, 5) = TextCell(YesNo(gop.brokenLink), CellAlignment::kCenter);
    table.cell(row, 6) = TextCell(YesNo(gop.sequenceHeader), CellAlignment::kCenter);
    // The full 64-bit position, so offsets past 4 GiB keep their high digits.
    std::snprintf(text, sizeof text, "%07" PRIx64, stores.gopPositions()[i]);
    table.cell(row, 7) = TextCell(text, CellAlignment::kRight);
  }
  return table;
}

}  // namespace tessivo
