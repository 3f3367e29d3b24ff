// The output always carries the analysed file's extension, whatever the chosen name has.
#include "modify/output_name.h"

#include <gtest/gtest.h>

namespace tessivo {
namespace {

TEST(OutputNameTest, AnalysedExtensionReplacesTheChosenOne) {
  EXPECT_EQ(OutputFileName("/out/new", "/in/clip.m2v"), "/out/new.m2v");
  EXPECT_EQ(OutputFileName("/out/new.mpg", "/in/clip.m2v"), "/out/new.m2v");
  EXPECT_EQ(OutputFileName("/out/new.part.one.mpg", "/in/clip.m1v"), "/out/new.m1v");
  EXPECT_EQ(OutputFileName("new.txt", "clip"), "new");
}

TEST(OutputNameTest, ExtensionsRunFromTheFirstDotOfTheFileNameOnly) {
  EXPECT_EQ(OutputFileName("/out/new", "/in/clip.final.m2v"), "/out/new.final.m2v");
  EXPECT_EQ(OutputFileName("/out.d/new", "/in.d/clip"), "/out.d/new");
  EXPECT_EQ(OutputFileName("/out.d/new.x", "/in.d/clip.m2v"), "/out.d/new.m2v");
}

TEST(OutputNameTest, LongNamesAreKeptWhole) {
  const std::string folder = "/" + std::string(150, 'f');
  const std::string name = std::string(140, 'n');
  EXPECT_EQ(OutputFileName(folder + "/" + name + ".old", folder + "/in.m2v"),
            folder + "/" + name + ".m2v");
}

}  // namespace
}  // namespace tessivo
