// Only an elementary stream can be patched: the GOP positions of a demultiplexed stream count
// video bytes, not file offsets.
#pragma once

#include "base/status.h"

namespace tessivo {

inline Status CheckModifiable(bool demultiplexed) {
  if (!demultiplexed) return Status{};
  return Failure(StatusKind::kInvalidStream,
                 "You cannot modify a system/program stream!\nTo do it you have to demux it to "
                 "separated video/audio streams");
}

}  // namespace tessivo
