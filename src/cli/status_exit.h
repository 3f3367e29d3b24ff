// The one place the command line turns an engine failure into its message and exit code.
#pragma once

#include "base/status.h"
#include "cli/cli_observer.h"

namespace tessivo::cli {

int ExitCodeOf(StatusKind kind);

// Shows the message through the observer when one is given (below its progress line), else on
// stderr; returns the exit code.
int ReportFailure(const Status& status, CliObserver* observer = nullptr);

}  // namespace tessivo::cli
