// A fixed store whose memory reads as zero until written. Its pages are taken from the system
// only when first written, and clearing hands the written ones back, so a large store costs what
// an analysis fills of it, not its capacity, and clearing it does not touch every page.
#pragma once

#include <cstddef>
#include <type_traits>

namespace tessivo {

// The untyped memory under a ZeroedStore.
class ZeroedMemory {
 public:
  ZeroedMemory() = default;
  ~ZeroedMemory() { Release(); }
  ZeroedMemory(const ZeroedMemory&) = delete;
  ZeroedMemory& operator=(const ZeroedMemory&) = delete;

  // False when the memory cannot be obtained; the store is then empty.
  bool Allocate(size_t bytes);
  void Clear();
  void* data() const { return data_; }

 private:
  void Release();

  void* data_ = nullptr;
  size_t bytes_ = 0;
};

template <typename T>
class ZeroedStore {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T>,
                "all-zero bytes must be a valid T");

 public:
  bool Allocate(size_t count) { return memory_.Allocate(count * sizeof(T)); }
  void Clear() { memory_.Clear(); }
  T* get() const { return static_cast<T*>(memory_.data()); }
  T& operator[](size_t index) const { return get()[index]; }

 private:
  ZeroedMemory memory_;
};

}  // namespace tessivo
