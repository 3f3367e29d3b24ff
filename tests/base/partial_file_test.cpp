// The partial-file writer that every output goes through: a fresh temporary file of its own
// beside the target, told to the observer while it exists, renamed or removed at the end.
#include "base/partial_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/test_files.h"

namespace tessivo {
namespace {

namespace fs = std::filesystem;

// What the writer told its observer, in order: "changing", then each name ("" for none).
class PartialFileLog : public PartialFileWatcher {
 public:
  void PartialFileChanging() override { events.push_back("changing"); }
  void SetPartialFile(const std::string& path) override { events.push_back(path); }
  std::vector<std::string> events;
};

TEST(PartialFileTest, WritesBesideTheTargetUnderAShortNameOfItsOwnAndRenamesIt) {
  const test::TempDir folder;
  const std::string target = folder / std::string(255, 't');
  PartialFileLog log;
  {
    PartialFile file(&log);
    ASSERT_TRUE(file.Create(target));
    std::fputs("complete", file.get());
    ASSERT_EQ(log.events.size(), 2u);
    const fs::path temporary = log.events[1];
    EXPECT_EQ(temporary.parent_path(), folder.path());
    EXPECT_LT(temporary.filename().string().size(), 32u);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{temporary.filename().string()});
    EXPECT_TRUE(file.Commit(true));
  }
  EXPECT_EQ(log.events, (std::vector<std::string>{"changing", log.events[1], "changing", ""}));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{std::string(255, 't')});
  const auto bytes = test::ReadFileBytes(target);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "complete");
}

TEST(PartialFileTest, TwoWritersForOneTargetNeverShareAFile) {
  const test::TempDir folder;
  const std::string target = folder / "out";
  PartialFile first;
  PartialFile second;
  ASSERT_TRUE(first.Create(target));
  ASSERT_TRUE(second.Create(target));
  std::fputs("first", first.get());
  std::fputs("second", second.get());
  EXPECT_EQ(folder.Names().size(), 2u);
  EXPECT_TRUE(first.Commit(true));
  EXPECT_TRUE(second.Commit(true));
  const auto bytes = test::ReadFileBytes(target);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "second");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"out"});
}

TEST(PartialFileTest, AFailedOrAbandonedWriteLeavesTheOldFileAndNoTemporaryOne) {
  const test::TempDir folder;
  const std::string target = folder / "out";
  std::ofstream(target) << "old";
  {
    PartialFile failed;
    ASSERT_TRUE(failed.Create(target));
    std::fputs("new", failed.get());
    EXPECT_FALSE(failed.Commit(false));
  }
  {
    PartialFile abandoned;
    ASSERT_TRUE(abandoned.Create(target));
    std::fputs("new", abandoned.get());
  }
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"out"});
  const auto bytes = test::ReadFileBytes(target);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "old");
}

TEST(PartialFileTest, AFolderThatCannotTakeTheFileIsReportedWithNoNameToRemove) {
  PartialFileLog log;
  PartialFile file(&log);
  EXPECT_FALSE(file.Create("/no/such/folder/out"));
  EXPECT_EQ(log.events, (std::vector<std::string>{"changing", ""}));
  EXPECT_FALSE(file.Commit(true));
}

}  // namespace
}  // namespace tessivo
