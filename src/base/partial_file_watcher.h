// Told about the temporary file of an output being written: what a front end ended by a signal
// removes on its way out.
#pragma once

#include <string>

namespace tessivo {

class PartialFileWatcher {
 public:
  virtual ~PartialFileWatcher() = default;

  // PartialFileChanging comes just before the file is created, renamed or removed;
  // SetPartialFile follows with its name, or with an empty name once it is renamed or removed.
  // A front end may hold its signals in between, so that no signal falls into the gap.
  virtual void PartialFileChanging() {}
  virtual void SetPartialFile(const std::string& /*temporaryPath*/) {}
};

}  // namespace tessivo
