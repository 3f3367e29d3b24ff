// What an interrupted command leaves behind: on SIGINT, SIGTERM or SIGHUP the partial output file
// being written is removed, and the process then ends as the signal would have ended it.
#pragma once

#include <string>

namespace tessivo::cli {

void InstallSignalCleanup();
// Holds the handled signals while the temporary file is created, renamed or removed: one that
// comes meanwhile is acted on once the new state is known.
void HoldSignals();
// The temporary file to remove on a signal, an empty path for none; releases held signals.
void SetFileToRemoveOnSignal(const std::string& path);

}  // namespace tessivo::cli
