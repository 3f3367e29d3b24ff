// Files for tests: fixtures in tests/data and temporary files that remove themselves.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tessivo::test {

std::string FixturePath(const std::string& name);
std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);

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

// Runs tessivo-cli with the arguments; returns its exit code and what it printed.
struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};
CliResult RunCli(const std::vector<std::string>& arguments);

}  // namespace tessivo::test
