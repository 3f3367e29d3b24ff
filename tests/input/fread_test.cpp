// The buffered reader: short reads, read-ahead, the end of the input and progress.
#include "input/fread.h"

#include <gtest/gtest.h>

#include "support/recording_observer.h"
#include "support/stream_builder.h"
#include "support/test_files.h"

namespace tessivo {
namespace {

std::vector<uint8_t> Counting(size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7);
  return bytes;
}

TEST(FileReaderTest, EmptyFileEndsAtOnceAndStaysEnded) {
  test::TempFile file(std::vector<uint8_t>{});
  test::RecordingObserver observer;
  FileReader reader(observer, true);
  ASSERT_TRUE(reader.OpenInputFile(file.path()));
  uint8_t buffer[8192];
  EXPECT_EQ(reader.ReadInput(buffer, 8192), 0u);
  EXPECT_EQ(reader.ReadInput(buffer, 8192), 0u);
  EXPECT_TRUE(observer.progress.empty());  // nothing to report for a file of length 0
}

TEST(FileReaderTest, MissingFileCannotBeOpened) {
  test::RecordingObserver observer;
  FileReader reader(observer, true);
  EXPECT_FALSE(reader.OpenInputFile("/nonexistent/tessivo/file.m2v"));
}

TEST(FileReaderTest, HandsOutEveryByteInOrderWithShortCountsAtBlockEnds) {
  // 40 000 bytes: blocks of 16 384, 16 384 and 7 232; requests of 8 192.
  const auto bytes = Counting(40000);
  test::TempFile file(bytes);
  test::RecordingObserver observer;
  FileReader reader(observer, true, 0, 16384);
  ASSERT_TRUE(reader.OpenInputFile(file.path()));
  std::vector<uint32_t> counts;
  std::vector<uint8_t> received;
  uint8_t buffer[8192];
  for (uint32_t got; (got = reader.ReadInput(buffer, 8192)) != 0;) {
    counts.push_back(got);
    received.insert(received.end(), buffer, buffer + got);
  }
  EXPECT_EQ(received, bytes);
  EXPECT_EQ(counts, (std::vector<uint32_t>{8192, 8192, 8192, 8192, 7232}));
  ASSERT_FALSE(observer.progress.empty());
  EXPECT_EQ(observer.progress.back(), 100u);
  for (uint32_t percent : observer.progress) EXPECT_LE(percent, 100u);
}

TEST(FileReaderTest, ShortCountWhenTheBlockIsNotAMultipleOfTheRequest) {
  // Requests of 5 000 bytes do not divide a 16 384-byte block: the fourth gets the 1 384 left.
  const auto bytes = Counting(20000);
  test::TempFile file(bytes);
  test::RecordingObserver observer;
  FileReader reader(observer, true, 0, 16384);
  ASSERT_TRUE(reader.OpenInputFile(file.path()));
  uint8_t buffer[5000];
  EXPECT_EQ(reader.ReadInput(buffer, 5000), 5000u);
  EXPECT_EQ(reader.ReadInput(buffer, 5000), 5000u);
  EXPECT_EQ(reader.ReadInput(buffer, 5000), 5000u);
  EXPECT_EQ(reader.ReadInput(buffer, 5000), 1384u);
  EXPECT_EQ(buffer[0], bytes[15000]);
  EXPECT_EQ(reader.ReadInput(buffer, 5000), 3616u);
  EXPECT_EQ(buffer[0], bytes[16384]);
  EXPECT_EQ(reader.ReadInput(buffer, 5000), 0u);
}

TEST(FileReaderTest, DemultiplexedPacketsAnswerRequestsWithReadAhead) {
  // Packets of 3 000 video bytes: each request gets one packet, the next is loaded at once.
  std::vector<uint8_t> video = Counting(9000);
  for (auto& byte : video) byte |= 0x80;  // no start codes inside
  test::PackOptions options;
  options.payloadPerPacket = 3000;
  const auto program = test::WrapInProgramStream(video, options);
  test::TempFile file(program);
  test::RecordingObserver observer;
  FileReader reader(observer, true);
  ASSERT_TRUE(reader.OpenInputFile(file.path()));
  reader.SwitchToDemux();
  uint8_t buffer[8192];
  std::vector<uint8_t> received;
  std::vector<uint32_t> counts;
  for (uint32_t got; (got = reader.ReadInput(buffer, 8192)) != 0;) {
    counts.push_back(got);
    received.insert(received.end(), buffer, buffer + got);
  }
  EXPECT_EQ(counts, (std::vector<uint32_t>{3000, 3000, 3000}));
  EXPECT_EQ(received, video);
  EXPECT_TRUE(reader.demuxMode());
}

}  // namespace
}  // namespace tessivo
