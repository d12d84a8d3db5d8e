#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include "directions/directions.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "store/sort.h"
#include "tests/lookup/lookupfixture.h"
#include "windowkit/sortingwindow.h"

namespace zembo {
namespace {

using test::readWords;
using test::WordPair;

class SearchWindowTest : public test::SearchTest {};

const std::vector<WordPair> fruit = {{"abricot", "apricot"},   {"ananas", "pineapple"},  {"banane", "banana"},
                                     {"cerise", "cherry"},     {"citron", "lemon"},      {"datte", "date"},
                                     {"figue", "fig"},         {"fraise", "strawberry"}, {"framboise", "raspberry"},
                                     {"groseille", "currant"}, {"kiwi", "kiwi"},         {"mangue", "mango"},
                                     {"melon", "melon"},       {"orange", "orange"},     {"poire", "pear"},
                                     {"pomme", "apple"},       {"prune", "plum"},        {"raisin", "grape"}};

TEST_F(SearchWindowTest, OpensInPlaceOfTheMainWindowWithItsLayout) {
  openSearch(fruit);
  EXPECT_EQ(tools.toolWindowOpen, 1);
  EXPECT_FALSE(mainWindow->isVisible());
  EXPECT_TRUE(search->isVisible());
  EXPECT_EQ(search->windowTitle(), "Search words");
  EXPECT_EQ(search->client()->size(), QSize(624, 356));
  EXPECT_EQ(search->searchField()->geometry(), QRect(20, 300, 215, 25));
  EXPECT_EQ(search->wordField(9)->geometry(), QRect(20, 247, 215, 25));
  EXPECT_EQ(search->translationField(0)->geometry(), QRect(255, 40, 350, 25));
  EXPECT_EQ(search->scrollBar()->geometry(), QRect(235, 40, 20, 230));
  EXPECT_EQ(rowWord(0), "abricot");
  EXPECT_EQ(rowTranslation(9), "currant");
  EXPECT_TRUE(search->isMenuItemChecked(cmdCharsetOff));
  EXPECT_TRUE(search->isMenuItemChecked(cmdClipboardOff));
  saveGrab(search, "search-window");
}

TEST_F(SearchWindowTest, TypingMovesRowZeroToTheFirstWordNotBeforeTheKey) {
  openSearch(fruit);
  type("c");
  EXPECT_EQ(rowWord(0), "cerise");
  type("i");
  EXPECT_EQ(rowWord(0), "citron");
  EXPECT_EQ(rowWord(1), "datte");
  search->searchField()->clear();
  type("FIGUE");  // case does not count
  EXPECT_EQ(rowWord(0), "figue");
  // A word among the last ten stands where the full last page puts it.
  search->searchField()->clear();
  type("poire");
  EXPECT_EQ(search->topIndex(), 8);
  EXPECT_EQ(rowWord(6), "poire");
}

// Among words the collation holds equal, typing or copying a word shows the one spelled so; the
// rows keep the file's order, so the other spelling stands just above or below.
TEST_F(SearchWindowTest, TypedAndCopiedWordsLandOnTheirOwnSpelling) {
  std::vector<WordPair> words = fruit;
  words.insert(words.begin() + 13, {{"Orange", "Orange (town)"}, {"Orange", "Orange (river)"}});
  for (const char* word : {"zebu", "zele", "zenith", "zero", "zeste", "zinc", "zone", "zoo", "zoom", "zut"})
    words.push_back({word, "x"});
  openSearch(words);  // "Orange" twice, then "orange", then "poire"
  type("orange");
  EXPECT_EQ(search->topIndex(), 15);
  EXPECT_EQ(rowTranslation(0), "orange");
  search->searchField()->clear();
  type("Orange");
  EXPECT_EQ(search->topIndex(), 13);
  EXPECT_EQ(rowTranslation(0), "Orange (town)");
  EXPECT_EQ(rowTranslation(2), "orange");
  search->searchField()->clear();
  type("ORANGE");  // no such spelling: the first of the equal words
  EXPECT_EQ(search->topIndex(), 13);
  QWidget other;
  other.show();
  search->menuItem(cmdClipboardOn)->trigger();
  for (const auto& [copied, top] : {std::pair{"orange,", 15}, std::pair{"\u00ABOrange\u00BB", 13}}) {
    key(Qt::Key_Down);
    QApplication::setActiveWindow(&other);
    QApplication::clipboard()->setText(QString::fromUtf8(copied));
    processEvents();
    EXPECT_EQ(search->topIndex(), top) << copied;
  }
  search->menuItem(cmdClipboardOff)->trigger();
  closeSearch();
}

TEST_F(SearchWindowTest, KeyAfterEveryWordShowsTheLastTenRecords) {
  openSearch(fruit);
  type("zz");
  EXPECT_EQ(search->topIndex(), 8);
  EXPECT_EQ(rowWord(9), "raisin");
  key(Qt::Key_Return);
  EXPECT_EQ(search->searchField()->text(), "");
  EXPECT_EQ(search->topIndex(), 0);
  EXPECT_EQ(rowWord(0), "abricot");
}

TEST_F(SearchWindowTest, ArrowKeysMoveOneRecordWithinTheFile) {
  openSearch(fruit);
  key(Qt::Key_Up);
  EXPECT_EQ(search->topIndex(), 0);
  key(Qt::Key_Down);
  key(Qt::Key_Down);
  EXPECT_EQ(search->topIndex(), 2);
  EXPECT_EQ(rowWord(0), "banane");
  for (int i = 0; i < 20; ++i) key(Qt::Key_Down);
  EXPECT_EQ(search->topIndex(), 8);
  key(Qt::Key_Up);
  EXPECT_EQ(rowWord(0), "fraise");
}

TEST_F(SearchWindowTest, PageDownTwiceIn25RecordsStopsAtTheLastFullPage) {
  openSearch(numberedWords(25));
  QScrollBar* bar = search->scrollBar();
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 1);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(search->topIndex(), 10);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(search->topIndex(), 15);
  EXPECT_EQ(bar->sliderPosition(), 1);
  EXPECT_EQ(rowWord(9), "w024");
  bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(search->topIndex(), 14);
  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(search->topIndex(), 0);
  EXPECT_EQ(bar->sliderPosition(), 0);
}

TEST_F(SearchWindowTest, ThumbReleasedGoesToTenRecordsAUnit) {
  openSearch(numberedWords(45));
  QScrollBar* bar = search->scrollBar();
  EXPECT_EQ(bar->maximum(), 3);
  bar->setSliderDown(true);
  bar->setSliderPosition(2);
  bar->setSliderDown(false);
  EXPECT_EQ(search->topIndex(), 20);
  EXPECT_EQ(rowWord(0), "w020");
}

TEST_F(SearchWindowTest, FewerThanTenRecordsNeverMove) {
  openSearch(numberedWords(4));
  key(Qt::Key_Down);
  search->scrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  type("w003");
  EXPECT_EQ(search->topIndex(), 0);
  EXPECT_EQ(rowWord(3), "w003");
  EXPECT_EQ(rowWord(4), "");
  EXPECT_EQ(search->scrollBar()->maximum(), 0);
}

TEST_F(SearchWindowTest, EmptyWordFileFillsNoRow) {
  openSearch({});
  type("abc");
  key(Qt::Key_Down);
  EXPECT_EQ(search->topIndex(), 0);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(rowWord(i), "");
}

TEST_F(SearchWindowTest, DeletedRecordsShowDeletedInBothFields) {
  std::vector<WordPair> words = fruit;
  words[1].flags = 1;
  words[2].flags = 2;  // deleted too, but only 1 shows as such in the rows
  openSearch(words);
  EXPECT_EQ(rowWord(1), "DELETED");
  EXPECT_EQ(rowTranslation(1), "DELETED");
  EXPECT_EQ(rowWord(2), "banane");
}

TEST_F(SearchWindowTest, SearchFieldTakesOnlyWhatItCanShow) {
  openSearch(fruit);
  type("wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww");
  const int kept = search->searchField()->text().size();
  EXPECT_GT(kept, 5);
  EXPECT_LT(kept, 58);
  EXPECT_LE(search->searchField()->fontMetrics().horizontalAdvance(search->searchField()->text()), 215);
}

TEST_F(SearchWindowTest, EditedWordIsSortedInWhenTheWindowCloses) {
  openSearch(fruit);
  EntryField* word = search->wordField(0);
  word->setFocus();
  word->setText("zeste");
  QTest::keyClick(word, Qt::Key_Return);
  EXPECT_EQ(store.needsSort, 1);
  EXPECT_TRUE(search->searchField()->hasFocus());
  EXPECT_EQ(readWords("language/Fre_Eng.zb")[0].word, "zeste");
  closeSearch();
  const auto sorted = readWords("language/Fre_Eng.zb");
  EXPECT_EQ(sorted.front().word, "ananas");
  EXPECT_EQ(sorted.back().word, "zeste");
  EXPECT_EQ(store.needsSort, 0);
  EXPECT_EQ(tools.toolWindowOpen, 0);
  EXPECT_TRUE(mainWindow->isVisible());
}

TEST_F(SearchWindowTest, DeletedRecordsAreDroppedBySortOnClose) {
  openSearch(fruit);
  search->wordField(3)->command(cmdDeleteRecord);
  EXPECT_EQ(readWords("language/Fre_Eng.zb")[3].flags, 1);
  closeSearch();
  const auto sorted = readWords("language/Fre_Eng.zb");
  EXPECT_EQ(sorted.size(), fruit.size() - 1);
  EXPECT_EQ(sorted[3].word, "citron");
}

TEST_F(SearchWindowTest, ClosingKeepsThePositionAndAcceleratorsWaitMeanwhile) {
  openSearch(fruit);
  search->move(33, 44);
  QTest::keyClick(search->searchField(), Qt::Key_S, Qt::AltModifier);  // already open: nothing
  QTest::keyClick(search->searchField(), Qt::Key_A, Qt::AltModifier);
  EXPECT_EQ(mainWindow->openToolWindow(), search);
  EXPECT_EQ(search->searchField()->text(), "");
  search->close();
  processEvents();
  EXPECT_EQ(tools.searchPos.left, 33);
  EXPECT_EQ(tools.searchPos.top, 44);
  exitProgram();
  EXPECT_EQ(readProfileInt("Dictionary", "WinPosTopSearch", 0, "win.ini"), 44);
}

TEST_F(SearchWindowTest, ExitWhileOpenStillSortsTheEditedFile) {
  openSearch(fruit);
  search->wordField(0)->setText("zeste");
  search->wordField(0)->storeOnEnter();
  QTest::keyClick(search->searchField(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_TRUE(mainWindow->destroyed());
  EXPECT_EQ(readWords("language/Fre_Eng.zb").back().word, "zeste");
}

TEST_F(SearchWindowTest, DirectionSwitchSortsFirstThenShowsTheNewFile) {
  openSearch(fruit);
  search->wordField(0)->setText("zeste");
  search->wordField(0)->storeOnEnter();
  type("ban");
  search->command(firstLanguageId + 3, commandClicked);  // English to German, as the right-click menu sends it
  EXPECT_EQ(readWords("language/Fre_Eng.zb").back().word, "zeste");
  EXPECT_EQ(store.needsSort, 0);
  EXPECT_STREQ(directions.currentDirection->wordFileName, "Eng_Ger.zb");
  EXPECT_EQ(tools.checkedLanguageId, 203);
  EXPECT_EQ(search->searchField()->text(), "ban");  // not looked up again
  EXPECT_EQ(search->topIndex(), 0);
  EXPECT_EQ(rowWord(0), "dog");
  EXPECT_EQ(rowWord(1), "house");
  EXPECT_EQ(rowWord(2), "");  // rows past the end are cleared
  EXPECT_EQ(search->scrollBar()->maximum(), 0);
  EXPECT_NE(test::readFile("dict.ini").find("[selected]\nEng_Ger.zb"), std::string::npos);
}

TEST_F(SearchWindowTest, ClipboardLookupFromAnotherWindowOnlyWhenSwitchedOn) {
  openSearch(fruit);
  QWidget other;
  other.show();
  other.activateWindow();
  QApplication::setActiveWindow(&other);
  QApplication::clipboard()->setText("fraise");
  processEvents();
  EXPECT_EQ(search->searchField()->text(), "");  // off
  search->menuItem(cmdClipboardOn)->trigger();
  EXPECT_EQ(tools.clipboardSearchOn, 1);
  EXPECT_TRUE(search->isMenuItemChecked(cmdClipboardOn));
  EXPECT_FALSE(search->isMenuItemChecked(cmdClipboardOff));
  search->showMinimized();
  QApplication::setActiveWindow(&other);
  QApplication::clipboard()->setText("kiwi");
  processEvents();
  EXPECT_EQ(search->searchField()->text(), "kiwi");
  EXPECT_EQ(search->topIndex(), 8);
  EXPECT_FALSE(search->isMinimized());
  // A copied plural that is no headword is looked up as its singular, which the field shows.
  test::writeFile("hunspell/fr_FR.aff", "SET UTF-8\nSFX S Y 1\nSFX S 0 s .\n");
  test::writeFile("hunspell/fr_FR.dic", "1\nfraise/S\n");
  QApplication::setActiveWindow(&other);
  QApplication::clipboard()->setText("fraises");
  processEvents();
  EXPECT_EQ(search->searchField()->text(), "fraise");
  EXPECT_EQ(search->topIndex(), 7);
  // Copied within the active search window: not looked up.
  QApplication::setActiveWindow(search);
  QApplication::clipboard()->setText("melon");
  processEvents();
  EXPECT_EQ(search->searchField()->text(), "fraise");
  search->menuItem(cmdClipboardOff)->trigger();
  EXPECT_EQ(tools.clipboardSearchOn, 0);
  closeSearch();
  exitProgram();
  EXPECT_EQ(readProfileInt("Dictionary", "ClipSearch", 9, "win.ini"), 0);
}

// A copied word comes with what stood around it; the lookup is of the word, and says when the
// word has no entry, so that the rows read as its neighbours.
TEST_F(SearchWindowTest, ACopiedWordLosesItsPunctuationAndAWordWithoutEntrySaysSo) {
  openSearch(fruit);
  QWidget other;
  other.show();
  search->menuItem(cmdClipboardOn)->trigger();
  struct Case {
    const char* copied;
    const char* field;
    bool noEntry;
  };
  const Case cases[] = {
      {"fraise,", "fraise", false},
      {"\xC2\xAB kiwi \xC2\xBB", "kiwi", false},           // « kiwi »
      {"\xE2\x80\x9Cmelon\xE2\x80\x9D.", "melon", false},  // “melon”.
      {"(poire)\n", "poire", false},
      {"kiwis,", "kiwis", true},
      {"\xE2\x80\x94", "kiwis", true},  // a dash alone looks nothing up
      {"'prune'", "prune", false},
  };
  for (const Case& c : cases) {
    QApplication::setActiveWindow(&other);
    QApplication::clipboard()->setText(QString::fromUtf8(c.copied));
    processEvents();
    EXPECT_EQ(search->searchField()->text().toStdString(), c.field) << c.copied;
    EXPECT_EQ(search->noEntryNote()->isVisible(), c.noEntry) << c.copied;
  }
  QApplication::setActiveWindow(&other);
  QApplication::clipboard()->setText("groseilles");
  processEvents();
  ASSERT_TRUE(search->noEntryNote()->isVisible());
  EXPECT_EQ(search->noEntryNote()->text(), "No entry for this word; the nearest entries are shown.");
  // Typing is a search for what begins so: no note.
  QApplication::setActiveWindow(search);
  type("x");
  EXPECT_FALSE(search->noEntryNote()->isVisible());
  search->menuItem(cmdClipboardOff)->trigger();
  closeSearch();
}

// A copied word is looked up once, as a whole word: the rows show the index that lookup found
// (a dictionary form, an abbreviation with its full stop, the place of a word without entry),
// and the field that then shows the word does not look it up a second time. Typing still does.
TEST_F(SearchWindowTest, ACopiedWordShowsTheIndexFoundWithoutASecondLookup) {
  std::vector<WordPair> words = fruit;
  words.push_back({"z.B.", "e.g."});
  for (const char* word : {"zebu", "zele", "zenith", "zero", "zeste", "zinc", "zone", "zoo", "zoom", "zut"})
    words.push_back({word, "x"});
  test::writeFile("hunspell/fr_FR.aff", "SET UTF-8\nSFX S Y 1\nSFX S 0 s .\n");
  test::writeFile("hunspell/fr_FR.dic", "1\nfraise/S\n");
  openSearch(words);
  QWidget other;
  other.show();
  search->menuItem(cmdClipboardOn)->trigger();
  const int lookUps = search->fieldLookUps();
  struct Case {
    const char* copied;
    const char* field;
    int topIndex;
    const char* firstRow;
    bool noEntry;
  };
  const Case cases[] = {
      {"fraises", "fraise", 7, "fraise", false},  // the dictionary form of a plural
      {"z.B.,", "z.B.", 18, "z.B.", false},       // an abbreviation keeps its full stop
      {"kiwis", "kiwis", 11, "mangue", true},     // no entry: the place it would have
      {"(poire)", "poire", 14, "poire", false},
      {"poire", "poire", 14, "poire", false},  // the field holds it already; the rows had moved away
  };
  for (const Case& c : cases) {
    QApplication::setActiveWindow(&other);
    QApplication::clipboard()->setText(QString::fromUtf8(c.copied));
    processEvents();
    EXPECT_EQ(search->searchField()->text().toStdString(), c.field) << c.copied;
    EXPECT_EQ(search->topIndex(), c.topIndex) << c.copied;
    EXPECT_EQ(rowWord(0), c.firstRow) << c.copied;
    EXPECT_EQ(search->noEntryNote()->isVisible(), c.noEntry) << c.copied;
    EXPECT_EQ(search->fieldLookUps(), lookUps) << c.copied;
    key(Qt::Key_Down);
  }
  QApplication::setActiveWindow(search);
  type("s");
  EXPECT_EQ(search->fieldLookUps(), lookUps + 1);
  EXPECT_EQ(search->topIndex(), 15);  // "poires": after "poire"
  search->menuItem(cmdClipboardOff)->trigger();
  closeSearch();
}

TEST_F(SearchWindowTest, ChoosingTheCurrentDirectionStillResetsTheView) {
  openSearch(numberedWords(30));
  type("w020");
  EXPECT_EQ(search->topIndex(), 20);
  search->command(firstLanguageId, commandClicked);
  EXPECT_EQ(search->topIndex(), 0);
  EXPECT_EQ(rowWord(0), "w000");
}

}  // namespace
}  // namespace zembo

namespace zembo {
namespace {

TEST_F(SearchWindowTest, RightClickOffersEveryDirectionAndSwitchesThere) {
  openSearch(fruit);
  QTimer chooser;
  QObject::connect(&chooser, &QTimer::timeout, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu || !menu->isVisible()) return;
    ASSERT_EQ(menu->actions().size(), 5);
    menu->actions()[3]->trigger();  // English to French
    menu->close();
  });
  chooser.start(20);
  rightClick(search->client(), QPoint(300, 330));
  processEvents(100);
  EXPECT_STREQ(directions.currentDirection->wordFileName, "Eng_Fre.zb");
  EXPECT_EQ(rowWord(0), "cat");
  EXPECT_TRUE(mainWindow->isHidden());  // the choice went to the search window, not the main one
}

TEST_F(SearchWindowTest, SortingWindowShowsTheDirectionCountersAndFrames) {
  openSearch(fruit);
  SortingWindow* window = showSortingWindow(*directions.currentDirection);
  EXPECT_EQ(window->windowTitle(), "Sort");
  EXPECT_EQ(sorting.sortProgress, window);
  const QImage before = grab(window);
  window->showProgressText("Reading 1000");
  window->drawNextFrame();
  window->repaint();
  const QImage after = grab(window);
  saveGrab(window, "sorting-window");
  int changed = 0;
  for (int y = 5; y < 35; ++y)
    for (int x = 10; x < 40; ++x) changed += before.pixel(x, y) != after.pixel(x, y);
  EXPECT_GT(changed, 20);  // a frame of the animation stands there now
  EXPECT_EQ(window->progressText(), "Reading 1000");
  delete window;
  EXPECT_EQ(sorting.sortProgress, nullptr);
}

TEST_F(SearchWindowTest, OnlyTheBackgroundOffersTheLanguageMenu) {
  openSearch(fruit);
  auto* done = search->client()->childAt(550, 315);
  ASSERT_NE(done, nullptr);
  EXPECT_TRUE(menusOpenedBy([&] { rightClick(done); }).empty());
  EXPECT_EQ(menusOpenedBy([&] { rightClick(search->client(), QPoint(300, 330)); }),
            std::vector<std::string>{"French\tEnglish"});
}

TEST_F(SearchWindowTest, EveryMoveOfTheScrollBarMovesTheRowsWithIt) {
  openSearch(numberedWords(45));
  QScrollBar* bar = search->scrollBar();
  // Its own menu of Top, Bottom and the like would move the thumb alone.
  EXPECT_TRUE(menusOpenedBy([&] { rightClick(bar, QPoint(10, 100)); }).empty());
  bar->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(bar->sliderPosition(), 0);
  EXPECT_EQ(rowWord(0), "w000");
  QWheelEvent wheel(QPointF(10, 100), bar->mapToGlobal(QPointF(10, 100)), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(bar, &wheel);
  EXPECT_GT(bar->sliderPosition(), 0);
  EXPECT_EQ(search->topIndex(), std::min(35, 10 * bar->sliderPosition()));
  EXPECT_EQ(rowWord(0), search->topIndex() == 35 ? "w035" : "w0" + std::to_string(search->topIndex()));
}

TEST_F(SearchWindowTest, FailedSortIsOwedAgainAtTheNextClose) {
  openSearch(fruit);
  search->wordField(0)->setText("zeste");
  search->wordField(0)->storeOnEnter();
  startRecordingMessageBoxes();
  {
    test::FileSizeLimit full(100);  // the sorted copy cannot be written
    search->command(firstLanguageId, commandClicked);
  }
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text, "Sort failed  ");
  EXPECT_EQ(store.needsSort, 1);
  EXPECT_EQ(readWords("language/Fre_Eng.zb")[0].word, "zeste");
  closeSearch();
  EXPECT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(readWords("language/Fre_Eng.zb").back().word, "zeste");
  EXPECT_EQ(store.needsSort, 0);
  stopRecordingMessageBoxes();
}

TEST_F(SearchWindowTest, AnOwedSortThatFailsAtExitIsReportedOnce) {
  openSearch(fruit);
  search->wordField(0)->setText("zeste");
  search->wordField(0)->storeOnEnter();
  startRecordingMessageBoxes();
  {
    test::FileSizeLimit full(100);  // the sorted copy cannot be written
    QTest::keyClick(search->searchField(), Qt::Key_X, Qt::ControlModifier);
  }
  EXPECT_TRUE(mainWindow->destroyed());
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text, "Sort failed  ");
  stopRecordingMessageBoxes();
  EXPECT_EQ(readWords("language/Fre_Eng.zb")[0].word, "zeste");  // unsorted, but whole
}

TEST_F(SearchWindowTest, SortingWindowShowsEachStepOfASmallSort) {
  openSearch({{"poire", "pear"}, {"abricot", "apricot"}, {"kiwi", "kiwi"}, {"datte", "date"}, {"banane", "banana"}});
  SortingWindow* window = showSortingWindow(*store.direction);
  ASSERT_EQ(sortWordFile(), 0);
  EXPECT_EQ(window->framesDrawn(), 3);  // Reading 0, Sorting 0, Writing 0
  EXPECT_EQ(window->progressText(), "Writing 0");
  delete window;
  EXPECT_EQ(readWords("language/Fre_Eng.zb")[0].word, "abricot");
}

TEST_F(SearchWindowTest, SortingWindowIsOnTheScreenBeforeTheSortStarts) {
  openSearch(fruit);
  SortingWindow* window = showSortingWindow(*directions.currentDirection);
  ASSERT_NE(window->windowHandle(), nullptr);
  EXPECT_TRUE(window->windowHandle()->isExposed());
  delete window;
}

}  // namespace
}  // namespace zembo
