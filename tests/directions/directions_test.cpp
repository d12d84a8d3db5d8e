#include "directions/directions.h"

#include <string>
#include <vector>

#include "platform/messagebox.h"
#include "resources/uilanguage.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

using test::readFile;
using test::writeFile;

class DirectionsTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    resetUiLanguageState();
    resetDirectionState();
    setUiBase(500);
  }
  void TearDown() override {
    resetDirectionState();
    resetUiLanguageState();
    TempDirTest::TearDown();
  }
  std::vector<DictionaryDirection*> list() {
    std::vector<DictionaryDirection*> all;
    for (DictionaryDirection* d = directions.directionList; d; d = d->next) all.push_back(d);
    return all;
  }
};

TEST_F(DirectionsTest, OnePairGivesForwardDirectionAndTwin) {
  writeFile("tables/French.stb", std::string(256, '\2'));
  writeFile("dict.ini", "[language]\nFrench,french,0\n\n[selected]\nnone.zb\n");
  ASSERT_EQ(loadDirections(), 0);
  const auto all = list();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(directions.directionCount, 2);
  const DictionaryDirection& f = *all[0];
  const DictionaryDirection& r = *all[1];
  EXPECT_STREQ(f.sourceName, "French");
  EXPECT_STREQ(f.targetName, "English");
  EXPECT_STREQ(f.wordFileName, "Fre_Eng.zb");
  EXPECT_STREQ(f.listFileName, "Fre_Eng.ls");
  EXPECT_STREQ(f.sourceIconName, "Fre.ico");
  EXPECT_STREQ(f.targetIconName, "Eng.ico");
  EXPECT_STREQ(f.localeName, "french");
  EXPECT_EQ(f.hasSortTable, 1);
  EXPECT_STREQ(r.sourceName, "English");
  EXPECT_STREQ(r.targetName, "French");
  EXPECT_STREQ(r.wordFileName, "Eng_Fre.zb");
  EXPECT_STREQ(r.listFileName, "Eng_Fre.ls");
  EXPECT_STREQ(r.sourceIconName, "Eng.ico");
  EXPECT_STREQ(r.targetIconName, "Fre.ico");
  EXPECT_STREQ(r.localeName, "english");
  EXPECT_EQ(r.hasSortTable, 0);  // no tables\English.stb
  EXPECT_EQ(directions.currentDirection, &r);
  EXPECT_STREQ(activeWordFileName(&f), "Fre_Eng.zb");
}

TEST_F(DirectionsTest, FieldDefaultsAndStrtokSeparators) {
  writeFile("dict.ini", "[language]\nGerman\nFrench,,0\nRussian,,,russian,,204\nSpanish,spanish,0,,Castilian,extra\n");
  ASSERT_EQ(loadDirections(), 0);
  const auto all = list();
  ASSERT_EQ(all.size(), 8u);
  EXPECT_STREQ(all[0]->localeName, "english");
  EXPECT_EQ(all[0]->sourceCharset, 0);
  // Two commas in a row are one separator: "0" becomes the locale name.
  EXPECT_STREQ(all[1]->localeName, "0");
  EXPECT_EQ(all[1]->sourceCharset, 0);
  EXPECT_STREQ(all[2]->localeName, "russian");
  EXPECT_EQ(all[2]->sourceCharset, 204);
  EXPECT_STREQ(all[2]->longName, "");
  EXPECT_STREQ(all[3]->longName, "Castilian");
  EXPECT_STREQ(all[3]->sourceName, "Castilian");
}

TEST_F(DirectionsTest, CyrillicCharsetGoesToTheTwinsTarget) {
  writeFile("dict.ini", "[language]\nRussian,russian,204\n");
  ASSERT_EQ(loadDirections(), 0);
  EXPECT_EQ(directions.directionList->sourceCharset, 204);
  EXPECT_EQ(directions.directionList->targetCharset, 0);
  EXPECT_EQ(directions.directionList->next->targetCharset, 204);
  EXPECT_EQ(directions.directionList->next->sourceCharset, 0);
}

TEST_F(DirectionsTest, LongNameGivesLongFileNamesButShortNamesFromFieldOne) {
  writeFile("dict.ini", "[language]\nPortuguese,portuguese,0,Brazilian\n");
  ASSERT_EQ(loadDirections(), 0);
  const DictionaryDirection& f = *directions.directionList;
  const DictionaryDirection& r = *directions.directionList->next;
  EXPECT_STREQ(f.sourceName, "Brazilian");
  EXPECT_STREQ(f.wordFileName, "Por_Eng.zb");
  EXPECT_STREQ(f.longWordFileName, "Brazilian_English.zb");
  EXPECT_STREQ(f.longListFileName, "Brazilian_English.ls");
  EXPECT_STREQ(f.longSourceIconName, "Brazilian.ico");
  EXPECT_STREQ(f.longTargetIconName, "English.ico");
  EXPECT_STREQ(activeWordFileName(&f), "Brazilian_English.zb");
  EXPECT_STREQ(activeListFileName(&f), "Brazilian_English.ls");
  EXPECT_STREQ(r.wordFileName, "Eng_Por.zb");
  EXPECT_STREQ(activeWordFileName(&r), "English_Brazilian.zb");
  EXPECT_STREQ(activeSourceIconName(&r), "English.ico");
  EXPECT_STREQ(activeTargetIconName(&r), "Brazilian.ico");
}

TEST_F(DirectionsTest, LongNameThatWouldLeaveItsFolderSkipsItsLineWithAWarning) {
  writeFile("dict.ini",
            "[language]\nFrench,french,0,../../../outside/x\nGerman,german,0,sub\\x\nDutch,dutch,0,..\n"
            "Italian,italian,0,  \t\nSpanish,spanish,0,Castellano\n");
  ASSERT_EQ(loadDirections(), 0);
  ASSERT_EQ(list().size(), 2u);
  EXPECT_STREQ(directions.directionList->sourceName, "Castellano");
  EXPECT_STREQ(activeWordFileName(directions.directionList->next), "English_Castellano.zb");
  ASSERT_EQ(recordedMessageBoxes().size(), 4u);
  EXPECT_NE(recordedMessageBoxes()[0].text.find("French,french,0,../../../outside/x"), std::string::npos);
  EXPECT_NE(recordedMessageBoxes()[3].text.find("Italian"), std::string::npos);
  EXPECT_EQ(recordedMessageBoxes()[0].type, MB_OK | MB_ICONWARNING);
}

TEST_F(DirectionsTest, OnlyRefusedLongNamesLeaveNoDirection) {
  writeFile("dict.ini", "[language]\nFrench,french,0,../x\n");
  EXPECT_EQ(loadDirections(), -1);
  EXPECT_EQ(directions.directionList, nullptr);
}

TEST_F(DirectionsTest, SeparatorOrCommentHidesThePairs) {
  writeFile("dict.ini", "[language]\n\nFrench,french,0\n");
  EXPECT_EQ(loadDirections(), -1);
  writeFile("dict.ini", "[language]\n# pairs\nFrench,french,0\n");
  EXPECT_EQ(loadDirections(), -1);
  EXPECT_EQ(directions.directionList, nullptr);
  writeFile("dict.ini", "");
  EXPECT_EQ(loadDirections(), -1);
  std::filesystem::remove("dict.ini");
  EXPECT_EQ(loadDirections(), -1);
}

TEST_F(DirectionsTest, HeaderIsRecognisedAfterTheLineWasTakenAsMember) {
  // Without a separator, the [selected] header and its value become language lines too.
  writeFile("dict.ini", "[LANGUAGE]\r\nFrench,french,0\r\n[selected]\r\nFre_Eng.zb\r\n");
  ASSERT_EQ(loadDirections(), 0);
  EXPECT_EQ(directions.directionCount, 6);
  EXPECT_STREQ(directions.directionList->next->sourceName, "[selected]");
  // CR LF line ends are read as line ends: no CR in any name.
  EXPECT_STREQ(directions.directionList->sourceName, "French");
  EXPECT_STREQ(directions.directionList->localeName, "french");
}

TEST_F(DirectionsTest, LongLinesAreReadInPiecesOf99) {
  const std::string longLine = "Swahili,swahili,0," + std::string(81, 'x') + "tail";  // 103 characters
  writeFile("dict.ini", "[language]\n" + longLine + "\n");
  ASSERT_EQ(loadDirections(), 0);
  ASSERT_EQ(directions.directionCount, 4);
  EXPECT_EQ(std::string(directions.directionList->longName), std::string(81, 'x'));
  EXPECT_STREQ(directions.directionList->next->sourceName, "tail");
}

TEST_F(DirectionsTest, SameFirstThreeLettersShareTheFiles) {
  writeFile("dict.ini", "[language]\nNorwegian,norwegian,0\nNordic,norwegian,0\n");
  ASSERT_EQ(loadDirections(), 0);
  EXPECT_STREQ(directions.directionList->wordFileName, directions.directionList->next->wordFileName);
  EXPECT_STREQ(directions.directionList->listFileName, "Nor_Eng.ls");
}

TEST_F(DirectionsTest, SelectedLineChoosesTheStartDirectionWithoutRegardToCase) {
  writeFile("dict.ini", "[language]\nFrench,french,0\nGerman,german,0\n\n[Selected]\nnothing.zb\neng_GER.ZB\n");
  ASSERT_EQ(loadDirections(), 0);
  ASSERT_EQ(readSelectedDirection(), 0);
  EXPECT_STREQ(directions.currentDirection->wordFileName, "Eng_Ger.zb");
  EXPECT_EQ(directions.currentDirection->selected, 1);
  for (const auto* d : list()) EXPECT_EQ(d->selected, d == directions.currentDirection ? 1 : 0);
}

TEST_F(DirectionsTest, UnmatchedSelectionLeavesTheFirstTwin) {
  writeFile("dict.ini", "[language]\nFrench,french,0\n\n[selected]\nXyz.zb\n");
  ASSERT_EQ(loadDirections(), 0);
  ASSERT_EQ(readSelectedDirection(), 0);
  EXPECT_STREQ(directions.currentDirection->wordFileName, "Eng_Fre.zb");
  EXPECT_EQ(directions.currentDirection->selected, 0);
}

TEST_F(DirectionsTest, RecordingRewritesOnlyTheLineAfterTheHeader) {
  const std::string before =
      "# my dictionary\r\n[language]\r\nFrench,french,0\r\nGerman,german,0\r\n\r\n"
      "[selected]\r\nFre_Eng.zb\r\n\r\n[AddNew]\r\non\r\n";
  writeFile("dict.ini", before);
  ASSERT_EQ(loadDirections(), 0);
  setCurrentDirection(directions.directionList->next->next->next);  // English to German
  ASSERT_EQ(recordSelectedDirection(), 0);
  std::string after = before;
  after.replace(after.find("Fre_Eng.zb"), 10, "Eng_Ger.zb");
  EXPECT_EQ(readFile("dict.ini"), after);
  EXPECT_FALSE(std::filesystem::exists("tmp.ini"));
  ASSERT_EQ(readSelectedDirection(), 0);
  EXPECT_STREQ(directions.currentDirection->wordFileName, "Eng_Ger.zb");
}

// A NUL byte is a byte like any other: its line and the line end after it stay.
TEST_F(DirectionsTest, RecordingKeepsNulBytesInEveryOtherLine) {
  using namespace std::string_literals;
  const std::string before =
      "# my\0dictionary\r\n[language]\nFrench,french,0\n\0\n\n"
      "[selected]\nFre_Eng.zb\n\n[AddNew]\non\0off\n"s;
  writeFile("dict.ini", before);
  ASSERT_EQ(loadDirections(), 0);
  setCurrentDirection(directions.directionList->next);  // English to French
  ASSERT_EQ(recordSelectedDirection(), 0);
  std::string after = before;
  after.replace(after.find("Fre_Eng.zb"), 10, "Eng_Fre.zb");
  EXPECT_EQ(readFile("dict.ini"), after);
}

TEST_F(DirectionsTest, HeaderOnTheLastLineGetsNoValue) {
  writeFile("dict.ini", "[language]\nFrench,french,0\n\n[selected]");
  ASSERT_EQ(loadDirections(), 0);
  setCurrentDirection(directions.directionList);
  ASSERT_EQ(recordSelectedDirection(), 0);
  EXPECT_EQ(readFile("dict.ini"), "[language]\nFrench,french,0\n\n[selected]");
}

TEST_F(DirectionsTest, FailedRecordingLeavesTheFileAsItWas) {
  writeFile("dict.ini", "[language]\nFrench,french,0\n\n[selected]\nFre_Eng.zb\n");
  ASSERT_EQ(loadDirections(), 0);
  {
    const test::FileSizeLimit full(0);  // the new version cannot be written
    EXPECT_EQ(recordSelectedDirection(), -1);
  }
  EXPECT_EQ(readFile("dict.ini"), "[language]\nFrench,french,0\n\n[selected]\nFre_Eng.zb\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 1);
  std::filesystem::remove("dict.ini");
  EXPECT_EQ(recordSelectedDirection(), -1);
  EXPECT_TRUE(std::filesystem::is_empty("."));
}

TEST_F(DirectionsTest, RecordingFollowsNoPlantedLinkAndKeepsThePermissions) {
  writeFile("dict.ini", "[language]\nFrench,french,0\n\n[selected]\nFre_Eng.zb\n");
  writeFile("precious", "keep me");
  std::filesystem::create_symlink("precious", "tmp.ini");
  std::filesystem::permissions("dict.ini", std::filesystem::perms(0444));
  ASSERT_EQ(loadDirections(), 0);
  setCurrentDirection(directions.directionList->next);  // English to French
  ASSERT_EQ(recordSelectedDirection(), 0);
  EXPECT_EQ(readFile("precious"), "keep me");
  EXPECT_TRUE(std::filesystem::is_symlink("tmp.ini"));
  EXPECT_FALSE(std::filesystem::is_symlink("dict.ini"));
  EXPECT_EQ(readFile("dict.ini"), "[language]\nFrench,french,0\n\n[selected]\nEng_Fre.zb\n");
  EXPECT_EQ(std::filesystem::status("dict.ini").permissions(), std::filesystem::perms(0444));
}

TEST_F(DirectionsTest, OtherEditionsUseTheirOwnFileSectionsAndLanguageName) {
  setUiBase(1500);  // Dutch
  writeFile("zembo.ini", "[taal]\nEngels,english,0,Engels\n\n[selected]\nEngels_Nederlands.zb\n");
  ASSERT_EQ(loadDirections(), 0);
  ASSERT_EQ(readSelectedDirection(), 0);
  EXPECT_EQ(directions.currentDirection, directions.directionList);
  EXPECT_STREQ(directions.directionList->wordFileName, "Eng_Ned.zb");
  EXPECT_STREQ(directions.directionList->next->localeName, "dutch");
  EXPECT_STREQ(activeWordFileName(directions.directionList->next), "Nederlands_Engels.zb");
  setUiBase(700);  // French: the [selected] header is "[selectionné]" in Windows-1252
  writeFile("dict.ini", "[langue]\nAnglais,english,0\n\n[selectionn\xE9]\nFra_Ang.zb\n");
  ASSERT_EQ(loadDirections(), 0);
  ASSERT_EQ(readSelectedDirection(), 0);
  EXPECT_STREQ(directions.currentDirection->sourceName,
               "Fran\xE7"
               "ais");
}

}  // namespace
}  // namespace zembo
