// Command-line arguments taken one option at a time; whatever is left over is positional.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessivo::cli {

class ArgumentList {
 public:
  ArgumentList(int argc, char** argv, int first);

  // True when the flag was given (it is removed).
  bool TakeFlag(const std::string& name);
  // The value after the option, or joined to it as --name=VALUE; error() is set when the option
  // has no value. A following argument that begins with -- is never taken as the value.
  std::optional<std::string> TakeValue(const std::string& name);
  // An unsigned value within [minimum, maximum]; error() is set when it is not one.
  std::optional<uint64_t> TakeNumber(const std::string& name, uint64_t minimum, uint64_t maximum);
  // --kilo: the bits in one kbit, 1024 or 1000; error() is set for any other value.
  std::optional<uint32_t> TakeKiloBase();
  // The remaining arguments; error() is set when one of them still looks like an option.
  std::vector<std::string> TakePositional();

  const std::string& error() const { return error_; }

 private:
  std::vector<std::string> arguments_;
  std::string error_;
};

// Exit codes shared by every command.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFileNotFound = 1;
// check: a rule failed. It shares 1 with a missing input; the message on stderr tells which.
inline constexpr int kExitRuleFailed = 1;
inline constexpr int kExitInvalidStream = 2;
inline constexpr int kExitBadResultFile = 3;
inline constexpr int kExitCannotWrite = 4;
inline constexpr int kExitNotEnoughMemory = 5;
inline constexpr int kExitUsage = 64;

}  // namespace tessivo::cli
