#include "input/ts_demux.h"

#include <bitstream/mpeg/pes.h>

#include <algorithm>
#include <cstring>

namespace tessivo {

TsChoice TsDemux::Choose(const TsLayout& layout, uint32_t program) {
  if (!firstStart_) firstStart_.reset(new FirstStart[kPidCount]);
  std::fill_n(firstStart_.get(), kPidCount, FirstStart::kUnknown);
  psi_.Reset();
  fallbackPid_ = kNoPid;
  videoPid_ = kNoPid;
  program_ = 0;
  packets_.Start(layout, false);

  Decision decision = Decision::kUndecided;
  bool pastLimit = false;
  while (decision == Decision::kUndecided || decision == Decision::kWaitForStream) {
    const uint8_t* packet = packets_.NextPacket();
    const bool atEnd = packet == nullptr;
    bool changed = atEnd || Observe(packet);
    if (!pastLimit && packets_.offset() >= kPsiSearchLimit) {
      pastLimit = true;
      changed = true;
    }
    if (!changed) continue;
    decision = Decide(program, atEnd);
    if (decision == Decision::kUndecided && (pastLimit || atEnd)) {
      // The PAT and PMTs did not tell the video in time: the first video PES does.
      if (program != 0) {
        decision = psi_.table().patComplete() ? Decision::kNoVideo : Decision::kUnknownProgram;
      } else if (fallbackPid_ != kNoPid) {
        videoPid_ = fallbackPid_;
        program_ = 0;
        decision = Decision::kChosen;
      } else if (atEnd) {
        decision = Decision::kNoVideo;
      }
    }
  }

  const ProgramTable& table = psi_.table();
  programsFound_.clear();
  for (uint32_t i = 0; i < table.programCount(); ++i) {
    programsFound_.push_back(table.program(i).number);
  }
  if (decision == Decision::kUnknownProgram) return TsChoice::kUnknownProgram;
  if (decision != Decision::kChosen) return TsChoice::kNoVideo;

  followPsi_ = program_ != 0;
  psi_.Reset();
  pes_.Reset();
  counterKnown_ = false;
  duplicateDropped_ = false;
  counts_ = TsCounts{};
  packets_.Start(layout, true);
  return TsChoice::kChosen;
}

bool TsDemux::Observe(const uint8_t* packet) {
  if (ts_get_transporterror(packet)) return false;
  const uint16_t pid = ts_get_pid(packet);
  const bool tableChanged = psi_.Follows(pid) && psi_.OnPacket(pid, packet);
  FirstStart& first = firstStart_[pid];
  const uint8_t* payload = PayloadOf(packet);
  if (first != FirstStart::kUnknown || pid == kNullPid || !payload) return tableChanged;
  if (ts_get_scrambling(packet) != 0) {
    first = FirstStart::kScrambled;
  } else if (ts_get_unitstart(packet)) {
    const bool video = packet + kTsPacketSize - payload >= 4 && pes_validate(payload) &&
                       (pes_get_streamid(payload) & 0xF0) == PES_STREAM_ID_VIDEO_MPEG;
    first = video ? FirstStart::kVideoPes : FirstStart::kOther;
    if (video && fallbackPid_ == kNoPid) fallbackPid_ = pid;
  } else {
    return tableChanged;
  }
  return true;
}

TsDemux::Decision TsDemux::Judge(uint16_t pid, bool atEnd) const {
  switch (firstStart_[pid]) {
    case FirstStart::kVideoPes:
      return Decision::kChosen;
    case FirstStart::kUnknown:
      return atEnd ? Decision::kNoVideo : Decision::kWaitForStream;
    default:
      return Decision::kNoVideo;
  }
}

TsDemux::Decision TsDemux::Decide(uint32_t program, bool atEnd) {
  const ProgramTable& table = psi_.table();
  if (!table.patComplete()) return Decision::kUndecided;
  if (program > 0xFFFF) return Decision::kUnknownProgram;
  const uint32_t requested = program != 0 ? table.Find(static_cast<uint16_t>(program)) : 0;
  if (program != 0 && requested == table.programCount()) return Decision::kUnknownProgram;
  const uint32_t last = program != 0 ? requested + 1 : table.programCount();
  for (uint32_t i = requested; i < last; ++i) {
    const TsProgram& candidate = table.program(i);
    if (!candidate.pmtKnown) return Decision::kUndecided;
    if (candidate.videoPid == kNoPid) continue;
    const Decision judged = Judge(candidate.videoPid, atEnd);
    if (judged == Decision::kNoVideo) continue;
    if (judged == Decision::kChosen) {
      videoPid_ = candidate.videoPid;
      program_ = candidate.number;
    }
    return judged;
  }
  return Decision::kNoVideo;
}

uint32_t TsDemux::DemuxFill(uint8_t* output, uint32_t capacity) {
  uint32_t count = 0;
  while (capacity - count >= kTsPacketSize) {
    const uint8_t* packet = packets_.NextPacket();
    if (!packet) break;
    const uint16_t pid = ts_get_pid(packet);
    if (ts_get_transporterror(packet)) {
      ++counts_.damagedPackets;
      // A damaged video packet whose counter is the one due keeps the counter in step, so
      // that its loss is not counted a second time as a continuity error.
      if (pid == videoPid_ && counterKnown_ && ts_has_payload(packet) &&
          ts_get_cc(packet) == ((lastCounter_ + 1) & 0xF)) {
        lastCounter_ = ts_get_cc(packet);
        duplicateDropped_ = false;
        pes_.OnGap();
      }
      continue;
    }
    if (pid == videoPid_) {
      TakeVideo(packet, output, count);
    } else if (followPsi_ && psi_.Follows(pid) && psi_.OnPacket(pid, packet)) {
      FollowVideoPid();
    }
  }
  return count;
}

void TsDemux::TakeVideo(const uint8_t* packet, uint8_t* output, uint32_t& count) {
  if (HasReservedAdaptationControl(packet)) return;
  const bool discontinuity = SignalsDiscontinuity(packet);
  if (!ts_has_payload(packet)) {
    // The counter does not move in packets without payload.
    if (discontinuity) counterKnown_ = false;
    return;
  }
  const uint8_t counter = ts_get_cc(packet);
  bool gap = false;
  if (counterKnown_ && !discontinuity) {
    if (counter == lastCounter_ && !duplicateDropped_) {
      duplicateDropped_ = true;  // a packet may be sent twice; the copy is dropped
      return;
    }
    gap = counter != ((lastCounter_ + 1) & 0xF);
    if (gap) ++counts_.continuityErrors;
  }
  lastCounter_ = counter;
  counterKnown_ = true;
  duplicateDropped_ = false;

  const uint8_t* payload = PayloadOf(packet);
  if (ts_get_scrambling(packet) != 0 || !payload) {
    if (payload) ++counts_.scrambledPackets;
    pes_.OnGap();
    return;
  }
  if (gap) pes_.OnGap();
  const std::span<const uint8_t> bytes =
      pes_.Take(payload, packet + kTsPacketSize, ts_get_unitstart(packet));
  if (bytes.empty()) return;
  constexpr size_t kWholePayload = kTsPacketSize - TS_HEADER_SIZE;
  // Most packets carry a whole payload: a copy of fixed size is done in line, not by a call.
  if (bytes.size() == kWholePayload) {
    std::memcpy(output + count, bytes.data(), kWholePayload);
  } else {
    std::memcpy(output + count, bytes.data(), bytes.size());
  }
  count += static_cast<uint32_t>(bytes.size());
}

void TsDemux::FollowVideoPid() {
  // A new PMT version may move the program's video to another PID.
  const ProgramTable& table = psi_.table();
  const uint32_t index = table.Find(static_cast<uint16_t>(program_));
  if (index == table.programCount()) return;
  const TsProgram& program = table.program(index);
  if (!program.pmtKnown || program.videoPid == kNoPid || program.videoPid == videoPid_) return;
  videoPid_ = program.videoPid;
  counterKnown_ = false;
  pes_.WaitForStart();
}

TransportFacts TsDemux::facts() const {
  TransportFacts facts;
  facts.packetSize = packets_.packetSize();
  facts.program = program_;
  facts.videoPid = videoPid_;
  facts.counts = counts_;
  facts.counts.syncLosses = packets_.syncLosses();
  return facts;
}

}  // namespace tessivo
