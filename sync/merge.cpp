#include "sync/merge.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include "directions/directions.h"
#include "platform/hostpath.h"
#include "platform/profile.h"
#include "platform/safefiles.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "review/fittedschedule.h"
#include "review/reviewlog.h"
#include "store/editlog.h"
#include "store/sort.h"
#include "store/store.h"

namespace zembo {

namespace fs = std::filesystem;

namespace {

// The kinds of file, in the order they are merged: the edit logs before the word files they
// explain, the fitted schedules last, as the review logs' replay reads both.
enum class Kind { editLog, newEntries, wordFile, listFile, reviewLog, cardFile, fittedSchedule, newerWins };

fs::path normal(const fs::path& path) { return path.lexically_normal(); }

const DictionaryDirection* directionOfWordFile(const fs::path& file) {
  for (const DictionaryDirection* d = directions.directionList; d; d = d->next)
    if (normal(hostPath(wordFilePath(*d))) == normal(file)) return d;
  return nullptr;
}

fs::path listFolder() { return hostPath(uiTextCopy(textListFolder)); }

Kind kindOf(const fs::path& original) {
  const std::string name = original.filename().string();
  const bool inNew = normal(original.parent_path()) == normal(hostPath("new"));
  if (inNew && name.ends_with(".edits")) return Kind::editLog;
  if (inNew && name.ends_with(".zb")) return Kind::newEntries;
  if (directionOfWordFile(original)) return Kind::wordFile;
  if (name.ends_with(".log.tsv")) return Kind::reviewLog;
  if (name.ends_with(".cards.tsv")) return Kind::cardFile;
  if (normal(original) == normal(fittedSchedulePath(listFolder()))) return Kind::fittedSchedule;
  if (name.ends_with(".ls")) return Kind::listFile;
  return Kind::newerWins;
}

bool readBytes(const fs::path& file, std::string& bytes) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  bytes = text.str();
  return !in.bad();
}

// Replaces the file with bytes unless it holds them already: a merge that changes nothing leaves
// the file as it is, so that Syncthing has nothing to send.
bool replaceWith(const fs::path& file, const std::string& bytes) {
  std::string old;
  if (readBytes(file, old) && old == bytes) return true;
  return replaceFileSafely(
      file, [&](std::FILE* out) { return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size(); });
}

// The records of a file, each field zeroed behind its text, so that records that hold the same
// compare equal byte for byte.
std::vector<WordRecord> readRecords(const fs::path& file) {
  std::vector<WordRecord> records;
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  if (!in) return records;
  records.resize(static_cast<std::size_t>(in.tellg()) / sizeof(WordRecord));  // a record cut short is not one
  in.seekg(0);
  in.read(reinterpret_cast<char*>(records.data()), static_cast<std::streamsize>(records.size() * sizeof(WordRecord)));
  for (WordRecord& r : records) {
    const std::size_t word = wordOf(r).size(), translation = translationOf(r).size();
    std::memset(r.word + word, 0, sizeof r.word - word);
    std::memset(r.translation + translation, 0, sizeof r.translation - translation);
  }
  return records;
}

bool byBytes(const WordRecord& a, const WordRecord& b) { return std::memcmp(&a, &b, sizeof a) < 0; }

// The live records in the order of their bytes.
std::vector<WordRecord> liveInByteOrder(std::vector<WordRecord> records) {
  std::erase_if(records, [](const WordRecord& r) { return r.flags != 0; });
  std::sort(records.begin(), records.end(), byBytes);
  return records;
}

std::string bytesOf(const std::vector<WordRecord>& records) {
  return {reinterpret_cast<const char*>(records.data()), records.size() * sizeof(WordRecord)};
}

const auto keyOf = recordKey;

bool writeRecords(const fs::path& file, const std::vector<WordRecord>& records) {
  return replaceFileSafely(file, [&](std::FILE* out) {
    return std::fwrite(records.data(), sizeof(WordRecord), records.size(), out) == records.size();
  });
}

// A copy that holds what its file holds has nothing to merge.
bool sameBytes(const fs::path& a, const fs::path& b) {
  std::error_code error;
  if (fs::file_size(a, error) != fs::file_size(b, error) || error) return false;
  std::ifstream x(a, std::ios::binary), y(b, std::ios::binary);
  std::vector<char> one(1 << 20), two(1 << 20);
  while (x && y) {
    x.read(one.data(), static_cast<std::streamsize>(one.size()));
    y.read(two.data(), static_cast<std::streamsize>(two.size()));
    if (x.gcount() != y.gcount() || std::memcmp(one.data(), two.data(), static_cast<std::size_t>(x.gcount())) != 0)
      return false;
  }
  return !x.bad() && !y.bad();
}

std::int64_t modifiedNanoseconds(const fs::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return -1;
  return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

class Merger {
 public:
  Merger(const std::vector<ConflictCopy>& copies, const MergeHooks& hooks) : copies_(copies), hooks_(hooks) {
    collectParameters();
  }

  MergeCounts run() {
    std::vector<std::pair<Kind, const ConflictCopy*>> order;
    for (const ConflictCopy& copy : copies_) order.emplace_back(kindOf(copy.original), &copy);
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [kind, copy] : order) {
      if (sameBytes(copy->copy, copy->original) || merge(kind, *copy))
        finish(*copy);
      else
        counts_.failed.push_back(copy->copy);
    }
    return counts_;
  }

 private:
  bool merge(Kind kind, const ConflictCopy& c) {
    switch (kind) {
      case Kind::editLog:
        return mergeEditLogs(c);
      case Kind::newEntries:
        return unionOfRecords(c, counts_.addedEntries);
      case Kind::wordFile:
        return mergeWordFiles(c);
      case Kind::listFile:
        return unionOfRecords(c, counts_.listEntries);
      case Kind::reviewLog:
        return mergeReviewLog(c);
      case Kind::cardFile:
        return rebuildCards(listFileOf(c.original, ".cards.tsv"), &c.copy);
      case Kind::fittedSchedule:
        return keepNewerSchedule(c);
      case Kind::newerWins:
        return keepNewer(c, modifiedNanoseconds(c.copy) > modifiedNanoseconds(c.original));
    }
    return false;
  }

  // The merged file is in place: only now does the copy go.
  void finish(const ConflictCopy& c) {
    step("merged", c.original);
    std::error_code error;
    if (fs::exists(c.copy, error)) fs::remove(c.copy, error);
    syncFolder(c.copy.parent_path());
    ++counts_.copies;
    step("removed", c.original);
  }

  void step(const char* name, const fs::path& original) const {
    if (hooks_.afterStep) hooks_.afterStep(name, original);
  }

  // Entries of the copy that the file lacks go behind its own, in the copy's order.
  static bool unionOfRecords(const ConflictCopy& c, int& added) {
    std::vector<WordRecord> records = readRecords(c.original);
    std::unordered_set<std::string> held;
    for (const WordRecord& r : records) held.insert(keyOf(r));
    for (const WordRecord& r : readRecords(c.copy))
      if (held.insert(keyOf(r)).second) {
        records.push_back(r);
        ++added;
      }
    return replaceWith(c.original, bytesOf(records));
  }

  bool mergeEditLogs(const ConflictCopy& c) {
    EditLogRead mine = readEditLog(c.original), other = readEditLog(c.copy);
    std::unordered_set<std::string> ids;
    std::vector<RecordEdit> edits;
    for (const auto* log : {&mine, &other})
      for (const RecordEdit& edit : log->edits)
        if (ids.insert(edit.id).second) {
          edits.push_back(edit);
          if (log == &other) ++counts_.edits;
        }
    sortEdits(edits);
    std::string text = editLogHeader;
    for (const RecordEdit& edit : edits) appendEditLine(text, edit);
    return replaceWith(c.original, text);
  }

  // The file's records, with those of the copy that no edit names (an edit decides what becomes
  // of the records it names), then every logged edit that the result does not reflect.
  static bool mergeWordFiles(const ConflictCopy& c) {
    const DictionaryDirection& direction = *directionOfWordFile(c.original);
    std::vector<RecordEdit> edits = readEditLog(hostPath(editLogPath(direction))).edits;
    sortEdits(edits);
    std::unordered_set<std::string> named;
    for (const RecordEdit& edit : edits) {
      if (!edit.added) named.insert(keyOf(edit.before));
      named.insert(keyOf(edit.after));
    }
    std::vector<WordRecord> records = readRecords(c.original);
    const std::vector<WordRecord> before = liveInByteOrder(records);
    std::vector<WordRecord> extras;
    for (const WordRecord& r : readRecords(c.copy))
      if (r.flags == 0 && !std::binary_search(before.begin(), before.end(), r, byBytes) &&
          (named.empty() || !named.count(keyOf(r))))
        extras.push_back(r);
    std::sort(extras.begin(), extras.end(), byBytes);
    extras.erase(std::unique(extras.begin(), extras.end(),
                             [](const WordRecord& a, const WordRecord& b) { return !byBytes(a, b) && !byBytes(b, a); }),
                 extras.end());
    records.insert(records.end(), extras.begin(), extras.end());
    applyEdits(records, edits);
    // Records in the order of their bytes go into the sort, which keeps equal words in the order
    // it is given: two computers sort them alike whatever order they stood in.
    records = liveInByteOrder(std::move(records));
    if (before.size() == records.size() &&
        std::memcmp(before.data(), records.data(), records.size() * sizeof(WordRecord)) == 0)
      return true;  // the file holds them all already
    if (!writeRecords(c.original, records)) return false;
    WordFile file;
    if (openWordFile(file, direction, WordCollation{}) != 0) return false;
    const bool sorted = sortWordFile(file) == 0;
    closeWordFile(file);
    return sorted;
  }

  static fs::path listFileOf(const fs::path& beside, std::string_view suffix) {
    std::string name = beside.filename().string();
    name.resize(name.size() - suffix.size());
    return beside.parent_path() / (name + ".ls");
  }

  bool mergeReviewLog(const ConflictCopy& c) {
    const ReviewLogRead mine = readReviewLog(c.original), other = readReviewLog(c.copy);
    if (mine.version == 1 || other.version == 1) return false;  // read as version 2 once reviewed again
    const MergedReviews merged = mergeReviewLogs(mine.lines, other.lines, [&](std::string_view id, FsrsParameters& p) {
      const auto known = parameters_.find(std::string(id));
      if (known == parameters_.end()) return false;
      p = known->second;
      return true;
    });
    counts_.reviews += merged.fromOther;
    if (!replaceWith(c.original, reviewLogText(merged.lines))) return false;
    // The snapshot named the old log's size: it is made again from the merged log.
    return rebuildCards(listFileOf(c.original, ".log.tsv"), nullptr);
  }

  // The card file as the merged log gives it: its cards (with the copy's, the later review of a
  // card winning), each card the log holds in the state of its last review.
  static bool rebuildCards(const fs::path& listFile, const fs::path* copy) {
    std::vector<Card> cards, others;
    const fs::path cardFile = cardFilePath(listFile);
    const CardFileLoad load = readCardFile(cardFile, cards);
    if (load.status != CardFileStatus::read && load.status != CardFileStatus::missing) return false;
    if (copy && readCardFile(*copy, others).status != CardFileStatus::read) return false;
    std::map<std::string, std::size_t> at;
    for (std::size_t i = 0; i < cards.size(); ++i) at.emplace(cardKey(cards[i]), i);
    for (Card& card : others) {
      const auto [it, added] = at.emplace(cardKey(card), cards.size());
      if (added)
        cards.push_back(std::move(card));
      else if (card.schedule.lastReview > cards[it->second].schedule.lastReview)
        cards[it->second] = std::move(card);
    }
    const ReviewLogRead log = readReviewLog(reviewLogPath(listFile));
    if (log.version == 1) return false;
    applyReviewLines(cards, log.lines, false);
    std::sort(cards.begin(), cards.end(),
              [](const Card& a, const Card& b) { return a.word != b.word ? a.word < b.word : a.way < b.way; });
    CardFileHeader header = load.header;
    header.version = 2;
    header.logBytes = log.lines.empty() ? 0 : log.size;
    header.lastReviewId = log.lines.empty() ? std::string() : log.lines.back().id;
    if (cards.empty() && load.status == CardFileStatus::missing) return true;
    return saveCards(cardFile, cards, header);
  }

  // The parameters a review log line may name: the defaults and every fitted set either computer
  // holds.
  void collectParameters() {
    parameters_.emplace("default", FsrsParameters{});
    std::vector<fs::path> files{fittedSchedulePath(listFolder())};
    for (const ConflictCopy& copy : copies_)
      if (kindOf(copy.original) == Kind::fittedSchedule) files.push_back(copy.copy);
    for (const fs::path& file : files) {
      FittedSchedule schedule;
      if (loadFittedSchedule(file, schedule) == CardFileStatus::read)
        parameters_.emplace(parametersIdOf(&schedule), parametersOf(&schedule));
    }
  }

  bool keepNewerSchedule(const ConflictCopy& c) {
    FittedSchedule mine, other;
    const bool mineRead = loadFittedSchedule(c.original, mine) == CardFileStatus::read;
    const bool otherRead = loadFittedSchedule(c.copy, other) == CardFileStatus::read;
    return keepNewer(c, otherRead && (!mineRead || other.fittedAt > mine.fittedAt));
  }

  bool keepNewer(const ConflictCopy& c, bool copyIsNewer) {
    ++counts_.newerKept;
    return !copyIsNewer || renameOver(c.copy, c.original);
  }

  const std::vector<ConflictCopy>& copies_;
  const MergeHooks& hooks_;
  MergeCounts counts_;
  std::unordered_map<std::string, FsrsParameters> parameters_;
};

}  // namespace

MergeCounts mergeConflictCopies(const std::vector<ConflictCopy>& copies, const MergeHooks& hooks) {
  return Merger(copies, hooks).run();
}

std::vector<ConflictCopy> findProgramConflictCopies() {
  std::vector<ConflictCopy> copies = findConflictCopies(".");
  std::error_code error;
  const fs::path here = fs::weakly_canonical(fs::current_path(error), error);
  const fs::path settings = fs::weakly_canonical(profilePath("win.ini").parent_path(), error);
  // The settings folder, unless the program's folder holds it (its copies were found then).
  const bool inside = std::mismatch(here.begin(), here.end(), settings.begin(), settings.end()).first == here.end();
  if (!error && !inside)
    for (ConflictCopy& copy : findConflictCopies(settings)) copies.push_back(std::move(copy));
  return copies;
}

MergeCounts mergeConflictCopies(const MergeHooks& hooks) {
  return mergeConflictCopies(findProgramConflictCopies(), hooks);
}

}  // namespace zembo
