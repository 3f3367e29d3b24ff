// The commands of tessivo-cli; each takes the arguments after its name and returns the exit code.
#pragma once

#include "cli/argument_list.h"

namespace tessivo::cli {

int RunAnalyse(ArgumentList& arguments);
int RunShow(ArgumentList& arguments);
int RunModify(ArgumentList& arguments);
int RunCalc(ArgumentList& arguments);
int RunPictures(ArgumentList& arguments);
int RunVbv(ArgumentList& arguments);
int RunCheck(ArgumentList& arguments);
int RunGraph(ArgumentList& arguments);

// Prints the message and the usage text on stderr; returns kExitUsage.
int UsageError(const std::string& message);

}  // namespace tessivo::cli
