#include "base/same_file.h"

#include <filesystem>
#include <system_error>

namespace tessivo {

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

std::string SameFileRefusal(const std::string& output, const std::string& input,
                            const std::string& inputRole) {
  return "The output file " + output + " is " + input + ", the " + inputRole +
         " itself: choose another name";
}

}  // namespace tessivo
