#pragma once
// Sorting the reverse words in the collation in force with collation keys made once per word.
// Making the keys is most of the work, so a second core starts on them while the words are still
// being written to the temporary list and read back, and both cores finish them. One counting
// pass then groups the keys by their first two bytes, and the two cores sort the groups.

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <thread>
#include <vector>

#include "formats/wordrecord.h"

namespace zembo {

class CollationKeyMaker;

class CollationKeys {
 public:
  // Starts the second core; at most maxWords words will be added.
  explicit CollationKeys(std::size_t maxWords);
  ~CollationKeys();
  CollationKeys(const CollationKeys&) = delete;
  CollationKeys& operator=(const CollationKeys&) = delete;

  // The words, in the order of the records that will be sorted.
  void add(std::string_view word);
  void allAdded();
  std::size_t size() const { return added_; }

  // The order of the records (whose words were added, in that order) by word: equal words in the
  // collation keep byte-equal words side by side, each word's records in their order. Calls
  // onComparisons with the running count of comparisons at every 1000th comparison of this core.
  std::vector<std::uint32_t> sortRecords(std::span<const WordRecord> records,
                                         void (*onComparisons)(std::int64_t count));
  // Comparisons of the last sort, both cores together.
  std::int64_t comparisons() const { return comparisons_; }

 private:
  struct Chunk;
  void makeKeysOfChunks(CollationKeyMaker& maker);
  void finishKeys();

  std::vector<std::unique_ptr<Chunk>> chunks_;
  std::size_t added_ = 0;
  // Chunks ready for keys, with finishedBit once every word has been added.
  std::atomic<std::uint64_t> published_{0};
  std::atomic<std::size_t> nextChunk_{0};
  std::atomic<bool> abandoned_{false};
  std::thread helper_;
  std::int64_t comparisons_ = 0;
};

}  // namespace zembo
