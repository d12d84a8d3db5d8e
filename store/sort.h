#pragma once
// Sorting and compaction of the current direction's word file: the live records in collating
// order, the deleted ones dropped, the file replaced through a temporary file.

#include <string>

namespace zembo {

// Where the sort shows its progress: the sorting window implements it.
class SortProgress {
 public:
  virtual ~SortProgress() = default;
  // A progress text such as "Reading 1000", replacing the previous one.
  virtual void showProgressText(const std::string& text) = 0;
  // The next frame of the animation.
  virtual void drawNextFrame() = 0;
};

// The display of the sort that runs now; none when nothing shows it.
extern SortProgress* sortProgress;

// 1 when the current word file was changed out of order and owes a sort.
extern int needsSort;

// Where the time of the last sort went, in seconds: reading the records (and adding their words),
// finishing their keys, sorting, writing the temporary file, flushing it to disk, putting it in
// the word file's place, and reopening the store. Benchmarks print them.
struct SortTimings {
  double load = 0, keys = 0, sort = 0, write = 0, flush = 0, rename = 0, reopen = 0;
};
extern SortTimings sortTimings;

// 0 on success, -1 on failure. On success the word file holds exactly the live records in the
// collation of currentDirection, each with flags 0; on failure it is unchanged. Either way the
// store is open and counted afterwards.
int sortWordFile();

// The same result for a file whose first sortedPart records are already in collating order and
// whose tail was appended since: the tail is sorted and merged into them in one pass. When the
// front part turns out not to be in order, the whole file is sorted instead.
int mergeWordFile(int sortedPart);
// True when the last mergeWordFile merged; false when it sorted the whole file.
extern bool lastSortMerged;

}  // namespace zembo
