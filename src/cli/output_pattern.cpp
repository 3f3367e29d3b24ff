#include "cli/output_pattern.h"

#include <filesystem>

namespace tessivo::cli {

std::string InputName(const std::string& input) {
  return std::filesystem::path(input).stem().string();
}

bool HasNamePlaceholder(const std::string& pattern) {
  return pattern.find(kNamePlaceholder) != std::string::npos;
}

std::string ExpandPattern(const std::string& pattern, const std::string& input) {
  const std::string name = InputName(input);
  const std::string placeholder = kNamePlaceholder;
  std::string out;
  size_t from = 0;
  for (size_t at; (at = pattern.find(placeholder, from)) != std::string::npos;
       from = at + placeholder.size()) {
    out.append(pattern, from, at - from);
    out += name;
  }
  out.append(pattern, from);
  return out;
}

}  // namespace tessivo::cli
