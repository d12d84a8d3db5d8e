#include "tests/store/storefixture.h"

#include <fstream>

#include "app/directions/directions.h"
#include "resources/platform/collation.h"
#include "resources/uilanguage.h"
#include "store/store.h"

namespace zembo::test {

WordRecord makeRecord(const Entry& entry) {
  WordRecord r{};
  setField(r.word, sizeof r.word, entry.word);
  setField(r.translation, sizeof r.translation, entry.translation);
  r.flags = entry.flags;
  return r;
}

void writeWordFile(const std::string& path, const std::vector<Entry>& entries) {
  std::string bytes;
  for (const Entry& e : entries) {
    const WordRecord r = makeRecord(e);
    bytes.append(reinterpret_cast<const char*>(&r), sizeof r);
  }
  writeFile(path, bytes);
}

std::vector<Entry> readWordFile(const std::string& path) {
  const std::string bytes = readFile(path);
  std::vector<Entry> entries;
  for (std::size_t at = 0; at + sizeof(WordRecord) <= bytes.size(); at += sizeof(WordRecord)) {
    WordRecord r;
    std::memcpy(&r, bytes.data() + at, sizeof r);
    entries.push_back({std::string(wordOf(r)), std::string(translationOf(r)), r.flags});
  }
  return entries;
}

void StoreTest::SetUp() {
  TempDirTest::SetUp();
  uiBase = 500;
  practiceListName[0] = '\0';
  setCollationLocale("C");
  writeFile("dict.ini", "[language]\nFrench,french,0\nGerman,german,0\n\n[selected]\nFre_Eng.zb\n");
}

void StoreTest::TearDown() {
  closeStoreFiles();
  TempDirTest::TearDown();
}

void StoreTest::useDirection(const char* wordFileName) {
  ASSERT_EQ(loadDirections(), 0);
  for (DictionaryDirection* d = directionList; d; d = d->next)
    if (std::string(d->wordFileName) == wordFileName) currentDirection = d;
  ASSERT_STREQ(currentDirection->wordFileName, wordFileName);
}

}  // namespace zembo::test
