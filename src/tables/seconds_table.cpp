#include "tables/seconds_table.h"

#include <charconv>

namespace tessivo {

Table BuildSecondsTable(const RecordStores& stores) {
  Table table("Seconds", 3);
  const uint32_t secondCount = stores.ValidSecondCount();
  table.Reserve(secondCount + Table::kFixedRows);

  const size_t header = table.AddRow();
  table.cell(header, 0) = TextCell("Time");
  table.cell(header, 1) = TextCell("Bitrate");
  table.cell(header, 2) = TextCell("Quantization");

  char quant[400];  // room for any double in fixed notation
  for (uint32_t i = 0; i < secondCount; ++i) {
    const PerSecondStats& second = stores.seconds()[i];
    const size_t row = table.AddRow();
    table.cell(row, 0) = NumberCell(std::to_string(i + 1));
    table.cell(row, 1) = NumberCell(std::to_string(second.bitrate));
    // "%.2f", but in every locale: the desktop application runs under the user's.
    const auto written =
        std::to_chars(quant, quant + sizeof quant, second.quant, std::chars_format::fixed, 2);
    table.cell(row, 2) = NumberCell(std::string(quant, written.ptr));
  }
  return table;
}

}  // namespace tessivo
