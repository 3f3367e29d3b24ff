#include "base/zeroed_store.h"

#include <sys/mman.h>

#include <cstring>

namespace tessivo {

bool ZeroedMemory::Allocate(size_t bytes) {
  Release();
  if (bytes == 0) return true;
  // Anonymous mappings are zero-filled on first touch.
  void* mapped = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return false;
  data_ = mapped;
  bytes_ = bytes;
  return true;
}

void ZeroedMemory::Clear() {
  if (!data_) return;
#ifdef __linux__
  // Discarded pages of a private anonymous mapping read as zero again.
  if (madvise(data_, bytes_, MADV_DONTNEED) == 0) return;
#endif
  std::memset(data_, 0, bytes_);
}

void ZeroedMemory::Release() {
  if (data_) munmap(data_, bytes_);
  data_ = nullptr;
  bytes_ = 0;
}

}  // namespace tessivo
