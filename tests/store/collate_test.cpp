#include "store/collate.h"

#include "directions/directions.h"
#include "platform/collation.h"
#include "platform/messagebox.h"
#include "store/currentdirection.h"
#include "store/store.h"
#include "tests/store/storefixture.h"

namespace zembo {
namespace {

using test::readFile;
using test::WordPair;
using test::writeFile;
using test::writeWords;

class CollateTest : public test::StoreTest {
 protected:
  // A table in which every byte weighs itself, with the letters folded.
  static std::string identityTable() {
    std::string table(256, '\0');
    for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = static_cast<char>(c < 2 ? 2 : c);
    for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<std::size_t>(c)] = static_cast<char>(c + 32);
    return table;
  }
  void openWith(const char* wordFileName, const std::vector<WordPair>& entries) {
    useDirection(wordFileName);
    writeWords(std::string("language/") + wordFileName, entries);
    makeDirectionCurrent(directions.currentDirection);
  }
};

TEST_F(CollateTest, TableWeightOneIgnoresAndZeroEndsTheKey) {
  std::string table = identityTable();
  table[' '] = 1;
  table['-'] = 0;
  writeFile("tables/French.stb", table);
  useDirection("Fre_Eng.zb");
  ASSERT_EQ(directions.currentDirection->hasSortTable, 1);
  loadStoreCollation(nullptr);
  EXPECT_EQ(compareWords("ab c", "abc"), 0);
  EXPECT_EQ(compareWords("well-known", "well"), 0);
  EXPECT_EQ(compareWords("ABC", "abc"), 0);
  EXPECT_LT(compareWords("ab", "abc"), 0);  // a key that is a prefix is smaller
  EXPECT_GT(compareWords("\xE9", "z"), 0);  // bytes compare unsigned
}

TEST_F(CollateTest, MissingOrShortTableFileKeepsThePreviousWeights) {
  std::string table = identityTable();
  writeFile("tables/French.stb", table);
  useDirection("Fre_Eng.zb");
  WordCollation collation;
  loadSortTable(collation, *directions.currentDirection);
  std::filesystem::remove("tables/French.stb");
  loadSortTable(collation, *directions.currentDirection);
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text, "Can't open sorttable   ");
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "error");
  EXPECT_EQ(recordedMessageBoxes()[0].owner, nullptr);
  EXPECT_EQ(collation.sortTable['A'], 'a');
  writeFile("tables/French.stb", std::string(10, '\x07'));
  loadSortTable(collation, *directions.currentDirection);
  EXPECT_EQ(collation.sortTable[9], 7);
  EXPECT_EQ(collation.sortTable['A'], 'a');
}

TEST_F(CollateTest, FindWordGivesTheMatchOrTheInsertionPosition) {
  openWith("Eng_Fre.zb", {{"apple", "pomme"}, {"banana", "banane"}, {"cherry", "cerise"}});
  EXPECT_EQ(findWord("banana"), 1);
  EXPECT_EQ(findWord("apricot"), 1);
  EXPECT_EQ(findWord("zebra"), 3);
  EXPECT_EQ(findWord("aardvark"), 0);
  EXPECT_EQ(findWord("APPLE"), 0);
  EXPECT_EQ(findWord(""), 0);
}

TEST_F(CollateTest, FindWordInAnEmptyFileAndAmongDuplicates) {
  openWith("Eng_Fre.zb", {});
  EXPECT_EQ(findWord("anything"), 0);
  openWith("Eng_Fre.zb", {{"a", "1"}, {"b", "2"}, {"b", "3"}, {"b", "4"}, {"c", "5"}});
  // A headword whose translations fill several records is found at its first record.
  EXPECT_EQ(findWord("b"), 1);
  openWith("Eng_Fre.zb", {{"b", "1"}, {"b", "2"}, {"b", "3"}, {"b", "4"}, {"b", "5"}, {"c", "6"}});
  EXPECT_EQ(findWord("b"), 0);
}

// Words that collate equal keep their file order; a lookup lands on the one spelled as typed.
TEST_F(CollateTest, TypedWordLandsOnItsOwnSpellingAmongEqualWords) {
  std::string table = identityTable();
  table[0xE4] = 'a';  // ä weighs as a: "Bar" and "Bär" collate equal
  writeFile("tables/French.stb", table);
  openWith("Fre_Eng.zb", {{"Bar", "bar"},
                          {"B\xE4r", "bear"},
                          {"Gehen", "walking"},
                          {"Gehen", "going"},
                          {"gehen", "go"},
                          {"gehen", "walk"},
                          {"gehend", "going"},
                          {"Haus", "house"}});
  ASSERT_EQ(directions.currentDirection->hasSortTable, 1);
  EXPECT_EQ(findTypedWord("gehen"), 4);  // the verb, past the noun's records
  EXPECT_EQ(findTypedWord("Gehen"), 2);  // the noun's first record
  EXPECT_EQ(findTypedWord("GEHEN"), 2);  // no record spelled so: the first of the equal words
  EXPECT_EQ(findTypedWord("geh"), 2);    // a word not typed whole yet lands where findWord does
  EXPECT_EQ(findTypedWord("gehend"), 6);
  EXPECT_EQ(findTypedWord("B\xE4r"), 1);  // accents count
  EXPECT_EQ(findTypedWord("bar"), 0);
  EXPECT_EQ(findTypedWord("haus"), 7);
  EXPECT_EQ(findTypedWord("zzz"), 8);
  openWith("Fre_Eng.zb", {});
  EXPECT_EQ(findTypedWord("gehen"), 0);
}

TEST_F(CollateTest, CLocaleFoldsCaseOnly) {
  WordCollation collation;
  collation.locale.open("C");
  EXPECT_EQ(compareWords(collation, "Apple", "apple"), 0);
  EXPECT_LT(compareWords(collation, "Apple", "banana"), 0);
}

TEST_F(CollateTest, FrenchAccentsSortWithTheirLetters) {
  openWith("Fre_Eng.zb", {{"abricot", "apricot"},
                          {"\xE9"
                           "cole",
                           "school"},
                          {"\xE9t\xE9", "summer"},
                          {"ours", "bear"},
                          {"z\xE8"
                           "bre",
                           "zebra"}});
  EXPECT_EQ(collationLocaleName(), "fr");
  EXPECT_EQ(findWord("\xE9t\xE9"), 2);
  EXPECT_EQ(findWord("\xC9T\xC9"), 2);
  EXPECT_EQ(findWord("ete"), 2);  // before été, after école
  EXPECT_EQ(findWord("f"), 3);    // é sorts with e, not after z
  EXPECT_EQ(findWord("zzz"), 5);
}

TEST_F(CollateTest, RussianCyrillicIsDecodedFromItsCodePage) {
  writeFile("dict.ini", "[language]\nRussian,russian,204\n\n[selected]\nRus_Eng.zb\n");
  // арбуз, ёж, жук, яблоко in Windows-1251: ё must sort beside е, before ж, not after я.
  openWith("Rus_Eng.zb", {{"\xE0\xF0\xE1\xF3\xE7", "watermelon"},
                          {"\xB8\xE6", "hedgehog"},
                          {"\xE6\xF3\xEA", "beetle"},
                          {"\xFF\xE1\xEB\xEE\xEA\xEE", "apple"}});
  EXPECT_EQ(findWord("\xB8\xE6"), 1);
  EXPECT_EQ(findWord("\xA8\xC6"), 1);  // ЁЖ
  EXPECT_EQ(findWord("\xE5"), 1);      // е goes before ёж
  EXPECT_EQ(findWord("\xFF\xFF"), 4);
}

TEST_F(CollateTest, UnknownLocaleNameIsReported) {
  checkLocaleName("French");
  checkLocaleName("norwegian");
  EXPECT_TRUE(recordedMessageBoxes().empty());
  checkLocaleName("klingon");
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text, "Unknown locale : klingon");
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "error");
  EXPECT_EQ(recordedMessageBoxes()[0].type, MB_OK);
  // A variant that collation accepts is still not one of the plain names.
  checkLocaleName("french-canadian");
  EXPECT_EQ(recordedMessageBoxes().size(), 2u);
  checkLocaleName("AFRIKAANS");
  checkLocaleName("vietnamese");
  EXPECT_EQ(recordedMessageBoxes().size(), 2u);
}

class ActivateTest : public test::StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    writeWords("language/Fre_Eng.zb", {{"chat", "cat"}, {"chien", "dog"}});
    writeWords("language/Eng_Fre.zb", {{"cat", "chat"}});
    useDirection("Fre_Eng.zb");
    openWordFile();
    countWordRecords();
  }
  void switchTo(const char* wordFileName) {
    for (DictionaryDirection* d = directions.directionList; d; d = d->next)
      if (std::string(d->wordFileName) == wordFileName) setCurrentDirection(d);
  }
};

TEST_F(ActivateTest, NewDirectionGetsItsCollationSelectionAndStore) {
  switchTo("Eng_Fre.zb");
  EXPECT_EQ(activateDirection(), 0);
  EXPECT_EQ(store.wordCount, 1);
  EXPECT_EQ(collationLocaleName(), "en");
  EXPECT_EQ(readFile("dict.ini"), "[language]\nFrench,french,0\nGerman,german,0\n\n[selected]\nEng_Fre.zb\n");
  EXPECT_TRUE(recordedMessageBoxes().empty());
}

TEST_F(ActivateTest, LocaleThatCannotBeSetIsReportedAndWorkGoesOn) {
  writeFile("dict.ini", "[language]\nFrench,,0\n\n[selected]\nFre_Eng.zb\n");
  ASSERT_EQ(loadDirections(), 0);
  setCurrentDirection(directions.directionList);  // locale "0"
  setCollationLocale("german");
  EXPECT_EQ(activateDirection(), 0);
  ASSERT_EQ(recordedMessageBoxes().size(), 2u);
  EXPECT_EQ(recordedMessageBoxes()[0].text.substr(0, 20), "Error setting LOCALE");
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "Dictionary");
  EXPECT_EQ(recordedMessageBoxes()[1].text, "Unknown locale : 0");
  EXPECT_EQ(collationLocaleName(), "de");  // the locale in force stays
  EXPECT_EQ(store.wordCount, 2);
}

TEST_F(ActivateTest, StoreIsReopenedEvenWhenTheSelectionCannotBeRecorded) {
  switchTo("Eng_Fre.zb");
  {
    const test::FileSizeLimit full(0);  // dict.ini cannot be rewritten
    EXPECT_EQ(activateDirection(), -1);
  }
  EXPECT_EQ(store.wordCount, 1);
  WordRecord record;
  ASSERT_EQ(readWordRecord(0, record), 0);
  EXPECT_EQ(wordOf(record), "cat");
}

}  // namespace
}  // namespace zembo
