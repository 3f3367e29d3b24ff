#include "support/test_files.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

std::string ReadFileText(const std::filesystem::path& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
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

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("tessivo-dir-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempDir::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string CliCommand(const std::vector<std::string>& arguments) {
  std::string command = ShellQuote(TESSIVO_CLI);
  for (const std::string& argument : arguments) command.append(" ").append(ShellQuote(argument));
  return command;
}

CliResult RunCli(const std::vector<std::string>& arguments) {
  return RunShell(CliCommand(arguments));
}

CliResult RunShell(const std::string& command) {
  TempFile out(".out");
  TempFile err(".err");
  const std::string redirected = "{ " + command + "; } >" + ShellQuote(out.path()) + " 2>" +
                                 ShellQuote(err.path()) + " </dev/null";
  const int status = std::system(redirected.c_str());
  CliResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  const auto outBytes = ReadFileBytes(out.path());
  const auto errBytes = ReadFileBytes(err.path());
  result.out.assign(outBytes.begin(), outBytes.end());
  result.err.assign(errBytes.begin(), errBytes.end());
  return result;
}

}  // namespace tessivo::test
