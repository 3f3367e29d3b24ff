#include "cli/status_exit.h"

#include <cstdio>

#include "cli/argument_list.h"

namespace tessivo::cli {

int ExitCodeOf(StatusKind kind) {
  switch (kind) {
    case StatusKind::kOk:
      return kExitDone;
    case StatusKind::kFileNotFound:
      return kExitFileNotFound;
    case StatusKind::kInvalidStream:
    case StatusKind::kNoTransportVideo:
      return kExitInvalidStream;
    case StatusKind::kUnknownProgram:
      return kExitUsage;
    case StatusKind::kBadResultFile:
      return kExitBadResultFile;
    case StatusKind::kCannotWrite:
    case StatusKind::kCancelled:
      return kExitCannotWrite;
    case StatusKind::kNotEnoughMemory:
      return kExitNotEnoughMemory;
  }
  return kExitCannotWrite;
}

int ReportFailure(const Status& status, CliObserver* observer) {
  const std::string& text = status.message;
  if (observer) {
    if (!text.empty()) observer->ShowMessage(text);
  } else if (!text.empty()) {
    std::fputs(text.c_str(), stderr);
    if (text.back() != '\n') std::fputc('\n', stderr);
  }
  return ExitCodeOf(status.kind);
}

}  // namespace tessivo::cli
