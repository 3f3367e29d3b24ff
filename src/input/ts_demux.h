// Turns a transport stream into the video elementary stream of one of its programs: it chooses
// the video PID from the PAT and PMTs (or, without them, from the first video PES), then gathers
// that PID's PES payloads, counting the faults a user must hear about.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "input/input_file.h"
#include "input/pes_video_payload.h"
#include "input/ts_layout.h"
#include "input/ts_packet_reader.h"
#include "input/ts_psi_tracker.h"

namespace tessivo {

// When no PAT and PMT tell the video within this many bytes, the first video PES decides.
inline constexpr uint64_t kPsiSearchLimit = uint64_t{16} * 1024 * 1024;

enum class TsChoice { kChosen, kUnknownProgram, kNoVideo };

struct TsCounts {
  uint32_t continuityErrors = 0;  // gaps in the video PID's continuity counter
  uint32_t damagedPackets = 0;    // transport_error_indicator set, of any PID
  uint32_t scrambledPackets = 0;  // video packets with transport_scrambling_control set
  uint32_t syncLosses = 0;
};

struct TransportFacts {
  uint32_t packetSize = 0;
  uint32_t program = 0;  // program_number; 0 when no PSI named the video
  uint32_t videoPid = 0;
  TsCounts counts;
};

class TsDemux {
 public:
  explicit TsDemux(InputFile& file) : packets_(file) {}

  // Chooses the first MPEG-1/MPEG-2 video stream, of the first program listed in the PAT that
  // has a usable one, or of program when it is not 0. A video stream whose first packet is
  // scrambled is not usable. Then rewinds to the first packet for DemuxFill.
  TsChoice Choose(const TsLayout& layout, uint32_t program);
  // The program numbers of the PAT, in its order, as the choice found them.
  const std::vector<uint16_t>& programsFound() const { return programsFound_; }

  // Places the video bytes of the next run of packets at the start of output (at least
  // kTsPacketSize bytes long) and returns their count; 0 only at the end of the file.
  uint32_t DemuxFill(uint8_t* output, uint32_t capacity);

  TransportFacts facts() const;

 private:
  // What the first packets of a PID showed: no payload yet, a scrambled one, a clear packet
  // starting a video PES, or a clear start of something else.
  enum class FirstStart : uint8_t { kUnknown, kScrambled, kVideoPes, kOther };
  enum class Decision { kUndecided, kWaitForStream, kChosen, kUnknownProgram, kNoVideo };

  bool Observe(const uint8_t* packet);
  Decision Decide(uint32_t program, bool atEnd);
  // A candidate video PID as its first packets showed it.
  Decision Judge(uint16_t pid, bool atEnd) const;
  void TakeVideo(const uint8_t* packet, uint8_t* output, uint32_t& count);
  void FollowVideoPid();

  TsPacketReader packets_;
  PsiTracker psi_;
  PesVideoPayload pes_;
  std::unique_ptr<FirstStart[]> firstStart_;
  std::vector<uint16_t> programsFound_;
  uint16_t fallbackPid_ = kNoPid;

  uint16_t videoPid_ = kNoPid;
  uint32_t program_ = 0;
  bool followPsi_ = false;
  bool counterKnown_ = false;
  bool duplicateDropped_ = false;
  uint8_t lastCounter_ = 0;
  TsCounts counts_;
};

}  // namespace tessivo
