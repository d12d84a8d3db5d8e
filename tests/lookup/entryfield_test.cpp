#include <fcntl.h>
#include <unistd.h>

#include <QClipboard>
#include <QElapsedTimer>
#include <QMenu>

#include <cstring>

#include "lookup/soundfiles.h"
#include "platform/messagebox.h"
#include "store/sort.h"
#include "tests/lookup/lookupfixture.h"

namespace zembo {
namespace {

using test::readWords;
using test::WordPair;

class EntryFieldTest : public test::SearchTest {
 protected:
  void SetUp() override {
    SearchTest::SetUp();
    openSearch({{"chat", "cat"}, {"chien", "dog"}, {"maison", "house, home"}});
  }
  // Whether the row's menu offers Play, as a right click leaves it.
  bool playOffered(EntryField* field) {
    menusOpenedBy([&] { rightClick(field, QPoint(30, 12)); });
    for (QAction* item : search->recordMenu()->actions())
      if (item->data().toInt() == cmdPlay) return item->isEnabled();
    ADD_FAILURE() << "no Play in the row's menu";
    return false;
  }
};

TEST_F(EntryFieldTest, DeleteMarksTheRecordAndOwesASort) {
  search->translationField(1)->command(cmdDeleteRecord);
  EXPECT_EQ(readWords("language/Fre_Eng.zb")[1].flags, 1);
  EXPECT_EQ(rowWord(1), "DELETED");
  EXPECT_EQ(rowTranslation(1), "DELETED");
  EXPECT_EQ(store.needsSort, 1);
}

// The same file with "chien" stored as deleted.
class DeletedEntryFieldTest : public test::SearchTest {
 protected:
  void SetUp() override {
    SearchTest::SetUp();
    openSearch({{"chat", "cat"}, {"chien", "dog", 1}, {"maison", "house, home"}});
  }
};

TEST_F(DeletedEntryFieldTest, RestoreFollowsTheStoredFlagsAndOwesASort) {
  EXPECT_EQ(rowWord(1), "DELETED");
  search->wordField(1)->command(cmdDeleteRecord);
  EXPECT_EQ(readWords("language/Fre_Eng.zb")[1].flags, 0);
  EXPECT_EQ(rowWord(1), "chien");
  EXPECT_EQ(rowTranslation(1), "dog");
  EXPECT_EQ(store.needsSort, 1);
}

TEST_F(DeletedEntryFieldTest, EnterOnADeletedRecordStoresNothing) {
  const std::string deleted = test::readFile("language/Fre_Eng.zb");
  search->translationField(1)->setText("puppy");
  search->translationField(1)->storeOnEnter();
  EXPECT_EQ(rowTranslation(1), "DELETED");
  EXPECT_EQ(test::readFile("language/Fre_Eng.zb"), deleted);
  EXPECT_EQ(store.needsSort, 0);
}

TEST_F(EntryFieldTest, EnterStoresBothFieldsButOnlyAWordChangeOwesASort) {
  search->translationField(0)->setText("tomcat");
  QTest::keyClick(search->translationField(0), Qt::Key_Return);
  EXPECT_EQ(readWords("language/Fre_Eng.zb")[0].translation, "tomcat");
  EXPECT_EQ(store.needsSort, 0);
  search->wordField(2)->setText("logis");
  search->translationField(2)->setText("dwelling");
  QTest::keyClick(search->wordField(2), Qt::Key_Return);
  const auto words = readWords("language/Fre_Eng.zb");
  EXPECT_EQ(words[2].word, "logis");
  EXPECT_EQ(words[2].translation, "dwelling");
  EXPECT_EQ(store.needsSort, 1);
}

TEST_F(EntryFieldTest, LongTextIsCutToTheRecordsFields) {
  search->wordField(0)->setText(QString(40, 'a'));
  search->translationField(0)->setText(QString(60, 'b'));
  search->wordField(0)->storeOnEnter();
  const auto words = readWords("language/Fre_Eng.zb");
  EXPECT_EQ(words[0].word, std::string(30, 'a'));
  EXPECT_EQ(words[0].translation, std::string(50, 'b'));
}

TEST_F(EntryFieldTest, EmptyTextStoresNothing) {
  const std::string before = test::readFile("language/Fre_Eng.zb");
  search->wordField(0)->setText("");
  search->wordField(0)->storeOnEnter();
  EXPECT_EQ(rowWord(0), "chat");  // the stored word again
  EXPECT_EQ(test::readFile("language/Fre_Eng.zb"), before);
  EXPECT_EQ(store.needsSort, 0);
}

TEST_F(EntryFieldTest, RowsWithoutARecordNeverWriteOne) {
  const std::string before = test::readFile("language/Fre_Eng.zb");
  search->wordField(5)->setText("nouveau");
  search->wordField(5)->storeOnEnter();
  search->wordField(3)->command(cmdDeleteRecord);
  search->translationField(9)->storeOnEnter();
  EXPECT_EQ(test::readFile("language/Fre_Eng.zb"), before);
  EXPECT_EQ(store.needsSort, 0);
}

TEST_F(EntryFieldTest, CopyAndPasteGoThroughTheClipboardWithoutStoring) {
  search->translationField(2)->command(cmdCopy);
  EXPECT_EQ(QApplication::clipboard()->text(), "house, home");
  QApplication::clipboard()->setText("pasted");
  search->wordField(0)->command(cmdPaste);
  EXPECT_EQ(rowWord(0), "pasted");
  search->wordField(1)->setFocus();
  EXPECT_EQ(readWords("language/Fre_Eng.zb")[0].word, "chat");
  search->wordField(4)->command(cmdCopy);  // an empty field copies an empty text
  EXPECT_EQ(QApplication::clipboard()->text(), "");
}

// Text of several lines pasted into a row keeps its first line, wherever it goes into the field
// and however it is pasted, so that no record ever holds a line break.
TEST_F(EntryFieldTest, APasteOfSeveralLinesKeepsItsFirstLine) {
  struct Case {
    int row;
    bool translation;
    const char* pasted;
    int cursor;         // where the paste goes; -1: over the whole text, by the row's menu
    const char* field;  // what the field shows, and Enter stores
  };
  const Case cases[] = {
      {0, false, "ligne un\nligne deux", 4, "chatligne un"},
      {0, true, "mouse\r\nrat", 0, "mousecat"},
      {1, false, "un\u2028deux", 2, "chunien"},
      {1, true, "hound\nmutt\ncur", -1, "hound"},
      {2, false, "\nlogis", -1, ""},  // nothing on the first line: Enter stores nothing
  };
  for (const Case& c : cases) {
    EntryField* field = c.translation ? search->translationField(c.row) : search->wordField(c.row);
    QApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
    if (c.cursor < 0) {
      field->command(cmdPaste);
    } else {
      field->setFocus();
      field->setCursorPosition(c.cursor);
      QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    }
    EXPECT_EQ(field->text().toStdString(), c.field) << c.pasted;
    QTest::keyClick(field, Qt::Key_Return);
  }
  const auto words = readWords("language/Fre_Eng.zb");
  ASSERT_EQ(words.size(), 3u);
  const std::pair<const char*, const char*> stored[] = {
      {"chatligne un", "mousecat"}, {"chunien", "hound"}, {"maison", "house, home"}};
  for (std::size_t i = 0; i < words.size(); ++i) {
    EXPECT_EQ(words[i].word, stored[i].first);
    EXPECT_EQ(words[i].translation, stored[i].second);
  }
}

TEST_F(EntryFieldTest, AccentedTextIsStoredInTheCodePage) {
  search->translationField(0)->setText("matou, félin");
  search->translationField(0)->storeOnEnter();
  EXPECT_EQ(readWords("language/Fre_Eng.zb")[0].translation, "matou, f\xE9lin");
  search->wordField(1)->setText("Жчён");  // not in Windows-1252
  search->wordField(1)->storeOnEnter();
  EXPECT_EQ(readWords("language/Fre_Eng.zb")[1].word, "????");
}

TEST(SoundFiles, TranslationTokensKeepEmptyOnesBetweenCommas) {
  EXPECT_EQ(translationTokens("house, home"), (std::vector<std::string>{"house", "home"}));
  EXPECT_EQ(translationTokens("one, , two"), (std::vector<std::string>{"one", "", "two"}));
  EXPECT_EQ(translationTokens("  lone  "), (std::vector<std::string>{"lone"}));
  EXPECT_EQ(translationTokens(""), (std::vector<std::string>{""}));
}

TEST(SoundFiles, PathsStayInsideTheLanguagesFolder) {
  EXPECT_EQ(soundFilePath("French", "\xE9t\xE9", 0).string(), "sound/French/été.wav");
  EXPECT_EQ(soundFilePath("Russian", "\xE4\xE0", 204).string(), "sound/Russian/да.wav");
  EXPECT_EQ(soundFilePath("French", "", 0).string(), "sound/French/.wav");
  EXPECT_TRUE(soundFilePath("French", "../../etc/passwd", 0).empty());
  EXPECT_TRUE(soundFilePath("French", "a/b", 0).empty());
  EXPECT_TRUE(soundFilePath("French", "a\\b", 0).empty());
  EXPECT_TRUE(soundFilePath("..", "word", 0).empty());
}

TEST_F(EntryFieldTest, PlayIsOfferedOnlyForWordsWithARecording) {
  EXPECT_FALSE(soundFileExists("French", "chat", 0));
  test::writeFile("sound/French/chat.wav", "RIFF");
  test::writeFile("sound/English/home.wav", "RIFF");
  EXPECT_TRUE(soundFileExists("French", "chat", 0));
  EXPECT_TRUE(soundFileExists("English", "home", 0));
  EXPECT_EQ(search->translationField(2)->language(), "English");
  EXPECT_EQ(search->wordField(2)->language(), "French");
}

TEST_F(EntryFieldTest, PlayIsOfferedForEveryWordOfALanguageWithAVoice) {
  EXPECT_TRUE(playOffered(search->wordField(0)));         // "chat": French has a voice
  EXPECT_TRUE(playOffered(search->translationField(2)));  // "house, home"
  EXPECT_FALSE(playOffered(search->wordField(5)));        // a row without a word
  // A language the voices do not know keeps Play for its recordings only.
  std::strcpy(directions.currentDirection->sourceName, "Klingon");
  EXPECT_FALSE(playOffered(search->wordField(0)));
  test::writeFile("sound/Klingon/chat.wav", "RIFF");
  EXPECT_TRUE(playOffered(search->wordField(0)));
  EXPECT_FALSE(playOffered(search->wordField(1)));
}

TEST_F(EntryFieldTest, WithSpeechOffPlayIsOfferedOnlyForRecordings) {
  setSpeakWords(false);
  EXPECT_FALSE(playOffered(search->wordField(0)));
  EXPECT_FALSE(playOffered(search->translationField(2)));
  test::writeFile("sound/English/home.wav", "RIFF");
  EXPECT_TRUE(playOffered(search->translationField(2)));
  setSpeakWords(true);
  EXPECT_TRUE(playOffered(search->wordField(0)));
}

TEST_F(EntryFieldTest, PlayReturnsWhenTheSoundsHaveEndedOrAtOnceWithoutADevice) {
  std::filesystem::create_directories("sound/English");
  std::filesystem::copy_file(std::filesystem::path(ZEMBO_SAMPLE_DIR) / "sound/English/house.wav",
                             "sound/English/house.wav");
  std::filesystem::copy_file(std::filesystem::path(ZEMBO_SAMPLE_DIR) / "sound/English/home.wav",
                             "sound/English/home.wav");
  QElapsedTimer timer;
  timer.start();
  search->translationField(2)->command(cmdPlay);  // "house, home": both, one after the other
  EXPECT_LT(timer.elapsed(), 10000);
  search->wordField(2)->command(cmdPlay);  // no recording of "maison": nothing
  EXPECT_EQ(rowTranslation(2), "house, home");
}

TEST_F(EntryFieldTest, RightPressShowsOnlyTheRowsOwnMenu) {
  for (EntryField* field : {search->wordField(0), search->translationField(1), search->wordField(7)}) {
    const auto menus = menusOpenedBy([&] { rightClick(field, QPoint(30, 12)); });
    ASSERT_EQ(menus.size(), 1u) << field->row();
    EXPECT_EQ(menus[0], "Delete record");
  }
  search->wordField(2)->command(cmdDeleteRecord);
  const auto menus = menusOpenedBy([&] { rightClick(search->translationField(2)); });
  EXPECT_EQ(menus, std::vector<std::string>{"Restore record"});
  // Neither the key for menus opens the field's standard one.
  const auto byKey = menusOpenedBy([&] { QTest::keyClick(search->wordField(0), Qt::Key_Menu); });
  EXPECT_TRUE(byKey.empty());
}

// The word file stays readable while every write to it fails, as on a disk that went bad.
void makeWordFileWritesFail() {
  const int readOnly = ::open("language/Fre_Eng.zb", O_RDONLY);
  ASSERT_GE(readOnly, 0);
  ASSERT_GE(::dup2(readOnly, store.wordFile), 0);
  ::close(readOnly);
}

TEST_F(EntryFieldTest, FailedWriteSaysSoAndTheRowShowsWhatIsOnDisk) {
  const std::string before = test::readFile("language/Fre_Eng.zb");
  makeWordFileWritesFail();
  startRecordingMessageBoxes();
  search->wordField(0)->setText("matou");
  search->translationField(0)->setText("tomcat");
  search->wordField(0)->storeOnEnter();
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_NE(recordedMessageBoxes()[0].text.find("could not be saved"), std::string::npos);
  EXPECT_EQ(rowWord(0), "chat");
  EXPECT_EQ(rowTranslation(0), "cat");
  EXPECT_EQ(store.needsSort, 0);
  search->translationField(1)->setText("puppy");
  search->translationField(1)->storeOnEnter();
  EXPECT_EQ(rowTranslation(1), "dog");
  search->translationField(2)->command(cmdDeleteRecord);
  EXPECT_EQ(recordedMessageBoxes().size(), 3u);
  EXPECT_EQ(rowWord(2), "maison");
  EXPECT_EQ(rowTranslation(2), "house, home");
  EXPECT_EQ(store.needsSort, 0);
  EXPECT_EQ(test::readFile("language/Fre_Eng.zb"), before);
  stopRecordingMessageBoxes();
}

}  // namespace
}  // namespace zembo
