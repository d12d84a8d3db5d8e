#include "formats/recordsort.h"

#include <algorithm>
#include <string>
#include <vector>

#include "formats/fields.h"
#include "platform/collation.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

class RecordSortTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    setCollationLocale("dutch");
  }
  void TearDown() override {
    setCollationLocale("C");
    TempDirTest::TearDown();
  }
  // Records of the words, and keys with them added in order.
  std::vector<WordRecord> recordsOf(const std::vector<std::string>& words) {
    std::vector<WordRecord> records(words.size());
    for (std::size_t i = 0; i < words.size(); ++i) setField(records[i].word, sizeof records[i].word, words[i]);
    return records;
  }
  std::vector<std::string> sortedWords(const std::vector<std::string>& words, CollationKeys::Ties ties,
                                       const unsigned char* table = nullptr) {
    const std::vector<WordRecord> records = recordsOf(words);
    CollationKeys keys(words.size(), table, ties);
    for (const WordRecord& r : records) keys.add(wordOf(r));
    std::vector<std::string> sorted;
    for (const std::uint32_t i : keys.sortRecords(records, nullptr)) sorted.emplace_back(wordOf(records[i]));
    return sorted;
  }
};

TEST_F(RecordSortTest, TakesMoreWordsThanItWasToldToExpect) {
  // 4097 records whose 51-byte translation (no NUL) holds 26 parts: more than 25 per record.
  WordRecord from{};
  std::memset(from.translation, 'a', sizeof from.translation);
  for (std::size_t i = 1; i < sizeof from.translation; i += 2) from.translation[i] = ',';
  std::vector<std::string> parts;
  forEachField(translationOf(from), ',', [&](std::string_view part) { parts.emplace_back(part); });
  ASSERT_EQ(parts.size(), 26u);
  std::vector<std::string> words;
  for (int r = 0; r < 4097; ++r)
    for (std::size_t p = 0; p < parts.size(); ++p)
      words.push_back(std::string(1, static_cast<char>('a' + p)) + std::to_string(r % 7));
  const std::vector<WordRecord> records = recordsOf(words);
  CollationKeys keys(4097 * 25);
  for (const WordRecord& r : records) keys.add(wordOf(r));
  keys.allAdded();
  const std::vector<std::uint32_t> order = keys.sortRecords(records, nullptr);
  ASSERT_EQ(order.size(), words.size());
  for (std::size_t i = 1; i < order.size(); ++i)
    ASSERT_LE(collateNoCase(wordOf(records[order[i - 1]]), wordOf(records[order[i]])), 0) << i;
}

TEST_F(RecordSortTest, EqualWordsStayInOrderOrGoTogetherByTheirBytes) {
  const std::vector<std::string> words = {"huis", "Huis", "boom", "huis", "HUIS", "Huis", "appel"};
  EXPECT_EQ(sortedWords(words, CollationKeys::Ties::inAddedOrder),
            (std::vector<std::string>{"appel", "boom", "huis", "Huis", "huis", "HUIS", "Huis"}));
  std::vector<std::string> together = sortedWords(words, CollationKeys::Ties::byteEqualWordsTogether);
  ASSERT_EQ(together.size(), words.size());
  EXPECT_EQ(std::vector<std::string>(together.begin(), together.begin() + 2),
            (std::vector<std::string>{"appel", "boom"}));
  // Each spelling of huis forms one run.
  int runs = 0;
  for (std::size_t i = 2; i < together.size(); ++i) runs += i == 2 || together[i] != together[i - 1];
  EXPECT_EQ(runs, 3);
}

TEST_F(RecordSortTest, SortTableKeysIgnoreWeightOneAndEndAtWeightZero) {
  unsigned char table[256];
  for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c < 2 ? 2 : c);
  table[' '] = 1;
  table['-'] = 0;
  table['z'] = 3;  // z before every other letter
  EXPECT_EQ(sortedWords({"b c", "abc", "z", "a-zzz", "bb"}, CollationKeys::Ties::inAddedOrder, table),
            (std::vector<std::string>{"z", "a-zzz", "abc", "bb", "b c"}));
}

TEST_F(RecordSortTest, SkippedRecordsAreLeftOutAndIndexesStayTheRecords) {
  const std::vector<WordRecord> records = recordsOf({"c", "deleted", "a", "b"});
  CollationKeys keys(4, nullptr, CollationKeys::Ties::inAddedOrder);
  keys.add("c");
  keys.skip();
  keys.add("a");
  keys.add("b");
  EXPECT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys.sortRecords(records, nullptr), (std::vector<std::uint32_t>{2, 3, 0}));
}

TEST_F(RecordSortTest, StepsAreReportedAtEachMultipleOfTheInterval) {
  std::vector<std::string> words;
  std::uint64_t x = 12345;
  for (int i = 0; i < 20000; ++i) {
    x = x * 6364136223846793005ULL + 1442695040888963407ULL;
    words.push_back("w" + std::to_string(x >> 40));
  }
  const std::vector<WordRecord> records = recordsOf(words);
  CollationKeys keys(words.size());
  for (const WordRecord& r : records) keys.add(wordOf(r));
  std::vector<std::int64_t> counts;
  keys.sortRecords(
      records, [&](std::int64_t count) { counts.push_back(count); }, 2000);
  ASSERT_GE(counts.size(), 10u);
  for (std::size_t i = 0; i < counts.size(); ++i) EXPECT_EQ(counts[i], static_cast<std::int64_t>(2000 * i));
  EXPECT_GE(keys.steps(), counts.back());
}

}  // namespace
}  // namespace zembo
