// Every fixture analysed now saves the result file that was saved for it when the fixture was
// made (tests/data/results): any change to how the input is read that moves a record fails here.
#include <gtest/gtest.h>

#include "analysis/result_file.h"
#include "support/analysed_stream.h"
#include "support/test_files.h"

namespace tessivo {
namespace {

void ExpectSavedResult(const std::string& fixture, const std::string& result,
                       const AnalysisSettings& settings = {}) {
  test::AnalysedStream run(test::FixturePath(fixture), settings);
  ASSERT_TRUE(run.openStatus().ok()) << fixture;
  test::TempFile saved(".tsr");
  ASSERT_TRUE(SaveResultFile(run.context(), saved.path()).ok());
  const auto expected = test::ReadFileBytes(test::FixturePath("results/" + result));
  const auto actual = test::ReadFileBytes(saved.path());
  // The file name at the head depends on where the fixtures lie; whatever a later layout may
  // append after the records is not compared.
  ASSERT_GE(actual.size(), expected.size()) << fixture;
  ASSERT_GT(expected.size(), kFileNameSize);
  for (size_t i = kFileNameSize; i < expected.size(); ++i) {
    ASSERT_EQ(actual[i], expected[i]) << fixture << " differs at byte " << i;
  }
}

TEST(SavedResultsTest, ElementaryStreams) {
  for (const char* name :
       {"mpeg1_cif25.m1v", "mpeg2_ntsc_progressive.m2v", "mpeg2_pal_interlaced.m2v", "vbv_cbr.m2v",
        "vbv_cbr_small_buffer.m2v", "vbv_mpeg2enc_cbr.m2v", "vbv_mpeg2enc_pulldown.m2v"}) {
    ExpectSavedResult(name, std::string(name) + ".tsr");
  }
}

TEST(SavedResultsTest, ProgramAndSystemStreams) {
  for (const char* name : {"dvd_pal.vob", "dvd_pal_12mbit.vob", "dvd_pal_gop20.vob",
                           "mpeg2_pal_interlaced.vob", "mpeg1_cif25_system.mpg"}) {
    ExpectSavedResult(name, std::string(name) + ".tsr");
  }
  AnalysisSettings everyPacket;
  everyPacket.checkPackStartHdr = false;
  ExpectSavedResult("mpeg1_cif25_system.mpg", "mpeg1_cif25_system_no_pack_check.tsr", everyPacket);
}

}  // namespace
}  // namespace tessivo
