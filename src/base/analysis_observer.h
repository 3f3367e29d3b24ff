// The seam through which a run reaches a front end: the window's progress bar, status and
// picture-counter panels and its message pump, and the partial files of the outputs it writes.
// Every hook does nothing unless a front end overrides it. Failures are not shown through it:
// the engine returns them as a Status.
#pragma once

#include <cstdint>
#include <string>

#include "base/partial_file_watcher.h"

namespace tessivo {

class AnalysisObserver : public virtual PartialFileWatcher {
 public:
  // Share of the input read so far, 0 to 100 (the progress bar Pb).
  virtual void UpdateProgress(uint32_t /*percent*/) {}
  // "Seeking" while the stream type is searched for, "Reading" afterwards (panel Panel4).
  virtual void SetStatusCaption(const std::string& /*caption*/) {}
  // Pictures recorded before the current one (panel Panel8).
  virtual void SetPictureCounter(uint32_t /*count*/) {}
  // Lets one pending window message run without waiting.
  virtual void PumpOneMessage() {}
};

}  // namespace tessivo
