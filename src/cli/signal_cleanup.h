// What an interrupted command leaves behind: on SIGINT, SIGTERM or SIGHUP every partial output
// file being written is removed, and the process then ends as the signal would have ended it.
// Several threads may each be writing one.
#pragma once

#include <string>

namespace tessivo::cli {

// Before any other thread starts: the handled signals are then taken by a thread of their own.
void InstallSignalCleanup();
// Holds the cleanup while this writer's temporary file is created, renamed or removed: a signal
// that comes meanwhile is acted on once the new state is known.
void HoldSignals();
// The writer's temporary file to remove on a signal, an empty path for none; ends the hold.
// writer tells the files of concurrent writers apart.
void SetFileToRemoveOnSignal(const void* writer, const std::string& path);

}  // namespace tessivo::cli
