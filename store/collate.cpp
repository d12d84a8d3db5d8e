#include "store/collate.h"

#include <cstdio>
#include <string>

#include "directions/directions.h"
#include "platform/asciicase.h"
#include "platform/collation.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "formats/sorttable.h"
#include "store/store.h"

namespace zembo {

unsigned char sortTable[256] = {};

void loadSortTable() {
  if (!currentDirection->hasSortTable) return;
  std::FILE* file = openFile(std::string("tables\\") + currentDirection->sourceName + ".stb", "rb");
  if (!file) {
    messageBox(nullptr, "Can't open sorttable   ", "error", MB_OK);
    return;
  }
  // A shorter file leaves the rest of the table as it was, so how much was read does not matter.
  [[maybe_unused]] const std::size_t bytesRead = std::fread(sortTable, 1, sizeof sortTable, file);
  std::fclose(file);
}

void checkLocaleName(const char* localeName) {
  if (isKnownLanguageName(localeName)) return;
  char text[200];
  std::snprintf(text, sizeof text, "Unknown locale : %s", localeName);
  messageBox(nullptr, text, "error", MB_OK);
}

int compareByTable(std::string_view a, std::string_view b) {
  // Both keys are rebuilt on every call; the buffers are kept to spare the allocations.
  thread_local std::string keyA, keyB;
  sortTableKey(sortTable, a, keyA);
  sortTableKey(sortTable, b, keyB);
  return keyA.compare(keyB);
}

int compareByLocale(std::string_view a, std::string_view b) { return collateNoCase(a, b); }

int compareWords(std::string_view a, std::string_view b) {
  return currentDirection->hasSortTable ? compareByTable(a, b) : compareByLocale(a, b);
}

int findWord(std::string_view key) {
  int lo = 0, hi = wordCount - 1, mid = 0;
  bool found = false;
  while (lo <= hi && !found) {
    mid = (lo + hi) / 2;
    // A record that cannot be read counts as lying after every key, as the records past the end
    // of a file cut short do; the record an earlier read left behind must not decide.
    const int c = readWordRecord(mid) == 0 ? compareWords(wordOf(currentRecord), key) : 1;
    if (c == 0) found = true;
    if (c < 0) lo = mid + 1;
    if (c > 0) hi = mid - 1;
  }
  return found ? mid : lo;
}

int activateDirection() {
  loadSortTable();
  if (!setCollationLocale(currentDirection->localeName))
    messageBox(mainWindowHandle, loadUiText(textLocaleError), uiTextCopy(textProgramName),
               MB_OK | MB_ICONWARNING);
  checkLocaleName(currentDirection->localeName);
  const int recorded = recordSelectedDirection();
  closeStoreFiles();
  openWordFile();
  countWordRecords();
  return recorded;
}

}  // namespace zembo
