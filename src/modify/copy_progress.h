// The patcher's own sink: the progress of a copy, the user's cancel, and the copy's partial
// output file.
#pragma once

#include <cstdint>

#include "base/partial_file_watcher.h"

namespace tessivo {

// A front end that is both an AnalysisObserver and a CopyProgress watches its partial files once.
class CopyProgress : public virtual PartialFileWatcher {
 public:
  // Share of the input copied so far, 0 to 100 (the patcher's progress bar PB).
  virtual void UpdateCopyProgress(uint32_t /*percent*/) {}
  // Asked after each progress report: true ends the copy, and its output is removed.
  virtual bool CopyCancelled() { return false; }
};

}  // namespace tessivo
