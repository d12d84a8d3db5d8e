#include "store/sort.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <span>
#include <vector>

#include "directions/directions.h"
#include "formats/recordsort.h"
#include "platform/collation.h"
#include "platform/hostpath.h"
#include "platform/safefiles.h"
#include "resources/uitext.h"
#include "store/collate.h"
#include "store/store.h"

namespace zembo {

namespace {

SortState sortState;  // the one mutable instance; every other file sees the const view

}  // namespace

const SortState& sorting = sortState;

void resetSortState() { sortState = {}; }

void showSortProgressOn(SortProgress* progress) { sortState.sortProgress = progress; }

namespace {

using Clock = std::chrono::steady_clock;

// Adds the time since the last lap to a figure of sortTimings.
class Laps {
 public:
  void lap(double& figure) {
    const Clock::time_point now = Clock::now();
    figure = std::chrono::duration<double>(now - last_).count();
    last_ = now;
  }

 private:
  Clock::time_point last_ = Clock::now();
};

void showProgress(int textNumber, long count) {
  SortProgress* const progress = sorting.sortProgress;
  if (!progress) return;
  char text[uiTextBufferSize + 24];
  std::snprintf(text, sizeof text, "%s %ld", loadUiText(textNumber), count);
  progress->showProgressText(text);
  progress->drawNextFrame();
}

// The words of the live records go to the keys, the deleted records are passed over; the file's
// wordCount becomes the number of live records.
void addLiveWords(WordFile& file, std::span<const WordRecord> records, CollationKeys& keys) {
  int live = 0;
  for (std::size_t j = 0; j < records.size(); ++j) {
    if (j % 1000 == 0) showProgress(62, static_cast<long>(j));
    if (records[j].flags == 0) {
      keys.add(wordOf(records[j]));
      ++live;
    } else {
      keys.skip();
    }
  }
  file.wordCount = live;
}

// Writes the records in sorted order straight from the mapping, gathered into large blocks, and
// sets the disk to work on each block at once, so that little is left for the flush at the end.
bool writeInOrder(int fd, std::span<const WordRecord> records, const std::vector<std::uint32_t>& order) {
  constexpr std::size_t blockRecords = 8192;
  constexpr std::size_t prefetchDistance = 16;
  const auto total = static_cast<off_t>(order.size() * sizeof(WordRecord));
  if (total > 0) ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, total);  // where unsupported, the file just grows
  std::vector<WordRecord> block(std::min(blockRecords, order.size()));
  off_t written = 0;
  for (std::size_t i = 0; i < order.size();) {
    const std::size_t n = std::min(blockRecords, order.size() - i);
    // A block of records that lie side by side in the file (most of a merge) is written from the
    // mapping as it is, without gathering it first.
    const WordRecord* from = &records[order[i]];
    std::size_t k = 1;
    while (k < n && order[i + k] == order[i] + k) ++k;
    const bool adjacent = k == n;
    for (k = 0; k < n; ++k, ++i) {
      if (i % 1000 == 0) showProgress(61, static_cast<long>(i));
      if (adjacent) continue;
      if (i + prefetchDistance < order.size()) __builtin_prefetch(&records[order[i + prefetchDistance]]);
      block[k] = records[order[i]];
    }
    if (!adjacent) from = block.data();
    const auto bytes = static_cast<ssize_t>(n * sizeof(WordRecord));
    if (::write(fd, from, static_cast<std::size_t>(bytes)) != bytes) return false;
    ::sync_file_range(fd, written, bytes, SYNC_FILE_RANGE_WRITE);
    written += bytes;
  }
  return true;
}

// The temporary files that sorts killed before their end left beside the word files.
void removeSortLeftovers(const std::filesystem::path& wordFile) {
  removeTemporaryFiles(wordFile.parent_path(),
                       [](std::string_view target) { return matchesFilePattern(target, "*.zb"); });
}

// The old word file is replaced only by a whole new one that is on disk.
int replaceWordFile(const WordFile& file, std::span<const WordRecord> records, const std::vector<std::uint32_t>& order,
                    Laps& laps) {
  const std::filesystem::path wordFile = hostPath(wordFilePath(*file.direction));
  removeSortLeftovers(wordFile);
  const bool replaced = replaceFileSafely(wordFile, [&](std::FILE* out) {
    const bool written = writeInOrder(fileno(out), records, order) && !file.wordMap.damaged;
    laps.lap(sortState.sortTimings.write);
    const bool flushed = written && ::fdatasync(fileno(out)) == 0;
    laps.lap(sortState.sortTimings.flush);
    return flushed;
  });
  laps.lap(sortState.sortTimings.rename);
  return replaced ? 0 : -1;
}

// The mapped records of the word file; false when the file cannot be rewritten (not open, or more
// records than an int counts, which the sort would cut). The keys are made under the process's
// collation, which is the file's while the sort runs.
bool prepareRecords(WordFile& file, std::span<const WordRecord>& records) {
  if (file.wordFile < 0 || !file.wordMap.base || file.wordFileRecords > INT_MAX || !file.direction) return false;
  if (&file == &store) refreshStoreCollation();
  useCollation(file.collation.locale);
  records = std::span<const WordRecord>(reinterpret_cast<const WordRecord*>(file.wordMap.base),
                                        static_cast<std::size_t>(file.wordFileRecords));
  prefetchRecordMap(file.wordMap, records.size_bytes());
  return true;
}

const unsigned char* keyTable(const WordFile& file) {
  return file.collation.hasSortTable ? file.collation.sortTable : nullptr;
}

int sortRecordsWhole(WordFile& file, std::span<const WordRecord> records, Laps& laps) {
  CollationKeys keys(records.size(), keyTable(file), CollationKeys::Ties::inAddedOrder);
  addLiveWords(file, records, keys);
  keys.allAdded();
  laps.lap(sortState.sortTimings.load);
  keys.finishKeys();
  laps.lap(sortState.sortTimings.keys);
  const std::vector<std::uint32_t> order = keys.sortRecords(
      records, [](std::int64_t count) { showProgress(63, static_cast<long>(count)); }, 2000);
  laps.lap(sortState.sortTimings.sort);
  // A file truncated under the mapping read as empty records: nothing of it may be written.
  if (file.wordMap.damaged) return -1;
  return replaceWordFile(file, records, order, laps);
}

// Adjacent words of a run in collating order; under a sort table each key is made only once.
class OrderCheck {
 public:
  explicit OrderCheck(const WordFile& file) : file_(file) {}
  bool follows(std::string_view word) {
    bool inOrder = true;
    if (const unsigned char* table = keyTable(file_))
      inOrder = !havePrevious_ || weightsInOrder(table, previous_, word);
    else
      inOrder = !havePrevious_ || file_.collation.locale.compare(previous_, word) <= 0;
    previous_ = word;
    havePrevious_ = true;
    return inOrder;
  }

 private:
  // The order of the two words' sort-table keys, walked side by side without building them
  // (words are far shorter than the key limit).
  static bool weightsInOrder(const unsigned char* table, std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    for (;;) {
      unsigned wa = 0, wb = 0;
      while (i < a.size() && (wa = table[static_cast<unsigned char>(a[i])]) == 1) ++i;
      while (j < b.size() && (wb = table[static_cast<unsigned char>(b[j])]) == 1) ++j;
      if (i == a.size()) wa = 0;
      if (j == b.size()) wb = 0;
      if (wa != wb) return wa < wb;
      if (wa == 0) return true;
      ++i;
      ++j;
    }
  }

  const WordFile& file_;
  bool havePrevious_ = false;
  std::string_view previous_;
};

// The indexes of the live records of the front part; false when they are not in collating order.
bool liveFrontInOrder(const WordFile& file, std::span<const WordRecord> front, std::vector<std::uint32_t>& live) {
  OrderCheck check(file);
  live.reserve(front.size());
  for (std::size_t j = 0; j < front.size(); ++j) {
    if (j % 1000 == 0) showProgress(62, static_cast<long>(j));
    if (front[j].flags != 0) continue;
    if (!check.follows(wordOf(front[j]))) return false;
    live.push_back(static_cast<std::uint32_t>(j));
  }
  return true;
}

// The live records of the tail in collating order, as indexes into the whole file.
std::vector<std::uint32_t> sortedTail(const WordFile& file, std::span<const WordRecord> records,
                                      std::size_t tailStart) {
  const std::span<const WordRecord> tail = records.subspan(tailStart);
  CollationKeys keys(tail.size(), keyTable(file), CollationKeys::Ties::inAddedOrder);
  for (const WordRecord& r : tail) {
    if (r.flags == 0)
      keys.add(wordOf(r));
    else
      keys.skip();
  }
  keys.allAdded();
  std::vector<std::uint32_t> order = keys.sortRecords(
      tail, [](std::int64_t count) { showProgress(63, static_cast<long>(count)); }, 2000);
  for (std::uint32_t& i : order) i += static_cast<std::uint32_t>(tailStart);
  return order;
}

// Each tail record goes behind the front records that collate before or equal to it, so records
// with equal words keep the order of the file.
std::vector<std::uint32_t> mergeOrders(const WordFile& file, std::span<const WordRecord> records,
                                       const std::vector<std::uint32_t>& front,
                                       const std::vector<std::uint32_t>& tail) {
  std::vector<std::uint32_t> order;
  order.reserve(front.size() + tail.size());
  auto next = front.begin();
  for (std::uint32_t t : tail) {
    const std::string_view word = wordOf(records[t]);
    const auto end = std::upper_bound(next, front.end(), word, [&](std::string_view w, std::uint32_t i) {
      return compareWords(file.collation, w, wordOf(records[i])) < 0;
    });
    order.insert(order.end(), next, end);
    order.push_back(t);
    next = end;
  }
  order.insert(order.end(), next, front.end());
  return order;
}

int mergeRecords(WordFile& file, std::span<const WordRecord> records, Laps& laps) {
  const std::size_t frontSize = std::min(records.size(), static_cast<std::size_t>(std::max(file.sortedCount, 0)));
  std::vector<std::uint32_t> front;
  if (!liveFrontInOrder(file, records.first(frontSize), front)) return sortRecordsWhole(file, records, laps);
  sortState.lastSortMerged = true;
  laps.lap(sortState.sortTimings.load);
  const std::vector<std::uint32_t> tail = sortedTail(file, records, frontSize);
  laps.lap(sortState.sortTimings.keys);
  const std::vector<std::uint32_t> order = mergeOrders(file, records, front, tail);
  file.wordCount = static_cast<int>(order.size());
  laps.lap(sortState.sortTimings.sort);
  if (file.wordMap.damaged) return -1;
  return replaceWordFile(file, records, order, laps);
}

// Whatever happened, the open file and its count belong to the word file as it now is, and the
// process's collation is the store's again. A sorted file owes nothing.
int finishSort(WordFile& file, int result, Laps& laps) {
  useCollation(store.collation.locale);
  if (result == 0) file.needsSort = 0;
  reopenWordFile(file);
  laps.lap(sortState.sortTimings.reopen);
  return result;
}

}  // namespace

int sortWordFile(WordFile& file) {
  sortState.sortTimings = {};
  Laps laps;
  std::span<const WordRecord> records;
  const int result = prepareRecords(file, records) ? sortRecordsWhole(file, records, laps) : -1;
  return finishSort(file, result, laps);
}

int mergeWordFile(WordFile& file) {
  sortState.sortTimings = {};
  sortState.lastSortMerged = false;
  Laps laps;
  std::span<const WordRecord> records;
  const int result = prepareRecords(file, records) ? mergeRecords(file, records, laps) : -1;
  return finishSort(file, result, laps);
}

SettledSortTimings settleOwedSorts(const ShownSort& show, WordFile* other, bool currentToo) {
  SettledSortTimings timings;
  if (other && other->needsSort && (other->wordFile >= 0 || reopenWordFile(*other) == 0)) {
    show(*other,
         [other] { return other->sortedCount < other->wordCount ? mergeWordFile(*other) : sortWordFile(*other); });
    timings.other = sorting.sortTimings;
  }
  if (!currentToo || !store.needsSort) return timings;
  show(store, [] { return store.sortedCount < store.wordCount ? mergeWordFile() : sortWordFile(); });
  timings.current = sorting.sortTimings;
  return timings;
}

}  // namespace zembo
