#pragma once
// The program's folder kept in step with other computers by Syncthing: the conflict copies it
// leaves are merged at start and, while no tool window is open, as soon as they have stood still
// for a few seconds (a copy still arriving is left alone); a word file Syncthing replaced under the
// program is opened again. After a merge the user is told what it merged, in the edition's
// language.

#include <QObject>
#include <QTimer>
#include <string>

#include "sync/merge.h"

class QWidget;

namespace zembo {

// The message after a merge, UTF-8 (the copies that could not be merged name host paths).
std::string mergeSummaryText(const MergeCounts& counts);

class SyncWatch : public QObject {
 public:
  explicit SyncWatch(QWidget* owner, int intervalMs = 3000);
  // Merges what lies in the folder now and says so; the tick does the same later.
  void mergeNow();

 private:
  void tick();
  std::string snapshotOfCopies(const std::vector<ConflictCopy>& copies) const;

  QWidget* owner_;
  QTimer timer_;
  std::string lastSeen_;  // the copies (names, sizes, times) at the last tick
};

}  // namespace zembo
