#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <sys/stat.h>

#include <filesystem>

#include "addwords/addwords.h"
#include "addwords/addwordswindow.h"
#include "lookup/charsetwindow.h"
#include "platform/messagebox.h"
#include "store/collate.h"
#include "store/sort.h"
#include "store/store.h"
#include "tests/support/dictionaryfixture.h"

namespace zembo {
namespace {

using test::readFile;
using test::readWords;
using test::WordPair;
using test::writeFile;
using test::writeWords;

// The inode of a file: a sort puts a new file in the old one's place.
ino_t inodeOf(const char* path) {
  struct stat s {};
  ::stat(path, &s);
  return s.st_ino;
}

class AddWordsTest : public test::DictionaryTest {
 protected:
  void SetUp() override {
    DictionaryTest::SetUp();
    startRecordingMessageBoxes();
  }
  void TearDown() override {
    stopRecordingMessageBoxes();
    DictionaryTest::TearDown();
  }
  // The sample dictionary, French to English current, with the word files the test wants.
  void openAddWords(const std::vector<WordPair>& french = {}, const std::vector<WordPair>& english = {}) {
    writeSampleDictionary();
    if (!french.empty()) writeWords("language/Fre_Eng.zb", french);
    if (!english.empty()) writeWords("language/Eng_Fre.zb", english);
    ASSERT_EQ(start(), -1);
    mainWindow->command(cmdAddWords, commandClicked);
    window = qobject_cast<AddWordsWindow*>(mainWindow->openToolWindow());
    ASSERT_NE(window, nullptr);
    processEvents();
  }
  // What a user does: the word, the translation and Enter in the translation field.
  void storePair(const char* word, const char* translation) {
    // The sample's code page is 1252, which agrees with Latin-1 on the letters the tests use.
    window->wordField()->setText(QString::fromLatin1(word));
    window->translationField()->setText(QString::fromLatin1(translation));
    QTest::keyClick(window->translationField(), Qt::Key_Return);
  }
  void closeWindow() {
    window->command(cmdDone, commandClicked);
    processEvents();
  }
  static std::vector<WordPair> french() { return readWords("language/Fre_Eng.zb"); }
  static std::vector<WordPair> english() { return readWords("language/Eng_Fre.zb"); }
  static std::vector<std::string> boxTexts() {
    std::vector<std::string> texts;
    for (const RecordedMessageBox& box : recordedMessageBoxes()) texts.push_back(box.text);
    return texts;
  }

  AddWordsWindow* window = nullptr;
};

TEST_F(AddWordsTest, OpensInPlaceOfTheMainWindowWithItsLayout) {
  openAddWords();
  EXPECT_FALSE(mainWindow->isVisible());
  EXPECT_EQ(window->windowTitle(), "Add words");
  EXPECT_EQ(window->client()->size(), QSize(624, 199));
  EXPECT_EQ(window->wordField()->geometry(), QRect(15, 35, 595, 35));
  EXPECT_EQ(window->translationField()->geometry(), QRect(15, 105, 595, 35));
  EXPECT_EQ(window->wordField()->maxLength(), 30);
  EXPECT_EQ(window->translationField()->maxLength(), 50);
  EXPECT_TRUE(window->isMenuItemChecked(cmdCharsetOff));
  EXPECT_TRUE(std::filesystem::is_directory("new"));
  closeWindow();
  EXPECT_TRUE(mainWindow->isVisible());
  EXPECT_EQ(tools.toolWindowOpen, 0);
}

TEST_F(AddWordsTest, ExistingWordShowsItsTranslationAndTypingOnEmptiesIt) {
  openAddWords();
  QTest::keyClicks(window->wordField(), "chat");
  EXPECT_EQ(window->translationField()->text(), "cat");
  QTest::keyClicks(window->wordField(), "s");
  EXPECT_EQ(window->translationField()->text(), "");
  // Enter in the word field goes to the translation field and never into the word.
  QTest::keyClick(window->wordField(), Qt::Key_Backspace);
  QTest::keyClick(window->wordField(), Qt::Key_Return);
  EXPECT_EQ(window->wordField()->text(), "chat");
}

TEST_F(AddWordsTest, BlanksAreTrimmedAndPartsJoinedByCommaAndBlank) {
  openAddWords();
  storePair("  souris ", "mouse ,  rat,,vermin ");
  EXPECT_EQ(window->wordField()->text(), "");
  EXPECT_EQ(window->translationField()->text(), "");
  EXPECT_EQ(adding.newEntryCount, 1);
  closeWindow();
  const auto fr = french();
  ASSERT_EQ(fr.size(), 4u);
  EXPECT_EQ(fr[3], (WordPair{"souris", "mouse, rat, vermin"}));
  const auto en = english();
  ASSERT_EQ(en.size(), 7u);
  EXPECT_EQ(en[4], (WordPair{"mouse", "souris"}));
  EXPECT_EQ(en[5], (WordPair{"rat", "souris"}));
  EXPECT_EQ(en[6], (WordPair{"vermin", "souris"}));
}

TEST_F(AddWordsTest, APasteOfSeveralLinesKeepsItsFirstLine) {
  openAddWords();
  for (QLineEdit* field : {window->wordField(), window->translationField()}) {
    QApplication::clipboard()->setText(field == window->wordField() ? "souris\nrat" : "mouse\r\nrat\n");
    field->setFocus();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
  }
  EXPECT_EQ(window->wordField()->text(), "souris");
  EXPECT_EQ(window->translationField()->text(), "mouse");
  QTest::keyClick(window->translationField(), Qt::Key_Return);
  closeWindow();
  const auto fr = french();
  ASSERT_EQ(fr.size(), 4u);
  EXPECT_EQ(fr[3], (WordPair{"souris", "mouse"}));
}

TEST_F(AddWordsTest, WordInOtherCaseUpdatesTheEntryWithTheNewSpellingAndTheOldFlags) {
  openAddWords({{"chat", "cat"}, {"chien", "dog", 2}, {"maison", "house"}});
  const ino_t before = inodeOf("language/Fre_Eng.zb");
  storePair("Chien", "hound");
  closeWindow();
  EXPECT_EQ(inodeOf("language/Fre_Eng.zb"), before);  // an edit owes no sort
  const auto fr = french();
  ASSERT_EQ(fr.size(), 3u);
  EXPECT_EQ(fr[1], (WordPair{"Chien", "hound", 2}));
  EXPECT_TRUE(readFile("new/French_English.zb").empty());
  const auto en = english();
  ASSERT_EQ(en.size(), 5u);
  EXPECT_EQ(en[3], (WordPair{"hound", "Chien"}));
}

TEST_F(AddWordsTest, ReverseFileGainsNewWordsAndExistingOnesGainTheSourceWord) {
  openAddWords({}, {{"cat", "chat"}, {"dwelling", "demeure"}, {"house", "logis, maison"}});
  storePair("maison", "house,dwelling,home");
  closeWindow();
  EXPECT_EQ(english(),
            (std::vector<WordPair>{
                {"cat", "chat"}, {"dwelling", "demeure, maison"}, {"home", "maison"}, {"house", "logis, maison"}}));
  EXPECT_EQ(french()[2], (WordPair{"maison", "house, dwelling, home"}));
}

TEST_F(AddWordsTest, ReverseTranslationThatWouldPassFiftyCharactersStaysAsItWas) {
  const std::string fortyFive(45, 'x'), fortyFour(44, 'y');
  openAddWords({}, {{"cat", fortyFive}, {"dog", fortyFour}});
  storePair("loup", "cat, dog");
  closeWindow();
  EXPECT_EQ(english(), (std::vector<WordPair>{{"cat", fortyFive}, {"dog", fortyFour + ", loup"}}));
}

// An imported entry may fill several records: the key is looked for in all of them, and goes
// into the first with room.
TEST_F(AddWordsTest, AnEntryOfSeveralRecordsIsReadWhole) {
  const std::string full(46, 'x');
  openAddWords({}, {{"cat", full}, {"cat", "matou"}, {"dog", full}, {"dog", "loup"}, {"dog", "toutou"}});
  storePair("chat", "cat");  // goes into the second record of cat
  storePair("loup", "dog");  // already in the second record of dog: nothing to add
  closeWindow();
  EXPECT_EQ(english(), (std::vector<WordPair>{
                           {"cat", full}, {"cat", "matou, chat"}, {"dog", full}, {"dog", "loup"}, {"dog", "toutou"}}));
}

TEST_F(AddWordsTest, ReversePartLongerThanThirtyCharactersIsSkipped) {
  openAddWords();
  const std::string thirtyOne(31, 'z');
  storePair("loup", ("wolf, " + thirtyOne).c_str());
  closeWindow();
  const auto en = english();
  ASSERT_EQ(en.size(), 5u);
  for (const WordPair& e : en) EXPECT_NE(e.word.substr(0, 5), "zzzzz");
  EXPECT_EQ(french()[2], (WordPair{"loup", "wolf, " + thirtyOne}));
}

TEST_F(AddWordsTest, CommaInTheWordWarnsAndStoresNothing) {
  openAddWords();
  const std::string before = readFile("language/Fre_Eng.zb");
  storePair("chat,chien", "cat");
  EXPECT_EQ(boxTexts(), (std::vector<std::string>{"No comma allowed in this field"}));
  EXPECT_EQ(adding.newEntryCount, 0);
  closeWindow();
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), before);
}

TEST_F(AddWordsTest, BlankFieldsStoreNothingAndABlankFieldIsEmptied) {
  openAddWords();
  storePair("loup", "   ");
  EXPECT_EQ(window->wordField()->text(), "loup");
  EXPECT_EQ(window->translationField()->text(), "");
  storePair("   ", "wolf");
  EXPECT_EQ(window->wordField()->text(), "");
  storePair("", "wolf");
  EXPECT_EQ(adding.newEntryCount, 0);
  closeWindow();
  EXPECT_EQ(french().size(), 3u);
}

TEST_F(AddWordsTest, CounterCountsEditsAsWellAsNewEntries) {
  openAddWords();
  storePair("loup", "wolf");
  storePair("chat", "tomcat");
  EXPECT_EQ(adding.newEntryCount, 2);
  const QImage shot = test::DictionaryTest::grab(window);
  EXPECT_FALSE(shot.isNull());
  test::DictionaryTest::saveGrab(window, "addwords-counter");
}

TEST_F(AddWordsTest, ClosingWithoutStoringSortsNothing) {
  openAddWords();
  const ino_t fr = inodeOf("language/Fre_Eng.zb"), en = inodeOf("language/Eng_Fre.zb");
  closeWindow();
  EXPECT_EQ(inodeOf("language/Fre_Eng.zb"), fr);
  EXPECT_EQ(inodeOf("language/Eng_Fre.zb"), en);
}

TEST_F(AddWordsTest, EditsThatAddNoReverseWordSortNothing) {
  openAddWords();
  const ino_t fr = inodeOf("language/Fre_Eng.zb"), en = inodeOf("language/Eng_Fre.zb");
  storePair("maison", "home");
  closeWindow();
  EXPECT_EQ(inodeOf("language/Fre_Eng.zb"), fr);
  EXPECT_EQ(inodeOf("language/Eng_Fre.zb"), en);
  EXPECT_EQ(french()[2], (WordPair{"maison", "home"}));
}

TEST_F(AddWordsTest, NewEntryWhosePartsAllExistSortsTheCurrentFileOnly) {
  openAddWords();
  const ino_t fr = inodeOf("language/Fre_Eng.zb"), en = inodeOf("language/Eng_Fre.zb");
  storePair("foyer", "home");
  closeWindow();
  EXPECT_NE(inodeOf("language/Fre_Eng.zb"), fr);
  EXPECT_EQ(inodeOf("language/Eng_Fre.zb"), en);
  EXPECT_EQ(french()[2], (WordPair{"foyer", "home"}));
  EXPECT_EQ(english()[2], (WordPair{"home", "maison, foyer"}));
}

TEST_F(AddWordsTest, NewEntriesAreLoggedInOrderAndEditsAreNot) {
  openAddWords();
  storePair("loup", "wolf");
  storePair("chat", "tomcat");
  storePair("abeille", "bee");
  closeWindow();
  const auto log = readWords("new/French_English.zb");
  EXPECT_EQ(log, (std::vector<WordPair>{{"loup", "wolf"}, {"abeille", "bee"}}));
}

TEST_F(AddWordsTest, TranslationTooLongOnceNormalisedKeepsTheFieldsAndStoresNothing) {
  openAddWords();
  const ino_t fr = inodeOf("language/Fre_Eng.zb");
  const std::string fifty = "aaaaaaaa,bbbbbbbb,cccccccc,dddddddd,eeeeeeee,fffff";  // 55 with the blanks
  ASSERT_EQ(fifty.size(), 50u);
  storePair("loup", fifty.c_str());
  EXPECT_EQ(window->wordField()->text(), "loup");
  EXPECT_EQ(window->translationField()->text().toStdString(), fifty);
  ASSERT_EQ(boxTexts().size(), 1u);
  EXPECT_NE(boxTexts()[0].find("50"), std::string::npos);
  EXPECT_EQ(adding.newEntryCount, 0);
  closeWindow();
  EXPECT_EQ(inodeOf("language/Fre_Eng.zb"), fr);
  EXPECT_EQ(french().size(), 3u);
}

TEST_F(AddWordsTest, WordStoredTwiceIsOneEntryCorrectedInPlace) {
  openAddWords();
  storePair("loup", "wolf");
  QTest::keyClicks(window->wordField(), "loup");
  EXPECT_EQ(window->translationField()->text(), "wolf");
  storePair("loup", "wolves");
  storePair("louve", "wolves");
  closeWindow();
  const auto fr = french();
  EXPECT_EQ(fr.size(), 5u);
  EXPECT_EQ(std::count_if(fr.begin(), fr.end(), [](const WordPair& e) { return e.word == "loup"; }), 1);
  EXPECT_EQ(fr[2], (WordPair{"loup", "wolves"}));
  const auto en = english();
  EXPECT_EQ(std::count_if(en.begin(), en.end(), [](const WordPair& e) { return e.word == "wolves"; }), 1);
  EXPECT_EQ(en.back(), (WordPair{"wolves", "loup, louve"}));
  EXPECT_EQ(readWords("new/French_English.zb").size(), 2u);
}

TEST_F(AddWordsTest, FailedResortKeepsTheFilesAndTheOwedSort) {
  openAddWords();
  storePair("loup", "wolf");
  const std::string fr = readFile("language/Fre_Eng.zb"), en = readFile("language/Eng_Fre.zb");
  {
    const test::FileSizeLimit full(200);
    closeWindow();
  }
  EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Sort failed  ", "Sort failed  "}));
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), fr);
  EXPECT_EQ(readFile("language/Eng_Fre.zb"), en);
  EXPECT_EQ(store.needsSort, 1);
  EXPECT_EQ(adding.reverse.needsSort, 1);
  // The next session still finds the unsorted word and sorts both files when it closes.
  mainWindow->command(cmdAddWords, commandClicked);
  window = qobject_cast<AddWordsWindow*>(mainWindow->openToolWindow());
  ASSERT_NE(window, nullptr);
  QTest::keyClicks(window->wordField(), "loup");
  EXPECT_EQ(window->translationField()->text(), "wolf");
  closeWindow();
  EXPECT_EQ(store.needsSort, 0);
  EXPECT_EQ(adding.reverse.needsSort, 0);
  EXPECT_EQ(french()[2].word, "loup");
  EXPECT_EQ(english()[4].word, "wolf");
}

TEST_F(AddWordsTest, ResortsThatFailAtExitAreReportedOnceEach) {
  openAddWords();
  storePair("loup", "wolf");
  {
    const test::FileSizeLimit full(200);
    QTest::keyClick(window->wordField(), Qt::Key_X, Qt::ControlModifier);
  }
  EXPECT_TRUE(mainWindow->destroyed());
  EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Sort failed  ", "Sort failed  "}));
}

TEST_F(AddWordsTest, FailedResortIsTriedAgainByTheSearchWindow) {
  openAddWords();
  storePair("loup", "wolf");
  {
    const test::FileSizeLimit full(200);
    closeWindow();
  }
  ASSERT_EQ(store.needsSort, 1);
  mainWindow->command(cmdSearch, commandClicked);
  ToolWindow* search = mainWindow->openToolWindow();
  ASSERT_NE(search, nullptr);
  search->finish();
  processEvents();
  EXPECT_EQ(store.needsSort, 0);
  EXPECT_EQ(french()[2].word, "loup");
}

// The text-file window only reads the word file: opening it must not drop the sort that a failed
// re-sort still owes, or the next lookups bisect past the added word.
TEST_F(AddWordsTest, TextFileWindowKeepsTheSortAFailedResortOwes) {
  openAddWords();
  storePair("loup", "wolf");
  {
    const test::FileSizeLimit full(200);
    closeWindow();
  }
  mainWindow->command(cmdTextFileSearch, commandClicked);
  ToolWindow* text = mainWindow->openToolWindow();
  ASSERT_NE(text, nullptr);
  text->finish();
  processEvents();
  mainWindow->command(cmdAddWords, commandClicked);
  window = qobject_cast<AddWordsWindow*>(mainWindow->openToolWindow());
  ASSERT_NE(window, nullptr);
  QTest::keyClicks(window->wordField(), "loup");
  EXPECT_EQ(window->translationField()->text(), "wolf");
  closeWindow();
  EXPECT_EQ(french()[2].word, "loup");
  EXPECT_EQ(english()[4].word, "wolf");
}

TEST_F(AddWordsTest, FailedResortIsTriedAgainBeforeTheDirectionChangesOrTheProgramEnds) {
  for (const bool exiting : {false, true}) {
    SCOPED_TRACE(exiting ? "exit" : "direction change");
    openAddWords();
    storePair(exiting ? "ours" : "loup", exiting ? "bear" : "wolf");
    {
      const test::FileSizeLimit full(200);
      closeWindow();
    }
    ASSERT_EQ(store.needsSort, 1);
    if (exiting) {
      exitProgram();
    } else {
      mainWindow->command(firstLanguageId + 1, commandClicked);
      processEvents();
    }
    EXPECT_EQ(store.needsSort, 0);
    EXPECT_EQ(adding.reverse.needsSort, 0);
    const std::vector<WordPair> fr = french();
    for (std::size_t i = 1; i < fr.size(); ++i) EXPECT_LT(fr[i - 1].word, fr[i].word);
    const std::vector<WordPair> en = english();
    for (std::size_t i = 1; i < en.size(); ++i) EXPECT_LT(en[i - 1].word, en[i].word);
    if (!exiting) {
      mainWindow->command(firstLanguageId, commandClicked);
      processEvents();
    }
  }
}

TEST_F(AddWordsTest, EveryStoredWordIsFoundInBothDirectionsAfterTheResort) {
  openAddWords();
  const std::vector<std::pair<const char*, const char*>> pairs = {{"z\xE8"
                                                                   "bre",
                                                                   "zebra"},
                                                                  {"abeille", "bee"},
                                                                  {"Loup", "wolf, wolves"},
                                                                  {"cheval", "horse, steed"},
                                                                  {"chat", "cat, puss"}};
  for (const auto& [w, t] : pairs) storePair(w, t);
  closeWindow();
  for (const auto& [w, t] : pairs) {
    WordRecord record;
    readWordRecord(findWord(w), record);
    EXPECT_EQ(std::string(wordOf(record)), std::string(w));
  }
  WordFile reverse;
  ASSERT_EQ(openWordFile(reverse, *adding.reverse.direction, store.collation), 0);
  for (const char* w : {"zebra", "bee", "wolf", "wolves", "horse", "steed", "cat", "puss"}) {
    WordRecord record;
    readWordRecord(reverse, findWord(reverse, w), record);
    EXPECT_EQ(std::string(wordOf(record)), std::string(w));
  }
  closeWordFile(reverse);
}

TEST_F(AddWordsTest, CharacterSetWindowSwitchesSidesWithTheFocus) {
  writeFile("language.ini", "[Dictionary]\nLanguage=english\n");
  writeFile("dict.ini", "[language]\nRussian,russian,204\n\n[selected]\nRus_Eng.zb\n");
  writeWords("language/Rus_Eng.zb", {{"\xE4\xEE\xEC", "house"}});
  writeWords("language/Eng_Rus.zb", {{"house", "\xE4\xEE\xEC"}});
  ASSERT_EQ(start(), -1);
  mainWindow->command(cmdAddWords, commandClicked);
  window = qobject_cast<AddWordsWindow*>(mainWindow->openToolWindow());
  ASSERT_NE(window, nullptr);
  window->command(cmdCharsetOn, commandClicked);
  EXPECT_EQ(charsets.charsetLanguage, "Russian");
  window->command(idNewTranslationField, fieldGotFocus);
  EXPECT_EQ(charsets.charsetCode, 0);
  EXPECT_EQ(charsets.charsetLanguage, "English");
  EXPECT_NE(charsets.charsetWindow.data(), nullptr);
  EXPECT_EQ(charsets.charsetReceiver.data(), window->translationField());
  window->command(idNewWordField, fieldGotFocus);
  EXPECT_EQ(charsets.charsetCode, 204);
  EXPECT_EQ(charsets.charsetLanguage, "Russian");
  EXPECT_EQ(charsets.charsetReceiver.data(), window->wordField());
  closeWindow();
  EXPECT_EQ(charsets.charsetWindow.data(), nullptr);
}

}  // namespace
}  // namespace zembo
