// The name the patched copy is written to.
#pragma once

#include <string>

namespace tessivo {

// The chosen name cut at the first '.' of its file-name part, followed by the analysed file's
// extension, which runs from the first '.' of that file's name ("a.b.m2v" gives ".b.m2v").
std::string OutputFileName(const std::string& chosen, const std::string& analysed);

}  // namespace tessivo
