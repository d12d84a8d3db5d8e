#include "addwords/addwords.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/asciicase.h"
#include "platform/collation.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/collate.h"
#include "store/sort.h"
#include "store/store.h"
#include "windowkit/sortingwindow.h"

namespace zembo {

int sortedCount = 0;
DictionaryDirection* reverseDirection = nullptr;
int reverseSortedCount = 0;
int newEntryCount = 0;
int reverseNeedsSort = 0;
DictionaryDirection* sessionDirection = nullptr;
SortTimings resortTimings[2];

void resetAddWordsState() {
  sortedCount = reverseSortedCount = newEntryCount = reverseNeedsSort = 0;
  reverseDirection = sessionDirection = nullptr;
}

namespace {

DictionaryDirection* twinOf(const DictionaryDirection* d) {
  for (DictionaryDirection* r = directionList; r; r = r->next)
    if (std::strcmp(r->sourceName, d->targetName) == 0 && std::strcmp(r->targetName, d->sourceName) == 0) return r;
  return nullptr;
}

// The number of records whose word is found as it is: wordCount lowered for one bisection.
int findInSortedPart(std::string_view word, int sortedPart) {
  const int all = wordCount;
  wordCount = sortedPart;
  const int index = findWord(word);
  wordCount = all;
  return index;
}

bool holdsWord(int index, std::string_view word) {
  return readWordRecord(index) == 0 && equalNoCase(wordOf(currentRecord), word);
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
  const bool sameSession = sessionDirection == currentDirection;
  sessionDirection = currentDirection;
  reverseDirection = twinOf(currentDirection);
  newEntryCount = 0;
  // A sort that failed at the last close is owed still: its appended records stay behind the
  // sorted part, where the lookups of this session look for them too.
  if (!sameSession || !needsSort) {
    needsSort = 0;
    sortedCount = wordCount;
  }
  if (!sameSession || !reverseNeedsSort) {
    reverseNeedsSort = 0;
    reverseSortedCount = 0;
  }
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

int findEntry(std::string_view word, int sortedPart) {
  const int index = findInSortedPart(word, sortedPart);
  if (holdsWord(index, word)) return index;
  // Records appended in this session are out of order: few enough to be read one by one.
  for (int i = sortedPart; i < wordCount; ++i)
    if (holdsWord(i, word)) return i;
  return -1;
}

std::string newEntriesPath() {
  return std::string("new\\") + currentDirection->sourceName + "_" + currentDirection->targetName + ".zb";
}

void appendNewEntry() {
  std::FILE* file = openFile(newEntriesPath(), "a+b");
  if (!file) return;
  std::fwrite(&currentRecord, sizeof currentRecord, 1, file);
  std::fclose(file);
}

void switchStoreDirection(DictionaryDirection* direction) {
  currentDirection = direction;
  setCollationLocale(direction->localeName);
  checkLocaleName(direction->localeName);
  loadSortTable();
  closeStoreFiles();
  openWordFile();
  countWordRecords();
}

void addReverseEntry(std::string_view part, std::string_view wordKey) {
  const std::string_view word = trimBlanks(part);
  if (word.empty() || word.size() > wordFieldSize - 1) return;
  const int index = findEntry(word, reverseSortedCount);
  if (index < 0) {
    currentRecord = WordRecord{};
    setField(currentRecord.word, sizeof currentRecord.word, word);
    setField(currentRecord.translation, sizeof currentRecord.translation, wordKey);
    if (writeWordRecord(wordCount) == 0) ++wordCount;
    reverseNeedsSort = 1;
    return;
  }
  // currentRecord holds the entry that findEntry found.
  const std::string translation = copyOfField(currentRecord.translation, sizeof currentRecord.translation);
  if (translation.size() + wordKey.size() + 2 > translationFieldSize - 1) return;
  if (anyPart(translation, [&](std::string_view p) { return equalNoCase(trimBlanks(p), wordKey); })) return;
  setField(currentRecord.translation, sizeof currentRecord.translation, translation + ", " + std::string(wordKey));
  writeWordRecord(index);
}

namespace {

// The pair goes into the current word file; the word as a user spelled it.
void storeInCurrentFile(const std::string& word, const std::string& translation) {
  const int index = findEntry(word, sortedCount);
  const std::int16_t flags = index >= 0 ? currentRecord.flags : 0;
  currentRecord = WordRecord{};
  setField(currentRecord.word, sizeof currentRecord.word, word);
  setField(currentRecord.translation, sizeof currentRecord.translation, translation);
  currentRecord.flags = flags;
  if (index >= 0) {
    writeWordRecord(index);
    return;
  }
  if (writeWordRecord(wordCount) != 0) return;
  ++wordCount;
  appendNewEntry();
  needsSort = 1;
}

void feedReverseFile(const std::string& wordKey, const std::string& translation) {
  DictionaryDirection* const forward = currentDirection;
  switchStoreDirection(reverseDirection);
  if (reverseSortedCount == 0) reverseSortedCount = wordCount;
  anyPart(translation, [&](std::string_view part) {
    addReverseEntry(part, wordKey);
    return false;
  });
  switchStoreDirection(forward);
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
  storeInCurrentFile(word, translation);
  feedReverseFile(word, translation);
  ++newEntryCount;
  return StoreOutcome::stored;
}

void resortOnClose() {
  resortTimings[0] = resortTimings[1] = {};
  if (reverseNeedsSort) {
    DictionaryDirection* const forward = currentDirection;
    switchStoreDirection(reverseDirection);
    if (runUnderSortingWindow([] { return mergeWordFile(reverseSortedCount); })) {
      reverseNeedsSort = 0;
      reverseSortedCount = 0;
    }
    resortTimings[0] = sortTimings;
    switchStoreDirection(forward);
  }
  if (!needsSort) return;
  if (runUnderSortingWindow([] { return mergeWordFile(sortedCount); })) {
    needsSort = 0;
    sortedCount = wordCount;
  }
  resortTimings[1] = sortTimings;
}

}  // namespace zembo
