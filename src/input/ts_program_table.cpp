#include "input/ts_program_table.h"

#include <bitstream/mpeg/psi/pat.h>
#include <bitstream/mpeg/psi/pmt.h>

namespace tessivo {

namespace {

// Checked in this order: the accessors behind a later check trust the lengths of an earlier one.
bool IsWholePat(const uint8_t* section) {
  return pat_validate(section) && psi_validate(section) && psi_check_crc(section) &&
         psi_get_current(section);
}

bool IsWholePmt(const uint8_t* section) {
  return psi_get_syntax(section) && psi_validate(section) && pmt_validate(section) &&
         psi_get_current(section);
}

uint16_t FirstMpegVideoPid(uint8_t* pmt) {
  for (uint8_t i = 0;; ++i) {
    const uint8_t* es = pmt_get_es(pmt, i);
    if (!es) return kNoPid;
    const uint8_t type = pmtn_get_streamtype(es);
    if (type == PMT_STREAMTYPE_VIDEO_MPEG1 || type == PMT_STREAMTYPE_VIDEO_MPEG2) {
      return pmtn_get_pid(es);
    }
    if (i == 0xFF) return kNoPid;
  }
}

bool SectionSeen(const uint64_t* seen, uint8_t number) {
  return (seen[number / 64] >> (number % 64)) & 1;
}

}  // namespace

void ProgramTable::Reset() {
  count_ = 0;
  patComplete_ = false;
  pendingActive_ = false;
  pendingCount_ = 0;
}

uint32_t ProgramTable::Find(uint16_t number) const {
  for (uint32_t i = 0; i < count_; ++i) {
    if (programs_[i].number == number) return i;
  }
  return count_;
}

bool ProgramTable::OnPatSection(uint8_t* section) {
  if (!IsWholePat(section)) return false;
  const uint8_t version = psi_get_version(section);
  const uint8_t number = psi_get_section(section);
  const uint8_t last = psi_get_lastsection(section);
  if (number > last) return false;
  if (patComplete_ && version == patVersion_) return false;  // the table in force, repeated
  if (!pendingActive_ || version != pendingVersion_ || last != pendingLastSection_) {
    pendingActive_ = true;
    pendingVersion_ = version;
    pendingLastSection_ = last;
    pendingCount_ = 0;
    for (uint64_t& bits : pendingSeen_) bits = 0;
  }
  if (SectionSeen(pendingSeen_, number)) return false;
  pendingSeen_[number / 64] |= uint64_t{1} << (number % 64);
  AddPending(number, section);
  for (uint32_t i = 0; i <= last; ++i) {
    if (!SectionSeen(pendingSeen_, static_cast<uint8_t>(i))) return false;
  }
  TakePending();
  return true;
}

void ProgramTable::AddPending(uint8_t sectionNumber, uint8_t* section) {
  // Entries stay in section order whatever order the sections come in.
  uint32_t at = 0;
  while (at < pendingCount_ && pending_[at].section <= sectionNumber) ++at;
  for (uint8_t i = 0;; ++i) {
    const uint8_t* entry = pat_get_program(section, i);
    if (!entry || pendingCount_ == kMaxPrograms) return;
    const uint16_t number = patn_get_program(entry);
    if (number != 0) {  // program 0 names the network information table
      for (uint32_t j = pendingCount_; j > at; --j) pending_[j] = pending_[j - 1];
      pending_[at++] = PatEntry{sectionNumber, number, patn_get_pid(entry)};
      ++pendingCount_;
    }
    if (i == 0xFF) return;
  }
}

void ProgramTable::TakePending() {
  // A program that keeps its number and PMT PID keeps what its PMT said.
  TsProgram next[kMaxPrograms];
  for (uint32_t i = 0; i < pendingCount_; ++i) {
    next[i].number = pending_[i].number;
    next[i].pmtPid = pending_[i].pmtPid;
    const uint32_t old = Find(next[i].number);
    if (old < count_ && programs_[old].pmtPid == next[i].pmtPid) next[i] = programs_[old];
  }
  for (uint32_t i = 0; i < pendingCount_; ++i) programs_[i] = next[i];
  count_ = pendingCount_;
  patComplete_ = true;
  patVersion_ = pendingVersion_;
  pendingActive_ = false;
}

bool ProgramTable::OnPmtSection(uint16_t pid, uint8_t* section) {
  if (!IsWholePmt(section)) return false;
  const uint32_t index = Find(pmt_get_program(section));
  if (index == count_) return false;
  TsProgram& program = programs_[index];
  if (program.pmtPid != pid) return false;
  const uint8_t version = psi_get_version(section);
  if (program.pmtKnown && program.pmtVersion == version) return false;
  const uint16_t videoPid = FirstMpegVideoPid(section);
  const bool changed = !program.pmtKnown || program.videoPid != videoPid;
  program.pmtKnown = true;
  program.pmtVersion = version;
  program.videoPid = videoPid;
  return changed;
}

}  // namespace tessivo
