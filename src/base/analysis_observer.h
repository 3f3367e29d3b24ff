// The seam through which the engine reaches a front end: the window's progress bar, status and
// picture-counter panels, its message pump and its message boxes. Every hook does nothing unless
// a front end overrides it.
#pragma once

#include <cstdint>
#include <string>

namespace tessivo {

class AnalysisObserver {
 public:
  virtual ~AnalysisObserver() = default;

  // Share of the input read so far, 0 to 100 (the progress bar Pb).
  virtual void UpdateProgress(uint32_t /*percent*/) {}
  // "Seeking" while the stream type is searched for, "Reading" afterwards (panel Panel4).
  virtual void SetStatusCaption(const std::string& /*caption*/) {}
  // Pictures recorded before the current one (panel Panel8).
  virtual void SetPictureCounter(uint32_t /*count*/) {}
  // Lets one pending window message run without waiting.
  virtual void PumpOneMessage() {}
  // A modal message with a fixed text, such as "Invalid stream type!".
  virtual void ShowMessage(const std::string& /*text*/) {}
  // Share of the input copied so far by the stream patcher, 0 to 100 (its progress bar PB).
  virtual void UpdateCopyProgress(uint32_t /*percent*/) {}
  // Asked after each copy progress report: true ends the copy, and its output is removed.
  virtual bool CopyCancelled() { return false; }
  // The temporary file of an output being written, what a front end ended by a signal removes on
  // its way out. PartialFileChanging comes just before the file is created, renamed or removed;
  // SetPartialFile follows with its name, or with an empty name once it is renamed or removed.
  // A front end may hold its signals in between, so that no signal falls into the gap.
  virtual void PartialFileChanging() {}
  virtual void SetPartialFile(const std::string& /*temporaryPath*/) {}
};

}  // namespace tessivo
