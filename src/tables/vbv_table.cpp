#include "tables/vbv_table.h"

#include <iterator>

#include "buffer/vbv_text.h"

namespace tessivo {

namespace {

constexpr const char* kHeaders[] = {"Pic no.", "Type",           "Decoding time", "Before",
                                    "After",   "From vbv_delay", "Buffer %",      "Event"};
constexpr size_t kColumnCount = std::size(kHeaders);

}  // namespace

Table BuildVbvTable(const RecordStores& stores, const VbvResult& vbv) {
  Table table("VBV", kColumnCount);
  const size_t header = table.AddRow();
  for (size_t column = 0; column < kColumnCount; ++column) {
    table.cell(header, column) = TextCell(kHeaders[column], CellAlignment::kCenter);
  }
  if (vbv.mode == VbvMode::kNone) return table;
  const uint32_t count = static_cast<uint32_t>(vbv.pictures.size());
  table.Reserve(count + Table::kFixedRows);
  size_t nextEvent = 0;
  for (uint32_t k = 0; k < count; ++k) {
    const VbvPicture& fill = vbv.pictures[k];
    const size_t row = table.AddRow();
    table.cell(row, 0) = NumberCell(std::to_string(k + 1));
    table.cell(row, 1) =
        TextCell(std::string(1, stores.pictures()[k].type), CellAlignment::kCenter);
    table.cell(row, 2) = NumberCell(FixedText(fill.decodingTime, 6));
    table.cell(row, 3) = NumberCell(std::to_string(fill.before));
    table.cell(row, 4) = NumberCell(std::to_string(fill.after));
    if (vbv.mode == VbvMode::kConstantRate) {
      table.cell(row, 5) = NumberCell(std::to_string(fill.fromVbvDelay));
    }
    const uint64_t size = stores.sequenceFacts()[stores.pictureFacts()[k].sequence].vbvBufferSize;
    if (size != 0) {
      table.cell(row, 6) = NumberCell(
          FixedText(100.0 * static_cast<double>(fill.before) / static_cast<double>(size), 1));
    }
    std::string events;
    while (nextEvent < vbv.events.size() && vbv.events[nextEvent].picture < k) ++nextEvent;
    for (; nextEvent < vbv.events.size() && vbv.events[nextEvent].picture == k; ++nextEvent) {
      if (!events.empty()) events += ' ';
      events += VbvEventKindText(vbv.events[nextEvent].kind);
    }
    table.cell(row, 7) = TextCell(std::move(events));
  }
  return table;
}

}  // namespace tessivo
