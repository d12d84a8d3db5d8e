#pragma once
// Sorting and compaction of a word file: the live records in collating order, the deleted ones
// dropped, the file replaced through a temporary file.

#include <functional>
#include <string>

#include "store/store.h"

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

// Where the time of the last sort went, in seconds: reading the records (and adding their words),
// finishing their keys, sorting, writing the temporary file, flushing it to disk, putting it in
// the word file's place, and reopening the store. Benchmarks print them.
struct SortTimings {
  double load = 0, keys = 0, sort = 0, write = 0, flush = 0, rename = 0, reopen = 0;
};

struct SortState {
  SortProgress* sortProgress = nullptr;  // the display of the sort that runs now; none when nothing shows it
  SortTimings sortTimings;               // of the last sort
  bool lastSortMerged = false;           // the last mergeWordFile merged; false when it sorted the whole file
};
extern const SortState& sorting;  // read anywhere; written only by store/sort.cpp
// A fresh state: no display, no timings; tests begin and end with it.
void resetSortState();

// Makes progress the display of the sorts that follow; nullptr: none.
void showSortProgressOn(SortProgress* progress);

// 0 on success, -1 on failure. On success the word file holds exactly the live records in the
// collation of its direction, each with flags 0, and owes no sort; on failure it is unchanged and
// owes what it owed. Either way the file is open and counted afterwards (the store's with its
// practice list file).
int sortWordFile(WordFile& file);
// The same on the current word file (store/store.cpp, which owns it, runs it).
int sortWordFile();

// The same result for a file whose first sortedCount records are already in collating order and
// whose tail was appended since: the tail is sorted and merged into them in one pass. When the
// front part turns out not to be in order, the whole file is sorted instead.
int mergeWordFile(WordFile& file);
int mergeWordFile();  // on the current word file

// Runs sort, the sort of file, where a user sees it and says so when it fails; true when it
// succeeded. The sorting window is one (runUnderSortingWindow).
using ShownSort = std::function<bool(const WordFile& file, const std::function<int()>& sort)>;

// Where the time of the sorts settleOwedSorts ran went (zero for a file it did not sort).
struct SettledSortTimings {
  SortTimings other, current;
};

// Settles the sorts owed when a window that changed word files closes, the program ends or the
// direction changes: first other's (the reverse file of adding words; a handle an earlier failed
// close left closed is opened again for it), then, with currentToo, the current word file's; each
// under show. A file with records appended behind its sorted part is merged, one changed in
// place is sorted whole. A sort that fails stays owed, for the next close to try again.
SettledSortTimings settleOwedSorts(const ShownSort& show, WordFile* other = nullptr, bool currentToo = true);

}  // namespace zembo
