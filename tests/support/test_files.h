// Files for tests: fixtures in tests/data and temporary files that remove themselves.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tessivo::test {

std::string FixturePath(const std::string& name);
std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);
std::string ReadFileText(const std::filesystem::path& path);

class TempFile {
 public:
  explicit TempFile(const std::string& suffix = ".bin");
  TempFile(const std::vector<uint8_t>& bytes, const std::string& suffix = ".bin");
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::string& path() const { return path_; }
  void Write(const std::vector<uint8_t>& bytes) const;

 private:
  std::string path_;
};

// A fresh folder that removes itself with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  // The names in the folder, sorted.
  std::vector<std::string> Names() const;

 private:
  std::filesystem::path path_;
};

// Runs tessivo-cli with the arguments; returns its exit code and what it printed.
struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};
CliResult RunCli(const std::vector<std::string>& arguments);
// The command line that runs tessivo-cli with the arguments, each quoted for the shell.
std::string CliCommand(const std::vector<std::string>& arguments);
// Runs a shell command; what it prints to stdout and stderr is captured unless it redirects it.
CliResult RunShell(const std::string& command);
std::string ShellQuote(const std::string& text);

}  // namespace tessivo::test
