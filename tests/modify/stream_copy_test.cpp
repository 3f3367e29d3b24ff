// StreamCopy on built streams whose every offset is known, analysed first as the dialog needs.
#include "modify/stream_copy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>

#include "analysis/analysis_context.h"
#include "support/stream_builder.h"
#include "support/test_files.h"

namespace tessivo {
namespace {

using Bytes = std::vector<uint8_t>;
const Bytes kEndCode = {0x00, 0x00, 0x01, 0xB7};

// A stream built GOP by GOP, remembering where each header and GOP start code stands.
class LaidOutStream {
 public:
  LaidOutStream& Header(const test::SequenceHeaderFields& fields = {}) {
    headers.push_back(builder_.size());
    builder_.SequenceHeader(fields).SequenceExtension();
    return *this;
  }
  LaidOutStream& UserData(const std::string& text) {
    builder_.UserData(text);
    return *this;
  }
  LaidOutStream& Gop(bool closed = true) {
    gops.push_back(builder_.size());
    builder_.Gop(0, 0, static_cast<uint8_t>(gops.size()), 0, closed);
    builder_.FramePicture('I', 4).FramePicture('P', 6).FramePicture('B', 8);
    return *this;
  }
  LaidOutStream& Code(uint8_t code) {
    builder_.StartCode(code);
    return *this;
  }
  LaidOutStream& End() {
    builder_.SequenceEnd();
    return *this;
  }
  const Bytes& bytes() const { return builder_.bytes(); }
  Bytes Slice(size_t from, size_t to) const {
    return Bytes(bytes().begin() + static_cast<std::ptrdiff_t>(from),
                 bytes().begin() + static_cast<std::ptrdiff_t>(to));
  }

  std::vector<size_t> headers;
  std::vector<size_t> gops;

 private:
  test::StreamBuilder builder_;
};

LaidOutStream SixGops() {
  LaidOutStream stream;
  stream.Header();
  for (int i = 0; i < 6; ++i) {
    if (i == 3) stream.Header();
    stream.Gop(i % 2 == 0);
  }
  return stream;
}

class ProgressRecorder : public CopyProgress {
 public:
  void UpdateCopyProgress(uint32_t percent) override { percents.push_back(percent); }
  std::vector<uint32_t> percents;
};

// Analyses an input as the dialog's analysis would, then copies it.
class Patcher {
 public:
  explicit Patcher(const Bytes& input) : input_(input, ".m2v") {
    context_ = AnalysisContext::Create(AnalysisSettings{}, observer_);
    EXPECT_TRUE(context_->StartAnalysis(input_.path()).ok());
    context_->ReadToEnd();
  }

  Status Run(const CopyOptions& options,
             const std::function<void(ModifyValues&)>& change = nullptr) {
    ModifyValues values = ValuesOf(stores().summary);
    if (change) change(values);
    return StreamCopy(input_.path(), output_.path(), MakeHeaderPatch(values, stores().summary),
                      options, stores(), progress);
  }

  Bytes Copy(const CopyOptions& options = {},
             const std::function<void(ModifyValues&)>& change = nullptr) {
    const Status result = Run(options, change);
    EXPECT_TRUE(result.ok()) << result.message;
    return test::ReadFileBytes(output_.path());
  }

  const RecordStores& stores() const { return context_->stores(); }
  const std::string& inputPath() const { return input_.path(); }
  const std::string& outputPath() const { return output_.path(); }

  ProgressRecorder progress;

 private:
  AnalysisObserver observer_;
  test::TempFile input_;
  test::TempFile output_{".m2v"};
  std::unique_ptr<AnalysisContext> context_;
};

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

size_t CountOf(const Bytes& haystack, const Bytes& needle) {
  size_t count = 0;
  for (auto it = haystack.begin();
       (it = std::search(it, haystack.end(), needle.begin(), needle.end())) != haystack.end();
       ++it) {
    ++count;
  }
  return count;
}

TEST(StreamCopyTest, UnchangedValuesCopyByteForByteWithAnEndCodeOnlyWhenMissing) {
  const LaidOutStream open = SixGops();
  Patcher withoutEnd(open.bytes());
  EXPECT_EQ(withoutEnd.Copy(), Concat({open.bytes(), kEndCode}));
  CopyOptions noEndCode;
  noEndCode.addSequenceEndCode = false;
  EXPECT_EQ(withoutEnd.Copy(noEndCode), open.bytes());

  LaidOutStream closed = SixGops();
  closed.End();
  Patcher withEnd(closed.bytes());
  EXPECT_EQ(withEnd.Copy(), closed.bytes());
}

TEST(StreamCopyTest, RealEncoderOutputCopiesUnchanged) {
  for (const char* name :
       {"mpeg1_cif25.m1v", "mpeg2_pal_interlaced.m2v", "mpeg2_ntsc_progressive.m2v"}) {
    const Bytes input = test::ReadFileBytes(test::FixturePath(name));
    Patcher patcher(input);
    CopyOptions options;
    options.addSequenceEndCode = false;
    EXPECT_EQ(patcher.Copy(options), input) << name;
  }
}

TEST(StreamCopyTest, EveryHeaderGetsTheChangedFieldsAndKeepsItsOwnOthers) {
  LaidOutStream stream;
  test::SequenceHeaderFields first;
  first.lowBitsOfByte7 = 2;  // load_intra_quantiser_matrix set, without the matrix for brevity
  test::SequenceHeaderFields later;
  later.width = 720;
  later.height = 576;
  later.aspectRatioCode = 3;
  later.vbvBufferSize = 112;
  later.lowBitsOfByte7 = 0;
  stream.Header(first).Gop().Gop().Header(later).Gop().Header(first).Gop();
  Patcher patcher(stream.bytes());
  const Bytes output = patcher.Copy({}, [](ModifyValues& values) {
    values.bitRate = 1150799;
    values.verticalSize = 480;
  });

  ASSERT_EQ(output.size(), stream.bytes().size() + 4);
  for (size_t i = 0; i < stream.headers.size(); ++i) {
    const size_t at = stream.headers[i] + 4;
    Bytes expected = stream.Slice(at, at + 8);
    expected[4] = 0x02;  // bit_rate_value 2876
    expected[5] = 0xCF;
    expected[6] &= 0x3F;
    expected[1] = static_cast<uint8_t>((expected[1] & 0xF0) | 480 >> 8);  // vertical_size_value
    expected[2] = 480 & 0xFF;
    EXPECT_EQ(Bytes(output.begin() + at, output.begin() + at + 8), expected) << "header " << i;
  }
  EXPECT_EQ(output[stream.headers[0] + 11] & 3, 2);
  EXPECT_EQ(output[stream.headers[1] + 11] & 3, 0);
}

TEST(StreamCopyTest, UserDataTextPrecedesEveryGopHeader) {
  const LaidOutStream stream = SixGops();
  Patcher patcher(stream.bytes());
  CopyOptions options;
  options.userData = "abc";
  const Bytes output = patcher.Copy(options);
  const Bytes userDataThenGop = {0x00, 0x00, 0x01, 0xB2, 'a', 'b', 'c', 0x00, 0x00, 0x01, 0xB8};
  EXPECT_EQ(CountOf(output, userDataThenGop), 6u);
  EXPECT_EQ(output.size(), stream.bytes().size() + 6 * 7 + 4);
}

TEST(StreamCopyTest, RemovedUserDataTakesItsStartCodeAlong) {
  LaidOutStream stream;
  stream.Header().UserData("first").Gop().UserData("second").Gop().UserData("third").Gop();
  LaidOutStream bare;
  bare.Header().Gop().Gop().Gop();
  Patcher patcher(stream.bytes());
  CopyOptions options;
  options.removeUserData = true;
  options.addSequenceEndCode = false;
  EXPECT_EQ(patcher.Copy(options), bare.bytes());
}

// User-data removal one byte at a time through a four-byte window, as the reference.
Bytes RemoveUserDataByModel(const Bytes& input) {
  Bytes output;
  Bytes window;
  bool skip = false;
  for (const uint8_t byte : input) {
    window.push_back(byte);
    if (window.size() < 4) continue;
    if (window[0] == 0 && window[1] == 0 && window[2] == 1) {
      skip = window[3] == 0xB2;
      if (!skip) output.insert(output.end(), window.begin(), window.end());
      window.clear();
    } else {
      if (!skip) output.push_back(window[0]);
      window.erase(window.begin());
    }
  }
  if (!skip) output.insert(output.end(), window.begin(), window.end());
  return Concat({output, kEndCode});
}

TEST(StreamCopyTest, UserDataRemovalMatchesTheByteByByteWindowOnRandomStreams) {
  std::mt19937 random(4);
  const std::vector<Bytes> pieces = {{0x00},
                                     {0x00, 0x00},
                                     {0x00, 0x00, 0x00},
                                     {0x00, 0x00, 0x01},
                                     {0xB2},
                                     {0x01},
                                     {0x00, 0x00, 0x01, 0xB2, 'u', 's', 'e', 'r'},
                                     {0x00, 0x00, 0x00, 0x01, 0xB2, 0x00},
                                     {0x00, 0x00, 0x01, 0xB5, 0x14},
                                     {0x00, 0x00, 0x01, 0x01, 0x2A},
                                     {0x47, 0x11, 0x99}};
  for (int round = 0; round < 20; ++round) {
    test::StreamBuilder builder;
    builder.SequenceHeader();
    const size_t count = 2000 + random() % 3000;
    for (size_t i = 0; i < count; ++i) builder.Bytes(pieces[random() % pieces.size()]);
    Patcher patcher(builder.bytes());
    CopyOptions options;
    options.removeUserData = true;
    ASSERT_EQ(patcher.Copy(options), RemoveUserDataByModel(builder.bytes())) << "round " << round;
  }
}

TEST(StreamCopyTest, CutStartsWithThePatchedHeaderBlockAndStopsBeforeTheGopAfterOut) {
  const LaidOutStream stream = SixGops();
  Patcher patcher(stream.bytes());
  CopyOptions options;
  options.performCut = true;
  options.inGop = 1;
  options.outGop = 2;
  const Bytes output =
      patcher.Copy(options, [](ModifyValues& values) { values.bitRate = 1150799; });
  // The sequence header and its extension, then GOP 1 up to the header before GOP 3.
  Bytes block = stream.Slice(0, stream.gops[0]);
  block[8] = 0x02;
  block[9] = 0xCF;
  block[10] &= 0x3F;
  EXPECT_EQ(output, Concat({block, stream.Slice(stream.gops[1], stream.headers[1]), kEndCode}));

  options.inGop = 3;
  options.outGop = 4;
  const Bytes second = patcher.Copy(options);
  EXPECT_EQ(second, Concat({stream.Slice(0, stream.gops[0]),
                            stream.Slice(stream.gops[3], stream.gops[5]), kEndCode}));
}

TEST(StreamCopyTest, OutIsHonouredWithoutTheCutButInIsNot) {
  const LaidOutStream stream = SixGops();
  Patcher patcher(stream.bytes());
  CopyOptions options;
  options.inGop = 2;
  options.outGop = 4;
  EXPECT_EQ(patcher.Copy(options), Concat({stream.Slice(0, stream.gops[5]), kEndCode}));
}

TEST(StreamCopyTest, OutAtTheLastGopCopiesToTheEnd) {
  LaidOutStream stream = SixGops();
  stream.Header();  // a header after the last GOP belongs to no GOP record
  Patcher patcher(stream.bytes());
  CopyOptions options;
  options.outGop = patcher.stores().gopCount - 1;
  EXPECT_EQ(patcher.Copy(options), Concat({stream.bytes(), kEndCode}));
}

TEST(StreamCopyTest, AnAnalysisThatStoppedEarlyStillCopiesToTheEnd) {
  LaidOutStream stream;
  stream.Header().Gop().Gop().Code(0xB9).Code(0xB9).Gop().Gop();
  Patcher patcher(stream.bytes());
  ASSERT_EQ(patcher.stores().gopCount, 2u);
  CopyOptions options;
  options.outGop = 1;
  options.sequenceHeaderEachGop = true;
  const Bytes block = stream.Slice(0, stream.gops[0]);
  EXPECT_EQ(
      patcher.Copy(options),
      Concat({stream.Slice(0, stream.gops[1]), block, stream.Slice(stream.gops[1], stream.gops[2]),
              block, stream.Slice(stream.gops[2], stream.gops[3]), block,
              stream.Slice(stream.gops[3], stream.bytes().size()), kEndCode}));
}

TEST(StreamCopyTest, GopsBeforeTheFirstSequenceHeaderDoNotCount) {
  LaidOutStream stream;
  stream.Gop().Header();
  for (int i = 0; i < 5; ++i) stream.Gop();
  Patcher patcher(stream.bytes());
  ASSERT_EQ(patcher.stores().gopCount, 5u);
  CopyOptions options;
  options.outGop = 2;
  EXPECT_EQ(patcher.Copy(options), Concat({stream.Slice(0, stream.gops[4]), kEndCode}));
}

TEST(StreamCopyTest, HeaderBlockGoesBeforeGopsWithoutAHeaderOnly) {
  const LaidOutStream stream = SixGops();
  Patcher patcher(stream.bytes());
  CopyOptions options;
  options.sequenceHeaderEachGop = true;
  const Bytes output = patcher.Copy(options);
  const Bytes block = stream.Slice(0, stream.gops[0]);
  // GOPs 0 and 3 have their own header; the other four get the block.
  EXPECT_EQ(output.size(), stream.bytes().size() + 4 * block.size() + 4);
  const Bytes blockThenGop = Concat({block, {0x00, 0x00, 0x01, 0xB8}});
  EXPECT_EQ(CountOf(output, blockThenGop), 6u);
}

TEST(StreamCopyTest, WithoutGopRecordsTheWholeFileIsCopied) {
  test::StreamBuilder builder;
  builder.SequenceHeader().FramePicture('I', 3).FramePicture('P', 4);
  Patcher patcher(builder.bytes());
  ASSERT_EQ(patcher.stores().gopCount, 0u);
  CopyOptions options;
  options.performCut = true;
  options.inGop = 1;
  options.outGop = 0;
  options.sequenceHeaderEachGop = true;
  EXPECT_EQ(patcher.Copy(options), Concat({builder.bytes(), kEndCode}));
}

TEST(StreamCopyTest, ProgressIsReportedEveryThousandInputBytes) {
  LaidOutStream stream;
  stream.Header();
  for (int i = 0; i < 60; ++i) stream.Gop();
  Patcher patcher(stream.bytes());
  patcher.Copy();
  const size_t length = stream.bytes().size();
  ASSERT_EQ(patcher.progress.percents.size(), length / 1000);
  for (size_t i = 0; i < patcher.progress.percents.size(); ++i) {
    EXPECT_EQ(patcher.progress.percents[i], (i + 1) * 1000 * 100 / length);
  }
}

// Asks the copy to stop once it has reported a share of at least stopAt percent.
class CancellingObserver : public CopyProgress {
 public:
  explicit CancellingObserver(uint32_t stopAt) : stopAt_(stopAt) {}
  void UpdateCopyProgress(uint32_t percent) override { last = percent; }
  bool CopyCancelled() override { return last >= stopAt_; }
  uint32_t last = 0;

 private:
  uint32_t stopAt_;
};

TEST(StreamCopyTest, ACancelledCopyStopsAndLeavesNoFile) {
  LaidOutStream stream;
  stream.Header();
  for (int i = 0; i < 60; ++i) stream.Gop();
  Patcher patcher(stream.bytes());
  const HeaderPatch patch =
      MakeHeaderPatch(ValuesOf(patcher.stores().summary), patcher.stores().summary);
  const test::TempDir folder;
  const std::string output = folder / "copy.m2v";
  CancellingObserver cancelling(30);
  const Status result =
      StreamCopy(patcher.inputPath(), output, patch, {}, patcher.stores(), cancelling);
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.message, "The copy to " + output + " was cancelled");
  // It stopped where it was asked to, not at the end of the input.
  EXPECT_GE(cancelling.last, 30u);
  EXPECT_LT(cancelling.last, 40u);
  EXPECT_TRUE(folder.Names().empty());
}

TEST(StreamCopyTest, RefusesToWriteOverTheAnalysedFile) {
  const LaidOutStream stream = SixGops();
  Patcher patcher(stream.bytes());
  const std::filesystem::path input = patcher.inputPath();
  const std::filesystem::path folder = input.parent_path();
  const test::TempFile link(".m2v");
  const test::TempFile hardLink(".m2v");
  std::filesystem::create_symlink(input, link.path());
  std::filesystem::create_hard_link(input, hardLink.path());
  const HeaderPatch patch =
      MakeHeaderPatch(ValuesOf(patcher.stores().summary), patcher.stores().summary);
  const std::string roundabout = (folder / ".." / folder.filename() / input.filename()).string();
  for (const std::string& output : {input.string(), roundabout, link.path(), hardLink.path()}) {
    const Status result = StreamCopy(input, output, patch, {}, patcher.stores(), patcher.progress);
    EXPECT_FALSE(result.ok()) << output;
    EXPECT_NE(result.message.find("analysed file itself"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(output + ".partial"));
  }
  EXPECT_EQ(test::ReadFileBytes(input), stream.bytes());
}

TEST(StreamCopyTest, AnOutputThatCannotBeCreatedLeavesNothingBehind) {
  const LaidOutStream stream = SixGops();
  Patcher patcher(stream.bytes());
  const HeaderPatch patch =
      MakeHeaderPatch(ValuesOf(patcher.stores().summary), patcher.stores().summary);
  const std::string output = patcher.outputPath() + ".missing/out.m2v";
  const Status result =
      StreamCopy(patcher.inputPath(), output, patch, {}, patcher.stores(), patcher.progress);
  EXPECT_FALSE(result.ok());
  EXPECT_NE(result.message.find(output), std::string::npos);

  const Status missingInput = StreamCopy(patcher.inputPath() + ".gone", patcher.outputPath(), patch,
                                         {}, patcher.stores(), patcher.progress);
  EXPECT_FALSE(missingInput.ok());
  EXPECT_FALSE(std::filesystem::exists(patcher.outputPath()));
  EXPECT_FALSE(std::filesystem::exists(patcher.outputPath() + ".partial"));
}

TEST(StreamCopyTest, NamesLongerThan127CharactersWork) {
  const LaidOutStream stream = SixGops();
  Patcher patcher(stream.bytes());
  const std::filesystem::path folder =
      std::filesystem::path(patcher.outputPath()).parent_path() / std::string(100, 'd');
  std::filesystem::create_directories(folder);
  const std::string output = (folder / (std::string(120, 'n') + ".m2v")).string();
  const HeaderPatch patch =
      MakeHeaderPatch(ValuesOf(patcher.stores().summary), patcher.stores().summary);
  const Status result =
      StreamCopy(patcher.inputPath(), output, patch, {}, patcher.stores(), patcher.progress);
  EXPECT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(test::ReadFileBytes(output), Concat({stream.bytes(), kEndCode}));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tessivo
