#include "input/ts_psi_tracker.h"

namespace tessivo {

void PsiTracker::Reset() {
  if (!assemblers_) {
    assemblers_.reset(new SectionAssembler[kMaxPrograms + 1]);
    assemblerOf_.reset(new uint16_t[kPidCount]);
    pmtPids_.reset(new uint16_t[kMaxPrograms]);
  }
  for (uint32_t pid = 0; pid < kPidCount; ++pid) assemblerOf_[pid] = kNone;
  assemblerOf_[kPatPid] = kPatAssembler;
  assemblers_[kPatAssembler].Reset();
  pmtPidCount_ = 0;
  table_.Reset();
}

bool PsiTracker::OnPacket(uint16_t pid, const uint8_t* packet) {
  const uint16_t index = assemblerOf_[pid];
  bool changed = false;
  assemblers_[index].Feed(packet, [&](uint8_t* section) {
    if (index == kPatAssembler) {
      if (table_.OnPatSection(section)) {
        changed = true;
        FollowPmts();
      }
    } else if (table_.OnPmtSection(pid, section)) {
      changed = true;
    }
  });
  return changed;
}

void PsiTracker::FollowPmts() {
  // Several programs may share one PMT PID; each PID gets one assembler.
  for (uint32_t i = 0; i < pmtPidCount_; ++i) assemblerOf_[pmtPids_[i]] = kNone;
  pmtPidCount_ = 0;
  for (uint32_t i = 0; i < table_.programCount(); ++i) {
    const uint16_t pid = table_.program(i).pmtPid;
    if (pid == kPatPid || pid >= kNullPid || assemblerOf_[pid] != kNone) continue;
    pmtPids_[pmtPidCount_] = pid;
    assemblerOf_[pid] = static_cast<uint16_t>(pmtPidCount_ + 1);
    assemblers_[pmtPidCount_ + 1].Reset();
    ++pmtPidCount_;
  }
}

}  // namespace tessivo
