#include "store/recordmap.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>

namespace zembo {

namespace {

// Appends grow a file a record at a time; the mapping keeps this much room for them.
constexpr std::uint64_t appendRoom = 1 << 20;

RecordMap* mappedFiles[8] = {};
struct sigaction previousBusAction {};

std::size_t pageSize() {
  static const std::size_t size = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  return size;
}

// A page of a mapping whose file was truncated under it: an empty page takes its place, so that
// the read that touched it goes on (and is then refused), and the mapping is marked as damaged.
void onBusError(int signal, siginfo_t* info, void* context) {
  const char* address = static_cast<const char*>(info->si_addr);
  for (RecordMap* map : mappedFiles) {
    if (!map || !map->base || address < map->base || address >= map->base + map->length) continue;
    void* page = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(address) & ~(pageSize() - 1));
    if (::mmap(page, pageSize(), PROT_READ, MAP_FIXED | MAP_PRIVATE | MAP_ANONYMOUS, -1, 0) != MAP_FAILED) {
      map->damaged = 1;
      return;
    }
  }
  // Not ours: the fault happens again under the action that was there before.
  if (previousBusAction.sa_flags & SA_SIGINFO && previousBusAction.sa_sigaction) {
    previousBusAction.sa_sigaction(signal, info, context);
    return;
  }
  ::sigaction(SIGBUS, &previousBusAction, nullptr);
}

void watchBusErrors() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    struct sigaction action {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &previousBusAction);
  });
}

void remember(RecordMap& map) {
  for (RecordMap*& slot : mappedFiles)
    if (slot == &map) return;
  for (RecordMap*& slot : mappedFiles)
    if (!slot) {
      slot = &map;
      return;
    }
}

std::uint64_t roundToPages(std::uint64_t bytes) { return (bytes + pageSize() - 1) / pageSize() * pageSize(); }

}  // namespace

bool mapRecordFile(RecordMap& map, int fd, std::uint64_t bytes) {
  unmapRecordFile(map);
  if (fd < 0) return false;
  watchBusErrors();
  const std::uint64_t length = roundToPages(bytes + appendRoom);
  void* base = ::mmap(nullptr, length, PROT_READ, MAP_SHARED, fd, 0);
  if (base == MAP_FAILED) return false;
  map.length = length;
  map.damaged = 0;
  remember(map);
  map.base = static_cast<const char*>(base);
  return true;
}

bool growRecordMap(RecordMap& map, int fd, std::uint64_t bytes) {
  if (!map.base) return false;
  if (bytes <= map.length) return true;
  const std::uint64_t length = roundToPages(std::max(bytes + appendRoom, 2 * static_cast<std::uint64_t>(map.length)));
  void* base = ::mremap(const_cast<char*>(map.base), map.length, length, MREMAP_MAYMOVE);
  if (base == MAP_FAILED) {
    unmapRecordFile(map);
    return mapRecordFile(map, fd, bytes);
  }
  map.base = static_cast<const char*>(base);
  map.length = length;
  return true;
}

void unmapRecordFile(RecordMap& map) {
  // A map that goes away (a handle on the stack) must not stay among those the handler visits.
  for (RecordMap*& slot : mappedFiles)
    if (slot == &map) slot = nullptr;
  if (map.base) ::munmap(const_cast<char*>(map.base), map.length);
  map.base = nullptr;
  map.length = 0;
  map.damaged = 0;
}

bool readFromMap(const RecordMap& map, std::uint64_t offset, void* out, std::size_t size) {
  if (!map.base || map.damaged || offset + size > map.length) return false;
  std::memcpy(out, map.base + offset, size);
  // The copy may have met a page that is gone; the handler says so before it returns.
  std::atomic_signal_fence(std::memory_order_seq_cst);
  return !map.damaged;
}

void prefetchRecordMap(const RecordMap& map, std::uint64_t bytes) {
  if (!map.base || map.damaged) return;
  char* start = const_cast<char*>(map.base);
  const std::size_t length = roundToPages(std::min<std::uint64_t>(bytes, map.length));
  if (length && ::madvise(start, length, MADV_POPULATE_READ) != 0) ::madvise(start, length, MADV_WILLNEED);
}

}  // namespace zembo
