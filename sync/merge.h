#pragma once
// The conflict copies of the program's folder merged into the files they belong to, so that
// nothing either computer did is lost:
// - review logs: every review of both, once; cards reviewed on both are graded again in the
//   merged order, and the card file is made again from the merged log;
// - the new-entries logs, practice lists and card files: the union of their entries;
// - the edit logs: the union of their lines; a word file then becomes the one both files and the
//   merged edit log give, the later of two changes of a record winning;
// - everything else (settings, the fitted schedule, recordings): the newer file.
// The merge depends only on the two files, so both computers write the same bytes and Syncthing
// has nothing more to send. Each merged file is replaced safely before its copy is removed, so a
// merge cut short anywhere is done again, with the same result, next time.
//
// It works in the program's folder (the working folder), whose configuration file names the word
// files; the directions must have been read.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "sync/conflicts.h"

namespace zembo {

struct MergeCounts {
  int copies = 0;                             // conflict copies merged and removed
  int reviews = 0;                            // reviews only the copies held
  int addedEntries = 0;                       // new entries only the copies held
  int edits = 0;                              // edits only the copies held
  int listEntries = 0;                        // list entries only the copies held
  int newerKept = 0;                          // files of which the newer one was kept
  std::vector<std::filesystem::path> failed;  // copies left where they are: they could not be merged

  bool any() const { return copies > 0 || !failed.empty(); }
};

struct MergeHooks {
  // Called after each step ("merged": the file is in place, "removed": its copy is gone): tests
  // end the process there.
  std::function<void(const char* step, const std::filesystem::path& original)> afterStep;
};

// The conflict copies under the working folder and in the folder of the user's settings (win.ini),
// which a user may keep in step as well.
std::vector<ConflictCopy> findProgramConflictCopies();
// Merges every one of them.
MergeCounts mergeConflictCopies(const MergeHooks& hooks = {});
// The same for the copies given (findConflictCopies(".")), in their order.
MergeCounts mergeConflictCopies(const std::vector<ConflictCopy>& copies, const MergeHooks& hooks = {});

}  // namespace zembo
