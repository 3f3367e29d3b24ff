#include "modify/output_name.h"

namespace tessivo {

namespace {

size_t FileNameStart(const std::string& path) {
#ifdef _WIN32
  const size_t separator = path.find_last_of("/\\:");
#else
  const size_t separator = path.find_last_of('/');
#endif
  return separator == std::string::npos ? 0 : separator + 1;
}

size_t FirstDotOfFileName(const std::string& path) {
  const size_t dot = path.find('.', FileNameStart(path));
  return dot == std::string::npos ? path.size() : dot;
}

}  // namespace

std::string OutputFileName(const std::string& chosen, const std::string& analysed) {
  return chosen.substr(0, FirstDotOfFileName(chosen)) +
         analysed.substr(FirstDotOfFileName(analysed));
}

}  // namespace tessivo
