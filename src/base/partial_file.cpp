#include "base/partial_file.h"

#include <fcntl.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace tessivo {

namespace {

constexpr int kNameAttempts = 100;
constexpr char kNameCharacters[] = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr int kRandomCharacters = 10;

// Short, so that any name the file system takes can be the target's.
std::string TemporaryName(std::random_device& random) {
  std::string name = ".tessivo-";
  std::uniform_int_distribution<int> pick(0, sizeof kNameCharacters - 2);
  for (int i = 0; i < kRandomCharacters; ++i) name += kNameCharacters[pick(random)];
  return name;
}

// Creates path only if nothing, not even a dangling link, stands there yet.
int CreateExclusively(const std::string& path) {
#ifdef _WIN32
  int fd = -1;
  _sopen_s(&fd, path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _SH_DENYNO,
           _S_IREAD | _S_IWRITE);
  return fd;
#else
  return open(path.c_str(), O_CREAT | O_EXCL | O_NOFOLLOW | O_WRONLY | O_CLOEXEC, 0666);
#endif
}

std::FILE* StreamOf(int fd) {
#ifdef _WIN32
  return _fdopen(fd, "wb");
#else
  return fdopen(fd, "wb");
#endif
}

void CloseDescriptor(int fd) {
#ifdef _WIN32
  _close(fd);
#else
  close(fd);
#endif
}

}  // namespace

PartialFile::~PartialFile() {
  Discard();
}

bool PartialFile::Create(const std::string& path) {
  Discard();
  path_ = path;
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::random_device random;
  if (observer_) observer_->PartialFileChanging();
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string candidate = (folder / TemporaryName(random)).string();
    const int fd = CreateExclusively(candidate);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      break;
    }
    file_ = StreamOf(fd);
    if (file_) {
      temporaryPath_ = candidate;
    } else {
      CloseDescriptor(fd);
      std::remove(candidate.c_str());
    }
    break;
  }
  if (observer_) observer_->SetPartialFile(temporaryPath_);
  return file_ != nullptr;
}

bool PartialFile::Commit(bool written) {
  if (!file_) return false;
  written = std::fclose(file_) == 0 && written;
  file_ = nullptr;
  if (observer_) observer_->PartialFileChanging();
  std::error_code error;
  if (written) std::filesystem::rename(temporaryPath_, path_, error);
  const bool named = written && !error;
  if (!named) std::filesystem::remove(temporaryPath_, error);
  Forget();
  return named;
}

void PartialFile::Discard() {
  if (!file_) return;
  std::fclose(file_);
  file_ = nullptr;
  if (observer_) observer_->PartialFileChanging();
  std::error_code error;
  std::filesystem::remove(temporaryPath_, error);
  Forget();
}

void PartialFile::Forget() {
  temporaryPath_.clear();
  if (observer_) observer_->SetPartialFile({});
}

}  // namespace tessivo
