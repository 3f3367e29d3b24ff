// Result files (".tsr"): the summary block, then the per-second, GOP and picture records,
// little-endian, in the fixed layout of the records.
#pragma once

#include <cstdint>
#include <string>

#include "analysis/analysis_context.h"

namespace tessivo {

inline constexpr uint64_t kResultHeaderSize = 232;
inline constexpr uint64_t kStoredSecondSize = 24;
inline constexpr uint64_t kStoredGopSize = 116;
inline constexpr uint64_t kStoredPictureSize = 24;

// Writes what has been read so far; sets savedSecondCount and savedGopCount. The file appears
// under its name only once it is complete.
Status SaveResultFile(AnalysisContext& context, const std::string& path);

// Replaces the records with the file's; a file that is not a whole result file, or that does not
// fit this context's stores, is refused and the records stay as they were.
Status LoadResultFile(AnalysisContext& context, const std::string& path);

}  // namespace tessivo
