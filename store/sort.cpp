#include "store/sort.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <span>
#include <vector>

#include "directions/directions.h"
#include "formats/recordsort.h"
#include "platform/collation.h"
#include "platform/hostpath.h"
#include "resources/uitext.h"
#include "store/collate.h"
#include "store/store.h"

namespace zembo {

SortProgress* sortProgress = nullptr;
int needsSort = 0;
SortTimings sortTimings;

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
  if (!sortProgress) return;
  char text[uiTextBufferSize + 24];
  std::snprintf(text, sizeof text, "%s %ld", loadUiText(textNumber), count);
  sortProgress->showProgressText(text);
  sortProgress->drawNextFrame();
}

// The words of the live records go to the keys, the deleted records are passed over; wordCount
// becomes the number of live records.
void addLiveWords(std::span<const WordRecord> records, CollationKeys& keys) {
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
  wordCount = live;
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
    for (std::size_t k = 0; k < n; ++k, ++i) {
      if (i % 1000 == 0) showProgress(61, static_cast<long>(i));
      if (i + prefetchDistance < order.size()) __builtin_prefetch(&records[order[i + prefetchDistance]]);
      block[k] = records[order[i]];
    }
    const auto bytes = static_cast<ssize_t>(n * sizeof(WordRecord));
    if (::write(fd, block.data(), static_cast<std::size_t>(bytes)) != bytes) return false;
    ::sync_file_range(fd, written, bytes, SYNC_FILE_RANGE_WRITE);
    written += bytes;
  }
  return true;
}

// The old word file is replaced only by a whole new one that is on disk.
int replaceWordFile(std::span<const WordRecord> records, const std::vector<std::uint32_t>& order, Laps& laps) {
  const bool replaced = replaceFileSafely(hostPath(wordFilePath()), [&](std::FILE* out) {
    const bool written = writeInOrder(fileno(out), records, order) && !wordMap.damaged;
    laps.lap(sortTimings.write);
    const bool flushed = written && ::fdatasync(fileno(out)) == 0;
    laps.lap(sortTimings.flush);
    return flushed;
  });
  laps.lap(sortTimings.rename);
  return replaced ? 0 : -1;
}

int sortMappedRecords(Laps& laps) {
  // A file that cannot be counted as an int is never rewritten: the sort would cut it.
  if (wordFile < 0 || !wordMap.base || wordFileRecords > INT_MAX) return -1;
  setCollationLocale(currentDirection->localeName);
  checkLocaleName(currentDirection->localeName);
  loadSortTable();
  const std::span<const WordRecord> records(reinterpret_cast<const WordRecord*>(wordMap.base),
                                            static_cast<std::size_t>(wordFileRecords));
  prefetchRecordMap(wordMap, records.size_bytes());
  CollationKeys keys(records.size(), currentDirection->hasSortTable ? sortTable : nullptr,
                     CollationKeys::Ties::inAddedOrder);
  addLiveWords(records, keys);
  keys.allAdded();
  laps.lap(sortTimings.load);
  keys.finishKeys();
  laps.lap(sortTimings.keys);
  const std::vector<std::uint32_t> order =
      keys.sortRecords(records, [](std::int64_t count) { showProgress(63, static_cast<long>(count)); }, 2000);
  laps.lap(sortTimings.sort);
  // A file truncated under the mapping read as empty records: nothing of it may be written.
  if (wordMap.damaged) return -1;
  return replaceWordFile(records, order, laps);
}

}  // namespace

int sortWordFile() {
  sortTimings = {};
  Laps laps;
  const int result = sortMappedRecords(laps);
  // Whatever happened, the open files and counts belong to the word file as it now is.
  closeStoreFiles();
  openWordFile();
  countWordRecords();
  laps.lap(sortTimings.reopen);
  return result;
}

}  // namespace zembo
