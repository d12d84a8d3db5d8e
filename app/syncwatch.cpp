#include "app/syncwatch.h"

#include <sys/stat.h>

#include <QWidget>

#include "app/mainwindow.h"
#include "platform/codepage.h"
#include "platform/messagebox.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/store.h"
#include "windowkit/toolwindow.h"

namespace zembo {

namespace {

std::string utf8Row(int row) { return toUtf8(uiTextCopy(row), uiCodePage()); }

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

std::string mergeSummaryText(const MergeCounts& counts) {
  std::string text = utf8Row(textMergedSync);
  const int values[] = {counts.reviews, counts.addedEntries, counts.edits, counts.listEntries, counts.newerKept};
  for (int i = 0; i < 5; ++i) replaceAll(text, "%" + std::to_string(i + 1), std::to_string(values[i]));
  if (!counts.failed.empty()) {
    text += "\n\n" + utf8Row(textMergeFailed);
    for (const auto& copy : counts.failed) text += "\n" + copy.lexically_normal().string();
  }
  return text;
}

SyncWatch::SyncWatch(QWidget* owner, int intervalMs) : QObject(owner), owner_(owner) {
  timer_.setInterval(intervalMs);
  connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
  timer_.start();
}

void SyncWatch::mergeNow() {
  const MergeCounts counts = mergeConflictCopies();
  if (!counts.any()) return;
  // The merge replaced files the store may hold open.
  if (store.wordFile >= 0) reopenStore();
  if (auto* window = dynamic_cast<MainWindow*>(owner_)) window->updateReviewItem();
  messageBox(owner_, mergeSummaryText(counts), toUtf8(uiTextCopy(textProgramName), uiCodePage()),
             MB_OK | MB_ICONINFORMATION | MB_UTF8);
}

std::string SyncWatch::snapshotOfCopies(const std::vector<ConflictCopy>& copies) const {
  std::string seen;
  for (const ConflictCopy& copy : copies) {
    struct stat st {};
    ::stat(copy.copy.c_str(), &st);
    seen += copy.copy.string() + '\t' + std::to_string(st.st_size) + '\t' + std::to_string(st.st_mtim.tv_sec) + '.' +
            std::to_string(st.st_mtim.tv_nsec) + '\n';
  }
  return seen;
}

// A tool window works on the open files: the merge waits until it closes.
void SyncWatch::tick() {
  if (tools.toolWindowOpen) return;
  if (store.wordFile >= 0 && replacedUnderName(store.wordFile, wordFilePath())) reopenStore();
  const std::vector<ConflictCopy> copies = findProgramConflictCopies();
  const std::string seen = snapshotOfCopies(copies);
  const bool still = seen == lastSeen_;
  lastSeen_ = seen;
  if (copies.empty() || !still) return;
  timer_.stop();  // the message box runs its own loop: no tick merges meanwhile
  mergeNow();
  lastSeen_.clear();
  timer_.start();
}

}  // namespace zembo
