// The export formats shared by the export dialog and tessivo-cli: names, extensions and the
// writer behind each.
#include "tables/export_formats.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_files.h"

namespace tessivo {
namespace {

TEST(ExportFormatsTest, NamesAndExtensionsFindTheirFormat) {
  for (const ExportFormat& format : kExportFormats) {
    EXPECT_EQ(ExportFormatNamed(format.name), &format);
    EXPECT_EQ(std::string(".") + format.name, format.extension);
    EXPECT_EQ(ExportFormatOfFile(std::string("/tmp/table") + format.extension), &format);
  }
  EXPECT_STREQ(kExportFormats[0].extension, ".txt");  // the dialog's initial choice
  EXPECT_EQ(ExportFormatOfFile("GOPS.CSV"), ExportFormatNamed("txt"));
  EXPECT_EQ(ExportFormatOfFile("a.b/gops.Html"), ExportFormatNamed("htm"));
  EXPECT_EQ(ExportFormatOfFile("seconds.XLS"), ExportFormatNamed("xls"));
}

TEST(ExportFormatsTest, OtherNamesAndExtensionsFindNone) {
  for (const char* name : {"", "pdf", "csv", "html", "TXT", ".txt"}) {
    EXPECT_EQ(ExportFormatNamed(name), nullptr) << name;
  }
  for (const char* file : {"gops", "gops.", "gops.pdf", "txt", "tables.txt/gops", "gops.txt.bak"}) {
    EXPECT_EQ(ExportFormatOfFile(file), nullptr) << file;
  }
}

TEST(ExportFormatsTest, EachFormatWritesItsOwnKindOfFile) {
  Table table("t", 2);
  table.cell(table.AddRow(), 1) = TextCell("cell");
  PartialFileWatcher quiet;
  const struct {
    const char* name;
    std::string start;
  } kinds[] = {{"txt", "\"\",cell"},
               {"xls", "\xD0\xCF\x11\xE0"},  // a compound file
               {"doc", "{\\rtf1"},
               {"htm", "<"}};
  for (const auto& kind : kinds) {
    const ExportFormat* format = ExportFormatNamed(kind.name);
    ASSERT_NE(format, nullptr);
    test::TempFile file(format->extension);
    ASSERT_TRUE(format->write(table, file.path(), quiet).ok());
    const std::vector<uint8_t> bytes = test::ReadFileBytes(file.path());
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()).substr(0, kind.start.size()), kind.start)
        << kind.name;
  }
}

}  // namespace
}  // namespace tessivo
