// The copy's source checked against records that came from a result file or from a run: what it
// gives back, and the files it refuses.
#include "modify/copy_source.h"

#include <gtest/gtest.h>

#include <cstring>

#include "analysis/result_file.h"
#include "modify/stream_copy.h"
#include "support/recording_observer.h"
#include "support/test_files.h"

namespace tessivo {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr const char* kStream = "mpeg2_pal_interlaced.m2v";
constexpr const char* kOtherStream = "mpeg1_cif25.m1v";

struct Analysis {
  explicit Analysis(const std::string& path) : context(AnalysisContext::Create({}, observer)) {
    EXPECT_TRUE(context->StartAnalysis(path).ok()) << path;
    context->ReadToEnd();
  }
  const RecordStores& stores() const { return context->stores(); }

  AnalysisObserver observer;
  std::unique_ptr<AnalysisContext> context;
};

// The records of path as a result file brings them into a context that analysed other first.
std::unique_ptr<Analysis> LoadedAfter(const std::string& path, const std::string& other) {
  Analysis own(path);
  test::TempFile result(".tsr");
  EXPECT_TRUE(SaveResultFile(*own.context, result.path()).ok());
  auto loaded = std::make_unique<Analysis>(other);
  EXPECT_TRUE(LoadResultFile(*loaded->context, result.path()).ok());
  return loaded;
}

Bytes CopyWith(const std::string& input, const RecordStores& records,
               const SequenceSummary& summary, const CopyOptions& options) {
  test::TempFile output(".m2v");
  CopyProgress progress;
  const HeaderPatch patch = MakeHeaderPatch(ValuesOf(summary), summary);
  const Status result = StreamCopy(input, output.path(), patch, options, records, progress);
  EXPECT_TRUE(result.ok()) << result.message;
  return test::ReadFileBytes(output.path());
}

std::string Refusal(const std::string& path, const RecordStores& records) {
  test::RecordingObserver progress;
  const CopySource source(path, records, {}, progress);
  EXPECT_FALSE(source.status().ok()) << path;
  return source.status().message;
}

TEST(CopySourceTest, TheNamedStreamGivesBackWhatTheResultFileLost) {
  const std::string path = test::FixturePath(kStream);
  const Analysis own(path);
  const auto loaded = LoadedAfter(path, test::FixturePath(kOtherStream));
  const RecordStores& records = loaded->stores();
  // The first sequence header is not in the file: the loaded records still hold the other one's.
  ASSERT_NE(std::memcmp(&records.firstSequenceBlock, &own.stores().firstSequenceBlock,
                        sizeof(FirstSequenceBlock)),
            0);

  test::RecordingObserver progress;
  const CopySource source(path, records, {}, progress);
  ASSERT_TRUE(source.status().ok()) << source.status().message;
  EXPECT_FALSE(progress.progress.empty());
  EXPECT_EQ(source.stores().gopCount, own.stores().gopCount);
  EXPECT_EQ(std::memcmp(&source.stores().firstSequenceBlock, &own.stores().firstSequenceBlock,
                        sizeof(FirstSequenceBlock)),
            0);
  for (uint32_t i = 0; i < own.stores().gopCount; ++i) {
    EXPECT_EQ(source.stores().gopPositions()[i], own.stores().gopPositions()[i]) << "GOP " << i;
  }

  // A cut that repeats the first header copies what the stream's own analysis copies.
  CopyOptions options;
  options.performCut = true;
  options.inGop = 1;
  options.outGop = 3;
  options.sequenceHeaderEachGop = true;
  EXPECT_EQ(CopyWith(path, source.stores(), records.summary, options),
            CopyWith(path, own.stores(), own.stores().summary, options));
}

TEST(CopySourceTest, RecordsOfARunStillReadingKeepTheirGopCount) {
  const std::string path = test::FixturePath(kStream);
  Analysis partial(path);
  ASSERT_GT(partial.stores().gopCount, 3u);
  partial.context->stores().gopCount = 3;
  AnalysisObserver progress;
  const CopySource source(path, partial.stores(), {}, progress);
  ASSERT_TRUE(source.status().ok()) << source.status().message;
  EXPECT_EQ(source.stores().gopCount, 3u);
}

TEST(CopySourceTest, AFileThatIsNotTheAnalysedStreamIsRefusedWithItsNameAndTheReason) {
  const Bytes stream = test::ReadFileBytes(test::FixturePath(kStream));
  const Analysis own(test::FixturePath(kStream));
  const RecordStores& records = own.stores();
  ASSERT_EQ(records.gopCount, 6u);

  EXPECT_EQ(Refusal("", records), "Cannot copy: the analysis names no stream file");
  const test::TempFile missing(".m2v");
  EXPECT_EQ(Refusal(missing.path(), records),
            "Cannot copy " + missing.path() + ": the file does not exist");
  const test::TempFile text(Bytes{'n', 'o', ' ', 'v', 'i', 'd', 'e', 'o'}, ".m2v");
  EXPECT_EQ(Refusal(text.path(), records),
            "Cannot copy " + text.path() + ": it is not an MPEG video stream");
  const std::string programStream = test::FixturePath("mpeg2_pal_interlaced.vob");
  EXPECT_EQ(Refusal(programStream, records),
            "Cannot copy " + programStream +
                ": it is a system/program stream, not the analysed elementary stream");
  const std::string transportStream = test::FixturePath("ts_ffmpeg.ts");
  EXPECT_EQ(Refusal(transportStream, records),
            "Cannot copy " + transportStream +
                ": it is a transport stream, not the analysed elementary stream");
  const std::string noVideo = test::FixturePath("ts_audio.ts");
  EXPECT_EQ(Refusal(noVideo, records),
            "Cannot copy " + noVideo + ": it is not an MPEG video stream");

  // The same stream four bytes further on: every GOP has moved.
  Bytes shifted = stream;
  shifted.insert(shifted.begin(), 4, 0x00);
  const test::TempFile moved(shifted, ".m2v");
  EXPECT_EQ(Refusal(moved.path(), records),
            "Cannot copy " + moved.path() +
                ": GOP 0 is not where the analysis found it: it is not the analysed stream");

  // Its first GOPs only: the cut points beyond them do not exist.
  const uint64_t fourthGop = records.gopPositions()[3] - 4;
  const test::TempFile cutShort(Bytes(stream.begin(), stream.begin() + fourthGop), ".m2v");
  EXPECT_EQ(Refusal(cutShort.path(), records),
            "Cannot copy " + cutShort.path() +
                ": it holds 3 GOPs where the analysis recorded 6: it is not the analysed stream");

  const std::string other = test::FixturePath("mpeg2_ntsc_progressive.m2v");
  const std::string message = Refusal(other, records);
  EXPECT_EQ(message.rfind("Cannot copy " + other + ": ", 0), 0u) << message;
  EXPECT_NE(message.find("it is not the analysed stream"), std::string::npos) << message;
}

}  // namespace
}  // namespace tessivo
