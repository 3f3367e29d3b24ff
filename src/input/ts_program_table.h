// The programs of a transport stream as its PAT lists them, and for each the first MPEG-1 or
// MPEG-2 video stream its PMT names. Sections are taken only when their CRC-32 is right; a new
// version of a table replaces the old one once it is complete.
#pragma once

#include <cstdint>

namespace tessivo {

inline constexpr uint16_t kNoPid = 0xFFFF;
// PATs list 253 programs at most per section; more than this many are not followed.
inline constexpr uint32_t kMaxPrograms = 256;

struct TsProgram {
  uint16_t number = 0;
  uint16_t pmtPid = kNoPid;
  bool pmtKnown = false;
  uint8_t pmtVersion = 0;
  uint16_t videoPid = kNoPid;  // the first elementary stream of stream_type 0x01 or 0x02
};

class ProgramTable {
 public:
  void Reset();

  // Each returns true when what the table says changed.
  bool OnPatSection(uint8_t* section);
  // A PMT section that came on pid: only the PMT PID the PAT gives its program counts.
  bool OnPmtSection(uint16_t pid, uint8_t* section);

  bool patComplete() const { return patComplete_; }
  uint32_t programCount() const { return count_; }
  const TsProgram& program(uint32_t i) const { return programs_[i]; }
  // Index of the program with this program_number, or programCount().
  uint32_t Find(uint16_t number) const;

 private:
  struct PatEntry {
    uint8_t section;
    uint16_t number;
    uint16_t pmtPid;
  };
  void AddPending(uint8_t sectionNumber, uint8_t* section);
  void TakePending();

  TsProgram programs_[kMaxPrograms];
  uint32_t count_ = 0;
  bool patComplete_ = false;
  uint8_t patVersion_ = 0;

  // The PAT version being gathered, its entries in section order.
  PatEntry pending_[kMaxPrograms];
  uint32_t pendingCount_ = 0;
  bool pendingActive_ = false;
  uint8_t pendingVersion_ = 0;
  uint8_t pendingLastSection_ = 0;
  uint64_t pendingSeen_[4] = {};  // one bit per section_number
};

}  // namespace tessivo
