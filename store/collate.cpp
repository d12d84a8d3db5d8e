#include "store/collate.h"

#include <cstdio>
#include <string>

#include "formats/sorttable.h"
#include "platform/collation.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"

namespace zembo {

void loadSortTable(WordCollation& collation, const DictionaryDirection& direction) {
  if (!direction.hasSortTable) return;
  static_assert(sizeof collation.sortTable == sortTableSize);
  // A shorter file leaves the rest of the table as it was, so how much was read does not matter.
  if (readSortTable(direction.sourceName, collation.sortTable) < 0)
    messageBox(nullptr, "Can't open sorttable   ", "error", MB_OK);
}

bool loadCollation(WordCollation& collation, const DictionaryDirection& direction, WindowHandle parent) {
  collation.hasSortTable = direction.hasSortTable;
  loadSortTable(collation, direction);
  const bool opened = collation.locale.open(direction.localeName);
  if (!opened) messageBox(parent, loadUiText(textLocaleError), uiTextCopy(textProgramName), MB_OK | MB_ICONWARNING);
  checkLocaleName(direction.localeName);
  return opened;
}

void checkLocaleName(const char* localeName) {
  if (isKnownLanguageName(localeName)) return;
  char text[200];
  std::snprintf(text, sizeof text, "Unknown locale : %s", localeName);
  messageBox(nullptr, text, "error", MB_OK);
}

int compareByTable(const unsigned char table[256], std::string_view a, std::string_view b) {
  // Both keys are rebuilt on every call; the buffers are kept to spare the allocations.
  thread_local std::string keyA, keyB;
  sortTableKey(table, a, keyA);
  sortTableKey(table, b, keyB);
  return keyA.compare(keyB);
}

int compareWords(const WordCollation& collation, std::string_view a, std::string_view b) {
  return collation.hasSortTable ? compareByTable(collation.sortTable, a, b) : collation.locale.compare(a, b);
}

int compareWords(std::string_view a, std::string_view b) { return compareWords(store.collation, a, b); }

int findWord(const WordFile& file, std::string_view key, int count) {
  // The first record whose word is not before the key: among records of equal words (a headword
  // whose translations fill several records) the first, where its everyday sense stands.
  int lo = 0, hi = count;
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    // A record that cannot be read counts as lying after every key, as the records past the end
    // of a file cut short do; the record an earlier read left behind must not decide.
    WordRecord record;
    const int c = readWordRecord(file, mid, record) == 0 ? compareWords(file.collation, wordOf(record), key) : 1;
    if (c < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

int findWord(const WordFile& file, std::string_view key) { return findWord(file, key, file.wordCount); }

int findWord(std::string_view key) { return findWord(store, key); }

int findTypedWord(const WordFile& file, std::string_view key) {
  const int first = findWord(file, key);
  WordRecord record;
  for (int i = first; i < file.wordCount && readWordRecord(file, i, record) == 0; ++i) {
    const std::string_view word = wordOf(record);
    if (word == key) return i;
    if (compareWords(file.collation, word, key) != 0) break;
  }
  return first;
}

int findTypedWord(std::string_view key) { return findTypedWord(store, key); }

}  // namespace zembo
