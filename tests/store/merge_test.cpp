#include <filesystem>
#include <string>
#include <vector>

#include "store/collate.h"
#include "store/sort.h"
#include "store/store.h"
#include "tests/store/storefixture.h"

namespace zembo {
namespace {

using test::WordPair;
using test::readFile;
using test::readWords;
using test::writeFile;
using test::writeWords;

struct TextsSeen : SortProgress {
  std::vector<std::string> texts;
  void showProgressText(const std::string& text) override { texts.push_back(text); }
  void drawNextFrame() override {}
};

class MergeTest : public test::StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    sortProgress = &progress;
  }
  void TearDown() override {
    sortProgress = nullptr;
    StoreTest::TearDown();
  }
  void openFrench(const std::vector<WordPair>& entries) {
    useDirection("Fre_Eng.zb");
    writeWords("language/Fre_Eng.zb", entries);
    openWordFile();
    countWordRecords();
  }
  // The bytes the full sort makes of the same file.
  std::string fullySorted(const std::vector<WordPair>& entries) {
    openFrench(entries);
    EXPECT_EQ(sortWordFile(), 0);
    closeStoreFiles();
    return readFile("language/Fre_Eng.zb");
  }
  TextsSeen progress;
};

// A sorted front with duplicates and deleted records, and a tail that goes before, between, after
// and beside them, with a deleted record of its own.
std::vector<WordPair> frontAndTail() {
  std::vector<WordPair> entries;
  for (int i = 10; i < 90; ++i) entries.push_back({"m" + std::to_string(i), "front", std::int16_t(i % 9 == 0)});
  entries.insert(entries.begin() + 41, {"m50", "front twin"});
  const std::vector<WordPair> tail = {{"zz", "last"}, {"M50", "tail twin"}, {"a", "first"}, {"m205", "between"},
                                      {"m33", "deleted", 1}, {"m50", "tail twin 2"}, {"\xE9" "t\xE9", "summer"}};
  entries.insert(entries.end(), tail.begin(), tail.end());
  return entries;
}

constexpr int frontSize = 81;

TEST_F(MergeTest, MergeGivesTheBytesOfTheFullSort) {
  const std::vector<WordPair> entries = frontAndTail();
  const std::string expected = fullySorted(entries);
  openFrench(entries);
  ASSERT_EQ(mergeWordFile(frontSize), 0);
  EXPECT_TRUE(lastSortMerged);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), expected);
  // Equal words keep the file's order: the front's records before the tail's.
  std::vector<std::string> twins;
  for (const WordPair& e : readWords("language/Fre_Eng.zb"))
    if (compareWords(e.word, "m50") == 0) twins.push_back(e.translation);
  EXPECT_EQ(twins, (std::vector<std::string>{"front", "front twin", "tail twin", "tail twin 2"}));
}

TEST_F(MergeTest, MergeUnderASortTableGivesTheBytesOfTheFullSort) {
  std::string table(256, '\x50');
  for (int c = 'a'; c <= 'z'; ++c) table[c] = static_cast<char>('z' - c + 2);  // the alphabet backwards
  for (int c = '0'; c <= '9'; ++c) table[c] = static_cast<char>(c + 100);
  writeFile("tables/French.stb", table);
  std::vector<WordPair> entries = {{"zebra", "z"}, {"mouse", "m"}, {"cat", "c"}, {"ant", "a", 1}};
  const std::vector<WordPair> tail = {{"bee", "b"}, {"zz", "zz"}, {"a", "a"}, {"mouse", "again"}};
  entries.insert(entries.end(), tail.begin(), tail.end());
  const std::string expected = fullySorted(entries);
  openFrench(entries);
  ASSERT_EQ(mergeWordFile(4), 0);
  EXPECT_TRUE(lastSortMerged);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), expected);
  std::vector<std::string> words;
  for (const WordPair& e : readWords("language/Fre_Eng.zb")) words.push_back(e.word);
  EXPECT_EQ(words, (std::vector<std::string>{"zz", "zebra", "mouse", "mouse", "cat", "bee", "a"}));
}

TEST_F(MergeTest, EveryLiveWordIsFoundAfterTheMerge) {
  openFrench(frontAndTail());
  ASSERT_EQ(mergeWordFile(frontSize), 0);
  EXPECT_EQ(wordCount, static_cast<int>(readWords("language/Fre_Eng.zb").size()));
  for (const WordPair& e : frontAndTail()) {
    if (e.flags) continue;
    readWordRecord(findWord(e.word));
    EXPECT_EQ(compareWords(wordOf(currentRecord), e.word), 0) << e.word;
  }
}

TEST_F(MergeTest, FrontOutOfOrderIsSortedWhole) {
  std::vector<WordPair> entries = {{"b", "1"}, {"a", "2"}, {"c", "3"}, {"aa", "4"}};
  const std::string expected = fullySorted(entries);
  openFrench(entries);
  ASSERT_EQ(mergeWordFile(3), 0);
  EXPECT_FALSE(lastSortMerged);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), expected);
}

TEST_F(MergeTest, FrontIsCheckedInTheOrderOfTheSortTable) {
  std::string table(256, '\x50');
  for (int c = 'a'; c <= 'z'; ++c) table[c] = static_cast<char>('z' - c + 2);  // the alphabet backwards
  table['-'] = 1;                                                             // ignored
  table['.'] = 0;                                                             // ends the key
  writeFile("tables/French.stb", table);
  // In order under the table, not bytewise: "b.zzz" and "b" are equal, and so are "ba" and "b-a";
  // a key is before the longer keys it begins.
  openFrench({{"c", "1"}, {"b.zzz", "2"}, {"b", "3"}, {"ba", "4"}, {"b-a", "5"}, {"a", "6"}, {"bb", "new"}});
  ASSERT_EQ(mergeWordFile(6), 0);
  EXPECT_TRUE(lastSortMerged);
  std::vector<std::string> words;
  for (const WordPair& e : readWords("language/Fre_Eng.zb")) words.push_back(e.word);
  EXPECT_EQ(words, (std::vector<std::string>{"c", "b.zzz", "b", "bb", "ba", "b-a", "a"}));
  // "ab" comes after "b" under this table.
  openFrench({{"ab", "1"}, {"b", "2"}, {"c", "new"}});
  ASSERT_EQ(mergeWordFile(2), 0);
  EXPECT_FALSE(lastSortMerged);
}

TEST_F(MergeTest, DeletedRecordOutOfOrderDoesNotStopTheMerge) {
  // A deleted record takes no part in the order.
  openFrench({{"a", "1"}, {"zzz", "2", 1}, {"b", "3"}, {"ab", "4"}});
  ASSERT_EQ(mergeWordFile(3), 0);
  EXPECT_TRUE(lastSortMerged);
  std::vector<std::string> words;
  for (const WordPair& e : readWords("language/Fre_Eng.zb")) words.push_back(e.word);
  EXPECT_EQ(words, (std::vector<std::string>{"a", "ab", "b"}));
}

TEST_F(MergeTest, ShowsTheTextsOfTheSort) {
  std::vector<WordPair> entries;
  for (int i = 1000; i < 3500; ++i) entries.push_back({"w" + std::to_string(i), "t"});
  entries.push_back({"aab", "new"});
  entries.push_back({"aaa", "new"});
  openFrench(entries);
  ASSERT_EQ(mergeWordFile(2500), 0);
  std::vector<std::string> reading, writing;
  bool sorting = false;
  for (const std::string& t : progress.texts) {
    if (t.rfind("Reading ", 0) == 0) reading.push_back(t);
    if (t.rfind("Writing ", 0) == 0) writing.push_back(t);
    if (t == "Sorting 0") sorting = true;
  }
  EXPECT_EQ(reading, (std::vector<std::string>{"Reading 0", "Reading 1000", "Reading 2000"}));
  EXPECT_EQ(writing, (std::vector<std::string>{"Writing 0", "Writing 1000", "Writing 2000"}));
  EXPECT_TRUE(sorting);
}

TEST_F(MergeTest, FullDiskKeepsTheOldFile) {
  std::vector<WordPair> entries;
  for (int i = 1000; i < 4000; ++i) entries.push_back({"w" + std::to_string(i), "t"});
  entries.push_back({"a", "new"});
  openFrench(entries);
  const std::string before = readFile("language/Fre_Eng.zb");
  int result;
  {
    const test::FileSizeLimit full(100000);
    result = mergeWordFile(3000);
  }
  EXPECT_EQ(result, -1);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), before);
  EXPECT_EQ(wordCount, 3001);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("language"), std::filesystem::directory_iterator()), 1);
}

}  // namespace
}  // namespace zembo
