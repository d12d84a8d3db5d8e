#pragma once
// Record files are read through a read-only shared mapping, so that a lookup costs memory reads
// and no system calls; writes keep going through the descriptor, and the page cache keeps the
// mapping up to date with them. Another program may truncate a file under its mapping: the pages
// past the new end then fail as reads, never as a crash of the program.

#include <csignal>
#include <cstddef>
#include <cstdint>

namespace zembo {

struct RecordMap {
  const char* base = nullptr;
  std::size_t length = 0;  // bytes mapped; may reach past the end of the file
  // Set when a page of the mapping was found gone: from then on the mapping serves no reads.
  volatile std::sig_atomic_t damaged = 0;
};

// Maps at least bytes of the file (room for appends is added), replacing an earlier mapping.
// False when the file cannot be mapped; the map is then empty and serves no reads.
bool mapRecordFile(RecordMap& map, int fd, std::uint64_t bytes);
// Makes the mapping reach at least bytes, keeping it when it already does.
bool growRecordMap(RecordMap& map, int fd, std::uint64_t bytes);
void unmapRecordFile(RecordMap& map);
// Copies size bytes at offset out of the mapping; false when the mapping cannot serve them.
bool readFromMap(const RecordMap& map, std::uint64_t offset, void* out, std::size_t size);
// Asks for the first bytes of the mapping to be read in at once (one call, not a fault per page).
void prefetchRecordMap(const RecordMap& map, std::uint64_t bytes);

}  // namespace zembo
