// What an engine operation reports to the front end that asked for it: done, or what went wrong
// in words the user can act on. The kind lets a front end tell failures apart (the CLI's exit
// codes); the message is what it shows.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace tessivo {

enum class StatusKind : uint8_t {
  kOk,
  kFileNotFound,
  kInvalidStream,
  kNoTransportVideo,  // a transport stream without MPEG-1/MPEG-2 video that can be read
  kUnknownProgram,    // a transport stream without the program asked for
  kBadResultFile,
  kCannotWrite,
  kNotEnoughMemory,
  kCancelled,  // the user ended the operation
};

struct Status {
  StatusKind kind = StatusKind::kOk;
  std::string message;

  bool ok() const { return kind == StatusKind::kOk; }
};

inline Status Failure(StatusKind kind, std::string message) {
  return Status{kind, std::move(message)};
}

}  // namespace tessivo
