// Writes an exported table's bytes under the file name the user gave, unchanged. The bytes go to
// NAME.partial first and take the name only once they are all written, so a failed export never
// leaves a file that looks complete.
#pragma once

#include <string>
#include <string_view>

#include "base/analysis_observer.h"

namespace tessivo {

// On failure shows "Cannot Create file NAME" through the observer and returns false.
bool WriteExportFile(const std::string& fileName, std::string_view bytes,
                     AnalysisObserver& observer);

}  // namespace tessivo
