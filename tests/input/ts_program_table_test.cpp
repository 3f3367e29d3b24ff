// Programs and their video streams from PAT and PMT sections: CRC, versions, section order.
#include "input/ts_program_table.h"

#include <gtest/gtest.h>

#include <map>

#include "input/psi_section_assembler.h"
#include "support/ts_builder.h"

namespace tessivo {
namespace {

// Feeds the sections of the builder's packets not fed yet to the table, one assembler per PID,
// as the demultiplexer's tracker would; counts the changes the table reports.
struct TableRun {
  ProgramTable table;
  std::map<uint16_t, SectionAssembler> assemblers;
  size_t fed = 0;

  TableRun() { table.Reset(); }
  int Feed(test::TsBuilder& builder) {
    int changes = 0;
    for (; fed < builder.packets().size(); ++fed) {
      const auto& packet = builder.packets()[fed];
      const uint16_t pid = test::PidOf(packet);
      auto [entry, added] = assemblers.try_emplace(pid);
      if (added) entry->second.Reset();
      entry->second.Feed(packet.data(), [&](uint8_t* section) {
        changes += pid == 0 ? table.OnPatSection(section) : table.OnPmtSection(pid, section);
      });
    }
    return changes;
  }
};

TEST(ProgramTableTest, ProgramsInPatOrderWithTheFirstMpegVideoOfEach) {
  test::TsBuilder builder;
  builder
      .Pat({{0, 0x10}, {7, 0x1000}, {3, 0x1001}})  // program 0: the network PID
      .Pmt(0x1000, 7, {{0x1B, 0x100}, {0x03, 0x101}, {0x01, 0x102}, {0x02, 0x103}})
      .Pmt(0x1001, 3, {{0x0F, 0x200}});
  TableRun run;
  run.Feed(builder);
  const ProgramTable& table = run.table;
  ASSERT_TRUE(table.patComplete());
  ASSERT_EQ(table.programCount(), 2u);
  EXPECT_EQ(table.program(0).number, 7);
  EXPECT_EQ(table.program(0).videoPid, 0x102);  // H.264 and audio before it are passed over
  EXPECT_EQ(table.program(1).number, 3);
  EXPECT_TRUE(table.program(1).pmtKnown);
  EXPECT_EQ(table.program(1).videoPid, kNoPid);
}

TEST(ProgramTableTest, SectionsWithAWrongCrcOrFromAnotherPidAreIgnored) {
  test::TsBuilder builder;
  builder.Pat({{1, 0x1000}});
  builder.packets()[0][20] ^= 0x01;  // inside the CRC
  builder.Pmt(0x1005, 1, {{0x02, 0x100}});
  TableRun run;
  run.Feed(builder);
  EXPECT_FALSE(run.table.patComplete());

  test::TsBuilder good;
  good.Pat({{1, 0x1000}}).Pmt(0x1005, 1, {{0x02, 0x100}});
  TableRun other;
  other.Feed(good);
  ASSERT_TRUE(other.table.patComplete());
  EXPECT_FALSE(other.table.program(0).pmtKnown);  // its PMT comes on 0x1000, not 0x1005
}

TEST(ProgramTableTest, ANewVersionReplacesTheOldAndARepeatChangesNothing) {
  test::TsBuilder builder;
  builder.Pat({{1, 0x1000}}).Pmt(0x1000, 1, {{0x02, 0x100}});
  TableRun run;
  EXPECT_EQ(run.Feed(builder), 2);
  builder.Pat({{1, 0x1000}}).Pmt(0x1000, 1, {{0x02, 0x100}});
  EXPECT_EQ(run.Feed(builder), 0);

  builder.Pmt(0x1000, 1, {{0x02, 0x180}}, 1).Pat({{1, 0x1000}, {2, 0x1001}}, 1);
  EXPECT_EQ(run.Feed(builder), 2);
  ASSERT_EQ(run.table.programCount(), 2u);
  EXPECT_EQ(run.table.program(0).videoPid, 0x180);  // kept across the new PAT
  EXPECT_FALSE(run.table.program(1).pmtKnown);
}

TEST(ProgramTableTest, APatOfSeveralSectionsListsThemInSectionOrder) {
  test::TsBuilder builder;
  builder.Pat({{5, 0x1005}}, 0, 1, 1);
  TableRun run;
  run.Feed(builder);
  EXPECT_FALSE(run.table.patComplete());
  builder.Pat({{4, 0x1004}}, 0, 0, 1);
  run.Feed(builder);
  ASSERT_TRUE(run.table.patComplete());
  ASSERT_EQ(run.table.programCount(), 2u);
  EXPECT_EQ(run.table.program(0).number, 4);
  EXPECT_EQ(run.table.program(1).number, 5);
}

}  // namespace
}  // namespace tessivo
