#include "store/sort.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include "directions/directions.h"
#include "platform/collation.h"
#include "platform/hostpath.h"
#include "resources/uitext.h"
#include "store/collate.h"
#include "formats/sorttable.h"
#include "store/store.h"

namespace zembo {

SortProgress* sortProgress = nullptr;
int needsSort = 0;

namespace {

void showProgress(int textNumber, long count) {
  if (!sortProgress) return;
  char text[uiTextBufferSize + 24];
  std::snprintf(text, sizeof text, "%s %ld", loadUiText(textNumber), count);
  sortProgress->showProgressText(text);
  sortProgress->drawNextFrame();
}

// The live records, read in order; wordCount becomes their number.
bool loadLiveRecords(std::vector<WordRecord>& records) {
  records.clear();
  records.reserve(static_cast<std::size_t>(wordCount));
  constexpr int chunk = 1000;
  std::vector<WordRecord> buffer(chunk);
  for (int j = 0; j < wordCount; j += chunk) {
    showProgress(62, j);
    const int n = std::min(chunk, wordCount - j);
    const auto bytes = static_cast<ssize_t>(n * sizeof(WordRecord));
    if (::pread(wordFile, buffer.data(), static_cast<std::size_t>(bytes), static_cast<off_t>(j) * 84) != bytes)
      return false;
    for (int i = 0; i < n; ++i)
      if (buffer[static_cast<std::size_t>(i)].flags == 0) records.push_back(buffer[static_cast<std::size_t>(i)]);
  }
  wordCount = static_cast<int>(records.size());
  return true;
}

// Each record's collation key is made once; the sort then compares bytes. The first eight bytes
// of a key, as a number, settle most comparisons without touching the key itself.
struct KeyedRecord {
  std::uint64_t prefix;
  std::uint32_t offset, length;  // of the key in the key buffer
  std::uint32_t index;           // of the record, so that equal words keep their order
};

std::uint64_t prefixOf(const char* key, std::size_t length) {
  std::uint64_t prefix = 0;
  for (std::size_t i = 0; i < 8; ++i)
    prefix = (prefix << 8) | (i < length ? static_cast<unsigned char>(key[i]) : 0u);
  return prefix;
}

struct KeyPart {
  std::string keys;
  std::vector<KeyedRecord> entries;
};

void makeKeys(const std::vector<WordRecord>& records, std::size_t from, std::size_t to, bool byTable, KeyPart& part) {
  CollationKeyMaker maker;
  std::string key;
  part.entries.reserve(to - from);
  for (std::size_t i = from; i < to; ++i) {
    const std::string_view word = wordOf(records[i]);
    if (byTable)
      sortTableKey(sortTable, word, key);
    else
      maker.makeKey(word, key);
    part.entries.push_back({prefixOf(key.data(), key.size()), static_cast<std::uint32_t>(part.keys.size()),
                            static_cast<std::uint32_t>(key.size()), static_cast<std::uint32_t>(i)});
    part.keys += key;
  }
}

void sortRecords(std::vector<WordRecord>& records, bool byTable) {
  // The keys on both cores; the collators are copies, one per thread.
  const std::size_t half = records.size() / 2;
  KeyPart front, back;
  std::thread helper([&] { makeKeys(records, half, records.size(), byTable, back); });
  makeKeys(records, 0, half, byTable, front);
  helper.join();
  const auto base = static_cast<std::uint32_t>(front.keys.size());
  std::string keys = std::move(front.keys) + back.keys;
  std::vector<KeyedRecord> order = std::move(front.entries);
  for (KeyedRecord k : back.entries) {
    k.offset += base;
    order.push_back(k);
  }
  long comparisons = 0;
  std::sort(order.begin(), order.end(), [&](const KeyedRecord& a, const KeyedRecord& b) {
    if (comparisons++ % 2000 == 0) showProgress(63, comparisons - 1);
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    const int c = std::string_view(keys.data() + a.offset, a.length).compare(std::string_view(keys.data() + b.offset, b.length));
    return c != 0 ? c < 0 : a.index < b.index;
  });
  std::vector<WordRecord> sorted;
  sorted.reserve(records.size());
  for (const KeyedRecord& k : order) sorted.push_back(records[k.index]);
  records.swap(sorted);
}

bool writeRecords(std::FILE* out, const std::vector<WordRecord>& records) {
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (i % 1000 == 0) showProgress(61, static_cast<long>(i));
    if (std::fwrite(&records[i], sizeof(WordRecord), 1, out) != 1) return false;
  }
  return true;
}

// Writes the sorted records to the temporary file and puts it in the word file's place. The old
// word file is replaced only by a whole new one that is on disk.
int writeSortedRecords(const std::vector<WordRecord>& records) {
  const std::string tempPath = uiTextCopy(4);
  std::FILE* out = openFile(tempPath, "wb");
  if (!out) return -1;
  static char buffer[1 << 16];
  std::setvbuf(out, buffer, _IOFBF, sizeof buffer);
  const bool written = writeRecords(out, records);
  const bool closed = syncAndClose(out);
  if (!written || !closed || !renameOver(hostPath(tempPath), hostPath(wordFilePath()))) {
    removeFile(tempPath);
    return -1;
  }
  return 0;
}

}  // namespace

int sortWordFile() {
  std::vector<WordRecord> records;
  int result = -1;
  if (loadLiveRecords(records)) {
    setCollationLocale(currentDirection->localeName);
    checkLocaleName(currentDirection->localeName);
    loadSortTable();
    sortRecords(records, currentDirection->hasSortTable);
    result = writeSortedRecords(records);
  }
  // Whatever happened, the open files and counts belong to the word file as it now is.
  closeStoreFiles();
  openWordFile();
  countWordRecords();
  return result;
}

}  // namespace zembo
