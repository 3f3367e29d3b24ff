#include "tables/export_xls.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "tables/biff_stream.h"
#include "tables/compound_file.h"
#include "tables/export_file.h"
#include "tables/utf8.h"

namespace tessivo {

namespace {

constexpr uint16_t kBof = 0x0809;
constexpr uint16_t kEof = 0x000A;
constexpr uint16_t kCodepage = 0x0042;
constexpr uint16_t kWindow1 = 0x003D;
constexpr uint16_t kFont = 0x0031;
constexpr uint16_t kFormat = 0x041E;
constexpr uint16_t kXf = 0x00E0;
constexpr uint16_t kStyle = 0x0293;
constexpr uint16_t kBoundSheet = 0x0085;
constexpr uint16_t kSst = 0x00FC;
constexpr uint16_t kExtSst = 0x00FF;
constexpr uint16_t kColInfo = 0x007D;
constexpr uint16_t kDimensions = 0x0200;
constexpr uint16_t kWindow2 = 0x023E;
constexpr uint16_t kNumber = 0x0203;
constexpr uint16_t kLabelSst = 0x00FD;

constexpr size_t kSheetRows = 65536;
constexpr size_t kSheetColumns = 256;
constexpr size_t kCellCharacters = 32767;
constexpr size_t kSheetNameCharacters = 31;
// Some readers refuse a workbook stream small enough to sit in the compound file's mini stream.
constexpr size_t kSmallestWorkbookStream = 4096;

// Excel expects 15 style XFs and then the default cell XF. Ours follow in groups of six, one
// group per number format: left, centre and right, first in the normal font, then in the bold.
constexpr uint16_t kStyleXfCount = 15;
constexpr uint16_t kFirstCellXf = kStyleXfCount + 1;
constexpr uint16_t kXfsPerFormat = 6;
constexpr uint16_t kBoldFont = 5;             // font index 4 does not exist in BIFF
constexpr uint16_t kFirstCustomFormat = 164;  // the ones below are built in
constexpr size_t kMostDecimals = 15;

// The number formats in use, by the decimals they show: a number keeps the look of its text,
// so 7.10 stays 7.10 and not 7.1. Group 0 is General, for texts and whole numbers.
class NumberFormats {
 public:
  size_t GroupOf(int decimals) {
    const auto found = std::find(decimals_.begin(), decimals_.end(), decimals);
    if (found != decimals_.end()) return static_cast<size_t>(found - decimals_.begin());
    decimals_.push_back(decimals);
    return decimals_.size() - 1;
  }
  const std::vector<int>& decimals() const { return decimals_; }
  static uint16_t FormatIndex(size_t group) {
    return group == 0 ? 0 : static_cast<uint16_t>(kFirstCustomFormat + group - 1);
  }

 private:
  std::vector<int> decimals_{0};
};

uint16_t CellXf(size_t formatGroup, CellAlignment alignment, bool bold) {
  return static_cast<uint16_t>(kFirstCellXf + formatGroup * kXfsPerFormat + (bold ? 3 : 0) +
                               static_cast<int>(alignment));
}

int DecimalsOf(const std::string& number) {
  const size_t point = number.find('.');
  if (point == std::string::npos) return 0;
  return static_cast<int>(std::min(number.size() - point - 1, kMostDecimals));
}

std::optional<double> NumberValue(const TableCell& cell) {
  if (!cell.isNumber) return std::nullopt;
  double value = 0.0;
  const char* end = cell.text.data() + cell.text.size();
  const auto [stop, failure] = std::from_chars(cell.text.data(), end, value);
  if (failure != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

class SharedStrings {
 public:
  uint32_t Add(const std::string& text) {
    ++total_;
    const auto [it, added] = index_.try_emplace(text, static_cast<uint32_t>(unique_.size()));
    if (added) unique_.push_back(Utf16FromUtf8(text));
    return it->second;
  }
  uint32_t total() const { return total_; }
  const std::vector<std::u16string>& unique() const { return unique_; }

 private:
  std::unordered_map<std::string, uint32_t> index_;
  std::vector<std::u16string> unique_;
  uint32_t total_ = 0;
};

void Bof(BiffStream& stream, uint16_t substreamType) {
  stream.BeginRecord(kBof);
  stream.U16(0x0600);  // BIFF8
  stream.U16(substreamType);
  stream.U16(0x0DBB);  // build and year of the writing application, as Excel 97 puts them
  stream.U16(0x07CC);
  stream.U32(0);
  stream.U32(0x0006);  // lowest BIFF version that reads every record
  stream.EndRecord();
}

void EmptyRecord(BiffStream& stream, uint16_t type) {
  stream.BeginRecord(type);
  stream.EndRecord();
}

void Font(BiffStream& stream, bool bold) {
  stream.BeginRecord(kFont);
  stream.U16(200);                // 10 pt in twentieths of a point
  stream.U16(bold ? 0x0001 : 0);  // the bold flag repeats the weight; some readers go by it
  stream.U16(0x7FFF);             // automatic colour
  stream.U16(bold ? 700 : 400);
  stream.U16(0);    // no super- or subscript
  stream.Zeros(4);  // underline, family, character set, reserved
  stream.ShortString("Arial");
  stream.EndRecord();
}

void Xf(BiffStream& stream, uint16_t font, uint16_t format, bool style, uint8_t horizontal,
        uint8_t usedAttributes) {
  stream.BeginRecord(kXf);
  stream.U16(font);
  stream.U16(format);
  // Locked; a style XF has no parent (0xFFF), a cell XF has the Normal style (XF 0).
  stream.U16(style ? 0xFFF5 : 0x0001);
  stream.U8(static_cast<uint8_t>(horizontal | 0x20));  // vertically at the bottom
  stream.U8(0);                                        // no rotation
  stream.U8(0);                                        // no indent
  stream.U8(usedAttributes);
  stream.U32(0);  // no borders
  stream.U32(0);
  stream.U16(0x20C0);  // pattern colours: system window text and background
  stream.EndRecord();
}

void Formats(BiffStream& stream, const NumberFormats& numberFormats) {
  for (int i = 0; i < 4; ++i) Font(stream, false);
  Font(stream, true);
  const std::vector<int>& decimals = numberFormats.decimals();
  for (size_t group = 1; group < decimals.size(); ++group) {
    const std::string code = "0." + std::string(static_cast<size_t>(decimals[group]), '0');
    stream.BeginRecord(kFormat);
    stream.U16(NumberFormats::FormatIndex(group));
    stream.U16(static_cast<uint16_t>(code.size()));
    stream.U8(0);  // 8-bit characters
    stream.bytes() += code;
    stream.EndRecord();
  }
  // Style XFs: Normal validates every attribute group; the other built-in styles only the font.
  Xf(stream, 0, 0, true, 0, 0x00);
  for (int i = 1; i < kStyleXfCount; ++i) Xf(stream, 0, 0, true, 0, 0xF4);
  Xf(stream, 0, 0, false, 0, 0x00);
  for (size_t group = 0; group < decimals.size(); ++group) {
    for (const bool bold : {false, true}) {
      for (const uint8_t horizontal : {1, 2, 3}) {  // left, centre, right
        // Own number format, font and alignment.
        Xf(stream, bold ? kBoldFont : 0, NumberFormats::FormatIndex(group), false, horizontal,
           0x1C);
      }
    }
  }
  stream.BeginRecord(kStyle);
  stream.U16(0x8000);  // built-in style on XF 0
  stream.U8(0);        // Normal
  stream.U8(0xFF);
  stream.EndRecord();
}

// Sheet names: at most 31 characters, none of []:*?/\ and, here, plain ASCII.
std::string SheetName(const std::string& title, size_t sheet) {
  const std::string suffix = sheet == 0 ? "" : " (" + std::to_string(sheet + 1) + ")";
  std::string name;
  for (char c : title) {
    const bool allowed =
        c >= 0x20 && c < 0x7F && std::string_view("[]:*?/\\").find(c) == std::string_view::npos;
    name += allowed ? c : '_';
  }
  if (name.empty()) name = "Sheet";
  name.resize(std::min(name.size(), kSheetNameCharacters - suffix.size()));
  return name + suffix;
}

void SharedStringTable(BiffStream& stream, const SharedStrings& strings) {
  const std::vector<std::u16string>& unique = strings.unique();
  // EXTSST indexes every dsst-th string, in at most 128 buckets.
  const size_t perBucket = std::max<size_t>(8, (unique.size() + 127) / 128);
  std::vector<std::pair<uint32_t, uint16_t>> buckets;

  stream.BeginRecord(kSst);
  stream.U32(strings.total());
  stream.U32(static_cast<uint32_t>(unique.size()));
  for (size_t i = 0; i < unique.size(); ++i) {
    std::u16string_view text = unique[i];
    text = text.substr(0, kCellCharacters);
    const bool compressed =
        std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit <= 0xFF; });
    const size_t unitSize = compressed ? 1 : 2;
    const uint8_t options = compressed ? 0 : 1;
    // The string's header and its first character stay in one record.
    if (stream.room() < 3 + (text.empty() ? 0 : unitSize)) stream.ContinueRecord();
    if (i % perBucket == 0) {
      buckets.emplace_back(static_cast<uint32_t>(stream.size()),
                           static_cast<uint16_t>(stream.offsetInRecord()));
    }
    stream.U16(static_cast<uint16_t>(text.size()));
    stream.U8(options);
    size_t written = 0;
    while (true) {
      const size_t count = std::min(text.size() - written, stream.room() / unitSize);
      for (char16_t unit : text.substr(written, count)) {
        if (compressed) {
          stream.U8(static_cast<uint8_t>(unit));
        } else {
          stream.U16(unit);
        }
      }
      written += count;
      if (written == text.size()) break;
      // The characters go on in a CONTINUE record that repeats the options byte.
      stream.ContinueRecord();
      stream.U8(options);
    }
  }
  stream.EndRecord();

  stream.BeginRecord(kExtSst);
  stream.U16(static_cast<uint16_t>(perBucket));
  for (const auto& [position, offset] : buckets) {
    stream.U32(position);
    stream.U16(offset);
    stream.U16(0);
  }
  stream.EndRecord();
}

std::vector<uint16_t> ColumnWidths(const Table& table, size_t columnCount) {
  std::vector<uint16_t> widths(columnCount);
  for (size_t column = 0; column < columnCount; ++column) {
    // UTF-8 bytes stand in for characters: wide enough, and cheap.
    size_t widest = 0;
    for (size_t row = 0; row < table.rowCount(); ++row) {
      widest = std::max(widest, table.cell(row, column).text.size());
    }
    widths[column] = static_cast<uint16_t>(std::min<size_t>(widest + 2, 255) * 256);
  }
  return widths;
}

// One sheet: the header rows, then data rows [firstRow, endRow).
BiffStream Sheet(const Table& table, size_t firstRow, size_t endRow, bool active,
                 const std::vector<uint16_t>& widths, SharedStrings& strings,
                 NumberFormats& numberFormats) {
  const size_t columnCount = widths.size();
  const size_t headerRows = std::min(Table::kFixedRows, table.rowCount());
  BiffStream stream;
  Bof(stream, 0x0010);
  for (size_t column = 0; column < columnCount; ++column) {
    stream.BeginRecord(kColInfo);
    stream.U16(static_cast<uint16_t>(column));
    stream.U16(static_cast<uint16_t>(column));
    stream.U16(widths[column]);
    stream.U16(kStyleXfCount);
    stream.U16(0);
    stream.U16(0);
    stream.EndRecord();
  }
  stream.BeginRecord(kDimensions);
  stream.U32(0);
  stream.U32(static_cast<uint32_t>(headerRows + endRow - firstRow));
  stream.U16(0);
  stream.U16(static_cast<uint16_t>(columnCount));
  stream.U16(0);
  stream.EndRecord();

  uint16_t sheetRow = 0;
  const auto writeRow = [&](size_t row, bool header) {
    for (size_t column = 0; column < columnCount; ++column) {
      const TableCell& cell = table.cell(row, column);
      if (const auto value = NumberValue(cell)) {
        const size_t group = numberFormats.GroupOf(DecimalsOf(cell.text));
        stream.BeginRecord(kNumber);
        stream.U16(sheetRow);
        stream.U16(static_cast<uint16_t>(column));
        stream.U16(CellXf(group, cell.alignment, header));
        stream.F64(*value);
      } else {
        stream.BeginRecord(kLabelSst);
        stream.U16(sheetRow);
        stream.U16(static_cast<uint16_t>(column));
        stream.U16(CellXf(0, cell.alignment, header));
        stream.U32(strings.Add(cell.text));
      }
      stream.EndRecord();
    }
    ++sheetRow;
  };
  for (size_t row = 0; row < headerRows; ++row) writeRow(row, true);
  for (size_t row = firstRow; row < endRow; ++row) writeRow(row, false);

  stream.BeginRecord(kWindow2);
  // Grid lines, headings, zeros, default grid colour, outline symbols; the active sheet is also
  // selected and shown.
  stream.U16(active ? 0x06B6 : 0x00B6);
  stream.U16(0);     // top row
  stream.U16(0);     // left column
  stream.U16(0x40);  // grid line colour: default
  stream.Zeros(10);
  stream.EndRecord();
  EmptyRecord(stream, kEof);
  return stream;
}

// The workbook stream that goes into the compound file.
std::string FormatBiff8Workbook(const Table& table) {
  const size_t columnCount = std::min(table.columnCount(), kSheetColumns);
  const size_t headerRows = std::min(Table::kFixedRows, table.rowCount());
  const size_t dataRowsPerSheet = kSheetRows - Table::kFixedRows;
  const size_t dataRows = table.rowCount() - headerRows;
  const size_t sheetCount =
      std::max<size_t>(1, (dataRows + dataRowsPerSheet - 1) / dataRowsPerSheet);

  const std::vector<uint16_t> widths = ColumnWidths(table, columnCount);
  SharedStrings strings;
  NumberFormats numberFormats;
  std::vector<BiffStream> sheets;
  for (size_t sheet = 0; sheet < sheetCount; ++sheet) {
    const size_t first = headerRows + sheet * dataRowsPerSheet;
    const size_t end = std::min(table.rowCount(), first + dataRowsPerSheet);
    sheets.push_back(Sheet(table, first, end, sheet == 0, widths, strings, numberFormats));
  }

  BiffStream globals;
  Bof(globals, 0x0005);
  globals.BeginRecord(kCodepage);
  globals.U16(1200);  // UTF-16
  globals.EndRecord();
  globals.BeginRecord(kWindow1);
  globals.U16(0);
  globals.U16(0);
  globals.U16(0x4000);  // window width and height in twips
  globals.U16(0x2000);
  globals.U16(0x0038);  // scroll bars and sheet tabs shown
  globals.U16(0);       // active sheet
  globals.U16(0);       // first visible tab
  globals.U16(1);       // selected sheets
  globals.U16(600);     // tab bar width, per mille
  globals.EndRecord();
  Formats(globals, numberFormats);
  std::vector<size_t> sheetPositionFields;
  for (size_t sheet = 0; sheet < sheetCount; ++sheet) {
    globals.BeginRecord(kBoundSheet);
    sheetPositionFields.push_back(globals.size());
    globals.U32(0);  // stream position of the sheet's BOF, set below
    globals.U16(0);  // visible worksheet
    globals.ShortString(SheetName(table.title(), sheet));
    globals.EndRecord();
  }
  SharedStringTable(globals, strings);
  EmptyRecord(globals, kEof);

  size_t position = globals.size();
  for (size_t sheet = 0; sheet < sheetCount; ++sheet) {
    globals.PatchU32(sheetPositionFields[sheet], static_cast<uint32_t>(position));
    position += sheets[sheet].size();
  }
  std::string workbook = std::move(globals.bytes());
  for (BiffStream& sheet : sheets) workbook += sheet.bytes();
  if (workbook.size() < kSmallestWorkbookStream) workbook.resize(kSmallestWorkbookStream, '\0');
  return workbook;
}

}  // namespace

std::optional<std::string> FormatXls(const Table& table) {
  return BuildCompoundFile("Workbook", FormatBiff8Workbook(table));
}

Status SaveToXLS(const Table& table, const std::string& fileName, PartialFileWatcher& watcher) {
  const std::optional<std::string> bytes = FormatXls(table);
  if (!bytes) return CannotCreateExport(fileName);
  return WriteExportFile(fileName, *bytes, watcher);
}

}  // namespace tessivo
