#pragma once
// "Find in entries" for the current language: its two entry indexes (formats/entryindex.h), kept
// matching the word files and the article file they were made from. An index that does not match
// them (a word corrected or added, a copy from elsewhere, a kill while it was written) is made
// again before a search reads it, never trusted.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/entryindex.h"

namespace zembo {

// What a file looked like when the indexes were last found to match it: a search checks the
// checksums again only when one of these changed.
struct FileStamp {
  std::uint64_t size = 0, inode = 0;
  std::int64_t modified = 0;  // nanoseconds
  bool operator==(const FileStamp&) const = default;
};

struct EntrySearchState {
  std::string wordFile;  // the forward word file whose indexes are open (the program's path)
  EntryIndex articleIndex, wordIndex;
  std::array<FileStamp, 3> checked;  // the forward and reverse word files, the article file
};
extern const EntrySearchState& entrySearch;

// Whether a search must first call prepareEntrySearch: another language is current, or one of its
// files changed since the last check.
bool entrySearchNeedsPreparing();
// Opens the current language's indexes and checks them against its files, making again those that
// do not match; progress hears how far a making has come (0 to 100), and only then. False with
// error set (naming the file) when a file cannot be read or an index cannot be written.
bool prepareEntrySearch(const std::function<void(int percent)>& progress, std::string& error);
// The entries of the prepared language that hold the words typed (UTF-8), best first.
std::vector<FoundEntry> findInEntries(std::string_view typed, std::size_t limit);
void resetEntrySearchState();

}  // namespace zembo
