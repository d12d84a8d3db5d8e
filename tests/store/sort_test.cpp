#include "store/sort.h"

#include <sys/resource.h>

#include <csignal>

#include "directions/directions.h"
#include "platform/collation.h"
#include "store/collate.h"
#include "store/store.h"
#include "tests/store/storefixture.h"

namespace zembo {
namespace {

using test::WordPair;
using test::readFile;
using test::readWords;
using test::writeFile;
using test::writeWords;

struct RecordingProgress : SortProgress {
  std::vector<std::string> texts;
  int frames = 0;
  void showProgressText(const std::string& text) override { texts.push_back(text); }
  void drawNextFrame() override { ++frames; }
};

class SortTest : public test::StoreTest {
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
  RecordingProgress progress;
};

// Words in no order, with a few deleted.
std::vector<WordPair> shuffledWords(int count, int deletedEvery) {
  std::vector<WordPair> entries;
  for (int i = 0; i < count; ++i) {
    const int n = (i * 7919) % count;
    entries.push_back({"w" + std::to_string(n), "t" + std::to_string(n), std::int16_t(deletedEvery && i % deletedEvery == 0)});
  }
  return entries;
}

TEST_F(SortTest, ProgressCountsReadingSortingAndWriting) {
  openFrench(shuffledWords(2500, 250));  // 10 deleted
  ASSERT_EQ(sortWordFile(), 0);
  EXPECT_EQ(wordCount, 2490);
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

TEST_F(SortTest, EmptyFileSortsToAnEmptyFileWithoutProgress) {
  openFrench({});
  ASSERT_EQ(sortWordFile(), 0);
  EXPECT_EQ(wordCount, 0);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), "");
  EXPECT_TRUE(progress.texts.empty());
}

TEST_F(SortTest, SortedFileKeepsItsBytes) {
  // Bytes after the NULs carry no meaning but are kept too.
  std::vector<WordPair> entries = {{"abricot", "apricot"}, {"chat", "cat"}, {"Chat", "tomcat"}, {"\xE9t\xE9", "summer"}, {"zoo", "zoo"}};
  openFrench(entries);
  std::string bytes = readFile("language/Fre_Eng.zb");
  bytes[20] = 'x';
  writeFile("language/Fre_Eng.zb", bytes);
  ASSERT_EQ(sortWordFile(), 0);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), bytes);
}

TEST_F(SortTest, OrderIsTheLookupsOrderAndEveryLiveWordIsFound) {
  std::vector<WordPair> entries = {{"\xE9t\xE9", "summer"}, {"z\xE8" "bre", "zebra"}, {"Ecole", "school"}, {"eau", "water"},
                                {"a-b", "x", 1},         {"ab", "y"},        {"ABC", "z"},         {"\xE9" "cole", "school"}};
  openFrench(entries);
  ASSERT_EQ(sortWordFile(), 0);
  const auto sorted = readWords("language/Fre_Eng.zb");
  ASSERT_EQ(sorted.size(), 7u);
  for (std::size_t i = 1; i < sorted.size(); ++i) EXPECT_LE(compareWords(sorted[i - 1].word, sorted[i].word), 0);
  for (const WordPair& e : sorted) {
    EXPECT_EQ(e.flags, 0);
    readWordRecord(findWord(e.word));
    EXPECT_EQ(compareWords(wordOf(currentRecord), e.word), 0) << e.word;
  }
}

TEST_F(SortTest, SortTableOrderWhenTheDirectionHasOne) {
  std::string table(256, '\x50');
  table['b'] = 10;
  table['a'] = 20;  // a after b
  writeFile("tables/French.stb", table);
  openFrench({{"a", "1"}, {"b", "2"}, {"ab", "3"}, {"ba", "4"}});
  ASSERT_EQ(currentDirection->hasSortTable, 1);
  ASSERT_EQ(sortWordFile(), 0);
  std::vector<std::string> words;
  for (const WordPair& e : readWords("language/Fre_Eng.zb")) words.push_back(e.word);
  EXPECT_EQ(words, (std::vector<std::string>{"b", "ba", "a", "ab"}));
}

TEST_F(SortTest, TemporaryFileThatCannotBeCreatedKeepsTheOldFile) {
  openFrench(shuffledWords(50, 5));
  const std::string before = readFile("language/Fre_Eng.zb");
  std::filesystem::create_directory("language/tempfile");
  EXPECT_EQ(sortWordFile(), -1);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), before);
  // The store still belongs to the file as it is: all 50 records, deleted ones included.
  EXPECT_EQ(wordCount, 50);
  EXPECT_EQ(readWordRecord(49), 0);
}

TEST_F(SortTest, DiskFullHalfWayKeepsTheOldFileAndRemovesTheTemporary) {
  openFrench(shuffledWords(3000, 0));
  const std::string before = readFile("language/Fre_Eng.zb");
  // A file size limit makes the writes of the temporary file fail as a full disk would.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 100000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const int result = sortWordFile();
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(result, -1);
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), before);
  EXPECT_FALSE(std::filesystem::exists("language/tempfile"));
  EXPECT_EQ(wordCount, 3000);
}

}  // namespace
}  // namespace zembo
