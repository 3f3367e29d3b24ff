// What every writer does with the file: the name used unchanged, the file replaced whole, and a
// file that cannot be created reported and not left behind.
#include "tables/export_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "support/test_files.h"
#include "tables/export_csv.h"
#include "tables/export_doc.h"
#include "tables/export_html.h"
#include "tables/export_xls.h"

namespace tessivo {
namespace {

using Writer = std::function<Status(const Table&, const std::string&, PartialFileWatcher&)>;

const std::vector<std::pair<const char*, Writer>>& Writers() {
  static const std::vector<std::pair<const char*, Writer>> writers = {{"text", SaveToCSV},
                                                                      {"spreadsheet", SaveToXLS},
                                                                      {"document", SaveToDOC},
                                                                      {"html", SaveToHTML}};
  return writers;
}

Table SmallTable() {
  Table table("t", 2);
  const size_t row = table.AddRow();
  table.cell(row, 0) = TextCell("a");
  table.cell(row, 1) = NumberCell("1");
  return table;
}

TEST(ExportFile, AFileThatCannotBeCreatedIsReportedAndNothingIsLeft) {
  const std::string fileName =
      (std::filesystem::temp_directory_path() / "tessivo-no-such-folder" / "table").string();
  for (const auto& [name, save] : Writers()) {
    PartialFileWatcher watcher;
    const Status status = save(SmallTable(), fileName, watcher);
    EXPECT_EQ(status.kind, StatusKind::kCannotWrite) << name;
    EXPECT_EQ(status.message, "Cannot Create file " + fileName) << name;
  }
}

TEST(ExportFile, ANameWithoutExtensionIsUsedAsItIsAndAnOldFileIsReplaced) {
  for (const auto& [name, save] : Writers()) {
    const test::TempDir folder;
    const std::string fileName = folder / "table";
    std::ofstream(fileName, std::ios::binary) << std::string(100000, 'x');
    PartialFileWatcher watcher;
    const Status status = save(SmallTable(), fileName, watcher);
    ASSERT_TRUE(status.ok()) << name;
    EXPECT_TRUE(status.message.empty()) << name;
    const auto bytes = test::ReadFileBytes(fileName);
    EXPECT_LT(bytes.size(), 100000u) << name;
    EXPECT_NE(bytes[0], 'x') << name;
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"table"}) << name;
  }
}

TEST(ExportFile, AFailedRenameLeavesNoPartialFile) {
  // A folder in the way of the name: the partial file is written, the rename fails.
  const test::TempDir folder;
  const std::string inTheWay = folder / "table";
  std::filesystem::create_directories(inTheWay + "/inside");
  PartialFileWatcher watcher;
  EXPECT_EQ(WriteExportFile(inTheWay, "bytes", watcher).message, "Cannot Create file " + inTheWay);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"table"});
  EXPECT_TRUE(std::filesystem::is_directory(inTheWay + "/inside"));
}

}  // namespace
}  // namespace tessivo
