#include "addwords/addwords.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/asciicase.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/collate.h"
#include "store/recordmap.h"
#include "store/sort.h"
#include "store/store.h"
#include "windowkit/sortingwindow.h"

namespace zembo {

namespace {

AddWordsState addingState;  // the one mutable instance; every other file sees the const view

}  // namespace

const AddWordsState& adding = addingState;

void resetAddWordsState() {
  closeWordFile(addingState.reverse);
  addingState = {};
}

namespace {

bool holdsWord(const WordFile& file, int index, std::string_view word, WordRecord& record) {
  return readWordRecord(file, index, record) == 0 && equalNoCase(wordOf(record), word);
}

std::string copyOfField(const char* field, std::size_t size) { return std::string(fieldText(field, size)); }

// Calls take with each part of a comma-separated text, untrimmed, in order; true as soon as one
// take returns true.
template <typename Take>
bool anyPart(std::string_view text, Take take) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    if (take(text.substr(start, comma - start))) return true;
    start = comma + 1;
  }
  return false;
}

}  // namespace

void beginAddingWords() {
  const bool sameSession = addingState.sessionDirection == directions.currentDirection;
  addingState.sessionDirection = directions.currentDirection;
  addingState.newEntryCount = 0;
  std::error_code noFolder;  // without it the entries go unlogged, and nothing else is lost
  std::filesystem::create_directory(hostPath("new"), noFolder);
  // A sort that failed at the last close is owed still: its appended records stay behind the
  // sorted part, where the lookups of this session look for them too. The store keeps the current
  // file's; the reverse file keeps its own when it is the same file again.
  closeWordFile(addingState.reverse);
  if (!sameSession) addingState.reverse = {};
  if (const DictionaryDirection* twin = twinOf(directions.currentDirection))
    openWordFile(addingState.reverse, *twin, store.collation);
  // Every pair is looked up in both files: their pages are mapped in once now, so that the
  // bisections of a stored pair meet no page faults.
  prefetchRecordMap(store.wordMap, static_cast<std::uint64_t>(store.wordFileRecords) * sizeof(WordRecord));
  prefetchRecordMap(addingState.reverse.wordMap,
                    static_cast<std::uint64_t>(addingState.reverse.wordFileRecords) * sizeof(WordRecord));
}

std::string_view trimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string normaliseTranslation(std::string_view translation) {
  std::string joined;
  anyPart(translation, [&](std::string_view part) {
    part = trimBlanks(part);
    if (!part.empty()) joined += (joined.empty() ? "" : ", ") + std::string(part);
    return false;
  });
  return joined;
}

namespace {

// Calls take with the index and the record of each record that holds word, until a take returns
// true; that index, or -1. An entry may fill several records, and words
// that collate equal stand together in the sorted part: the whole run is looked at. Records
// appended since the last sort are out of order, but few enough to be read one by one.
template <typename Take>
int findRecordOf(const WordFile& file, std::string_view word, Take take) {
  WordRecord record;
  for (int i = findWord(file, word, file.sortedCount); i < file.sortedCount && readWordRecord(file, i, record) == 0 &&
                                                       compareWords(file.collation, wordOf(record), word) == 0;
       ++i)
    if (equalNoCase(wordOf(record), word) && take(i, record)) return i;
  for (int i = file.sortedCount; i < file.wordCount; ++i)
    if (holdsWord(file, i, word, record) && take(i, record)) return i;
  return -1;
}

}  // namespace

int findEntry(const WordFile& file, std::string_view word, WordRecord& record) {
  return findRecordOf(file, word, [&](int, const WordRecord& found) {
    record = found;
    return true;
  });
}

std::string newEntriesPath() {
  const DictionaryDirection& d = *directions.currentDirection;
  return std::string("new\\") + d.sourceName + "_" + d.targetName + ".zb";
}

void appendNewEntry(const WordRecord& record) {
  std::FILE* file = openFile(newEntriesPath(), "a+b");
  if (!file) return;
  std::fwrite(&record, sizeof record, 1, file);
  std::fclose(file);
}

void addReverseEntry(std::string_view part, std::string_view wordKey) {
  WordFile& reverse = addingState.reverse;
  const std::string_view word = trimBlanks(part);
  if (word.empty() || word.size() > wordFieldSize - 1) return;
  // The word may hold the key in any of its records; it goes into the first with room. When every
  // record is full, the reverse translation is left as it was.
  bool found = false;
  int room = -1;
  const int holding = findRecordOf(reverse, word, [&](int i, const WordRecord& record) {
    found = true;
    const std::string_view translation = translationOf(record);
    if (anyPart(translation, [&](std::string_view p) { return equalNoCase(trimBlanks(p), wordKey); })) return true;
    if (room < 0 && translation.size() + wordKey.size() + 2 <= translationFieldSize - 1) room = i;
    return false;
  });
  if (holding >= 0) return;
  WordRecord record{};
  if (!found) {
    setField(record.word, sizeof record.word, word);
    setField(record.translation, sizeof record.translation, wordKey);
    appendWordRecord(reverse, record);
    markUnsorted(reverse);
    return;
  }
  if (room < 0 || readWordRecord(reverse, room, record) != 0) return;
  const std::string translation = copyOfField(record.translation, sizeof record.translation);
  setField(record.translation, sizeof record.translation, translation + ", " + std::string(wordKey));
  writeWordRecord(reverse, room, record);
}

namespace {

// The pair goes into the current word file as record; the word as a user spelled it. True when
// it was appended as a new entry.
bool storeInCurrentFile(const std::string& word, const std::string& translation, WordRecord& record) {
  WordRecord stored;
  const int index = findEntry(store, word, stored);
  record = WordRecord{};
  setField(record.word, sizeof record.word, word);
  setField(record.translation, sizeof record.translation, translation);
  record.flags = index >= 0 ? stored.flags : std::int16_t{0};
  if (index >= 0) {
    writeWordRecord(index, record);
    return false;
  }
  if (appendWordRecord(record) != 0) return false;
  markUnsorted();
  return true;
}

// The program cannot keep the two directions in step without the reverse file.
void requireReverseFile() {
  if (addingState.reverse.wordFile >= 0) return;
  const DictionaryDirection* twin = twinOf(directions.currentDirection);
  const std::string path = twin ? wordFilePath(*twin) : std::string();
  char text[400];
  std::snprintf(text, sizeof text, "Can't open %s   \n\nProgram aborted", path.c_str());
  messageBox(messageBoxes.mainWindowHandle, text, uiTextCopy(textProgramName), MB_OK | MB_ICONWARNING);
  exitProcess(1);
}

void feedReverseFile(const std::string& wordKey, const std::string& translation) {
  requireReverseFile();
  anyPart(translation, [&](std::string_view part) {
    addReverseEntry(part, wordKey);
    return false;
  });
}

}  // namespace

StoreOutcome storeEntry(EntryTexts& fields) {
  fields.word = std::string(trimBlanks(fields.word));
  if (fields.word.empty()) return StoreOutcome::nothing;
  if (fields.word.find(',') != std::string::npos) return StoreOutcome::commaInWord;
  fields.translation = std::string(trimBlanks(fields.translation));
  if (fields.translation.empty()) return StoreOutcome::nothing;
  const std::string translation = normaliseTranslation(fields.translation);
  // Never cut a translation: a user shortens it in the field.
  if (translation.size() > translationFieldSize - 1) return StoreOutcome::tooLong;
  const std::string word = fields.word;
  fields = {};
  if (translation.empty()) return StoreOutcome::nothing;
  using Clock = std::chrono::steady_clock;
  const auto seconds = [](Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
  };
  const Clock::time_point start = Clock::now();
  WordRecord record;
  const bool appended = storeInCurrentFile(word, translation, record);
  const Clock::time_point stored = Clock::now();
  if (appended) appendNewEntry(record);
  const Clock::time_point logged = Clock::now();
  feedReverseFile(word, translation);
  addingState.entryTimings = {seconds(start, stored), seconds(stored, logged), seconds(logged, Clock::now())};
  ++addingState.newEntryCount;
  return StoreOutcome::stored;
}

namespace {

// A record of the word being stored: where it is, how it is spelled, the translations it holds.
struct HeldEntry {
  int index;
  bool exactSpelling;
  std::size_t size;  // of its translation field's text
  std::vector<std::string> parts;
};

std::vector<HeldEntry> recordsOf(std::string_view word) {
  std::vector<HeldEntry> entries;
  findRecordOf(store, word, [&](int i, const WordRecord& record) {
    HeldEntry entry{i, wordOf(record) == word, translationOf(record).size(), {}};
    anyPart(translationOf(record), [&](std::string_view p) {
      entry.parts.emplace_back(trimBlanks(p));
      return false;
    });
    entries.push_back(std::move(entry));
    return false;
  });
  return entries;
}

bool holdsPart(const HeldEntry& entry, std::string_view part) {
  for (const std::string& held : entry.parts)
    if (equalNoCase(held, part)) return true;
  return false;
}

// The parts of a normalised translation that no record of word holds, joined by ", ". holder is
// the record the pair is listed by: one that holds a part of it, spelled as the word is where
// one is; room the first record spelled so with room for the missing parts; -1 for none.
std::string missingParts(std::string_view word, std::string_view translation, int& holder, int& room) {
  const std::vector<HeldEntry> entries = recordsOf(word);
  std::string missing;
  int best = -1;
  holder = room = -1;
  anyPart(translation, [&](std::string_view part) {
    part = trimBlanks(part);
    bool known = false;
    for (const HeldEntry& entry : entries) {
      if (!holdsPart(entry, part)) continue;
      known = true;
      const int score = entry.exactSpelling ? 1 : 0;
      if (score > best) best = score, holder = entry.index;
    }
    if (!known) missing += (missing.empty() ? "" : ", ") + std::string(part);
    return false;
  });
  // Translations join only a record spelled as the word: "Anbieten" is not "anbieten".
  for (const HeldEntry& entry : entries)
    if (room < 0 && entry.exactSpelling && entry.size + missing.size() + 2 <= translationFieldSize - 1)
      room = entry.index;
  return missing;
}

}  // namespace

PairOutcome storeImportedPair(std::string_view word, std::string_view translation, WordRecord& listed) {
  int holder = -1, room = -1;
  const std::string missing = missingParts(word, translation, holder, room);
  if (missing.empty()) {
    readWordRecord(holder, listed);
    return PairOutcome::alreadyThere;
  }
  WordRecord logged{};
  setField(logged.word, sizeof logged.word, word);
  setField(logged.translation, sizeof logged.translation, missing);
  if (room >= 0 && readWordRecord(room, listed) == 0) {
    const std::string joined = std::string(translationOf(listed)) + ", " + missing;
    setField(listed.translation, sizeof listed.translation, joined);
    if (writeWordRecord(room, listed) != 0) return PairOutcome::notWritten;
  } else {
    listed = logged;
    if (appendWordRecord(listed) != 0) return PairOutcome::notWritten;
    markUnsorted();
  }
  appendNewEntry(logged);
  feedReverseFile(std::string(word), missing);
  ++addingState.newEntryCount;
  return PairOutcome::added;
}

bool resortOwed() { return store.needsSort || addingState.reverse.needsSort; }

void resortOnClose(bool currentToo) {
  const SettledSortTimings timings = settleOwedSorts(runUnderSortingWindow, &addingState.reverse, currentToo);
  addingState.resortTimings[0] = timings.other;
  addingState.resortTimings[1] = timings.current;
  closeWordFile(addingState.reverse);
}

}  // namespace zembo
