// The review window driven as a learner drives it: type, reveal, grade, come back another day.

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <filesystem>

#include "platform/hostpath.h"
#include "platform/profile.h"
#include "practice/reviewdeck.h"
#include "practice/reviewwindow.h"
#include "review/cards.h"
#include "tests/practice/practicefixture.h"

namespace zembo {
namespace {

using test::WordPair;
namespace fs = std::filesystem;

constexpr std::int64_t day = 86400;

class ReviewWindowTest : public test::PracticeTest {
 protected:
  void TearDown() override {
    reviewing = ReviewState{};
    listEditing.chooseExportFile = savedChooser;
    test::PracticeTest::TearDown();
  }
  ReviewWindow* openReview() {
    mainWindow->command(cmdReviewList, commandClicked);
    processEvents();
    return review = qobject_cast<ReviewWindow*>(mainWindow->openToolWindow());
  }
  QString menuText() {
    mainWindow->updateReviewItem();
    return mainWindow->menuItem(cmdReviewList)->text();
  }
  // Types an answer into the field and presses Enter, then grades with a key (0: Enter).
  void answer(const char* typed, int gradeKey) {
    QTest::keyClicks(review->answerField(), typed);
    QTest::keyClick(review->answerField(), Qt::Key_Return);
    ASSERT_TRUE(review->revealed());
    QTest::keyClick(review, gradeKey ? Qt::Key(Qt::Key_0 + gradeKey) : Qt::Key_Return);
  }
  std::vector<Card> cardsOnDisk() {
    std::vector<Card> cards;
    readCardFile("list/verbs/Fre_Eng.cards.tsv", cards);
    return cards;
  }
  ReviewWindow* review = nullptr;
  QString (*savedChooser)(QWidget*, const QString&) = listEditing.chooseExportFile;
};

TEST_F(ReviewWindowTest, TypeRevealGradeAndTheMenuCountsWhatIsDue) {
  startWith({{"verbs", {{"chat", "cat"}, {"chien", "dog, hound"}, {"\xeatre", "to be"}}}});
  EXPECT_EQ(menuText(), "Review practice list (3)");  // three new cards, all allowed today
  EXPECT_TRUE(mainWindow->menuItem(cmdReviewList)->isEnabled());
  ASSERT_NE(openReview(), nullptr);
  EXPECT_EQ(review->windowTitle(), "Review practice list  (verbs)");
  EXPECT_FALSE(mainWindow->isVisible());
  EXPECT_EQ(review->wordLabel()->text(), "chat");
  EXPECT_EQ(review->statusLabel()->text(), "Cards left: 3");
  EXPECT_FALSE(review->gradeButton(3)->isEnabled());

  // Exact, case and blanks ignored: Good proposed, Enter takes it.
  QTest::keyClicks(review->answerField(), "  CAT ");
  QTest::keyClick(review->answerField(), Qt::Key_Return);
  EXPECT_EQ(review->solutionLabel()->text(), "cat");
  EXPECT_EQ(review->proposed(), good);
  EXPECT_TRUE(review->gradeButton(3)->font().underline());
  saveGrab(review, "review-window-revealed");
  QTest::keyClick(review, Qt::Key_Return);
  EXPECT_EQ(review->wordLabel()->text(), "chien");
  std::vector<Card> cards = cardsOnDisk();
  ASSERT_EQ(cards.size(), 1u);  // written at once, before the window closes
  EXPECT_EQ(cards[0].word, "chat");
  EXPECT_EQ(cards[0].schedule.state, CardState::learning);

  // One letter off the second translation: Hard proposed, the wrong letter marked; key 1 overrides.
  QTest::keyClicks(review->answerField(), "hount");
  QTest::keyClick(review->answerField(), Qt::Key_Return);
  EXPECT_EQ(review->proposed(), hard);
  EXPECT_EQ(review->typedLabel()->text(),
            "Your answer: houn<span style=\"color:#c00000; text-decoration:underline\">t</span>");
  QTest::keyClick(review, Qt::Key_1);
  // Enter on an empty field reveals; the accents-only answer of the next card proposes Hard.
  QTest::keyClick(review->answerField(), Qt::Key_Return);
  EXPECT_TRUE(review->revealed());
  EXPECT_EQ(review->proposed(), again);
  EXPECT_EQ(review->solutionLabel()->text(), "to be");
  QTest::mouseClick(review->gradeButton(4), Qt::LeftButton);

  // chat (Good: ten minutes) and chien (Again: one minute) are in their learning steps; être
  // (Easy) is days away. Within the next twenty minutes the steps come back, then the end.
  EXPECT_EQ(review->wordLabel()->text(), "chien");
  // A missing letter is marked where it is missing, a letter too many where it stands.
  QTest::keyClicks(review->answerField(), "dg");
  QTest::keyClick(review->answerField(), Qt::Key_Return);
  const std::string mark = "<span style=\"color:#c00000; text-decoration:underline\">";
  EXPECT_EQ(review->typedLabel()->text().toStdString(), "Your answer: d" + mark + "_</span>g");
  QTest::keyClick(review, Qt::Key_3);
  EXPECT_EQ(review->wordLabel()->text(), "chat");
  QTest::keyClicks(review->answerField(), "caet");
  QTest::keyClick(review->answerField(), Qt::Key_Return);
  EXPECT_EQ(review->typedLabel()->text().toStdString(), "Your answer: ca" + mark + "e</span>t");
  QTest::keyClick(review, Qt::Key_3);
  EXPECT_EQ(review->wordLabel()->text(), "chien");
  answer("dog", 3);
  EXPECT_EQ(review->wordLabel()->text(), "Nothing more to review now.");
  EXPECT_TRUE(review->solutionLabel()->text().startsWith("Next card due: "));
  saveGrab(review, "review-window-end");
  const std::string log = test::readFile("list/verbs/Fre_Eng.log.tsv");
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 7);  // the header and six grades
  EXPECT_NE(log.find("\têtre\t4\t0\tnew\n"), std::string::npos);

  QTest::mouseClick(review->findChildren<QPushButton*>().last(), Qt::LeftButton);  // Quit
  processEvents();
  EXPECT_TRUE(mainWindow->isVisible());
  EXPECT_EQ(menuText(), "Review practice list (0)");
  shiftReviewClock(2 * day);
  EXPECT_EQ(menuText(), "Review practice list (2)");  // chat and chien, a day after their interval
  // The count follows the list: a new entry is a new card, and one marked deleted is none.
  currentRecord = WordRecord{};
  setField(currentRecord.word, sizeof currentRecord.word, "maison");
  setField(currentRecord.translation, sizeof currentRecord.translation, "house");
  ASSERT_EQ(appendListRecord(), 0);
  EXPECT_EQ(menuText(), "Review practice list (3)");
  ASSERT_EQ(readListRecord(store.listCount - 1), 0);
  currentRecord.flags = 1;  // marked deleted
  ASSERT_EQ(writeListRecord(store.listCount - 1), 0);
  EXPECT_EQ(menuText(), "Review practice list (2)");
  EXPECT_TRUE(recordedMessageBoxes().empty());
}

// No more than the day's new cards, the limit counting those begun earlier the same day; the
// next day brings new ones again.
TEST_F(ReviewWindowTest, NewCardsStopAtTheDaysLimit) {
  test::writeFile(profilePath("win.ini"), "[Dictionary]\nReviewNewCards=2\n");
  startWith({{"verbs", numberedWords(5)}});
  EXPECT_EQ(menuText(), "Review practice list (2)");
  ASSERT_NE(openReview(), nullptr);
  answer("t0000", 4);
  review->close();
  processEvents();
  EXPECT_EQ(menuText(), "Review practice list (1)");
  ASSERT_NE(openReview(), nullptr);
  EXPECT_EQ(review->wordLabel()->text(), "w0001");
  answer("t0001", 4);
  EXPECT_EQ(review->wordLabel()->text(), "Nothing more to review now.");
  review->close();
  processEvents();
  EXPECT_EQ(menuText(), "Review practice list (0)");
  shiftReviewClock(day);
  EXPECT_EQ(menuText(), "Review practice list (2)");
}

// Ctrl+X ends the program in the middle of a review; the next start finds every card as it was
// graded, and a damaged card file is put aside with a message.
TEST_F(ReviewWindowTest, ARestartKeepsEveryCardAndADamagedFileIsKeptAside) {
  startWith({{"verbs", numberedWords(4)}});
  ASSERT_NE(openReview(), nullptr);
  answer("t0000", 3);
  answer("t0001", 1);
  answer("x", 0);
  const std::vector<Card> before = cardsOnDisk();
  ASSERT_EQ(before.size(), 3u);
  QTest::keyClick(review->answerField(), Qt::Key_X, Qt::ControlModifier);
  processEvents();
  EXPECT_TRUE(mainWindow == nullptr || mainWindow->destroyed());

  ASSERT_EQ(restart(), -1);
  ASSERT_NE(openReview(), nullptr);
  ASSERT_EQ(review->deck().size(), 4u);
  for (const Card& card : before) {
    const auto it = std::find_if(review->deck().begin(), review->deck().end(),
                                 [&](const DeckCard& d) { return d.card.word == card.word; });
    ASSERT_NE(it, review->deck().end());
    EXPECT_EQ(it->card.schedule.state, card.schedule.state);
    EXPECT_EQ(it->card.schedule.stability, card.schedule.stability);
    EXPECT_EQ(it->card.schedule.difficulty, card.schedule.difficulty);
    EXPECT_EQ(it->card.schedule.due, card.schedule.due);
    EXPECT_EQ(it->card.schedule.reps, card.schedule.reps);
  }
  review->close();
  processEvents();

  const std::string damaged = test::readFile("list/verbs/Fre_Eng.cards.tsv") + "w0009\tlearning\n";
  test::writeFile("list/verbs/Fre_Eng.cards.tsv", damaged);
  ASSERT_NE(openReview(), nullptr);
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_NE(recordedMessageBoxes()[0].text.find("The review card file was damaged"), std::string::npos);
  EXPECT_EQ(test::readFile("list/verbs/Fre_Eng.cards.tsv.damaged"), damaged);
  EXPECT_EQ(review->statusLabel()->text(), "Cards left: 4");  // afresh: every card new
}

// The list editor's export writes what Anki and KWordQuiz import; an entry marked deleted leaves
// the list when the editor closes, and its card leaves the card file with it.
TEST_F(ReviewWindowTest, ExportWritesUtf8TabsAndCompactionDropsTheCardsOfRemovedEntries) {
  startWith({{"verbs", {{"chat", "cat"}, {"\xeatre", "to be"}, {"chien", "dog, hound"}}}});
  ASSERT_NE(openReview(), nullptr);
  for (int i = 0; i < 3; ++i) answer("", 4);
  ASSERT_EQ(cardsOnDisk().size(), 3u);
  review->close();
  processEvents();

  ASSERT_NE(openEditor(), nullptr);
  listEditing.chooseExportFile = [](QWidget*, const QString& offered) {
    EXPECT_TRUE(offered.endsWith("/verbs.txt"));
    return QString("verbs.txt");
  };
  editor->command(cmdExportList, commandClicked);
  EXPECT_EQ(test::readFile("verbs.txt"), "chat\tcat\n\xc3\xaatre\tto be\nchien\tdog, hound\n");
  listEditing.chooseExportFile = [](QWidget*, const QString&) { return QString("no-such-folder/verbs.txt"); };
  editor->command(cmdExportList, commandClicked);
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "Export list");

  click(editor->listBox(1));  // être marked deleted
  closeEditor();
  std::vector<std::string> words;
  for (const Card& card : cardsOnDisk()) words.push_back(card.word);
  EXPECT_EQ(words, (std::vector<std::string>{"chat", "chien"}));
}

}  // namespace
}  // namespace zembo
