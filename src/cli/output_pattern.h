// Output names of a batch: "{name}" in an option's value stands for each input's name.
#pragma once

#include <string>

namespace tessivo::cli {

inline constexpr const char* kNamePlaceholder = "{name}";

// The input's file name without its folder and its last extension: "rec/day1.ts" gives "day1".
std::string InputName(const std::string& input);
bool HasNamePlaceholder(const std::string& pattern);
// pattern with every "{name}" replaced by the input's name.
std::string ExpandPattern(const std::string& pattern, const std::string& input);

}  // namespace tessivo::cli
