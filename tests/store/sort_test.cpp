#include "store/sort.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <optional>

#include "directions/directions.h"
#include "platform/collation.h"
#include "store/collate.h"
#include "store/store.h"
#include "tests/store/storefixture.h"
#include "tests/support/wordgen.h"

namespace zembo {
namespace {

using test::readFile;
using test::readWords;
using test::WordPair;
using test::writeFile;
using test::writeWords;

struct RecordingProgress : SortProgress {
  std::vector<std::string> texts;
  int frames = 0;
  void showProgressText(const std::string& text) override { texts.push_back(text); }
  void drawNextFrame() override { ++frames; }
};

class SortTest : public test::StoreTest {
 public:
  void SetUp() override {
    StoreTest::SetUp();
    showSortProgressOn(&progress);
  }
  void TearDown() override {
    showSortProgressOn(nullptr);
    StoreTest::TearDown();
  }
  void openFrench(const std::vector<WordPair>& entries) {
    useDirection("Fre_Eng.zb");
    writeWords("language/Fre_Eng.zb", entries);
    openWordFile();
    countWordRecords();
  }
  // The first sortedCount entries as the file stood at its last sort, the rest appended since.
  void openFrenchAppended(const std::vector<WordPair>& entries, int sortedCount) {
    openFrench({entries.begin(), entries.begin() + sortedCount});
    for (auto e = entries.begin() + sortedCount; e != entries.end(); ++e)
      ASSERT_EQ(appendWordRecord(test::makeRecord(*e)), 0);
    markUnsorted();
    ASSERT_EQ(store.sortedCount, sortedCount);
  }
  RecordingProgress progress;
};

// Words in no order, with a few deleted.
std::vector<WordPair> shuffledWords(int count, int deletedEvery) {
  std::vector<WordPair> entries;
  for (int i = 0; i < count; ++i) {
    const int n = (i * 7919) % count;
    entries.push_back(
        {"w" + std::to_string(n), "t" + std::to_string(n), std::int16_t(deletedEvery && i % deletedEvery == 0)});
  }
  return entries;
}

TEST_F(SortTest, ProgressCountsReadingSortingAndWriting) {
  openFrench(shuffledWords(2500, 250));  // 10 deleted
  ASSERT_EQ(sortWordFile(), 0);
  EXPECT_EQ(store.wordCount, 2490);
  EXPECT_EQ(readWords("language/Fre_Eng.zb").size(), 2490u);
  std::vector<std::string> reading, writing, sorting;
  for (const std::string& t : progress.texts) {
    if (t.rfind("Reading ", 0) == 0) reading.push_back(t);
    if (t.rfind("Writing ", 0) == 0) writing.push_back(t);
    if (t.rfind("Sorting ", 0) == 0) sorting.push_back(t);
  }
  EXPECT_EQ(reading, (std::vector<std::string>{"Reading 0", "Reading 1000", "Reading 2000"}));
  EXPECT_EQ(writing, (std::vector<std::string>{"Writing 0", "Writing 1000", "Writing 2000"}));
  ASSERT_GE(sorting.size(), 2u);
  for (std::size_t i = 0; i < sorting.size(); ++i) EXPECT_EQ(sorting[i], "Sorting " + std::to_string(2000 * i));
  // Reading texts come first, writing texts last.
  EXPECT_EQ(progress.texts.front(), "Reading 0");
  EXPECT_EQ(progress.texts[progress.texts.size() - 3], "Writing 0");
  EXPECT_EQ(progress.frames, static_cast<int>(progress.texts.size()));
  EXPECT_FALSE(std::filesystem::exists("language/tempfile"));
}

TEST_F(SortTest, SortingStepsShowForFewRecordsAndForManyInSmallGroups) {
  const auto sortingTexts = [this] {
    std::vector<std::string> sorting;
    for (const std::string& t : progress.texts)
      if (t.rfind("Sorting ", 0) == 0) sorting.push_back(t);
    return sorting;
  };
  openFrench({{"poire", "pear"}, {"abricot", "apricot"}, {"kiwi", "kiwi"}, {"datte", "date"}, {"banane", "banana"}});
  ASSERT_EQ(sortWordFile(), 0);
  EXPECT_EQ(sortingTexts(), std::vector<std::string>{"Sorting 0"});
  // Real words fall into many small groups by their first letters, where few comparisons are made.
  bench::WordGenerator generator;
  std::vector<WordPair> many;
  for (int i = 0; i < 4825; ++i) many.push_back({generator.word(), generator.translation(1)});
  closeStoreFiles();
  progress.texts.clear();
  openFrench(many);
  ASSERT_EQ(sortWordFile(), 0);
  const std::vector<std::string> sorting = sortingTexts();
  ASSERT_GE(sorting.size(), 3u);  // every record put in its group is a step
  for (std::size_t i = 0; i < sorting.size(); ++i) EXPECT_EQ(sorting[i], "Sorting " + std::to_string(2000 * i));
}

TEST_F(SortTest, EmptyFileSortsToAnEmptyFileWithoutProgress) {
  openFrench({});
  ASSERT_EQ(sortWordFile(), 0);
  EXPECT_EQ(store.wordCount, 0);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), "");
  EXPECT_TRUE(progress.texts.empty());
}

TEST_F(SortTest, SortedFileKeepsItsBytes) {
  // Bytes after the NULs carry no meaning but are kept too.
  std::vector<WordPair> entries = {
      {"abricot", "apricot"}, {"chat", "cat"}, {"Chat", "tomcat"}, {"\xE9t\xE9", "summer"}, {"zoo", "zoo"}};
  openFrench(entries);
  std::string bytes = readFile("language/Fre_Eng.zb");
  bytes[20] = 'x';
  writeFile("language/Fre_Eng.zb", bytes);
  ASSERT_EQ(sortWordFile(), 0);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), bytes);
}

TEST_F(SortTest, OrderIsTheLookupsOrderAndEveryLiveWordIsFound) {
  std::vector<WordPair> entries = {{"\xE9t\xE9", "summer"},
                                   {"z\xE8"
                                    "bre",
                                    "zebra"},
                                   {"Ecole", "school"},
                                   {"eau", "water"},
                                   {"a-b", "x", 1},
                                   {"ab", "y"},
                                   {"ABC", "z"},
                                   {"\xE9"
                                    "cole",
                                    "school"}};
  openFrench(entries);
  ASSERT_EQ(sortWordFile(), 0);
  const auto sorted = readWords("language/Fre_Eng.zb");
  ASSERT_EQ(sorted.size(), 7u);
  for (std::size_t i = 1; i < sorted.size(); ++i) EXPECT_LE(compareWords(sorted[i - 1].word, sorted[i].word), 0);
  for (const WordPair& e : sorted) {
    EXPECT_EQ(e.flags, 0);
    WordRecord record;
    readWordRecord(findWord(e.word), record);
    EXPECT_EQ(compareWords(wordOf(record), e.word), 0) << e.word;
  }
}

TEST_F(SortTest, SortTableOrderWhenTheDirectionHasOne) {
  std::string table(256, '\x50');
  table['b'] = 10;
  table['a'] = 20;  // a after b
  writeFile("tables/French.stb", table);
  openFrench({{"a", "1"}, {"b", "2"}, {"ab", "3"}, {"ba", "4"}});
  ASSERT_EQ(directions.currentDirection->hasSortTable, 1);
  ASSERT_EQ(sortWordFile(), 0);
  std::vector<std::string> words;
  for (const WordPair& e : readWords("language/Fre_Eng.zb")) words.push_back(e.word);
  EXPECT_EQ(words, (std::vector<std::string>{"b", "ba", "a", "ab"}));
}

TEST_F(SortTest, TemporaryFileThatCannotBeCreatedKeepsTheOldFile) {
  openFrench(shuffledWords(50, 5));
  const std::string before = readFile("language/Fre_Eng.zb");
  int result;
  {
    const test::NoNewFiles noFiles;
    result = sortWordFile();
  }
  EXPECT_EQ(result, -1);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), before);
  // The store still belongs to the file as it is: all 50 records, deleted ones included.
  EXPECT_EQ(store.wordCount, 50);
  WordRecord record;
  EXPECT_EQ(readWordRecord(49, record), 0);
}

TEST_F(SortTest, DiskFullHalfWayKeepsTheOldFileAndRemovesTheTemporary) {
  openFrench(shuffledWords(3000, 0));
  const std::string before = readFile("language/Fre_Eng.zb");
  int result;
  {
    const test::FileSizeLimit full(100000);
    result = sortWordFile();
  }
  EXPECT_EQ(result, -1);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("language"), std::filesystem::directory_iterator()), 1);
  EXPECT_EQ(store.wordCount, 3000);
}

// What killed sorts left beside the word files goes; names of other making stay.
TEST_F(SortTest, SortRemovesTheTemporaryFilesOfKilledSorts) {
  writeFile("language/Fre_Eng.zb.aB3dE6gH", "half");
  writeFile("language/Ger_Eng.ZB.Zz09Aa11", "half");
  const std::vector<std::string> kept = {"language/Fre_Eng.zb.aB3dE6g", "language/Fre_Eng.zb.new",
                                         "language/Fre_Eng.zb.new.aB3dE6gH", "language/notes.txt.aB3dE6gH",
                                         "language/Fre_Eng.zb.aB3d_6gH"};
  for (const std::string& name : kept) writeFile(name, "mine");
  openFrench(shuffledWords(100, 10));
  ASSERT_EQ(sortWordFile(), 0);
  EXPECT_FALSE(std::filesystem::exists("language/Fre_Eng.zb.aB3dE6gH"));
  EXPECT_FALSE(std::filesystem::exists("language/Ger_Eng.ZB.Zz09Aa11"));
  for (const std::string& name : kept) EXPECT_EQ(readFile(name), "mine") << name;
}

TEST_F(SortTest, PlantedLinkIsNotFollowedAndThePermissionsStay) {
  writeFile("precious", "keep me");
  openFrench(shuffledWords(100, 10));
  std::filesystem::create_symlink("../precious", "language/tempfile");
  std::filesystem::permissions("language/Fre_Eng.zb", std::filesystem::perms(0600));
  ASSERT_EQ(sortWordFile(), 0);
  EXPECT_EQ(readFile("precious"), "keep me");
  EXPECT_TRUE(std::filesystem::is_symlink("language/tempfile"));
  EXPECT_FALSE(std::filesystem::is_symlink("language/Fre_Eng.zb"));
  EXPECT_EQ(readWords("language/Fre_Eng.zb").size(), 90u);
  EXPECT_EQ(std::filesystem::status("language/Fre_Eng.zb").permissions(), std::filesystem::perms(0600));
}

// Generated words with duplicates (also in other letter cases) and deleted records: the sorted
// file must be exactly the live records in a stable sort by compareWords.
class SortOrderTest : public SortTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SortOrderTest, ResultIsTheStableOrderOfCompareWords) {
  if (GetParam()) writeFile("tables/French.stb", bench::frenchSortTable());
  bench::WordGenerator gen(99);
  std::vector<WordPair> entries;
  for (int i = 0; i < 6000; ++i) {
    std::string word = i > 10 && gen.next() % 5 == 0 ? entries[gen.next() % entries.size()].word : gen.word();
    if (gen.next() % 7 == 0 && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 32);
    entries.push_back({word, std::to_string(i), std::int16_t(gen.next() % 10 == 0 ? 1 + i % 3 : 0)});
  }
  openFrench(entries);
  ASSERT_EQ(directions.currentDirection->hasSortTable, GetParam() ? 1 : 0);
  ASSERT_EQ(sortWordFile(), 0);
  std::vector<WordPair> expected;
  for (const WordPair& e : entries)
    if (e.flags == 0) expected.push_back(e);
  std::stable_sort(expected.begin(), expected.end(),
                   [](const WordPair& a, const WordPair& b) { return compareWords(a.word, b.word) < 0; });
  const std::vector<WordPair> sorted = readWords("language/Fre_Eng.zb");
  ASSERT_EQ(sorted.size(), expected.size());
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    EXPECT_EQ(sorted[i].word, expected[i].word) << i;
    EXPECT_EQ(sorted[i].translation, expected[i].translation) << i;
    EXPECT_EQ(sorted[i].flags, 0);
  }
  EXPECT_EQ(store.wordCount, static_cast<int>(expected.size()));
}

INSTANTIATE_TEST_SUITE_P(BothCollations, SortOrderTest, ::testing::Values(true, false),
                         [](const auto& param) { return param.param ? "SortTable" : "French"; });

TEST_F(SortTest, FileTooLargeToCountIsNeverRewritten) {
  useDirection("Fre_Eng.zb");
  writeWords("language/Fre_Eng.zb", shuffledWords(10, 0));
  WordFile file;
  ASSERT_EQ(openWordFile(file, *directions.currentDirection, WordCollation{}), 0);
  // Counted wrongly (as a later truncation of the file may make it), the sort must still refuse.
  file.wordFileRecords = std::int64_t{INT_MAX} + 1;
  EXPECT_EQ(sortWordFile(file), -1);
  closeWordFile(file);
  EXPECT_EQ(readWords("language/Fre_Eng.zb").size(), 10u);
}

TEST_F(SortTest, FileTruncatedUnderTheMappingFailsTheSortAndIsNotWritten) {
  openFrench(shuffledWords(3000, 0));
  ASSERT_EQ(::truncate("language/Fre_Eng.zb", 1000 * 84), 0);  // by another program
  EXPECT_EQ(sortWordFile(), -1);
  EXPECT_EQ(readFile("language/Fre_Eng.zb").size(), 1000 * 84u);
  EXPECT_EQ(store.wordCount, 1000);
}
// The bytes the full sort makes of a file.
std::string fullySorted(SortTest& test, const std::vector<WordPair>& entries) {
  test.openFrench(entries);
  EXPECT_EQ(sortWordFile(), 0);
  closeStoreFiles();
  return readFile("language/Fre_Eng.zb");
}

// A sorted front with duplicates and deleted records, and a tail that goes before, between, after
// and beside them, with a deleted record of its own.
std::vector<WordPair> frontAndTail() {
  std::vector<WordPair> entries;
  for (int i = 10; i < 90; ++i) entries.push_back({"m" + std::to_string(i), "front", std::int16_t(i % 9 == 0)});
  entries.insert(entries.begin() + 41, {"m50", "front twin"});
  const std::vector<WordPair> tail = {{"zz", "last"},
                                      {"M50", "tail twin"},
                                      {"a", "first"},
                                      {"m205", "between"},
                                      {"m33", "deleted", 1},
                                      {"m50", "tail twin 2"},
                                      {"\xE9"
                                       "t\xE9",
                                       "summer"}};
  entries.insert(entries.end(), tail.begin(), tail.end());
  return entries;
}

constexpr int frontSize = 81;

TEST_F(SortTest, MergeGivesTheBytesOfTheFullSort) {
  const std::vector<WordPair> entries = frontAndTail();
  const std::string expected = fullySorted(*this, entries);
  openFrenchAppended(entries, frontSize);
  ASSERT_EQ(mergeWordFile(), 0);
  EXPECT_TRUE(sorting.lastSortMerged);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), expected);
  // Equal words keep the file's order: the front's records before the tail's.
  std::vector<std::string> twins;
  for (const WordPair& e : readWords("language/Fre_Eng.zb"))
    if (compareWords(e.word, "m50") == 0) twins.push_back(e.translation);
  EXPECT_EQ(twins, (std::vector<std::string>{"front", "front twin", "tail twin", "tail twin 2"}));
}

TEST_F(SortTest, MergeUnderASortTableGivesTheBytesOfTheFullSort) {
  std::string table(256, '\x50');
  for (int c = 'a'; c <= 'z'; ++c) table[c] = static_cast<char>('z' - c + 2);  // the alphabet backwards
  for (int c = '0'; c <= '9'; ++c) table[c] = static_cast<char>(c + 100);
  writeFile("tables/French.stb", table);
  std::vector<WordPair> entries = {{"zebra", "z"}, {"mouse", "m"}, {"cat", "c"}, {"ant", "a", 1}};
  const std::vector<WordPair> tail = {{"bee", "b"}, {"zz", "zz"}, {"a", "a"}, {"mouse", "again"}};
  entries.insert(entries.end(), tail.begin(), tail.end());
  const std::string expected = fullySorted(*this, entries);
  openFrenchAppended(entries, 4);
  ASSERT_EQ(mergeWordFile(), 0);
  EXPECT_TRUE(sorting.lastSortMerged);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), expected);
  std::vector<std::string> words;
  for (const WordPair& e : readWords("language/Fre_Eng.zb")) words.push_back(e.word);
  EXPECT_EQ(words, (std::vector<std::string>{"zz", "zebra", "mouse", "mouse", "cat", "bee", "a"}));
}

TEST_F(SortTest, MergeEveryLiveWordIsFoundAfterTheMerge) {
  openFrenchAppended(frontAndTail(), frontSize);
  ASSERT_EQ(mergeWordFile(), 0);
  EXPECT_EQ(store.wordCount, static_cast<int>(readWords("language/Fre_Eng.zb").size()));
  for (const WordPair& e : frontAndTail()) {
    if (e.flags) continue;
    WordRecord record;
    readWordRecord(findWord(e.word), record);
    EXPECT_EQ(compareWords(wordOf(record), e.word), 0) << e.word;
  }
}

TEST_F(SortTest, MergeFrontOutOfOrderIsSortedWhole) {
  std::vector<WordPair> entries = {{"b", "1"}, {"a", "2"}, {"c", "3"}, {"aa", "4"}};
  const std::string expected = fullySorted(*this, entries);
  openFrenchAppended(entries, 3);
  ASSERT_EQ(mergeWordFile(), 0);
  EXPECT_FALSE(sorting.lastSortMerged);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), expected);
}

TEST_F(SortTest, MergeFrontIsCheckedInTheOrderOfTheSortTable) {
  std::string table(256, '\x50');
  for (int c = 'a'; c <= 'z'; ++c) table[c] = static_cast<char>('z' - c + 2);  // the alphabet backwards
  table['-'] = 1;                                                              // ignored
  table['.'] = 0;                                                              // ends the key
  writeFile("tables/French.stb", table);
  // In order under the table, not bytewise: "b.zzz" and "b" are equal, and so are "ba" and "b-a";
  // a key is before the longer keys it begins.
  openFrenchAppended({{"c", "1"}, {"b.zzz", "2"}, {"b", "3"}, {"ba", "4"}, {"b-a", "5"}, {"a", "6"}, {"bb", "new"}}, 6);
  ASSERT_EQ(mergeWordFile(), 0);
  EXPECT_TRUE(sorting.lastSortMerged);
  std::vector<std::string> words;
  for (const WordPair& e : readWords("language/Fre_Eng.zb")) words.push_back(e.word);
  EXPECT_EQ(words, (std::vector<std::string>{"c", "b.zzz", "b", "bb", "ba", "b-a", "a"}));
  // "ab" comes after "b" under this table.
  openFrenchAppended({{"ab", "1"}, {"b", "2"}, {"c", "new"}}, 2);
  ASSERT_EQ(mergeWordFile(), 0);
  EXPECT_FALSE(sorting.lastSortMerged);
}

TEST_F(SortTest, MergeDeletedRecordOutOfOrderDoesNotStopTheMerge) {
  // A deleted record takes no part in the order.
  openFrenchAppended({{"a", "1"}, {"zzz", "2", 1}, {"b", "3"}, {"ab", "4"}}, 3);
  ASSERT_EQ(mergeWordFile(), 0);
  EXPECT_TRUE(sorting.lastSortMerged);
  std::vector<std::string> words;
  for (const WordPair& e : readWords("language/Fre_Eng.zb")) words.push_back(e.word);
  EXPECT_EQ(words, (std::vector<std::string>{"a", "ab", "b"}));
}

TEST_F(SortTest, MergeShowsTheTextsOfTheSort) {
  std::vector<WordPair> entries;
  for (int i = 1000; i < 3500; ++i) entries.push_back({"w" + std::to_string(i), "t"});
  entries.push_back({"aab", "new"});
  entries.push_back({"aaa", "new"});
  openFrenchAppended(entries, 2500);
  ASSERT_EQ(mergeWordFile(), 0);
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

TEST_F(SortTest, MergeFullDiskKeepsTheOldFile) {
  std::vector<WordPair> entries;
  for (int i = 1000; i < 4000; ++i) entries.push_back({"w" + std::to_string(i), "t"});
  entries.push_back({"a", "new"});
  openFrenchAppended(entries, 3000);
  const std::string before = readFile("language/Fre_Eng.zb");
  int result;
  {
    const test::FileSizeLimit full(100000);
    result = mergeWordFile();
  }
  EXPECT_EQ(result, -1);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), before);
  EXPECT_EQ(store.wordCount, 3001);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("language"), std::filesystem::directory_iterator()), 1);
}

// The owed sorts are settled each under the display given, a file with an appended tail merged
// and one changed in place sorted whole; a file that owes nothing is not shown at all, and a sort
// that fails stays owed.
TEST_F(SortTest, SettleOwedSortsMergesATailSortsEditsWholeAndKeepsAFailureOwed) {
  struct Case {
    const char* name;
    bool appended;  // "aa" appended behind the sorted part
    bool edited;    // a record changed in place
    bool diskFull;
    int shown;
    bool merged;
    int owedAfter;
  };
  const std::vector<WordPair> entries = {{"b", "1"}, {"c", "2"}, {"d", "3"}, {"aa", "new"}};
  for (const Case& c :
       {Case{"nothing owed", false, false, false, 0, false, 0}, Case{"tail", true, false, false, 1, true, 0},
        Case{"edited", false, true, false, 1, false, 0}, Case{"failed", true, false, true, 1, true, 1}}) {
    if (c.appended)
      openFrenchAppended(entries, 3);
    else
      openFrench(entries);
    if (c.edited) markUnsorted();
    resetSortState();  // lastSortMerged of the case before
    int shown = 0;
    const ShownSort show = [&](const WordFile& file, const std::function<int()>& sort) {
      EXPECT_EQ(&file, &store) << c.name;
      ++shown;
      return sort() == 0;
    };
    {
      std::optional<test::FileSizeLimit> full;
      if (c.diskFull) full.emplace(100);  // the sorted copy cannot be written
      settleOwedSorts(show);
    }
    EXPECT_EQ(shown, c.shown) << c.name;
    if (c.shown) {
      EXPECT_EQ(sorting.lastSortMerged, c.merged) << c.name;
    }
    EXPECT_EQ(store.needsSort, c.owedAfter) << c.name;
    if (!c.owedAfter) {
      EXPECT_EQ(readWords("language/Fre_Eng.zb").front().word, c.shown ? "aa" : "b") << c.name;
    }
    closeStoreFiles();
  }
}

}  // namespace
}  // namespace zembo
