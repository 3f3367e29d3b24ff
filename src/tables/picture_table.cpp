#include "tables/picture_table.h"

#include <algorithm>

#include "mpeg/picture_locator.h"

namespace tessivo {

namespace {

constexpr const char* kHeaders[kPictureColumnCount] = {
    "Pic no.", "Type", "Size", "qmin", "qmax", "qavg", "GOP", "Timecode", "Buffer %"};

}  // namespace

Table BuildPictureTable(const RecordStores& stores, const VbvResult* vbv) {
  Table table("Pictures", kPictureColumnCount);
  const uint32_t pictureCount = std::min(stores.summary.pictureCount, stores.capacity());
  table.Reserve(pictureCount + Table::kFixedRows);

  const size_t header = table.AddRow();
  for (size_t column = 0; column < kPictureColumnCount; ++column) {
    table.cell(header, column) = TextCell(kHeaders[column], CellAlignment::kCenter);
  }

  const bool modelled = stores.pictureFactsAvailable && vbv != nullptr &&
                        vbv->mode != VbvMode::kNone && vbv->pictures.size() == pictureCount;
  PictureLocator locator(stores);
  for (uint32_t i = 0; i < pictureCount; ++i) {
    const PictureRecord& picture = stores.pictures()[i];
    const PictureLocation location = locator.Locate(i);
    const size_t row = table.AddRow();
    table.cell(row, kPictureNumberColumn) = NumberCell(std::to_string(i + 1));
    table.cell(row, kPictureTypeColumn) =
        TextCell(std::string(1, picture.type), CellAlignment::kCenter);
    table.cell(row, kPictureSizeColumn) = NumberCell(std::to_string(picture.size));
    table.cell(row, kPictureQminColumn) = NumberCell(std::to_string(picture.qmin));
    table.cell(row, kPictureQmaxColumn) = NumberCell(std::to_string(picture.qmax));
    table.cell(row, kPictureQavgColumn) = NumberCell(FixedText(picture.qavg, 2));
    // Numbered from 1 as the GOP table numbers them; empty before the first GOP.
    table.cell(row, kPictureGopColumn) =
        location.gop == kNoGop ? TextCell("") : NumberCell(std::to_string(location.gop + 1));
    table.cell(row, kPictureTimeCodeColumn) =
        TextCell(TimeCodeText(location.timeCode), CellAlignment::kCenter);
    if (!modelled) continue;
    const uint64_t size = stores.sequenceFacts()[stores.pictureFacts()[i].sequence].vbvBufferSize;
    if (size == 0) continue;
    const double fill =
        100.0 * static_cast<double>(vbv->pictures[i].before) / static_cast<double>(size);
    table.cell(row, kPictureBufferColumn) = NumberCell(FixedText(fill, 1));
  }
  return table;
}

}  // namespace tessivo
