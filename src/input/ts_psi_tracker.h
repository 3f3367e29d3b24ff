// Follows the PAT and the PMTs it names through their packets and keeps the program table.
#pragma once

#include <cstdint>
#include <memory>

#include "input/psi_section_assembler.h"
#include "input/ts_packet.h"
#include "input/ts_program_table.h"

namespace tessivo {

class PsiTracker {
 public:
  // Obtains the assemblers the first time; forgets every table.
  void Reset();

  // Whether packets of pid carry the PAT or a PMT of the table.
  bool Follows(uint16_t pid) const { return assemblerOf_[pid] != kNone; }
  // Takes a packet of a followed PID; true when the program table changed.
  bool OnPacket(uint16_t pid, const uint8_t* packet);

  const ProgramTable& table() const { return table_; }

 private:
  static constexpr uint16_t kNone = 0xFFFF;
  static constexpr uint16_t kPatAssembler = 0;

  void FollowPmts();

  ProgramTable table_;
  std::unique_ptr<SectionAssembler[]> assemblers_;  // the PAT's, then one per PMT PID
  std::unique_ptr<uint16_t[]> assemblerOf_;         // by PID
  std::unique_ptr<uint16_t[]> pmtPids_;             // the PIDs given a PMT assembler
  uint32_t pmtPidCount_ = 0;
};

}  // namespace tessivo
