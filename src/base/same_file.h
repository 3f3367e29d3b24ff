// Whether an output would land on an input: the same path, a roundabout path through "..", a
// symbolic link or a hard link all reach the same file.
#pragma once

#include <string>

namespace tessivo {

// False when either name does not exist yet.
bool SameFile(const std::string& a, const std::string& b);

// The refusal that names both files; inputRole says what the input is ("analysed file").
std::string SameFileRefusal(const std::string& output, const std::string& input,
                            const std::string& inputRole);

}  // namespace tessivo
