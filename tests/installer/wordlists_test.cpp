#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "formats/wordrecord.h"
#include "installer/core/languages.h"
#include "installer/core/script.h"
#include "installer/core/wordlists.h"
#include "platform/collation.h"
#include "platform/messagebox.h"
#include "tests/installer/installerfixture.h"
#include "tests/support/wordgen.h"

namespace zembo {
namespace {

using test::Entry;
using test::readWordList;
using test::writeWordList;

class WordListTest : public test::InstallerTest {
 protected:
  void SetUp() override {
    InstallerTest::SetUp();
    std::filesystem::create_directories("taal");
    setCollationLocale("dutch");
    test::changeRegistering(&LanguageState::languageTitle, "Engels");
    test::changeRegistering(&LanguageState::fromListName, "Engels_Nederlands.zb");
    test::changeRegistering(&LanguageState::toListName, "Nederlands_Engels.zb");
  }
  std::vector<Entry> build(const std::vector<Entry>& from, std::int16_t flags = 0) {
    writeWordList("taal/Engels_Nederlands.zb", from, flags);
    buildReverseList();
    return readWordList("taal/Nederlands_Engels.zb");
  }
  // Runs the builder, which must end the program with that message.
  void expectFatal(const std::string& message) {
    try {
      buildReverseList();
      ADD_FAILURE() << "no fatal error";
    } catch (const ProcessExit& e) {
      EXPECT_EQ(e.code, 1);
    }
    EXPECT_EQ(test::lastMessage(), message);
    EXPECT_EQ(recordedMessageBoxes().back().caption, "Error");
  }
};

TEST_F(WordListTest, EveryTranslationPartBecomesAWordAndEqualWordsAreMerged) {
  const auto to = build({{"house", "huis, woning"}, {"home", "huis, thuis"}});
  EXPECT_EQ(to, (std::vector<Entry>{{"huis", "house, home"}, {"thuis", "home"}, {"woning", "house"}}));
  EXPECT_FALSE(std::filesystem::exists("taal/temp.zb"));
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text, "Install Finished ");
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "Install");
  EXPECT_EQ(recordedMessageBoxes()[0].type, MB_OK);
}

TEST_F(WordListTest, AnEmptyFromListGivesAnEmptyToListAndTheFinalMessage) {
  writeWordList("taal/Nederlands_Engels.zb", {{"oud", "old"}});
  EXPECT_TRUE(build({}).empty());
  EXPECT_TRUE(std::filesystem::exists("taal/Nederlands_Engels.zb"));
  EXPECT_EQ(test::lastMessage(), "Install Finished ");
}

TEST_F(WordListTest, WordsThatDifferInCaseStayTwoRecordsSideBySide) {
  const auto to = build({{"dwelling", "huis"}, {"House", "Huis"}, {"home", "huis"}, {"hut", "hut"}});
  EXPECT_EQ(to, (std::vector<Entry>{{"Huis", "House"}, {"huis", "dwelling, home"}, {"hut", "hut"}}));
}

TEST_F(WordListTest, PartsOfThirtyCharactersAreKeptAndLongerOnesDropped) {
  const std::string thirty(30, 'a'), thirtyOne(31, 'b');
  const auto to = build({{"long", thirty}, {"longer", thirtyOne}, {"short", "b, " + thirtyOne}});
  EXPECT_EQ(to, (std::vector<Entry>{{thirty, "long"}, {"b", "short"}}));
}

TEST_F(WordListTest, AMergedTranslationStopsGrowingAtFiftyCharacters) {
  const std::string a(20, 'a'), b(25, 'b'), c(10, 'c');
  const auto to = build({{a, "woord"}, {b, "woord"}, {c, "woord"}, {"d", "woord"}});
  ASSERT_EQ(to.size(), 1u);
  // 20 + 2 + 25 = 47; the 10 would make 59 and is dropped; the 1 makes exactly 50.
  EXPECT_EQ(to[0].second, a + ", " + b + ", d");
  EXPECT_EQ(to[0].second.size(), 50u);
}

TEST_F(WordListTest, LeadingBlanksGoTrailingBlanksStayAndEmptyPartsCountNot) {
  const auto to = build({{"house", "huis , woning"}, {"x", ",, ,  ,ding,"}});
  EXPECT_EQ(to, (std::vector<Entry>{{"ding", "x"}, {"huis ", "house"}, {"woning", "house"}}));
}

TEST_F(WordListTest, DeletedFromRecordsAreUsedLikeTheOthers) {
  EXPECT_EQ(build({{"house", "huis"}}, 1), (std::vector<Entry>{{"huis", "house"}}));
}

TEST_F(WordListTest, TheOrderIsTheDutchComparisonsAndEachWordIsWrittenOnce) {
  bench::WordGenerator gen(42);
  std::vector<Entry> from;
  for (int i = 0; i < 3000; ++i) from.emplace_back(gen.word(), gen.translation(1 + i % 3));
  from.push_back({"ijs", "ijs, IJs"});  // Dutch sorts ij as i and j
  const auto to = build(from);
  ASSERT_GT(to.size(), 3000u);
  for (std::size_t i = 1; i < to.size(); ++i) {
    EXPECT_LE(collateNoCase(to[i - 1].first, to[i].first), 0) << to[i - 1].first << " / " << to[i].first;
    EXPECT_NE(to[i - 1].first, to[i].first);
  }
}

TEST_F(WordListTest, SortingKeepsByteEqualWordsTogetherInTheirOrder) {
  std::vector<WordRecord> records(5);
  const char* words[] = {"huis", "Huis", "huis", "HUIS", "appel"};
  for (int i = 0; i < 5; ++i) setField(records[i].word, sizeof records[i].word, words[i]);
  const std::vector<std::uint32_t> order = sortByCollation(records);
  EXPECT_EQ(order, (std::vector<std::uint32_t>{4, 3, 1, 0, 2}));
}

TEST_F(WordListTest, TheFinalMessageIsTheTextOfTheDisplayFile) {
  test::changeScript(&ScriptState::finalTextFile, "leesmij.txt");
  test::writeFile("leesmij.txt", "Klaar.\r\nVeel plezier.\r\n");
  build({{"house", "huis"}});
  EXPECT_EQ(test::lastMessage(), "Klaar.\nVeel plezier.\n");
  std::filesystem::remove("leesmij.txt");
  build({{"house", "huis"}});
  EXPECT_EQ(test::lastMessage(), "Install Finished ");
}

TEST_F(WordListTest, AMissingFromListIsFatalAndNamed) { expectFatal("Input file missing taal\\Engels_Nederlands.zb"); }

TEST_F(WordListTest, ATemporaryListThatCannotBeMadeIsFatal) {
  writeWordList("taal/Engels_Nederlands.zb", {{"house", "huis"}});
  test::writeFile("taal/temp.zb/in the way", "x");
  expectFatal("Can't create tempfile");
}

TEST_F(WordListTest, ATemporaryListThatCannotBeWrittenIsFatalAndRemoved) {
  std::vector<Entry> from;
  for (int i = 0; i < 400; ++i) from.push_back({"w" + std::to_string(i), "een, twee, drie"});
  writeWordList("taal/Engels_Nederlands.zb", from);
  // Files cannot grow past 4 KB, as on a full disk.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit previous{};
  ::getrlimit(RLIMIT_FSIZE, &previous);
  rlimit small = previous;
  small.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &small);
  expectFatal("Write error tempfile");
  ::setrlimit(RLIMIT_FSIZE, &previous);
  EXPECT_FALSE(std::filesystem::exists("taal/temp.zb"));
}

TEST_F(WordListTest, ALinkInPlaceOfTheTemporaryListIsNotFollowed) {
  test::writeFile("outside.txt", "keep");
  std::filesystem::create_symlink("../outside.txt", "taal/temp.zb");
  EXPECT_EQ(build({{"house", "huis"}}), (std::vector<Entry>{{"huis", "house"}}));
  EXPECT_EQ(test::readFile("outside.txt"), "keep");
  EXPECT_FALSE(std::filesystem::exists("taal/temp.zb"));
}

TEST_F(WordListTest, FullTranslationsOfOneLetterPartsAreAllReversed) {
  // 26 parts in 51 bytes without a NUL, in more records than one block of keys holds.
  std::string parts;
  for (char c = 'a'; c <= 'z'; ++c) parts += std::string(parts.empty() ? "" : ",") + c;
  ASSERT_EQ(parts.size(), 51u);
  std::string bytes;
  for (int i = 0; i < 4100; ++i) {
    WordRecord r{};
    setField(r.word, sizeof r.word, "w" + std::to_string(i));
    std::memcpy(r.translation, parts.data(), sizeof r.translation);
    bytes.append(reinterpret_cast<const char*>(&r), sizeof r);
  }
  test::writeFile("taal/Engels_Nederlands.zb", bytes);
  buildReverseList();
  const auto to = readWordList("taal/Nederlands_Engels.zb");
  ASSERT_EQ(to.size(), 26u);
  EXPECT_EQ(to.front().first, "a");
  EXPECT_EQ(to.back().first, "z");
}

TEST_F(WordListTest, AToListThatCannotBeMadeOrReplacedIsFatal) {
  writeWordList("taal/Engels_Nederlands.zb", {{"house", "huis"}});
  test::changeRegistering(&LanguageState::toListName, "missing\\Nederlands_Engels.zb");
  expectFatal("Can't create output file");
  test::changeRegistering(&LanguageState::toListName, "Nederlands_Engels.zb");
  test::writeFile("taal/Nederlands_Engels.zb/keep", "x");  // a folder in its place
  expectFatal("Write error output file");
  EXPECT_EQ(test::readFile("taal/Nederlands_Engels.zb/keep"), "x");
}

TEST_F(WordListTest, ComparisonsAreCountedAcrossLanguages) {
  std::vector<Entry> from;
  for (int i = 0; i < 500; ++i) from.push_back({"w" + std::to_string(i), "woord" + std::to_string(i * 7919 % 500)});
  build(from);
  const std::int64_t first = drawing.comparisonCount;
  EXPECT_GT(first, 500);
  build(from);
  EXPECT_GT(drawing.comparisonCount, first);
}

}  // namespace
}  // namespace zembo
