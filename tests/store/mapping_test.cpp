// Reads through the mapping of the word and list files: appends and writes seen at once, files
// too large to count refused whole, files truncated by another program read as failures.
#include <fcntl.h>
#include <unistd.h>

#include "directions/directions.h"
#include "platform/messagebox.h"
#include "store/collate.h"
#include "store/store.h"
#include "tests/store/storefixture.h"

namespace zembo {
namespace {

using test::readWords;
using test::WordPair;
using test::writeWords;

class MappingTest : public test::StoreTest {
 protected:
  void openFrench(const std::vector<WordPair>& entries) {
    useDirection("Fre_Eng.zb");
    writeWords("language/Fre_Eng.zb", entries);
    openWordFile();
    countWordRecords();
  }
};

std::vector<WordPair> numberedWords(int count) {
  std::vector<WordPair> entries;
  char word[16];
  for (int i = 0; i < count; ++i) {
    std::snprintf(word, sizeof word, "w%05d", i);
    entries.push_back({word, std::to_string(i)});
  }
  return entries;
}

TEST_F(MappingTest, AppendsAndWritesAreReadBackAtOnce) {
  openFrench(numberedWords(3));
  ASSERT_NE(store.wordMap.base, nullptr);
  // Far more appends than the mapping first had room for.
  for (int i = 0; i < 20000; ++i) ASSERT_EQ(appendWordRecord(test::makeRecord({"new" + std::to_string(i), "x"})), 0);
  WordRecord record;
  ASSERT_EQ(readWordRecord(20002, record), 0);
  EXPECT_EQ(wordOf(record), "new19999");
  ASSERT_EQ(writeWordRecord(1, test::makeRecord({"changed", "y"})), 0);
  record = {};
  ASSERT_EQ(readWordRecord(1, record), 0);
  EXPECT_EQ(wordOf(record), "changed");
  // A record that is not in the file is not read, even within the count a caller set (on a copy
  // of the store's handle, as only the store sets its own count).
  WordFile raised = store;
  ++raised.wordCount;
  EXPECT_EQ(readWordRecord(raised, 20003, record), -1);
}

TEST_F(MappingTest, FileTruncatedUnderTheMappingGivesReadFailures) {
  openFrench(numberedWords(5000));
  WordRecord record;
  ASSERT_EQ(readWordRecord(4999, record), 0);
  ASSERT_EQ(::truncate("language/Fre_Eng.zb", 100 * 84), 0);  // by another program
  EXPECT_EQ(readWordRecord(4999, record), -1);
  EXPECT_EQ(readWordRecord(3000, record), -1);
  EXPECT_EQ(wordOf(record), "w04999");  // left as it was
  ASSERT_EQ(readWordRecord(99, record), 0);
  EXPECT_EQ(wordOf(record), "w00099");
  // The bisection is not steered by what an earlier read left behind: the unreadable tail counts
  // as lying after every word.
  EXPECT_EQ(findWord("w04000"), 100);
  EXPECT_EQ(findWord("w00050"), 50);
  countWordRecords();
  EXPECT_EQ(store.wordCount, 100);
}

TEST_F(MappingTest, ListFileIsReadThroughItsMappingToo) {
  std::filesystem::create_directories("list/verbs");
  openFrench(numberedWords(2));
  WordRecord record;
  ASSERT_EQ(readWordRecord(1, record), 0);
  ASSERT_EQ(writeListRecord(0, record), 0);
  countListRecords();
  ASSERT_NE(store.listMap.base, nullptr);
  record = {};
  ASSERT_EQ(readListRecord(0, record), 0);
  EXPECT_EQ(wordOf(record), "w00001");
}

// Sparse files cost no disk: more records than an int counts, and the count cut to 32 bits
// would be 5.
class TooLargeTest : public MappingTest, public ::testing::WithParamInterface<long long> {
 protected:
  void makeHuge(const char* path) {
    const int fd = ::open(path, O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(GetParam() * 84)), 0);
    ::close(fd);
  }
};

TEST_P(TooLargeTest, WordFileIsRefusedAndLeftWhole) {
  useDirection("Fre_Eng.zb");
  writeWords("language/Fre_Eng.zb", numberedWords(5));
  makeHuge("language/Fre_Eng.zb");
  openWordFile();
  try {
    countWordRecords();
    FAIL() << "went on";
  } catch (const ProcessExit& e) {
    EXPECT_EQ(e.code, 1);
  }
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text,
            "language\\Fre_Eng.zb holds more records than the program can handle   \n\nProgram aborted");
  EXPECT_EQ(std::filesystem::file_size("language/Fre_Eng.zb"), static_cast<std::uintmax_t>(GetParam() * 84));
}

TEST_P(TooLargeTest, ListFileIsRefusedAndLeftAlone) {
  std::filesystem::create_directories("list/verbs");
  writeWords("list/verbs/Fre_Eng.ls", numberedWords(5));
  makeHuge("list/verbs/Fre_Eng.ls");
  openFrench(numberedWords(2));
  EXPECT_EQ(store.listCount, 0);
  EXPECT_EQ(store.listFile, -1);
  WordRecord record{};
  EXPECT_EQ(readListRecord(0, record), -1);
  EXPECT_EQ(writeListRecord(0, record), -1);
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text,
            "list\\verbs\\Fre_Eng.ls holds more records than the program can handle   ");
  EXPECT_EQ(std::filesystem::file_size("list/verbs/Fre_Eng.ls"), static_cast<std::uintmax_t>(GetParam() * 84));
}

INSTANTIATE_TEST_SUITE_P(PastIntAndPast32Bits, TooLargeTest, ::testing::Values((1LL << 31) + 5, (1LL << 32) + 5));

}  // namespace
}  // namespace zembo
