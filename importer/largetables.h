#pragma once
// Room for a large table set aside at once, on huge pages where the kernel offers them: the table
// is then neither copied as it grows nor brought in by the operating system a small page at a time.

#include <sys/mman.h>

#include <cstdint>
#include <vector>

namespace zembo {

// Asks for huge pages for the whole huge pages that lie within the memory.
inline void preferHugePages(const void* memory, std::size_t bytes) {
  constexpr std::uintptr_t hugePage = std::uintptr_t{2} << 20;
  const auto start = reinterpret_cast<std::uintptr_t>(memory);
  const std::uintptr_t begin = (start + hugePage - 1) & ~(hugePage - 1);
  const std::uintptr_t end = (start + bytes) & ~(hugePage - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

template <typename T>
void reserveLarge(std::vector<T>& table, std::size_t count) {
  table.reserve(count);
  preferHugePages(table.data(), table.capacity() * sizeof(T));
}

}  // namespace zembo
