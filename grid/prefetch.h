#pragma once
// Asking for memory before it is read, where the compiler offers it: rows and cells lie apart on
// the heap, and walking them one by one otherwise waits on memory at each step.

#include <cstddef>

namespace grid {

inline void prefetch(const void* address) {
#if defined(__GNUC__)
  __builtin_prefetch(address);
#else
  (void)address;
#endif
}

// Every cache line of the `size` bytes at `address`.
inline void prefetchBytes(const void* address, std::size_t size) {
  constexpr std::size_t kCacheLine = 64;
  const auto* bytes = static_cast<const char*>(address);
  for (std::size_t offset = 0; offset < size; offset += kCacheLine) prefetch(bytes + offset);
}

}  // namespace grid
