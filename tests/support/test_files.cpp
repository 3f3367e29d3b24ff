#include "support/test_files.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace tessivo::test {

std::string FixturePath(const std::string& name) {
  return std::string(TESSIVO_TEST_DATA) + "/" + name;
}

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TempFile::TempFile(const std::string& suffix) {
  static std::atomic<int> counter{0};
  path_ = (std::filesystem::temp_directory_path() /
           ("tessivo-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + suffix))
              .string();
}

TempFile::TempFile(const std::vector<uint8_t>& bytes, const std::string& suffix)
    : TempFile(suffix) {
  Write(bytes);
}

TempFile::~TempFile() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

void TempFile::Write(const std::vector<uint8_t>& bytes) const {
  std::ofstream out(path_, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

namespace {
std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}
}  // namespace

CliResult RunCli(const std::vector<std::string>& arguments) {
  TempFile out(".out");
  TempFile err(".err");
  std::string command = Quote(TESSIVO_CLI);
  for (const std::string& argument : arguments) command.append(" ").append(Quote(argument));
  command.append(" >").append(Quote(out.path())).append(" 2>").append(Quote(err.path()));
  command.append(" </dev/null");
  const int status = std::system(command.c_str());
  CliResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  const auto outBytes = ReadFileBytes(out.path());
  const auto errBytes = ReadFileBytes(err.path());
  result.out.assign(outBytes.begin(), outBytes.end());
  result.err.assign(errBytes.begin(), errBytes.end());
  return result;
}

}  // namespace tessivo::test
