#include "cli/argument_list.h"

#include <charconv>

namespace tessivo::cli {

namespace {
bool LooksLikeOption(const std::string& argument) {
  return argument.size() > 1 && argument[0] == '-' && argument[1] == '-';
}
}  // namespace

ArgumentList::ArgumentList(int argc, char** argv, int first) {
  for (int i = first; i < argc; ++i) arguments_.emplace_back(argv[i]);
}

bool ArgumentList::TakeFlag(const std::string& name) {
  for (auto it = arguments_.begin(); it != arguments_.end(); ++it) {
    if (*it == name) {
      arguments_.erase(it);
      return true;
    }
  }
  return false;
}

std::optional<std::string> ArgumentList::TakeValue(const std::string& name) {
  const std::string joined = name + "=";
  for (size_t i = 0; i < arguments_.size(); ++i) {
    const auto at = arguments_.begin() + static_cast<std::ptrdiff_t>(i);
    if (arguments_[i].rfind(joined, 0) == 0) {
      std::string value = arguments_[i].substr(joined.size());
      arguments_.erase(at);
      if (!value.empty()) return value;
      error_ = name + " needs a value";
      return std::nullopt;
    }
    if (arguments_[i] != name) continue;
    // "--save --quiet" forgot the name; a name that begins with -- is written --save=--name.
    if (i + 1 == arguments_.size() || LooksLikeOption(arguments_[i + 1])) {
      error_ = name + " needs a value (write " + name + "=VALUE for one that begins with --)";
      arguments_.erase(at);
      return std::nullopt;
    }
    std::string value = arguments_[i + 1];
    arguments_.erase(at, at + 2);
    return value;
  }
  return std::nullopt;
}

std::optional<uint64_t> ArgumentList::TakeNumber(const std::string& name, uint64_t minimum,
                                                 uint64_t maximum) {
  const auto text = TakeValue(name);
  if (!text) return std::nullopt;
  uint64_t value = 0;
  const char* end = text->data() + text->size();
  const auto [stop, failure] = std::from_chars(text->data(), end, value);
  if (failure != std::errc() || stop != end || value < minimum || value > maximum) {
    error_ = name + " takes a whole number from " + std::to_string(minimum) + " to " +
             std::to_string(maximum) + ", not \"" + *text + "\"";
    return std::nullopt;
  }
  return value;
}

std::optional<uint32_t> ArgumentList::TakeKiloBase() {
  const auto kilo = TakeNumber("--kilo", 1000, 1024);
  if (!kilo || *kilo == 1000 || *kilo == 1024) return kilo;
  if (error_.empty()) error_ = "--kilo takes 1024 or 1000";
  return std::nullopt;
}

std::vector<std::string> ArgumentList::TakePositional() {
  for (const std::string& argument : arguments_) {
    if (LooksLikeOption(argument)) {
      error_ = "unknown option " + argument;
      break;
    }
  }
  return std::move(arguments_);
}

}  // namespace tessivo::cli
