// Writes the modified copy of an analysed elementary stream in one pass over its bytes.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "base/status.h"
#include "modify/copy_progress.h"
#include "modify/header_patch.h"
#include "mpeg/record_stores.h"

namespace tessivo {

inline constexpr uint32_t kLastGop = std::numeric_limits<uint32_t>::max();

struct CopyOptions {
  bool removeUserData = false;         // "Remove all user data"
  std::string userData;                // "Add this user data": written before every GOP
  bool sequenceHeaderEachGop = false;  // "Add seq header to each GOP"
  bool performCut = false;             // "Perform cut": honour inGop
  uint32_t inGop = 0;
  uint32_t outGop = kLastGop;      // at or past the last GOP record: nothing is cut at the end
  bool addSequenceEndCode = true;  // "Add Sequence End Code"
};

// Copies the analysed elementary stream at inputPath to outputPath with every sequence header
// patched. The GOP records of stores must come from analysing inputPath.
// Nothing is left under outputPath when the status is not ok.
Status StreamCopy(const std::string& inputPath, const std::string& outputPath,
                  const HeaderPatch& patch, const CopyOptions& options, const RecordStores& stores,
                  CopyProgress& progress);

}  // namespace tessivo
