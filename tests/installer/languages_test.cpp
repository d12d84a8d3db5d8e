#include <filesystem>

#include "installer/core/languages.h"
#include "installer/core/script.h"
#include "installer/core/wordlists.h"
#include "platform/collation.h"
#include "platform/messagebox.h"
#include "tests/installer/installerfixture.h"

namespace zembo {
namespace {

using test::readFile;
using test::readWordList;
using test::writeFile;
using test::writeWordList;

const std::string header = "# --- zembo.ini -------------------------------------------------\n";
const std::string eof = "# --- EOF --------------------------------------------------------\n";

const std::string twoLanguages =
    "Frans,french,0,Frans\n"
    "Frans_Nederlands.zb\n"
    "Nederlands_Frans.zb\n"
    "Engels,english,0,Engels\n"
    "Engels_Nederlands.zb\n"
    "Nederlands_Engels.zb\n";

class LanguagesTest : public test::InstallerTest {
 protected:
  void SetUp() override {
    InstallerTest::SetUp();
    writeWordList("taal/Frans_Nederlands.zb", {{"maison", "huis"}, {"chez soi", "thuis"}});
    writeWordList("taal/Engels_Nederlands.zb", {{"house", "huis, woning"}, {"home", "huis, thuis"}});
  }
  // Registration as Start runs it.
  void install(const std::string& languageFile) {
    writeFile("taal.cf", languageFile);
    registerLanguages();
    if (countLanguageLines() > 1) sortLanguageLines();
  }
  void expectFatal(const std::string& languageFile, const std::string& messageStart) {
    writeFile("taal.cf", languageFile);
    try {
      registerLanguages();
      ADD_FAILURE() << "no fatal error";
    } catch (const ProcessExit& e) {
      EXPECT_EQ(e.code, 1);
    }
    EXPECT_EQ(test::lastMessage().substr(0, messageStart.size()), messageStart) << test::lastMessage();
  }
};

TEST_F(LanguagesTest, TwoLanguagesWithoutConfigFileGiveANewSortedOne) {
  install(twoLanguages);
  EXPECT_EQ(readFile("zembo.ini"), header +
                                       "\n[toevoegen]\non\n\n"
                                       "[selected]\nFrans_Nederlands.zb\n\n"
                                       "[taal]\n"
                                       "Engels,english,0,Engels\n"
                                       "Frans,french,0,Frans\n"
                                       "\n" +
                                       eof);
  EXPECT_FALSE(std::filesystem::exists("taal.cf"));
  EXPECT_EQ(readWordList("taal/Nederlands_Frans.zb"),
            (std::vector<test::Entry>{{"huis", "maison"}, {"thuis", "chez soi"}}));
  EXPECT_EQ(readWordList("taal/Nederlands_Engels.zb").size(), 3u);
  // Each language ends with its final message.
  EXPECT_EQ(recordedMessageBoxes().size(), 2u);
}

TEST_F(LanguagesTest, AnExistingConfigFileKeepsItsSectionsAndALanguageIsReplacedNotDoubled) {
  writeFile("zembo.ini",
            "[toevoegen]\noff\n\n[selected]\nDuits_Nederlands.zb\n\n[taal]\n"
            "Duits,german,0,Duits\nEngels,english,0,Engels\n\n" +
                eof);
  install("Engels,english-uk,0,Engels\nEngels_Nederlands.zb\nNederlands_Engels.zb\n");
  EXPECT_EQ(readFile("zembo.ini"),
            "[toevoegen]\noff\n\n[selected]\nDuits_Nederlands.zb\n\n[taal]\n"
            "Duits,german,0,Duits\nEngels,english-uk,0,Engels\n\n" +
                eof);
}

TEST_F(LanguagesTest, CommentsAndEmptyLinesMayStandAnywhereInTheLanguageFile) {
  install("# talen\n\nFrans,french,0,Frans\n# lijst\nFrans_Nederlands.zb\n\n# om te maken\nNederlands_Frans.zb\n#\n");
  EXPECT_EQ(countLanguageLines(), 1);
  EXPECT_TRUE(std::filesystem::exists("taal/Nederlands_Frans.zb"));
}

TEST_F(LanguagesTest, ASingleLanguageLineIsNotSorted) {
  install("Frans,french,0,Frans\nFrans_Nederlands.zb\nNederlands_Frans.zb\n");
  // The line stands where it was added, before the two empty lines of the new file.
  EXPECT_EQ(readFile("zembo.ini"), header +
                                       "\n[toevoegen]\non\n\n[selected]\nFrans_Nederlands.zb\n\n"
                                       "[taal]\nFrans,french,0,Frans\n\n\n" +
                                       eof);
}

TEST_F(LanguagesTest, SortingEndsWithTheLinesAnEmptyLineAndTheEofLineAndKeepsWhatFollowed) {
  writeFile("zembo.ini",
            "[taal]\nZweeds,swedish,0,Zweeds\nengels,english,0,engels\nDuits\n# end\n[selected]\nx.zb\n\n" + eof);
  ASSERT_EQ(countLanguageLines(), 3);
  setCollationLocale("dutch");
  sortLanguageLines();
  EXPECT_EQ(readFile("zembo.ini"),
            "[taal]\nDuits\nengels,english,0,engels\nZweeds,swedish,0,Zweeds\n\n# end\n[selected]\nx.zb\n\n" + eof);
  writeFile("zembo.ini", "[taal]\nb\na");
  sortLanguageLines();
  EXPECT_EQ(readFile("zembo.ini"), "[taal]\na\nb\n\n" + eof);
}

TEST_F(LanguagesTest, CountingSeesOnlyTheTaalSection) {
  EXPECT_EQ(countLanguageLines(), -1);
  writeFile("zembo.ini", "Engels,english,0,Engels\n[TAAL]\na\nb\n\nc\n[taal]\nd\n");
  EXPECT_EQ(countLanguageLines(), 3);
}

TEST_F(LanguagesTest, AddingFindsTheSectionOrMakesOne) {
  test::changeRegistering(&LanguageState::languageLine, "Frans,french,0,Frans");
  writeFile("zembo.ini", "[selected]\nx.zb\n\n[taal]\nEngels,english,0,Engels");
  addLanguageLine();
  EXPECT_EQ(readFile("zembo.ini"), "[selected]\nx.zb\n\n[taal]\nEngels,english,0,Engels\nFrans,french,0,Frans\n\n");
  writeFile("zembo.ini", "[selected]\nx.zb");
  addLanguageLine();
  EXPECT_EQ(readFile("zembo.ini"), "[selected]\nx.zb\n\n[taal]\nFrans,french,0,Frans\n\n");
  EXPECT_EQ(countLanguageLines(), 1);
}

TEST_F(LanguagesTest, RemovingGoesByTheKeyOverTheWholeFile) {
  test::changeRegistering(&LanguageState::languageTitle, "engels");
  writeFile("zembo.ini",
            "[taal]\nEngels,english,0,Engels\nEngels\nEngelsman,english\nBrits,english,0,ENGELS,x\n\n# Engels\n");
  removeLanguageLines();
  EXPECT_EQ(readFile("zembo.ini"), "[taal]\nEngelsman,english\n\n# Engels\n");
  EXPECT_EQ(configLineKey("Portugees,portuguese,0,Braziliaans\n"), "Braziliaans");
  EXPECT_EQ(configLineKey("Duits,german\n"), "Duits");
  EXPECT_EQ(configLineKey("Duits,,,x"), "Duits");
}

// Every line the rewrites do not touch comes back byte for byte, NUL bytes and all.
TEST_F(LanguagesTest, RewritesKeepNulBytesInEveryOtherLine) {
  using namespace std::string_literals;
  const std::string top = "# zembo\0.ini\n\n[selected]\nx\0.zb\n\n"s;
  const std::string bottom = "\n# notes\0\0 kept\n\n"s + eof;
  writeFile("zembo.ini", top + "[taal]\nDuits,german,0,Du\0its\nEngels,english,0,Engels\n"s + bottom);
  test::changeRegistering(&LanguageState::languageTitle, "Engels");
  removeLanguageLines();
  EXPECT_EQ(readFile("zembo.ini"), top + "[taal]\nDuits,german,0,Du\0its\n"s + bottom);
  test::changeRegistering(&LanguageState::languageLine, "Frans,french,0,Frans");
  addLanguageLine();
  EXPECT_EQ(readFile("zembo.ini"), top + "[taal]\nDuits,german,0,Du\0its\nFrans,french,0,Frans\n"s + bottom);
  sortLanguageLines();
  EXPECT_EQ(readFile("zembo.ini"), top + "[taal]\nDuits,german,0,Du\0its\nFrans,french,0,Frans\n"s + bottom);
}

TEST_F(LanguagesTest, AMissingLanguageFileIsFatal) {
  try {
    registerLanguages();
    ADD_FAILURE() << "no fatal error";
  } catch (const ProcessExit& e) {
    EXPECT_EQ(e.code, 1);
  }
  EXPECT_EQ(test::lastMessage(), "Can't open LANGUAGE.CF");
}

TEST_F(LanguagesTest, ABadLanguageFileStopsBeforeAnythingChanges) {
  const std::string before = "[taal]\nDuits,german,0,Duits\n\n" + eof;
  writeFile("zembo.ini", before);
  expectFatal(
      "Engels,english,0,Engels\nEngels_Nederlands.zb\nNederlands_Engels.zb\nFrans,french,0\nFrans_Nederlands."
      "zb\nNederlands_Frans.zb\n",
      "Bad line in LANGUAGE.CF:\n\nFrans,french,0\n");
  expectFatal(
      "Engels,english,0,Engels\nEngels_Nederlands.zb\nNederlands_Engels.zb\nFrans,french,0,Frans\nFrans_Nederlands."
      "zb\n",
      "LANGUAGE.CF ends inside the entry of Frans");
  expectFatal("Engels,english,0,Engels\n..\\Engels_Nederlands.zb\nNederlands_Engels.zb\n",
              "Bad word list name in LANGUAGE.CF: ..\\Engels_Nederlands.zb");
  EXPECT_EQ(readFile("zembo.ini"), before);
  EXPECT_FALSE(std::filesystem::exists("taal/Nederlands_Engels.zb"));
  EXPECT_TRUE(std::filesystem::exists("taal.cf"));
}

TEST_F(LanguagesTest, TheConfigFileIsWrittenOnlyWhenMissing) {
  test::changeRegistering(&LanguageState::fromListName, "Engels_Nederlands.zb");
  createConfigFile();
  EXPECT_EQ(drawing.stepRow, 195);  // one empty step row
  writeFile("zembo.ini", "[taal]\n");
  createConfigFile();
  EXPECT_EQ(readFile("zembo.ini"), "[taal]\n");
  test::changeScript(&ScriptState::stepDisplay, 0);
  createConfigFile();
  EXPECT_EQ(drawing.stepRow, 220);
}

TEST_F(LanguagesTest, NamesOfTheTemporaryListOrOfAnotherListAreRefusedBeforeAnythingIsBuilt) {
  const std::string before = readFile("taal/Frans_Nederlands.zb");
  for (const std::string& bad : {std::string("Frans,french,0,Frans\ntemp.zb\nNederlands_Frans.zb\n"),
                                 std::string("Frans,french,0,Frans\nFrans_Nederlands.zb\nTEMP.ZB\n"),
                                 std::string("Frans,french,0,Frans\nFrans_Nederlands.zb\nFrans_Nederlands.zb\n"),
                                 twoLanguages + "Duits,german,0,Duits\nEngels_Nederlands.zb\nnederlands_frans.zb\n",
                                 twoLanguages + "Duits,german,0,Duits\nEngels_Nederlands.zb\nFrans_Nederlands.zb\n"}) {
    expectFatal(bad, "");
    EXPECT_NE(test::lastMessage().find("LANGUAGE.CF"), std::string::npos) << test::lastMessage();
    EXPECT_FALSE(std::filesystem::exists("zembo.ini")) << bad;
    EXPECT_FALSE(std::filesystem::exists("taal/Nederlands_Frans.zb")) << bad;
    EXPECT_FALSE(std::filesystem::exists("taal/temp.zb")) << bad;
    EXPECT_EQ(readFile("taal/Frans_Nederlands.zb"), before) << bad;
  }
}

TEST_F(LanguagesTest, ALongNameThatWouldLeaveItsFolderIsRefused) {
  for (const char* line : {"Frans,french,0,../../../outside/x", "Frans,french,0,..", "Frans,french,0,a\\b"})
    expectFatal(std::string(line) + "\nFrans_Nederlands.zb\nNederlands_Frans.zb\n", "Bad long name in LANGUAGE.CF");
  EXPECT_FALSE(std::filesystem::exists("zembo.ini"));
}

TEST_F(LanguagesTest, ALanguageFileWithoutEntriesWarns) {
  writeFile("taal.cf", "# nothing here\n\n");
  registerLanguages();
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].type & MB_ICONMASK, MB_ICONWARNING);
  EXPECT_NE(test::lastMessage().find("no language"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists("zembo.ini"));
}

TEST_F(LanguagesTest, LeftoversOfAnInterruptedInstallAreRemoved) {
  writeFile("zembo.ini.qEzTuE4a", "half");
  writeFile("taal/Nederlands_Frans.zb.oKt5IF0b", "half");
  writeFile("taal/temp.zb", "half");
  install(twoLanguages);
  EXPECT_FALSE(std::filesystem::exists("zembo.ini.qEzTuE4a"));
  EXPECT_FALSE(std::filesystem::exists("taal/Nederlands_Frans.zb.oKt5IF0b"));
  EXPECT_FALSE(std::filesystem::exists("taal/temp.zb"));
  EXPECT_EQ(readWordList("taal/Nederlands_Frans.zb").size(), 2u);
}

}  // namespace
}  // namespace zembo
