// Fuzz inputs reach the engine as files, the way users' streams do.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace tessivo::fuzz {

class FuzzInputFile {
 public:
  FuzzInputFile(const uint8_t* data, size_t size, const char* suffix) {
    const std::filesystem::path folder =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    path_ = (folder / ("tessivo-fuzz-" + std::to_string(getpid()) + suffix)).string();
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    if (!file) __builtin_trap();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) __builtin_trap();
    std::fclose(file);
  }
  ~FuzzInputFile() { std::remove(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace tessivo::fuzz
