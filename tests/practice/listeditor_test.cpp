#include <QCheckBox>
#include <QMenuBar>
#include <QScrollBar>

#include <sys/stat.h>

#include <set>

#include "practice/addrandomwindow.h"
#include "practice/printlist.h"
#include "tests/practice/practicefixture.h"

namespace zembo {
namespace {

using test::WordPair;
namespace fs = std::filesystem;

class ListEditorTest : public test::PracticeTest {
 protected:
  void listScroll(QAbstractSlider::SliderAction action) { editor->listScrollBar()->triggerAction(action); }
  void dictionaryScroll(QAbstractSlider::SliderAction action) { editor->dictionaryScrollBar()->triggerAction(action); }
  // The thumb let go at a position.
  void dragDictionaryThumb(int position) {
    editor->dictionaryScrollBar()->setSliderPosition(position);
    dictionaryScroll(QAbstractSlider::SliderMove);
  }
  // The entry a list box shows, as its number in numberedWords.
  std::string listWords() const {
    std::string shown;
    for (int k = 0; k < listRows; ++k) shown += (k ? " " : "") + listBoxText(k);
    return shown;
  }
  static std::string words(int first, int last) {
    std::string text;
    char word[16];
    for (int i = first; i <= last; ++i) {
      std::snprintf(word, sizeof word, "w%04d", i);
      text += (i > first ? " " : "") + std::string(word);
    }
    return text;
  }
  static ino_t inodeOf(const char* path) {
    struct stat st {};
    ::stat(path, &st);
    return st.st_ino;
  }
};

TEST_F(ListEditorTest, OpensInPlaceOfTheMainWindowWithItsLayout) {
  startWith({{"verbs", numberedWords(3)}});
  ASSERT_NE(openEditor(), nullptr);
  EXPECT_EQ(tools.toolWindowOpen, 1);
  EXPECT_FALSE(mainWindow->isVisible());
  EXPECT_EQ(editor->windowTitle(), "Create practice list (French-English)");
  EXPECT_EQ(editor->client()->size(), QSize(829, 361));  // the words' translations right of the word file
  EXPECT_EQ(editor->listBox(4)->geometry(), QRect(155, 119, 120, 35));
  EXPECT_EQ(editor->listBox(11)->geometry(), QRect(275, 185, 120, 35));
  EXPECT_EQ(editor->dictionaryBox(9)->geometry(), QRect(425, 247, 160, 25));
  EXPECT_EQ(editor->dictionaryTranslation(9)->geometry(), QRect(612, 247, 200, 25));
  EXPECT_FALSE(editor->dictionaryTranslation(0)->text().isEmpty());
  EXPECT_EQ(editor->listBox(0)->toolTip(), "t0000");
  EXPECT_EQ(editor->listScrollBar()->geometry(), QRect(15, 86, 20, 132));
  EXPECT_EQ(editor->dictionaryScrollBar()->geometry(), QRect(585, 40, 20, 230));
  EXPECT_EQ(listWords(), words(0, 2) + "         ");
  EXPECT_EQ(dictionaryBoxText(0), "chat");
  EXPECT_TRUE(editor->searchField()->hasFocus() || !editor->isActiveWindow());
  const QList<QAction*> popups = editor->menuBar()->actions();
  ASSERT_EQ(popups.size(), 2);
  EXPECT_EQ(popups[1]->text(), "Lists");
  saveGrab(editor, "list-editor");
  closeEditor();
  EXPECT_EQ(tools.toolWindowOpen, 0);
  EXPECT_TRUE(mainWindow->isVisible());
  EXPECT_NE(tools.makelistPos.top, 9999);
}

TEST_F(ListEditorTest, ALongListOpensAtItsEndAndPagesBackToTheStart) {
  startWith({{"verbs", numberedWords(30)}});
  ASSERT_NE(openEditor(), nullptr);
  EXPECT_EQ(listWords(), words(18, 29));
  EXPECT_EQ(editor->listScrollBar()->maximum(), 18);
  EXPECT_EQ(editor->listScrollBar()->value(), 18);
  listScroll(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(listWords(), words(6, 17));
  listScroll(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(listWords(), words(0, 11));
  listScroll(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(listEditing.listTopIndex, 0);
  EXPECT_EQ(listWords(), words(0, 11));
  listScroll(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(listWords(), words(1, 12));
}

TEST_F(ListEditorTest, AShortListLeavesTheOtherBoxesEmptyAndTheirClicksDoNothing) {
  startWith({{"verbs", numberedWords(5)}});
  ASSERT_NE(openEditor(), nullptr);
  EXPECT_EQ(listWords(), words(0, 4) + "       ");
  listScroll(QAbstractSlider::SliderSingleStepAdd);
  listScroll(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(listEditing.listTopIndex, 0);
  for (int k = 5; k < listRows; ++k) click(editor->listBox(k));
  EXPECT_FALSE(lists.listModified);
  EXPECT_EQ(listOnDisk("verbs").size(), 5u);
  // A right click marks nothing either.
  click(editor->listBox(0), Qt::RightButton);
  EXPECT_EQ(listBoxText(0), "w0000");
  EXPECT_FALSE(lists.listModified);
}

TEST_F(ListEditorTest, AWordClickedTwiceIsInTheListTwice) {
  startWith({{"verbs", numberedWords(12)}});
  ASSERT_NE(openEditor(), nullptr);
  click(editor->dictionaryBox(1));
  click(editor->dictionaryBox(1));
  EXPECT_EQ(store.listCount, 14);
  EXPECT_EQ(listBoxText(10), "chien");
  EXPECT_EQ(listBoxText(11), "chien");
  EXPECT_EQ(listEditing.listTopIndex, 2);
  const std::vector<WordPair> onDisk = listOnDisk("verbs");
  ASSERT_EQ(onDisk.size(), 14u);
  EXPECT_EQ(onDisk[13].translation, "dog");
  // Appending is no toggle: nothing is compacted when the editor closes.
  EXPECT_FALSE(lists.listModified);
  // A click below the word file's end adds nothing.
  click(editor->dictionaryBox(5));
  EXPECT_EQ(store.listCount, 14);
}

TEST_F(ListEditorTest, TogglingTwiceStillCompactsOnClose) {
  startWith({{"verbs", numberedWords(3)}});
  ASSERT_NE(openEditor(), nullptr);
  const ino_t before = inodeOf("list/verbs/Fre_Eng.ls");
  click(editor->listBox(1));
  EXPECT_EQ(listBoxText(1), "DELETED");
  EXPECT_EQ(listOnDisk("verbs")[1].flags, 1);
  click(editor->listBox(1));
  EXPECT_EQ(listBoxText(1), "w0001");
  EXPECT_TRUE(lists.listModified);
  closeEditor();
  EXPECT_NE(inodeOf("list/verbs/Fre_Eng.ls"), before);  // rewritten through a new file
  EXPECT_EQ(listOnDisk("verbs").size(), 3u);
  EXPECT_FALSE(lists.listModified);
}

TEST_F(ListEditorTest, APrefixMovesTheDictionaryPaneAndTheEndShowsTheLastTen) {
  startWith({{"verbs", {}}}, numberedWords(40));
  ASSERT_NE(openEditor(), nullptr);
  QTest::keyClicks(editor->searchField(), "w0012");
  EXPECT_EQ(dictionaryBoxText(0), "w0012");
  EXPECT_EQ(editor->dictionaryScrollBar()->value(), 1);
  QTest::keyClick(editor->searchField(), Qt::Key_Down);
  EXPECT_EQ(dictionaryBoxText(0), "w0013");
  QTest::keyClick(editor->searchField(), Qt::Key_Up);
  QTest::keyClick(editor->searchField(), Qt::Key_Up);
  EXPECT_EQ(dictionaryBoxText(0), "w0011");
  editor->searchField()->clear();
  QTest::keyClicks(editor->searchField(), "w0037");
  EXPECT_EQ(dictionaryBoxText(0), "w0030");
  EXPECT_EQ(dictionaryBoxText(9), "w0039");
  QTest::keyClick(editor->searchField(), Qt::Key_Return);
  EXPECT_EQ(editor->searchField()->text(), "");
  EXPECT_EQ(dictionaryBoxText(0), "w0000");
  // The picked word is the one the box shows.
  QTest::keyClicks(editor->searchField(), "w002");
  click(editor->dictionaryBox(3));
  EXPECT_EQ(listOnDisk("verbs").at(0).word, "w0023");
}

TEST_F(ListEditorTest, TheDictionaryScrollBarMovesInStepsOfTenWords) {
  startWith({{"verbs", {}}}, numberedWords(2500));
  ASSERT_NE(openEditor(), nullptr);
  EXPECT_EQ(editor->dictionaryScrollBar()->minimum(), 0);
  EXPECT_EQ(editor->dictionaryScrollBar()->maximum(), 249);
  dragDictionaryThumb(137);
  EXPECT_EQ(dictionaryBoxText(0), "w1370");
  dictionaryScroll(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(dictionaryBoxText(0), "w1380");
  dictionaryScroll(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(dictionaryBoxText(0), "w1379");
  dragDictionaryThumb(249);
  EXPECT_EQ(dictionaryBoxText(9), "w2499");
  dictionaryScroll(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(dictionaryBoxText(9), "w2499");
}

TEST_F(ListEditorTest, TheAddRandomWindowTakesOnlyACountUpToTheWordCount) {
  startWith({{"verbs", numberedWords(2)}}, numberedWords(20));
  ASSERT_NE(openEditor(), nullptr);
  editor->command(cmdAddRandom, commandClicked);
  AddRandomWindow* random = editor->addRandomWindow();
  ASSERT_NE(random, nullptr);
  EXPECT_EQ(random->windowTitle(), "Add random number of words");
  EXPECT_TRUE(random->checkBox()->isChecked());
  editor->command(cmdAddRandom, commandClicked);  // a second press brings the same window up
  EXPECT_EQ(editor->addRandomWindow(), random);
  for (const char* wrong : {"0", "-3", "many", "21"}) {
    random->countField()->setText(wrong);
    QTest::keyClick(random->countField(), Qt::Key_Return);
    EXPECT_EQ(random->countField()->text(), "") << wrong;
    EXPECT_TRUE(random->isVisible()) << wrong;
  }
  EXPECT_EQ(store.listCount, 2);
  QTest::mouseClick(random->checkBox(), Qt::LeftButton, {}, QPoint(8, 15));
  EXPECT_FALSE(randomDraw.replaceListFirst);
  random->countField()->setText("20");
  QTest::keyClick(random->countField(), Qt::Key_Return);
  processEvents();
  EXPECT_EQ(editor->addRandomWindow(), nullptr);
  EXPECT_EQ(store.listCount, 22);  // kept the old two
  EXPECT_EQ(listOnDisk("verbs").size(), 22u);
  EXPECT_EQ(listEditing.listTopIndex, 10);
}

TEST_F(ListEditorTest, FiveRandomWordsAfterDeletingTheOldListGiveExactlyFive) {
  startWith({{"verbs", numberedWords(30, "x")}}, numberedWords(10));
  ASSERT_NE(openEditor(), nullptr);
  editor->command(cmdAddRandom, commandClicked);
  AddRandomWindow* random = editor->addRandomWindow();
  ASSERT_NE(random, nullptr);
  QTest::keyClicks(random->countField(), "5");
  click(editor->addRandomWindow()->findChildren<QPushButton*>()[0]);  // OK
  processEvents();
  const std::vector<WordPair> list = listOnDisk("verbs");
  ASSERT_EQ(list.size(), 5u);
  for (const WordPair& entry : list) EXPECT_EQ(entry.word[0], 'w');
  EXPECT_EQ(listWords(), listBoxText(0) + " " + listBoxText(1) + " " + listBoxText(2) + " " + listBoxText(3) + " " +
                             listBoxText(4) + "       ");
  EXPECT_FALSE(listBoxText(4).empty());
}

// OK and Cancel held down as long as a person holds a click, while the window repaints.
TEST_F(ListEditorTest, OkAndCancelTakeAClickHeldAsAPersonHoldsIt) {
  startWith({{"verbs", numberedWords(4)}}, numberedWords(10));
  ASSERT_NE(openEditor(), nullptr);
  const auto heldClick = [this](QPushButton* button) {
    QTest::mousePress(button, Qt::LeftButton);
    processEvents(100);
    QTest::mouseRelease(button, Qt::LeftButton);
    processEvents();
  };
  editor->command(cmdAddRandom, commandClicked);
  QPointer<AddRandomWindow> random = editor->addRandomWindow();
  ASSERT_TRUE(random);
  QTest::keyClicks(random->countField(), "3");
  heldClick(random->findChildren<QPushButton*>()[0]);  // OK
  EXPECT_FALSE(random);
  EXPECT_EQ(store.listCount, 3);
  editor->command(cmdAddRandom, commandClicked);
  random = editor->addRandomWindow();
  ASSERT_TRUE(random);
  QTest::keyClicks(random->countField(), "2");
  heldClick(random->findChildren<QPushButton*>()[1]);  // Cancel
  EXPECT_FALSE(random);
  EXPECT_EQ(store.listCount, 3);
  // A count out of range empties the field, which has the focus for the next try.
  editor->command(cmdAddRandom, commandClicked);
  random = editor->addRandomWindow();
  QTest::keyClicks(random->countField(), "99");
  heldClick(random->findChildren<QPushButton*>()[0]);
  ASSERT_TRUE(random);
  EXPECT_EQ(random->countField()->text(), "");
  EXPECT_TRUE(random->countField()->hasFocus());
}

TEST_F(ListEditorTest, RandomDrawsFromTheWholeWordFile) {
  startWith({{"verbs", {}}}, numberedWords(3));
  setRandomDraw(60, false);
  addRandomWords();
  ASSERT_EQ(store.listCount, 60);
  std::set<std::string> drawn;
  for (const WordPair& entry : listOnDisk("verbs")) drawn.insert(entry.word);
  EXPECT_EQ(drawn.size(), 3u);
}

TEST_F(ListEditorTest, CancelLeavesTheListAndClosingTheEditorClosesTheAddRandomWindow) {
  startWith({{"verbs", numberedWords(4)}});
  ASSERT_NE(openEditor(), nullptr);
  editor->command(cmdAddRandom, commandClicked);
  editor->addRandomWindow()->command(cmdDone, commandClicked);
  processEvents();
  EXPECT_EQ(editor->addRandomWindow(), nullptr);
  EXPECT_EQ(store.listCount, 4);
  editor->command(cmdAddRandom, commandClicked);
  QPointer<AddRandomWindow> random = editor->addRandomWindow();
  closeEditor();
  EXPECT_TRUE(random.isNull());
  EXPECT_EQ(listOnDisk("verbs").size(), 4u);
}

TEST_F(ListEditorTest, PrintPrintsOnlyAListWithEntries) {
  static int printed = 0;
  printed = 0;
  setPrintListHook([] { ++printed; });
  startWith({{"verbs", {}}});
  ASSERT_NE(openEditor(), nullptr);
  editor->command(cmdPrint, commandClicked);
  EXPECT_EQ(printed, 0);
  click(editor->dictionaryBox(0));
  editor->command(cmdPrint, commandClicked);
  EXPECT_EQ(printed, 1);
  setPrintListHook(printList);
}

}  // namespace
}  // namespace zembo
