#include "cli/argument_list.h"

#include <charconv>

namespace tessivo::cli {

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
  for (size_t i = 0; i < arguments_.size(); ++i) {
    if (arguments_[i] != name) continue;
    if (i + 1 == arguments_.size()) {
      error_ = name + " needs a value";
      arguments_.erase(arguments_.begin() + static_cast<std::ptrdiff_t>(i));
      return std::nullopt;
    }
    std::string value = arguments_[i + 1];
    arguments_.erase(arguments_.begin() + static_cast<std::ptrdiff_t>(i),
                     arguments_.begin() + static_cast<std::ptrdiff_t>(i + 2));
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

std::vector<std::string> ArgumentList::TakePositional() {
  for (const std::string& argument : arguments_) {
    if (argument.size() > 1 && argument[0] == '-' && argument[1] == '-') {
      error_ = "unknown option " + argument;
      break;
    }
  }
  return std::move(arguments_);
}

}  // namespace tessivo::cli
