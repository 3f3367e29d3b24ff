// What an interrupted command leaves behind: on SIGINT, SIGTERM or SIGHUP the partial output file
// being written is removed, and the process then ends as the signal would have ended it.
#pragma once

#include <string>

namespace tessivo::cli {

void InstallSignalCleanup();
// The temporary file to remove on a signal; an empty path forgets it.
void SetFileToRemoveOnSignal(const std::string& path);

}  // namespace tessivo::cli
