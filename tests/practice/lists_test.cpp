#include <QMenu>

#include <sys/stat.h>

#include "platform/asciicase.h"
#include "platform/profile.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "tests/practice/practicefixture.h"

namespace zembo {
namespace {

using test::readFile;
using test::readWords;
using test::WordPair;
using test::writeFile;
namespace fs = std::filesystem;

class ListsTest : public test::PracticeTest {};

const std::vector<WordPair> three = {{"chat", "cat"}, {"chien", "dog", 1}, {"maison", "house"}};

std::vector<std::string> menuTexts(QMenu* menu) {
  std::vector<std::string> texts;
  if (menu)
    for (QAction* item : menu->actions()) texts.push_back(item->text().toStdString());
  return texts;
}

TEST_F(ListsTest, DotFoldersCountButAreNeverLists) {
  writeSampleDictionary();
  fs::create_directories("list/a");
  fs::create_directories("list/.b");
  startRecordingMessageBoxes();
  ASSERT_EQ(start(), -1);
  EXPECT_EQ(countListFolders(), 4);
  EXPECT_EQ(store.namedListCount, 2);
  EXPECT_STREQ(store.practiceListName, "a");
  ASSERT_NE(openEditor(), nullptr);
  EXPECT_EQ(menuTexts(editor->listsMenu()), std::vector<std::string>{"a"});
  EXPECT_TRUE(editor->listsMenu()->actions()[0]->isChecked());
}

TEST_F(ListsTest, ASavedListDeletedByHandFallsBackToTheFirstList) {
  writeFile("win.ini", "[Dictionary]\nPracticeList=gone\nListID=402\n");
  startWith({{"verbs", three}});
  EXPECT_STREQ(store.practiceListName, "verbs");
  EXPECT_EQ(lists.listId, firstListId);
  EXPECT_EQ(store.listCount, 3);
  exitProgram();
  char saved[150];
  readProfileString("Dictionary", "PracticeList", "", saved, sizeof saved, "win.ini");
  EXPECT_STREQ(saved, "verbs");
  EXPECT_EQ(readProfileInt("Dictionary", "ListID", 0, "win.ini"), firstListId);
}

TEST_F(ListsTest, AFreshInstallationGetsItsListFolderAndTheEditorAsksForAName) {
  writeSampleDictionary();
  startRecordingMessageBoxes();
  ASSERT_EQ(start(), -1);
  EXPECT_TRUE(fs::is_directory("list"));
  EXPECT_EQ(countListFolders() - 2, 0);
  answerListDialog("first words");
  ASSERT_NE(openEditor(), nullptr);
  EXPECT_FALSE(dialogRefused);
  EXPECT_STREQ(store.practiceListName, "first words");
  EXPECT_TRUE(fs::is_directory("list/first words"));
  EXPECT_TRUE(fs::exists("list/first words/Fre_Eng.ls"));
}

TEST_F(ListsTest, CancellingTheFirstNameOpensNothing) {
  writeSampleDictionary();
  startRecordingMessageBoxes();
  ASSERT_EQ(start(), -1);
  answerListDialog("");  // the empty name keeps the dialog open; the helper then cancels it
  EXPECT_EQ(openEditor(), nullptr);
  EXPECT_TRUE(dialogRefused);
  EXPECT_EQ(tools.toolWindowOpen, 0);
  EXPECT_TRUE(mainWindow->isVisible());
}

TEST_F(ListsTest, NamesThatWouldLeaveTheFolderOrHoldOddCharactersAreRefused) {
  writeSampleDictionary();
  startRecordingMessageBoxes();
  ASSERT_EQ(start(), -1);
  for (const char* name : {"my.list", "a:b", "..", "x/y", "a\\b", "tab\there"}) {
    answerListDialog(name);
    EXPECT_EQ(openEditor(), nullptr) << name;
    EXPECT_TRUE(dialogRefused) << name;
  }
  ASSERT_EQ(recordedMessageBoxes().size(), 6u);
  EXPECT_EQ(recordedMessageBoxes()[0].text, loadUiText(textReservedCharacters));
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "Create new list");
  EXPECT_EQ(recordedMessageBoxes()[5].text, controlCharacterWarning);
  // Blanks alone are no name: the dialog waits without a word.
  answerListDialog("   ");
  EXPECT_EQ(openEditor(), nullptr);
  EXPECT_EQ(recordedMessageBoxes().size(), 6u);
  EXPECT_EQ(countListFolders(), 2);  // nothing was made
  answerListDialog("my list");
  ASSERT_NE(openEditor(), nullptr);
  EXPECT_TRUE(fs::is_directory("list/my list"));
}

TEST_F(ListsTest, ANameTypedInAnotherCaseReusesTheList) {
  startWith({{"verbs", three}, {"nouns", {}}});
  setPracticeListName("nouns");
  ASSERT_NE(openEditor(), nullptr);
  const std::vector<std::string> before = menuTexts(editor->listsMenu());
  answerListDialog("Verbs");
  editor->command(cmdCreateNewList, commandClicked);
  EXPECT_FALSE(dialogRefused);
  EXPECT_EQ(menuTexts(editor->listsMenu()), before);  // no second item
  EXPECT_EQ(store.listCount, 3);
  EXPECT_STREQ(store.practiceListName, "verbs");
  const int verbs = before[0] == "verbs" ? 0 : 1;
  EXPECT_EQ(lists.listId, firstListId + verbs);
  EXPECT_TRUE(editor->listsMenu()->actions()[verbs]->isChecked());
  EXPECT_FALSE(editor->listsMenu()->actions()[1 - verbs]->isChecked());
  EXPECT_EQ(countListFolders(), 4);
}

TEST_F(ListsTest, ANewListGetsItsMenuItemAndBecomesCurrent) {
  startWith({{"verbs", three}});
  ASSERT_NE(openEditor(), nullptr);
  answerListDialog("colours");
  editor->command(cmdCreateNewList, commandClicked);
  EXPECT_EQ(menuTexts(editor->listsMenu()), (std::vector<std::string>{"verbs", "colours"}));
  EXPECT_EQ(lists.listId, firstListId + 1);
  EXPECT_TRUE(editor->listsMenu()->actions()[1]->isChecked());
  EXPECT_EQ(store.listCount, 0);
  EXPECT_EQ(store.namedListCount, 2);
  click(editor->dictionaryBox(0));
  EXPECT_EQ(listOnDisk("colours").size(), 1u);
  EXPECT_EQ(listOnDisk("verbs").size(), 3u);
}

TEST_F(ListsTest, AddAllCopiesEveryRecordAndClosingAfterAToggleCompacts) {
  startWith({{"verbs", {}}}, three);
  ASSERT_NE(openEditor(), nullptr);
  editor->command(cmdAddAll, commandClicked);
  EXPECT_EQ(store.listCount, 3);
  EXPECT_EQ(listBoxText(1), "DELETED");  // the word file's own mark came along
  click(editor->listBox(0));
  EXPECT_EQ(listBoxText(0), "DELETED");
  closeEditor();
  const std::vector<WordPair> kept = listOnDisk("verbs");
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].word, "maison");
  EXPECT_EQ(store.listCount, 1);
  EXPECT_FALSE(lists.listModified);
}

TEST_F(ListsTest, RemoveAllEmptiesTheListFile) {
  startWith({{"verbs", three}});
  ASSERT_NE(openEditor(), nullptr);
  editor->command(cmdRemoveAll, commandClicked);
  EXPECT_EQ(store.listCount, 0);
  EXPECT_EQ(fs::file_size("list/verbs/Fre_Eng.ls"), 0u);
  for (int k = 0; k < listRows; ++k) EXPECT_EQ(listBoxText(k), "");
}

TEST_F(ListsTest, WithoutAListTheOperationsUseTheListFolderOwnFileAndTheListStaysEmpty) {
  writeSampleDictionary();
  startRecordingMessageBoxes();
  ASSERT_EQ(start(), -1);
  copyWordFileToList();
  EXPECT_EQ(readWords("list/Fre_Eng.ls").size(), 3u);
  EXPECT_EQ(store.listCount, 0);
  EXPECT_EQ(store.listFile, -1);
  emptyListFile();
  EXPECT_FALSE(fs::exists("list/Fre_Eng.ls"));
  EXPECT_EQ(store.listCount, 0);
  EXPECT_EQ(store.wordCount, 3);
}

TEST_F(ListsTest, AFailedCopyIsReportedAndTheListIsKept) {
  startWith({{"verbs", {{"chat", "cat"}}}});
  {
    test::FileSizeLimit full(100);  // the word file's 252 bytes do not fit
    copyWordFileToList();
  }
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text.rfind("Could not copy word list file, error code ", 0), 0u);
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "Dictionary");
  EXPECT_EQ(listOnDisk("verbs").size(), 1u);
  EXPECT_EQ(store.listCount, 1);
  EXPECT_EQ(store.wordCount, 3);
}

TEST_F(ListsTest, DeletingAListTakesAUsersFileInItAndSwitchesToTheFirstList) {
  startWith({{"verbs", three}, {"nouns", {{"chat", "cat"}}}});
  writeFile("list/verbs/notes.txt", "my notes");
  setPracticeListName("verbs");
  ASSERT_NE(openEditor(), nullptr);
  startRecordingMessageBoxes({IDYES});
  editor->command(cmdDeleteCurrentList, commandClicked);
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text, "Are you sure you want to delete verbs?");
  EXPECT_FALSE(fs::exists("list/verbs"));
  EXPECT_STREQ(store.practiceListName, "nouns");
  EXPECT_EQ(lists.listId, firstListId);
  EXPECT_EQ(store.listCount, 1);
  EXPECT_EQ(menuTexts(editor->listsMenu()), std::vector<std::string>{"nouns"});
  // With one list left, deleting is refused.
  editor->command(cmdDeleteCurrentList, commandClicked);
  ASSERT_EQ(recordedMessageBoxes().size(), 2u);
  EXPECT_EQ(recordedMessageBoxes()[1].text, "You should keep at least one list.   ");
  EXPECT_TRUE(fs::exists("list/nouns/Fre_Eng.ls"));
}

TEST_F(ListsTest, DeletingAListNeverReachesThroughALinkOutOfItsFolder) {
  fs::create_directories("elsewhere/inner");
  writeFile("elsewhere/precious.txt", "keep me");
  writeFile("elsewhere/inner/also.txt", "keep me too");
  startWith({{"verbs", three}, {"nouns", {}}, {"zlinked", {}}});
  fs::create_symlink(fs::absolute("elsewhere/precious.txt"), "list/verbs/precious.txt");
  // A list folder that is itself a link to a folder elsewhere.
  fs::remove_all("list/zlinked");
  fs::create_directory_symlink(fs::absolute("elsewhere/inner"), "list/zlinked");
  setPracticeListName("verbs");
  deleteCurrentList(nullptr);
  EXPECT_EQ(readFile("elsewhere/precious.txt"), "keep me");
  // The link stays, so the folder does, and a user hears of it.
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text, "Can't delete folder verbs");
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "Delete list");
  setPracticeListName("zlinked");
  deleteCurrentList(nullptr);
  EXPECT_EQ(readFile("elsewhere/inner/also.txt"), "keep me too");
}

TEST_F(ListsTest, ASwitchedListIsSavedAtExitAndCurrentAtTheNextStart) {
  startWith({{"verbs", three}, {"nouns", {{"chat", "cat"}}}});
  ASSERT_NE(openEditor(), nullptr);
  QAction* second = editor->listsMenu()->actions()[1];
  const std::string name = second->text().toStdString();
  second->trigger();
  EXPECT_EQ(store.practiceListName, name);
  EXPECT_EQ(lists.listId, firstListId + 1);
  EXPECT_TRUE(second->isChecked());
  EXPECT_FALSE(editor->listsMenu()->actions()[0]->isChecked());
  closeEditor();
  exitProgram();
  char saved[150];
  readProfileString("Dictionary", "PracticeList", "", saved, sizeof saved, "win.ini");
  EXPECT_EQ(saved, name);
  EXPECT_EQ(readProfileInt("Dictionary", "ListID", 0, "win.ini"), firstListId + 1);
}

}  // namespace
}  // namespace zembo
