#pragma once
// Sorting records by word with collation keys made once per word, under a sort table or under
// the collation in force. Making the keys is most of the work, so a second core starts on them
// while the caller is still adding words, and both cores finish them. One counting pass then
// groups the keys by their first two bytes, and the two cores sort the groups.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>
#include <thread>
#include <vector>

#include "formats/wordrecord.h"

namespace zembo {

class CollationKeyMaker;
template <typename T>
class FreshArray;

class CollationKeys {
 public:
  // How records whose words have equal keys are ordered.
  enum class Ties {
    byteEqualWordsTogether,  // byte-equal words side by side, each word's records in their order
    inAddedOrder,            // in the order they were added: the sort is stable
  };

  // Starts the second core. expectedWords only sizes the first allocations: any number of words
  // may be added. Keys are made with sortTable (256 weights, which must stay as they are until
  // the sort is done) when it is given, else with the collation in force.
  explicit CollationKeys(std::size_t expectedWords, const unsigned char* sortTable = nullptr,
                         Ties ties = Ties::byteEqualWordsTogether);
  ~CollationKeys();
  CollationKeys(const CollationKeys&) = delete;
  CollationKeys& operator=(const CollationKeys&) = delete;

  // The word of the next record; skip passes over a record that takes no part in the sort.
  void add(std::string_view word);
  void skip();
  void allAdded();
  // Waits until every key is made, working on them meanwhile; sortRecords does it first.
  void finishKeys();
  // Records added or skipped so far: the next record's index.
  std::size_t size() const { return indexes_; }

  // The indexes of the added records in order of their words (records holds them all, by index;
  // it is read for byte-equal ties). Calls onSteps, on this thread, with each multiple of
  // interval (0 first) that the running count of steps passes: a step is a record put into its
  // group or a comparison within a group, by either core. A sort of no records takes no step.
  // onSteps may throw: the sort then ends, its second core stopped, and the exception goes on.
  std::vector<std::uint32_t> sortRecords(std::span<const WordRecord> records,
                                         const std::function<void(std::int64_t count)>& onSteps,
                                         std::int64_t interval = 1000);
  // Steps of the last sort, both cores together.
  std::int64_t steps() const { return steps_; }

 private:
  struct Chunk;
  struct Entry;
  Chunk& chunkToFill();
  Chunk* publishedChunk(std::size_t k);
  void makeKeysOfChunks(CollationKeyMaker& maker);
  // Puts the entries into groups by their first two key bytes, in that order; starts receives
  // where each group begins, and the end. onPlaced hears the count of each chunk's entries placed.
  void groupByLeadingBytes(FreshArray<Entry>& entries, std::vector<std::size_t>& starts,
                           const std::function<void(std::size_t placed)>& onPlaced) const;

  const unsigned char* sortTable_;
  Ties ties_;
  std::size_t indexes_ = 0;
  std::mutex chunksLock_;  // the table of chunks grows while the second core reads it
  std::vector<std::unique_ptr<Chunk>> chunks_;
  // Chunks ready for keys, with finishedBit once every word has been added.
  std::atomic<std::uint64_t> published_{0};
  std::atomic<std::size_t> nextChunk_{0};
  std::atomic<bool> abandoned_{false};
  std::thread helper_;
  std::int64_t steps_ = 0;
};

}  // namespace zembo
