// Result files: their exact layout, round trips, and files that must be refused.
#include "analysis/result_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <tuple>

#include "support/analysed_stream.h"
#include "support/stream_builder.h"
#include "support/test_files.h"
#include "tables/gop_table.h"

namespace tessivo {
namespace {

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}

void PutLe32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A context filled with 120 seconds, 10 GOPs and 3000 pictures of known values.
std::unique_ptr<AnalysisContext> SyntheticRun(AnalysisObserver& observer) {
  auto context = AnalysisContext::Create({}, observer);
  RecordStores& stores = context->stores();
  std::strcpy(stores.summary.fileName, "/videos/clip.m2v");
  stores.summary.pictureCount = 3000;
  stores.summary.horizontalSize = 720;
  stores.summary.peakQuant = 7.25;
  for (uint32_t i = 0; i < 120; ++i) {
    stores.seconds()[i] = PerSecondStats{0, 4000 + i, 3.5 + i, 1};
  }
  for (uint32_t i = 0; i < 10; ++i) {
    GopRecord& gop = stores.gops()[i];
    gop.seconds = static_cast<uint8_t>(i);
    std::strcpy(gop.pattern, "IBBP");
    gop.count = 4;
    gop.position = 0x1000 * i;
  }
  stores.gopCount = 10;
  for (uint32_t i = 0; i < 3000; ++i) {
    stores.pictures()[i] = PictureRecord{'B', 1000 + i, 2, 9, 4.5};
  }
  return context;
}

TEST(ResultFileTest, LayoutOfASavedRun) {
  AnalysisObserver observer;
  auto context = SyntheticRun(observer);
  test::TempFile file(".tsr");
  ASSERT_TRUE(SaveResultFile(*context, file.path()).ok());
  const auto bytes = test::ReadFileBytes(file.path());
  ASSERT_EQ(bytes.size(), 76272u);  // 232 + 2880 + 1160 + 72 000
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), "/videos/clip.m2v");
  EXPECT_EQ(Le32(bytes, 144), 720u);
  EXPECT_EQ(Le32(bytes, 192), 3000u);
  EXPECT_EQ(Le32(bytes, 224), 120u);
  EXPECT_EQ(Le32(bytes, 228), 10u);
  double peakQuant;
  std::memcpy(&peakQuant, &bytes[208], 8);
  EXPECT_EQ(peakQuant, 7.25);
  EXPECT_EQ(Le32(bytes, 232 + 24 * 5 + 4), 4005u);  // bitrate of second 5
  EXPECT_EQ(bytes[232 + 24 * 5 + 16], 1);           // valid
  const size_t gops = 232 + 24 * 120;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[gops + 116 * 3 + 4])), "IBBP");
  EXPECT_EQ(Le32(bytes, gops + 116 * 3 + 112), 0x3000u);
  const size_t pictures = gops + 116 * 10;
  EXPECT_EQ(bytes[pictures + 24 * 7], 'B');
  EXPECT_EQ(Le32(bytes, pictures + 24 * 7 + 4), 1007u);
  EXPECT_EQ(Le32(bytes, pictures + 24 * 7 + 12), 9u);
  // Padding is zero.
  EXPECT_EQ(bytes[130] | bytes[131] | bytes[204] | bytes[pictures + 1] | bytes[gops + 109], 0);
}

TEST(ResultFileTest, RealRunSurvivesSaveLoadAndSavesByteIdentically) {
  test::AnalysedStream run(test::FixturePath("mpeg2_pal_interlaced.vob"), AnalysisSettings{});
  test::TempFile first(".tsr");
  ASSERT_TRUE(SaveResultFile(run.context(), first.path()).ok());

  AnalysisObserver observer;
  auto loaded = AnalysisContext::Create({}, observer);
  ASSERT_TRUE(LoadResultFile(*loaded, first.path()).ok());
  EXPECT_TRUE(loaded->endReached());
  EXPECT_TRUE(loaded->dataLoaded());
  EXPECT_EQ(loaded->secondsRead(), run.context().secondsRead());
  EXPECT_EQ(ShowStreamReport(loaded->stores(), loaded->runNotes()),
            ShowStreamReport(run.stores(), run.context().runNotes()));
  EXPECT_EQ(loaded->stores().gopPositions()[1], run.stores().gopPositions()[1]);

  test::TempFile second(".tsr");
  ASSERT_TRUE(SaveResultFile(*loaded, second.path()).ok());
  EXPECT_EQ(test::ReadFileBytes(second.path()), test::ReadFileBytes(first.path()));
}

TEST(ResultFileTest, LoadingReplacesEverySecondOfTheEarlierRun) {
  AnalysisObserver observer;
  auto small = SyntheticRun(observer);
  for (uint32_t i = 50; i < 120; ++i) small->stores().seconds()[i].valid = 0;
  test::TempFile file(".tsr");
  ASSERT_TRUE(SaveResultFile(*small, file.path()).ok());
  auto context = SyntheticRun(observer);
  ASSERT_TRUE(LoadResultFile(*context, file.path()).ok());
  EXPECT_EQ(context->stores().ValidSecondCount(), 50u);
  EXPECT_EQ(context->secondsRead(), 50u);
  EXPECT_EQ(context->stores().seconds()[60].bitrate, 0u);
}

TEST(ResultFileTest, DamagedFilesAreRefusedAndKeepThePreviousRecords) {
  AnalysisObserver observer;
  auto source = SyntheticRun(observer);
  test::TempFile good(".tsr");
  ASSERT_TRUE(SaveResultFile(*source, good.path()).ok());
  const auto bytes = test::ReadFileBytes(good.path());

  std::vector<std::vector<uint8_t>> damaged;
  damaged.emplace_back();                                    // empty
  damaged.emplace_back(bytes.begin(), bytes.begin() + 100);  // shorter than a header
  damaged.emplace_back(bytes.begin(), bytes.end() - 1);      // a record cut off
  damaged.push_back(bytes);
  damaged.back().push_back(0);  // one byte too many
  damaged.push_back(bytes);
  PutLe32(damaged.back(), 192, 0xFFFFFFFF);  // absurd picture count
  auto tooManySeconds = std::vector<uint8_t>(bytes.begin(), bytes.begin() + 232);
  PutLe32(tooManySeconds, 192, 0);
  PutLe32(tooManySeconds, 228, 0);
  PutLe32(tooManySeconds, 224, 20000);  // over the 10 000 a default context keeps
  tooManySeconds.resize(232 + 24 * 20000);
  damaged.push_back(tooManySeconds);

  auto context = SyntheticRun(observer);
  context->stores().summary.averageBitrate = 1234;
  for (const auto& file : damaged) {
    test::TempFile bad(file, ".tsr");
    const Status status = LoadResultFile(*context, bad.path());
    EXPECT_FALSE(status.ok()) << file.size();
    EXPECT_FALSE(status.message.empty());
  }
  EXPECT_EQ(context->stores().summary.averageBitrate, 1234u);
  EXPECT_EQ(context->stores().summary.pictureCount, 3000u);
  EXPECT_FALSE(LoadResultFile(*context, "/no/such/result.tsr").ok());
}

TEST(ResultFileTest, AMiddleSecondFlaggedInvalidIsStillOneOfTheSavedSeconds) {
  AnalysisObserver observer;
  auto source = SyntheticRun(observer);
  for (uint32_t i = 3; i < 120; ++i) source->stores().seconds()[i].valid = 0;
  test::TempFile file(".tsr");
  ASSERT_TRUE(SaveResultFile(*source, file.path()).ok());
  auto bytes = test::ReadFileBytes(file.path());
  ASSERT_EQ(Le32(bytes, 224), 3u);
  bytes[232 + 24 * 1 + 16] = 0;  // another program's file: the second of three flagged invalid
  test::TempFile foreign(bytes, ".tsr");

  auto context = SyntheticRun(observer);
  ASSERT_TRUE(LoadResultFile(*context, foreign.path()).ok());
  EXPECT_EQ(context->secondsRead(), 3u);
  EXPECT_EQ(context->stores().ValidSecondCount(), 3u);
  EXPECT_EQ(context->stores().seconds()[2].bitrate, 4002u);
  test::TempFile resaved(".tsr");
  ASSERT_TRUE(SaveResultFile(*context, resaved.path()).ok());
  EXPECT_EQ(test::ReadFileBytes(resaved.path()), test::ReadFileBytes(file.path()));
}

constexpr uint64_t k4GiB = uint64_t{1} << 32;

uint64_t Le64(const std::vector<uint8_t>& bytes, size_t at) {
  return Le32(bytes, at) | uint64_t{Le32(bytes, at + 4)} << 32;
}

void PutLe64(std::vector<uint8_t>& bytes, size_t at, uint64_t value) {
  PutLe32(bytes, at, static_cast<uint32_t>(value));
  PutLe32(bytes, at + 4, static_cast<uint32_t>(value >> 32));
}

// The run of a fixture as if it had been read from far into a stream past 4 GiB: the full
// positions of the later GOPs and the byte count carry high bits the records cannot hold.
struct WideRun {
  WideRun() : run(test::FixturePath("mpeg2_pal_interlaced.vob"), AnalysisSettings{}) {
    RecordStores& stores = run.context().stores();
    for (uint32_t i = 2; i < stores.gopCount; ++i) stores.gopPositions()[i] += 3 * k4GiB;
    stores.streamByteCount += 3 * k4GiB;
  }
  test::AnalysedStream run;
};

TEST(ResultFileTest, PositionsPast4GiBTravelInATrailerThatOlderReadersPassOver) {
  test::AnalysedStream plain(test::FixturePath("mpeg2_pal_interlaced.vob"), AnalysisSettings{});
  test::TempFile plainFile(".tsr");
  ASSERT_TRUE(SaveResultFile(plain.context(), plainFile.path()).ok());
  const auto plainBytes = test::ReadFileBytes(plainFile.path());

  WideRun wide;
  const RecordStores& stores = wide.run.stores();
  const uint32_t gops = stores.gopCount;
  ASSERT_EQ(gops, 6u);
  test::TempFile file(".tsr");
  ASSERT_TRUE(SaveResultFile(wide.run.context(), file.path()).ok());
  const auto bytes = test::ReadFileBytes(file.path());
  // The records as the plain layout has them, then tag, length, byte count and positions.
  ASSERT_EQ(bytes.size(), plainBytes.size() + 4 + 8 + 8 + 8 * gops);
  EXPECT_TRUE(std::equal(plainBytes.begin(), plainBytes.end(), bytes.begin()));
  const size_t trailer = plainBytes.size();
  EXPECT_EQ(std::string(bytes.begin() + trailer, bytes.begin() + trailer + 4), "TS64");
  EXPECT_EQ(Le64(bytes, trailer + 4), 8 + 8u * gops);
  EXPECT_EQ(Le64(bytes, trailer + 12), stores.streamByteCount);
  for (uint32_t i = 0; i < gops; ++i) {
    EXPECT_EQ(Le64(bytes, trailer + 20 + 8 * i), stores.gopPositions()[i]);
  }

  AnalysisObserver observer;
  auto loaded = AnalysisContext::Create({}, observer);
  ASSERT_TRUE(LoadResultFile(*loaded, file.path()).ok());
  EXPECT_EQ(loaded->stores().streamByteCount, stores.streamByteCount);
  EXPECT_EQ(loaded->stores().summary.streamBytes, stores.summary.streamBytes);
  for (uint32_t i = 0; i < gops; ++i) {
    EXPECT_EQ(loaded->stores().gopPositions()[i], stores.gopPositions()[i]);
  }
  char offset[32];
  std::snprintf(offset, sizeof offset, "%" PRIx64, stores.gopPositions()[5]);
  EXPECT_EQ(BuildGopTable(loaded->stores()).cell(6, 7).text, offset);
  EXPECT_EQ(std::string(offset).size(), 9u);
  test::TempFile resaved(".tsr");
  ASSERT_TRUE(SaveResultFile(*loaded, resaved.path()).ok());
  EXPECT_EQ(test::ReadFileBytes(resaved.path()), bytes);
}

TEST(ResultFileTest, OnlyAValueBeyond32BitsBringsTheTrailer) {
  AnalysisObserver observer;
  auto context = SyntheticRun(observer);
  RecordStores& stores = context->stores();
  for (uint32_t i = 0; i < stores.gopCount; ++i)
    stores.gopPositions()[i] = stores.gops()[i].position;
  const uint64_t plainSize = 76272;
  for (const auto& [streamBytes, lastPosition, size] :
       {std::tuple{k4GiB - 1, uint64_t{0x9000}, plainSize},
        std::tuple{k4GiB, uint64_t{0x9000}, plainSize + 20 + 80},
        std::tuple{uint64_t{5}, k4GiB + 0x9000, plainSize + 20 + 80}}) {
    stores.streamByteCount = streamBytes;
    stores.summary.streamBytes = static_cast<uint32_t>(streamBytes);
    stores.gopPositions()[9] = lastPosition;
    test::TempFile file(".tsr");
    ASSERT_TRUE(SaveResultFile(*context, file.path()).ok());
    EXPECT_EQ(test::ReadFileBytes(file.path()).size(), size) << streamBytes;
  }
}

TEST(ResultFileTest, ADamagedTrailerIsRefusedAndKeepsThePreviousRecords) {
  WideRun wide;
  test::TempFile good(".tsr");
  ASSERT_TRUE(SaveResultFile(wide.run.context(), good.path()).ok());
  const auto bytes = test::ReadFileBytes(good.path());
  const uint32_t gops = wide.run.stores().gopCount;
  const size_t trailer = bytes.size() - (20 + 8 * gops);

  std::vector<std::pair<const char*, std::vector<uint8_t>>> damaged;
  const auto variant = [&](const char* what, auto change) {
    damaged.emplace_back(what, bytes);
    change(damaged.back().second);
  };
  variant("tag", [&](auto& b) { b[trailer] = 'X'; });
  variant("length", [&](auto& b) { PutLe64(b, trailer + 4, 8 + 8 * gops + 8); });
  variant("byte count", [&](auto& b) { b[trailer + 12] ^= 1; });
  variant("a position", [&](auto& b) { b[trailer + 20 + 8 * 3] ^= 1; });
  variant("nothing wide", [&](auto& b) {
    PutLe32(b, trailer + 16, 0);
    for (uint32_t i = 0; i < gops; ++i) PutLe32(b, trailer + 24 + 8 * i, 0);
  });
  variant("cut short", [&](auto& b) { b.pop_back(); });

  AnalysisObserver observer;
  auto context = SyntheticRun(observer);
  for (const auto& [what, file] : damaged) {
    test::TempFile bad(file, ".tsr");
    const Status status = LoadResultFile(*context, bad.path());
    EXPECT_FALSE(status.ok()) << what;
    EXPECT_NE(status.message.find("not a result file"), std::string::npos) << what;
  }
  EXPECT_EQ(context->stores().summary.pictureCount, 3000u);
  EXPECT_EQ(context->stores().gops()[3].position, 0x3000u);
  EXPECT_EQ(context->secondsRead(), 0u);
}

TEST(ResultFileTest, FailedSaveLeavesNoFileBehind) {
  AnalysisObserver observer;
  auto context = SyntheticRun(observer);
  const Status status = SaveResultFile(*context, "/no/such/folder/result.tsr");
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message.find("/no/such/folder/result.tsr"), std::string::npos);
}

}  // namespace
}  // namespace tessivo
