#include "morphology/morphology.h"

#include <cstdio>
#include <filesystem>

#include "directions/directions.h"
#include "store/collate.h"
#include "store/currentdirection.h"
#include "store/store.h"
#include "tests/store/storefixture.h"

namespace zembo {
namespace {

using test::WordPair;
using test::writeFile;
using test::writeWords;

// German in Windows-1252: "Häuser", "Häuserblock", "Züge".
const std::string hauser = "H\xE4user", hauserblock = "H\xE4userblock", zuge = "Z\xFCge";

// A small German dictionary in UTF-8 whose two rules make "Häuser" of "Haus" and "Züge" of "Zug".
void writeGermanDictionary(const std::filesystem::path& folder) {
  writeFile(folder / "de_DE.aff", "SET UTF-8\n\nSFX U Y 2\nSFX U aus \xC3\xA4user aus\nSFX U ug \xC3\xBCge ug\n");
  writeFile(folder / "de_DE.dic", "3\nHaus/U\nZug/U\nBaum\n");
}

class MorphologyTest : public test::StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    writeFile("dict.ini", "[language]\nGerman,german,0\nRussian,russian,204\n\n[selected]\nGer_Eng.zb\n");
    setHunspellFolder(dir / "hunspell");
  }
  void TearDown() override {
    resetMorphologyState();
    StoreTest::TearDown();
  }
  // Makes the direction current on a word file of these words, in collating order.
  void openWith(const char* wordFileName, const std::vector<std::string>& words) {
    useDirection(wordFileName);
    std::vector<WordPair> pairs;
    for (const std::string& w : words) pairs.push_back({w, "t-" + w});
    writeWords(std::string("language/") + wordFileName, pairs);
    makeDirectionCurrent(directions.currentDirection);
  }
  std::string formOf(std::string_view word, int* index = nullptr) {
    std::string form;
    const int at = findWholeWord(word, form);
    if (index) *index = at;
    return form;
  }
};

TEST_F(MorphologyTest, InflectedFormLandsOnItsEntryAndTheDictionaryStaysLoaded) {
  writeGermanDictionary("hunspell");
  openWith("Ger_Eng.zb", {"Baum", "Haus", hauserblock, "Zug"});
  ASSERT_EQ(findWord(hauser), 2);  // as it stands the word sorts beside "Häuserblock"
  int index = -1;
  EXPECT_EQ(formOf(hauser, &index), "Haus");
  EXPECT_EQ(index, 1);
  EXPECT_EQ(formOf(zuge, &index), "Zug");
  EXPECT_EQ(index, 3);
  // Loaded once for the language and kept: the files going changes nothing for the session.
  std::filesystem::remove_all("hunspell");
  EXPECT_EQ(formOf(hauser, &index), "Haus");
  EXPECT_EQ(index, 1);
}

TEST_F(MorphologyTest, AHeadwordAsItStandsWinsOverItsStem) {
  writeGermanDictionary("hunspell");
  openWith("Ger_Eng.zb", {"Haus", hauser, hauserblock});
  int index = -1;
  EXPECT_EQ(formOf(hauser, &index), hauser);
  EXPECT_EQ(index, 1);
  // Equal under the collation is enough: a capital at the start of a sentence is no other word.
  EXPECT_EQ(formOf("HAUS", &index), "HAUS");
  EXPECT_EQ(index, 0);
}

// Where words collate equal, a word copied or clicked lands on the one spelled as it was copied,
// and a stem on the one spelled as the stem.
TEST_F(MorphologyTest, ACopiedWordLandsOnItsOwnSpellingAmongEqualWords) {
  writeGermanDictionary("hunspell");
  openWith("Ger_Eng.zb", {"Gehen", "Gehen", "gehen", "gehen", "haus", "Haus", hauserblock});
  struct Case {
    std::string text, form;
    int index;
  };
  const Case cases[] = {
      {"gehen,", "gehen", 2}, {"\x84Gehen\x93", "Gehen", 0}, {"GEHEN", "GEHEN", 0},
      {"haus.", "haus", 4},   {"Haus", "Haus", 5},           {hauser, "Haus", 5},
  };
  for (const Case& c : cases) {
    std::string form;
    bool found = false;
    EXPECT_EQ(findWordOfText(c.text, form, found), c.index) << c.text;
    EXPECT_EQ(form, c.form) << c.text;
    EXPECT_TRUE(found) << c.text;
  }
}

TEST_F(MorphologyTest, WithoutAStemThatIsAHeadwordTheLookupIsThePlainOne) {
  writeGermanDictionary("hunspell");
  openWith("Ger_Eng.zb", {"Baum", hauserblock, "Zug"});
  int index = -1;
  EXPECT_EQ(formOf(hauser, &index), hauser);  // its stem "Haus" is no headword
  EXPECT_EQ(index, findWord(hauser));
  EXPECT_EQ(formOf("Quatsch", &index), "Quatsch");  // unknown to the dictionary
  EXPECT_EQ(index, findWord("Quatsch"));
}

TEST_F(MorphologyTest, ALanguageWithoutADictionaryKeepsThePlainLookup) {
  std::filesystem::create_directories("hunspell");
  writeFile("hunspell/fr_FR.aff", "SET UTF-8\n");  // another language's, and only half of it
  openWith("Ger_Eng.zb", {"Baum", "Haus", hauserblock, "Zug"});
  int index = -1;
  EXPECT_EQ(formOf(hauser, &index), hauser);
  EXPECT_EQ(index, 2);
  EXPECT_TRUE(dictionaryForms(*directions.currentDirection, hauser).empty());
  // A folder that does not exist at all is no different.
  setHunspellFolder(dir / "nowhere");
  EXPECT_EQ(formOf(zuge), zuge);
}

TEST_F(MorphologyTest, CyrillicWordsPassBetweenWindows1251AndAKoi8Dictionary) {
  // "стол" with the suffix "ы", written in KOI8-R as the dictionary's SET line says.
  writeFile("hunspell/ru_RU.aff", "SET KOI8-R\n\nSFX Y Y 1\nSFX Y 0 \xD9 .\n");
  writeFile("hunspell/ru_RU.dic", "1\n\xD3\xD4\xCF\xCC/Y\n");
  const std::string table = "\xF1\xF2\xEE\xEB", tables = table + "\xFB";  // in Windows-1251
  openWith("Rus_Eng.zb", {table, "\xF1\xF2\xF3\xEB"});                    // "стол", "стул"
  EXPECT_EQ(dictionaryForms(*directions.currentDirection, tables), std::vector<std::string>{table});
  int index = -1;
  EXPECT_EQ(formOf(tables, &index), table);
  EXPECT_EQ(index, 0);
}

TEST(HunspellNames, TheDirectionsLanguageNamesItsDictionaries) {
  EXPECT_EQ(hunspellNames("german").front(), "de_DE");
  EXPECT_EQ(hunspellNames("GERMAN-swiss"), hunspellNames("german"));
  EXPECT_EQ(hunspellNames("french").front(), "fr_FR");
  EXPECT_EQ(hunspellNames("pt_BR"), (std::vector<std::string>{"pt_BR", "pt"}));
  EXPECT_TRUE(hunspellNames("klingon").empty());
  EXPECT_TRUE(hunspellNames("../de").empty());
}

// A direction names its language by a word ("french"), a plain name ("fr") or one with a country
// ("fr_FR"); each finds the dictionary a system has for the language, whichever of its names that
// dictionary carries.
TEST_F(MorphologyTest, EveryWayOfNamingALanguageFindsItsDictionary) {
  // One small dictionary per language under its plain name; each turns "xs" into "x".
  for (const char* plain : {"fr", "de", "nl"}) {
    writeFile(dir / "hunspell" / (std::string(plain) + ".aff"), "SET UTF-8\n\nSFX S Y 1\nSFX S 0 s .\n");
    writeFile(dir / "hunspell" / (std::string(plain) + ".dic"), std::string("1\n") + plain + "word/S\n");
  }
  const struct {
    const char* localeName;
    const char* inflected;
    const char* stem;
  } cases[] = {
      {"fr_FR", "frwords", "frword"},  {"de_DE", "dewords", "deword"},  {"nl_NL", "nlwords", "nlword"},
      {"fr", "frwords", "frword"},     {"de", "dewords", "deword"},     {"nl", "nlwords", "nlword"},
      {"french", "frwords", "frword"}, {"german", "dewords", "deword"}, {"dutch", "nlwords", "nlword"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.localeName);
    DictionaryDirection direction{};
    std::snprintf(direction.localeName, sizeof direction.localeName, "%s", c.localeName);
    EXPECT_EQ(dictionaryForms(direction, c.inflected), std::vector<std::string>{c.stem});
  }
}

TEST_F(MorphologyTest, TheSystemsGermanDictionaryFindsHausAndZug) {
  if (!std::filesystem::exists(std::filesystem::path(systemHunspellFolder) / "de_DE.dic"))
    GTEST_SKIP() << "no German Hunspell dictionary installed";
  setHunspellFolder(systemHunspellFolder);
  openWith("Ger_Eng.zb", {"fahren", "Haus", hauserblock, "Kind", "Zug", "Z\xFCgel"});
  EXPECT_EQ(formOf(hauser), "Haus");
  EXPECT_EQ(formOf(zuge), "Zug");
  EXPECT_EQ(formOf("Kinder"), "Kind");
  EXPECT_EQ(formOf("Z\xFCgel"), "Z\xFCgel");
}

TEST_F(MorphologyTest, AWordOfATextLosesThePunctuationAndQuotesAroundItOnly) {
  writeGermanDictionary("hunspell");
  const std::string manner = "M\xE4nner", schlaft = "schl\xE4\x66t";  // Windows-1252
  openWith("Ger_Eng.zb", {"Haus", manner, manner + "beratungsstelle", "rock'n'roll", "z.B."});
  struct Case {
    std::string text, form;
    bool found;
  };
  const Case cases[] = {
      {manner + ",", manner, true},
      {"\x84" + manner + "\x93", manner, true},  // German quotes as Windows-1252 holds them
      {"\xAB" + manner + "\xBB", manner, true},  // guillemets
      {"'" + manner + "'", manner, true},
      {"(" + manner + ").", manner, true},
      {" \t" + manner + " \r\n", manner, true},
      {"\x96" + manner + "\x85", manner, true},  // a dash before, an ellipsis after
      {"rock'n'roll!", "rock'n'roll", true},
      {"z.B.", "z.B.", true},
      {"z.B.,", "z.B.", true},
      {"\"z.B\"", "z.B", false},
      {hauser + ".", "Haus", true},  // trimmed, then its dictionary form
      {schlaft + ",", schlaft, false},
      {"...", "", false},
  };
  for (const Case& c : cases) {
    std::string form;
    bool found = !c.found;
    const int index = findWordOfText(c.text, form, found);
    EXPECT_EQ(form, c.form) << c.text;
    EXPECT_EQ(found, c.found) << c.text;
    if (c.found) {
      EXPECT_EQ(index, findWord(c.form)) << c.text;
    }
  }
  // In Windows-1251 the same bytes hold the same quotes around a Cyrillic word.
  const std::string table = "\xF1\xF2\xEE\xEB";  // "стол"
  openWith("Rus_Eng.zb", {table, "\xF1\xF2\xF3\xEB"});
  for (const std::string& text : {"\xAB" + table + "\xBB", "\x84" + table + "\x93,"}) {
    std::string form;
    bool found = false;
    EXPECT_EQ(findWordOfText(text, form, found), 0);
    EXPECT_EQ(form, table);
    EXPECT_TRUE(found);
  }
}

}  // namespace
}  // namespace zembo
