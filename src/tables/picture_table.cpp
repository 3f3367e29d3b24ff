#include "tables/picture_table.h"

#include <algorithm>
#include <charconv>

#include "mpeg/picture_locator.h"

namespace tessivo {

namespace {

constexpr const char* kHeaders[] = {"Pic no.", "Type", "Size",     "qmin",    "qmax",
                                    "qavg",    "GOP",  "Timecode", "Buffer %"};
constexpr size_t kColumnCount = std::size(kHeaders);

// Fixed notation in every locale: the desktop application runs under the user's.
std::string Fixed(double value, int decimals) {
  char text[400];  // room for any double in fixed notation
  const auto written =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, written.ptr);
}

}  // namespace

Table BuildPictureTable(const RecordStores& stores, const VbvResult* vbv) {
  Table table("Pictures", kColumnCount);
  const uint32_t pictureCount = std::min(stores.summary.pictureCount, stores.capacity());
  table.Reserve(pictureCount + Table::kFixedRows);

  const size_t header = table.AddRow();
  for (size_t column = 0; column < kColumnCount; ++column) {
    table.cell(header, column) = TextCell(kHeaders[column], CellAlignment::kCenter);
  }

  const bool modelled = stores.pictureFactsAvailable && vbv != nullptr &&
                        vbv->mode != VbvMode::kNone && vbv->pictures.size() == pictureCount;
  PictureLocator locator(stores);
  for (uint32_t i = 0; i < pictureCount; ++i) {
    const PictureRecord& picture = stores.pictures()[i];
    const PictureLocation location = locator.Locate(i);
    const size_t row = table.AddRow();
    table.cell(row, 0) = NumberCell(std::to_string(i + 1));
    table.cell(row, 1) = TextCell(std::string(1, picture.type), CellAlignment::kCenter);
    table.cell(row, 2) = NumberCell(std::to_string(picture.size));
    table.cell(row, 3) = NumberCell(std::to_string(picture.qmin));
    table.cell(row, 4) = NumberCell(std::to_string(picture.qmax));
    table.cell(row, 5) = NumberCell(Fixed(picture.qavg, 2));
    // Numbered from 1 as the GOP table numbers them; empty before the first GOP.
    table.cell(row, 6) =
        location.gop == kNoGop ? TextCell("") : NumberCell(std::to_string(location.gop + 1));
    table.cell(row, 7) = TextCell(TimeCodeText(location.timeCode), CellAlignment::kCenter);
    if (!modelled) continue;
    const uint64_t size = stores.sequenceFacts()[stores.pictureFacts()[i].sequence].vbvBufferSize;
    if (size == 0) continue;
    const double fill =
        100.0 * static_cast<double>(vbv->pictures[i].before) / static_cast<double>(size);
    table.cell(row, 8) = NumberCell(Fixed(fill, 1));
  }
  return table;
}

}  // namespace tessivo
