// The transport-stream demultiplexer through the reader: which video it chooses, the bytes it
// hands over, and the faults it counts.
#include "input/ts_demux.h"

#include <gtest/gtest.h>

#include "input/fread.h"
#include "support/recording_observer.h"
#include "support/test_files.h"
#include "support/ts_builder.h"

namespace tessivo {
namespace {

using test::TsBuilder;
using test::TsPacketBytes;

std::vector<uint8_t> Video(size_t size, uint8_t seed) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 13);
  return bytes;
}

struct TsRun {
  TsChoice choice = TsChoice::kNoVideo;
  std::vector<uint8_t> video;
  TransportFacts facts;
  std::vector<uint16_t> programs;
};

TsRun Demultiplex(const std::vector<uint8_t>& bytes, uint32_t program = 0) {
  test::TempFile file(bytes, ".ts");
  test::RecordingObserver observer;
  FileReader reader(observer, true, program);
  TsRun run;
  EXPECT_TRUE(reader.OpenInputFile(file.path()));
  const auto layout = reader.DetectTransportStream();
  if (!layout) {
    ADD_FAILURE() << "not taken for a transport stream";
    return run;
  }
  run.choice = reader.SwitchToTransport(*layout);
  run.programs = reader.transport().programsFound();
  if (run.choice != TsChoice::kChosen) return run;
  for (auto block = reader.ReadVideoBytes(); !block.empty(); block = reader.ReadVideoBytes()) {
    run.video.insert(run.video.end(), block.begin(), block.end());
  }
  run.facts = reader.transport().facts();
  return run;
}

TsBuilder OneProgram(const std::vector<uint8_t>& video, const test::PesOptions& pes = {}) {
  TsBuilder builder;
  builder.Pat({{1, 0x1000}}).Pmt(0x1000, 1, {{0x02, 0x100}}).Pes(0x100, video, pes);
  return builder;
}

// Indexes of the packets of pid.
std::vector<size_t> PacketsOf(TsBuilder& builder, uint16_t pid) {
  std::vector<size_t> found;
  for (size_t i = 0; i < builder.packets().size(); ++i) {
    if (test::PidOf(builder.packets()[i]) == pid) found.push_back(i);
  }
  return found;
}

TEST(TsDemuxTest, HandsOverThePesPayloadsOfTheVideoPid) {
  const auto video = Video(50000, 3);
  for (const uint32_t size : {188u, 192u, 204u}) {
    const TsRun run = Demultiplex(test::WrapInTransportStream(video, size));
    ASSERT_EQ(run.choice, TsChoice::kChosen);
    EXPECT_EQ(run.video, video) << size;
    EXPECT_EQ(run.facts.packetSize, size);
    EXPECT_EQ(run.facts.program, 1u);
    EXPECT_EQ(run.facts.videoPid, 0x100u);
  }
  test::PesOptions bounded;
  bounded.bounded = true;
  bounded.bytesPerPes = 3000;
  bounded.headerDataLength = 200;  // every PES header spans two packets
  EXPECT_EQ(Demultiplex(test::WrapInTransportStream(video, 188, bounded)).video, video);
}

TEST(TsDemuxTest, ContinuityErrorsDuplicatesAndDiscontinuities) {
  const auto video = Video(20000, 5);
  TsBuilder clean = OneProgram(video);
  const auto videoPackets = PacketsOf(clean, 0x100);

  TsBuilder dropped = clean;
  dropped.packets().erase(dropped.packets().begin() + videoPackets[40]);
  dropped.packets().erase(dropped.packets().begin() + videoPackets[10]);
  const TsRun lossy = Demultiplex(dropped.Bytes());
  EXPECT_EQ(lossy.facts.counts.continuityErrors, 2u);
  EXPECT_EQ(lossy.video.size(), video.size() - 2 * 184);

  // A packet sent twice is taken once; a third copy is a fault.
  TsBuilder twice = clean;
  const TsPacketBytes copy = twice.packets()[videoPackets[7]];
  twice.packets().insert(twice.packets().begin() + videoPackets[7], copy);
  const TsRun doubled = Demultiplex(twice.Bytes());
  EXPECT_EQ(doubled.facts.counts.continuityErrors, 0u);
  EXPECT_EQ(doubled.video, video);
  twice.packets().insert(twice.packets().begin() + videoPackets[7], copy);
  EXPECT_EQ(Demultiplex(twice.Bytes()).facts.counts.continuityErrors, 1u);

  // Packets with only an adaptation field keep the counter; a discontinuity_indicator lets it
  // start again anywhere.
  TsBuilder restarted = clean;
  restarted.AdaptationOnly(0x100).AdaptationOnly(0x100, true);
  auto more = OneProgram(Video(1000, 9)).packets();
  for (auto& packet : more) {
    if (test::PidOf(packet) == 0x100) restarted.Raw(packet);
  }
  const TsRun again = Demultiplex(restarted.Bytes());
  EXPECT_EQ(again.facts.counts.continuityErrors, 0u);
  EXPECT_EQ(again.video.size(), video.size() + 1000);
}

TEST(TsDemuxTest, DamagedAndScrambledPacketsAreCountedAndSkipped) {
  const auto video = Video(20000, 7);
  TsBuilder builder = OneProgram(video);
  const auto videoPackets = PacketsOf(builder, 0x100);
  builder.packets()[videoPackets[5]][1] |= 0x80;  // transport_error_indicator
  builder.packets()[videoPackets[6]][1] |= 0x80;
  builder.packets()[1][1] |= 0x80;                 // the PMT's only packet
  builder.packets()[videoPackets[20]][3] |= 0x80;  // transport_scrambling_control 10
  builder.Pat({{1, 0x1000}}).Pmt(0x1000, 1, {{0x02, 0x100}});
  const TsRun run = Demultiplex(builder.Bytes());
  ASSERT_EQ(run.choice, TsChoice::kChosen);
  EXPECT_EQ(run.facts.counts.damagedPackets, 3u);
  EXPECT_EQ(run.facts.counts.scrambledPackets, 1u);
  // The damaged video packets kept the counter in step: no continuity error on top.
  EXPECT_EQ(run.facts.counts.continuityErrors, 0u);
  EXPECT_EQ(run.video.size(), video.size() - 3 * 184);
}

TEST(TsDemuxTest, SyncIsFoundAgainAfterJunkBetweenPackets) {
  const auto video = Video(30000, 11);
  TsBuilder builder = OneProgram(video);
  auto bytes = builder.Bytes();
  const std::vector<uint8_t> junk(500, 0x47);  // sync bytes without packet headers
  bytes.insert(bytes.begin() + 60 * 188 + 17, junk.begin(), junk.end());  // inside a packet
  bytes.insert(bytes.begin() + 20 * 188, junk.begin(), junk.end());       // between packets
  const TsRun run = Demultiplex(bytes);
  EXPECT_EQ(run.facts.counts.syncLosses, 2u);
  // The junk between packets costs nothing; the cut packet is lost.
  EXPECT_EQ(run.facts.counts.continuityErrors, 1u);
  EXPECT_EQ(run.video.size(), video.size() - 184);
}

TEST(TsDemuxTest, TheFirstProgramWithUsableVideoOrTheOneAskedFor) {
  const auto videoA = Video(5000, 1);
  const auto videoB = Video(6000, 2);
  TsBuilder builder;
  builder.Pat({{5, 0x1005}, {9, 0x1009}, {12, 0x100C}})
      .Pmt(0x1005, 5, {{0x03, 0x150}})                 // audio only
      .Pmt(0x1009, 9, {{0x1B, 0x190}, {0x02, 0x191}})  // H.264, then MPEG-2
      .Pmt(0x100C, 12, {{0x01, 0x1C0}})
      .Pes(0x191, videoA)
      .Pes(0x1C0, videoB);
  const auto bytes = builder.Bytes();
  const TsRun first = Demultiplex(bytes);
  ASSERT_EQ(first.choice, TsChoice::kChosen);
  EXPECT_EQ(first.facts.program, 9u);
  EXPECT_EQ(first.facts.videoPid, 0x191u);
  EXPECT_EQ(first.video, videoA);

  const TsRun asked = Demultiplex(bytes, 12);
  EXPECT_EQ(asked.facts.videoPid, 0x1C0u);
  EXPECT_EQ(asked.video, videoB);

  EXPECT_EQ(Demultiplex(bytes, 5).choice, TsChoice::kNoVideo);
  const TsRun unknown = Demultiplex(bytes, 4);
  EXPECT_EQ(unknown.choice, TsChoice::kUnknownProgram);
  EXPECT_EQ(unknown.programs, (std::vector<uint16_t>{5, 9, 12}));

  // Scrambled video is no video: the next program's is taken.
  TsBuilder scrambled = builder;
  for (const size_t i : PacketsOf(scrambled, 0x191)) scrambled.packets()[i][3] |= 0xC0;
  EXPECT_EQ(Demultiplex(scrambled.Bytes()).facts.program, 12u);
}

TEST(TsDemuxTest, WithoutPsiTheFirstVideoPesDecides) {
  const auto video = Video(8000, 4);
  TsBuilder builder;
  builder.Pes(0x44, Video(300, 8), {0xC0}).Pes(0x45, video).Null(2);
  const TsRun run = Demultiplex(builder.Bytes());
  ASSERT_EQ(run.choice, TsChoice::kChosen);
  EXPECT_EQ(run.facts.program, 0u);
  EXPECT_EQ(run.facts.videoPid, 0x45u);
  EXPECT_EQ(run.video, video);
  EXPECT_EQ(Demultiplex(builder.Bytes(), 1).choice, TsChoice::kUnknownProgram);

  TsBuilder audio;
  audio.Pat({{1, 0x1000}}).Pmt(0x1000, 1, {{0x03, 0x44}}).Pes(0x44, Video(3000, 8), {0xC0});
  EXPECT_EQ(Demultiplex(audio.Bytes()).choice, TsChoice::kNoVideo);
}

TEST(TsDemuxTest, APmtLaterThanTheSearchLimitComesTooLate) {
  // The PAT names a program whose PMT shows up only after 16 MiB: the first video PES, on
  // another PID, has decided by then.
  const auto early = Video(4000, 1);
  TsBuilder builder;
  builder.Pat({{1, 0x1000}}).Pes(0x100, early);
  builder.Null(static_cast<int>(kPsiSearchLimit / 188) + 10);
  builder.Pmt(0x1000, 1, {{0x02, 0x200}}).Pes(0x200, Video(4000, 2));
  const TsRun run = Demultiplex(builder.Bytes());
  EXPECT_EQ(run.facts.videoPid, 0x100u);
  EXPECT_EQ(run.video, early);
}

TEST(TsDemuxTest, ANewPmtVersionMovesTheVideoToAnotherPid) {
  const auto before = Video(3000, 1);
  const auto after = Video(5000, 2);
  TsBuilder builder = OneProgram(before);
  builder.Pmt(0x1000, 1, {{0x02, 0x101}}, 1).Pes(0x101, after).Pes(0x100, Video(700, 3));
  const TsRun run = Demultiplex(builder.Bytes());
  auto expected = before;
  expected.insert(expected.end(), after.begin(), after.end());
  EXPECT_EQ(run.video, expected);
}

}  // namespace
}  // namespace tessivo
