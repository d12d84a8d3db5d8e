#include "formats/reverselist.h"

#include <cstdio>
#include <cstring>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "formats/fields.h"
#include "formats/wordrecord.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

using Entry = std::pair<std::string, std::string>;

class ReverseListTest : public test::TempDirTest {};

WordRecord recordOf(const std::string& word, const std::string& translation) {
  WordRecord r{};
  setField(r.word, sizeof r.word, word);
  setField(r.translation, sizeof r.translation, translation);
  return r;
}

std::vector<Entry> entriesOf(Records records) {
  std::vector<Entry> entries;
  for (const WordRecord& r : records) entries.emplace_back(wordOf(r), translationOf(r));
  return entries;
}

// A line splits as strtok splits it: runs of separators count as one, blanks stay.
TEST_F(ReverseListTest, FieldsSplitAsStrtokSplits) {
  const struct {
    std::string text;
    std::vector<std::string_view> fields;
  } cases[] = {
      {"huis, woning", {"huis", " woning"}},
      {",,huis,,, woning,", {"huis", " woning"}},
      {"", {}},
      {",,,", {}},
      {" , ", {" ", " "}},
      {"huis", {"huis"}},
  };
  for (const auto& c : cases) EXPECT_EQ(splitFields(c.text, ','), c.fields) << c.text;
}

// A field is read up to its NUL or to its end, never beyond; a text set into it is cut so that
// its NUL fits, and nothing of what the field held before is left behind the NUL.
TEST_F(ReverseListTest, FieldsHoldTheirTextAndNothingElse) {
  WordRecord r;
  std::memset(&r, 'z', sizeof r);
  EXPECT_EQ(wordOf(r), std::string(31, 'z'));
  EXPECT_EQ(translationOf(r), std::string(51, 'z'));
  setField(r.word, sizeof r.word, std::string(40, 'a'));
  setField(r.translation, sizeof r.translation, "huis");
  EXPECT_EQ(wordOf(r), std::string(30, 'a'));
  EXPECT_EQ(translationOf(r), "huis");
  EXPECT_EQ(std::string(r.translation, sizeof r.translation), "huis" + std::string(47, '\0'));
  EXPECT_EQ(r.flags, 0x7a7a);  // the flags are no field
}

TEST_F(ReverseListTest, TheWordOfAPart) {
  const std::string thirty(30, 'w'), fifty(50, 'f');
  const struct {
    std::string fromWord, part, word;
  } cases[] = {
      {"house", "  huis ", "huis "},  // leading blanks go, trailing ones stay
      {"house", "   ", ""},          {"house", "", ""},       {"house", " " + thirty, thirty},
      {"house", thirty + "w", ""},   {fifty, "huis", "huis"}, {fifty + "f", "huis", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(reverseWord(c.fromWord, c.part), c.word) << c.fromWord << " / " << c.part;
}

// The reverse records of a list go to a file and come back mapped; merged in an order, each run of
// byte-equal words becomes one record whose translation gathers the run's while they fit.
TEST_F(ReverseListTest, ReverseRecordsRoundTripAndMerge) {
  // A full translation field of one-letter parts without a NUL gives the most records there are.
  std::string parts;
  for (char c = 'a'; c <= 'z'; ++c) parts += std::string(parts.empty() ? "" : ",") + c;
  WordRecord full = recordOf("full", "");
  std::memcpy(full.translation, parts.data(), sizeof full.translation);
  const std::vector<WordRecord> from = {recordOf("house", "huis, woning"), recordOf("home", " huis,,thuis"),
                                        recordOf("x", " , "), full};
  EXPECT_EQ(mostReverseRecords(Records(&full, 1)), 26u);

  std::FILE* out = std::fopen("reverse.zb", "w+b");
  std::vector<std::string> added;
  ASSERT_TRUE(writeReverseRecords(out, from, [&added](std::string_view word) { added.emplace_back(word); }));
  std::fclose(out);
  EXPECT_EQ(test::readFile("reverse.zb").size(), 30 * sizeof(WordRecord));
  std::FILE* in = std::fopen("reverse.zb", "rb");
  LoadedList list;
  std::vector<std::int64_t> counted;
  ASSERT_TRUE(loadRecords(in, list, [&counted](std::int64_t done) { counted.push_back(done); }));
  std::fclose(in);
  const std::vector<Entry> records = entriesOf(list.records());
  ASSERT_EQ(records.size(), 30u);
  EXPECT_EQ(
      std::vector<Entry>(records.begin(), records.begin() + 5),
      (std::vector<Entry>{{"huis", "house"}, {"woning", "house"}, {"huis", "home"}, {"thuis", "home"}, {"a", "full"}}));
  EXPECT_EQ(records.back(), (Entry{"z", "full"}));
  EXPECT_EQ(added.size(), 30u);
  EXPECT_EQ(added[3], "thuis");
  EXPECT_EQ(counted, (std::vector<std::int64_t>{0}));

  // huis, huis, woning, thuis: the two huis records are one.
  std::FILE* merged = std::fopen("merged.zb", "w+b");
  ASSERT_TRUE(writeMergedList(merged, list.records(), {0, 2, 1, 3}));
  std::fclose(merged);
  const std::string bytes = test::readFile("merged.zb");
  ASSERT_EQ(bytes.size(), 3 * sizeof(WordRecord));
  EXPECT_EQ(entriesOf(Records(reinterpret_cast<const WordRecord*>(bytes.data()), 3)),
            (std::vector<Entry>{{"huis", "house, home"}, {"woning", "house"}, {"thuis", "home"}}));
}

// A list cut short by a kill or a full disk reads as the whole records it holds; a list that
// cannot be written whole is reported.
TEST_F(ReverseListTest, DamagedListsReadAsTheirWholeRecordsAndFailedWritesAreReported) {
  const WordRecord record = recordOf("huis", "house");
  for (const std::size_t bytes : {std::size_t{0}, sizeof(WordRecord) - 1, 2 * sizeof(WordRecord) + 40}) {
    std::string file;
    while (file.size() < bytes) file.append(reinterpret_cast<const char*>(&record), sizeof record);
    file.resize(bytes);
    test::writeFile("cut.zb", file);
    std::FILE* in = std::fopen("cut.zb", "rb");
    LoadedList list;
    ASSERT_TRUE(loadRecords(in, list));
    std::fclose(in);
    EXPECT_EQ(list.records().size(), bytes / sizeof(WordRecord)) << bytes;
    for (const WordRecord& r : list.records()) EXPECT_EQ(wordOf(r), "huis");
  }

  std::vector<WordRecord> from(200, recordOf("house", "huis, woning"));
  const test::FileSizeLimit full(4096);
  std::FILE* out = std::fopen("reverse.zb", "wb");
  EXPECT_FALSE(writeReverseRecords(out, from, {}));
  std::fclose(out);
  std::FILE* merged = std::fopen("merged.zb", "wb");
  std::vector<std::uint32_t> order(from.size());
  std::iota(order.begin(), order.end(), 0);
  for (std::size_t i = 0; i < from.size(); ++i) setField(from[i].word, sizeof from[i].word, std::to_string(i));
  EXPECT_FALSE(writeMergedList(merged, from, order));
  std::fclose(merged);
}

}  // namespace
}  // namespace zembo
