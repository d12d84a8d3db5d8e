#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

#include <cstdlib>
#include <set>

#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "tests/practice/practicefixture.h"

namespace zembo {
namespace {

using test::WordPair;

// The drill's clock is stepped by calling its tick where the timer would; the periods are read
// from the timer, so no test waits for seconds.
class PracticeWindowTest : public test::PracticeTest {
 protected:
  PracticeWindow* openPractice() {
    mainWindow->command(cmdStartPractice, commandClicked);
    processEvents();
    return practice = qobject_cast<PracticeWindow*>(mainWindow->openToolWindow());
  }
  int interval() const { return practice->drillTimer().interval(); }
  // Ticks until the drill ends; the words in the order they came.
  std::vector<std::string> drillToTheEnd() {
    std::vector<std::string> seen;
    for (int step = 0; step < 100 && mainWindow->openToolWindow(); ++step) {
      practice->drillTick();
      if (drill.drillPhase == 1 && drill.drillPeriod) seen.push_back(practice->shownWord());
      processEvents();
    }
    return seen;
  }

  PracticeWindow* practice = nullptr;
};

TEST_F(PracticeWindowTest, OneEntryWordThenTranslationThenTheEnd) {
  startWith({{"verbs", {{"chat", "cat"}}}});
  ASSERT_NE(openPractice(), nullptr);
  EXPECT_EQ(practice->windowTitle(), "Practice words  (verbs)");
  EXPECT_FALSE(mainWindow->isVisible());
  EXPECT_TRUE(practice->drillTimer().isActive());
  EXPECT_EQ(interval(), 100);
  EXPECT_EQ(practice->shownWord(), "");
  // The real timer shows the first word after 100 ms.
  processEvents(250);
  EXPECT_EQ(practice->shownWord(), "chat");
  EXPECT_EQ(practice->shownTranslation(), "");
  EXPECT_EQ(interval(), 5250);
  EXPECT_EQ(practice->progressBar()->value(), 0);
  practice->drillTick();
  EXPECT_EQ(practice->shownTranslation(), "cat");
  EXPECT_EQ(practice->progressBar()->value(), 1);
  EXPECT_EQ(practice->progressBar()->maximum(), 1);
  saveGrab(practice, "practice-window");
  EXPECT_TRUE(recordedMessageBoxes().empty());
  practice->drillTick();
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text, "You have reached the end of the List. ");
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "Dictionary");
  EXPECT_EQ(drill.drillPeriod, 0);
  processEvents();
  EXPECT_EQ(mainWindow->openToolWindow(), nullptr);
  EXPECT_TRUE(mainWindow->isVisible());
  EXPECT_EQ(tools.toolWindowOpen, 0);
  EXPECT_NE(tools.practisePos.top, 9999);
}

TEST_F(PracticeWindowTest, EveryEntryComesOnceInAnOrderThatVaries) {
  startWith({{"verbs", {{"un", "one"}, {"deux", "two"}, {"trois", "three", 1}}}});
  std::set<std::vector<std::string>> orders;
  for (unsigned seed = 1; seed <= 8; ++seed) {
    std::srand(seed);
    ASSERT_NE(openPractice(), nullptr);
    std::vector<std::string> seen = drillToTheEnd();
    ASSERT_EQ(seen.size(), 3u);
    orders.insert(seen);
    std::sort(seen.begin(), seen.end());
    // The entry marked deleted is drilled like the others.
    EXPECT_EQ(seen, (std::vector<std::string>{"deux", "trois", "un"}));
  }
  EXPECT_GT(orders.size(), 1u);
}

TEST_F(PracticeWindowTest, TheFastestSpeedStepsEveryHalfSecond) {
  startWith({{"verbs", numberedWords(4)}});
  ASSERT_NE(openPractice(), nullptr);
  EXPECT_EQ(practice->slider()->minimum(), 1);
  EXPECT_EQ(practice->slider()->maximum(), 11);
  EXPECT_EQ(practice->slider()->value(), 6);
  practice->drillTick();  // the first word
  EXPECT_EQ(interval(), 5250);
  practice->slider()->setValue(11);
  EXPECT_TRUE(practice->hasFocus() || !practice->isActiveWindow());
  EXPECT_EQ(interval(), 5250);  // the new speed counts from the next tick
  practice->drillTick();
  EXPECT_EQ(interval(), 500);
  practice->drillTick();
  EXPECT_EQ(interval(), 500);
  practice->slider()->setValue(1);
  practice->drillTick();
  EXPECT_EQ(interval(), 10000);
}

TEST_F(PracticeWindowTest, AKeyOrAClickHurriesTheNextStep) {
  startWith({{"verbs", numberedWords(4)}});
  ASSERT_NE(openPractice(), nullptr);
  practice->drillTick();
  const std::string word = practice->shownWord();
  QTest::keyClick(practice, Qt::Key_Space);
  EXPECT_EQ(interval(), 10);
  processEvents(60);
  EXPECT_EQ(practice->shownWord(), word);
  EXPECT_FALSE(practice->shownTranslation().empty());
  EXPECT_EQ(interval(), 5250);
  QTest::mouseClick(practice->client(), Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_EQ(interval(), 10);
  processEvents(60);
  EXPECT_NE(practice->shownWord(), word);
  EXPECT_EQ(practice->shownTranslation(), "");
  EXPECT_EQ(interval(), 5250);
  // A left click on the word box counts as one on the window.
  const QPoint wordBox(practice->layoutLeft() + 100, practice->layoutTop() + 40);
  QTest::mouseClick(practice->client(), Qt::LeftButton, {}, wordBox);
  EXPECT_EQ(interval(), 10);
}

TEST_F(PracticeWindowTest, AResizeSkipsTheTranslationButTheWordStillCounts) {
  startWith({{"verbs", numberedWords(2)}});
  ASSERT_NE(openPractice(), nullptr);
  EXPECT_EQ(practice->layoutLeft(), 15);
  EXPECT_EQ(practice->layoutTop(), 10);
  practice->drillTick();
  const std::string first = practice->shownWord();
  practice->resize(1030, 670);
  processEvents();
  EXPECT_EQ(practice->layoutLeft(), (practice->client()->width() - 630) / 2 + 15);
  EXPECT_EQ(practice->layoutTop(), (practice->client()->height() - 270) / 2 + 10);
  EXPECT_EQ(practice->quitButton()->geometry().topLeft(),
            QPoint(practice->layoutLeft() + 495, practice->layoutTop() + 215));
  EXPECT_EQ(interval(), 100);
  EXPECT_EQ(drill.drillPhase, 0);
  practice->drillTick();  // the next word at once, without the first one's translation
  EXPECT_NE(practice->shownWord(), first);
  EXPECT_EQ(practice->shownTranslation(), "");
  practice->drillTick();
  EXPECT_EQ(practice->progressBar()->value(), 2);
  practice->drillTick();
  EXPECT_EQ(recordedMessageBoxes().size(), 1u);  // two words shown: the end
}

TEST_F(PracticeWindowTest, ACoveredWindowShowsTheCardAgain) {
  startWith({{"verbs", {{"chat", "cat"}, {"chien", "dog"}}}});
  ASSERT_NE(openPractice(), nullptr);
  const QImage empty = grab(practice);
  practice->drillTick();
  practice->drillTick();
  practice->client()->repaint();
  const QImage card = grab(practice);
  EXPECT_NE(card, empty);
  practice->client()->repaint();
  EXPECT_EQ(grab(practice), card);
}

TEST_F(PracticeWindowTest, QuitClosesAndStartPracticeOnAnEmptyListAsksFirst) {
  startWith({{"verbs", numberedWords(1)}, {"nouns", {}}});
  ASSERT_NE(openPractice(), nullptr);
  click(practice->quitButton());
  processEvents();
  EXPECT_EQ(mainWindow->openToolWindow(), nullptr);
  setPracticeListName("nouns");
  closeListFile();
  openListFile();
  countListRecords();
  startRecordingMessageBoxes({IDNO});
  EXPECT_EQ(openPractice(), nullptr);
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text,
            "Practice list (French-English) is empty.      \n\nCreate new practice list?");
  startRecordingMessageBoxes({IDYES});
  mainWindow->command(cmdStartPractice, commandClicked);
  processEvents();
  EXPECT_NE(qobject_cast<ListEditor*>(mainWindow->openToolWindow()), nullptr);
}

TEST_F(PracticeWindowTest, ListsBeyondASixteenBitCountShowTheirProgress) {
  startWith({{"verbs", numberedWords(40000)}});
  ASSERT_NE(openPractice(), nullptr);
  EXPECT_EQ(practice->progressBar()->maximum(), 40000);
  practice->drillTick();
  practice->drillTick();
  EXPECT_EQ(practice->progressBar()->value(), 1);
}

TEST_F(PracticeWindowTest, TheFastLabelStandsWhereTheEditionPutsIt) {
  startWith({{"verbs", numberedWords(1)}});
  ASSERT_NE(openPractice(), nullptr);
  EXPECT_EQ(practice->fastLabelRect().left(), practice->layoutLeft() + 213 - 15);
  // The French edition gives 170.
  const int english = uiLanguage.uiBase;
  setUiBase(uiLanguageBase("french"));
  EXPECT_EQ(practice->fastLabelRect().left(), practice->layoutLeft() + 155);
  setUiBase(english);
}

}  // namespace
}  // namespace zembo
