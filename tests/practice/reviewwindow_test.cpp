// The review window driven as a learner drives it: type, reveal, grade, come back another day.

#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "lookup/soundfiles.h"
#include "platform/hostpath.h"
#include "platform/profile.h"
#include "practice/progresspicture.h"
#include "practice/reviewdeck.h"
#include "practice/reviewwindow.h"
#include "resources/uilanguage.h"
#include "review/cards.h"
#include "review/fittedschedule.h"
#include "review/reviewlog.h"
#include "tests/practice/practicefixture.h"
#include "tests/support/learner.h"

namespace zembo {
namespace {

using test::WordPair;
namespace fs = std::filesystem;

constexpr std::int64_t day = 86400;

class ReviewWindowTest : public test::PracticeTest {
 protected:
  void TearDown() override {
    resetReviewState();
    setExportFileChooser(savedChooser);
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
  // The cards as the card file and the log beside the list give them.
  std::vector<Card> cardsOnDisk(const std::string& list = "verbs") {
    return readReviewCards("list/" + list + "/Fre_Eng.ls").cards;
  }
  ReviewWindow* review = nullptr;
  QString (*savedChooser)(QWidget*, const QString&, const QString&) = listEditing.chooseExportFile;
};

TEST_F(ReviewWindowTest, TypeRevealGradeAndTheMenuCountsWhatIsDue) {
  startWith({{"verbs", {{"chat", "cat"}, {"chien", "dog, hound"}, {"\xeatre", "to be"}}}});
  EXPECT_EQ(menuText(), "Review practice list (3)");  // three new cards, all allowed today
  EXPECT_TRUE(mainWindow->menuItem(cmdReviewList)->isEnabled());
  ASSERT_NE(openReview(), nullptr);
  EXPECT_EQ(review->windowTitle(), "Review practice list (verbs)");
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
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 8);  // the two lines of the header and six grades
  EXPECT_NE(log.find("\t4\t0\tdefault\têtre\tforward\treview\t"), std::string::npos);

  QTest::mouseClick(review->quitButton(), Qt::LeftButton);
  processEvents();
  EXPECT_TRUE(mainWindow->isVisible());
  EXPECT_EQ(menuText(), "Review practice list (0)");
  shiftReviewClock(2 * day);
  EXPECT_EQ(menuText(), "Review practice list (2)");  // chat and chien, a day after their interval
  // The count follows the list: a new entry is a new card, and one marked deleted is none.
  WordRecord record{};
  setField(record.word, sizeof record.word, "maison");
  setField(record.translation, sizeof record.translation, "house");
  ASSERT_EQ(appendListRecord(record), 0);
  EXPECT_EQ(menuText(), "Review practice list (3)");
  ASSERT_EQ(readListRecord(store.listCount - 1, record), 0);
  record.flags = 1;  // marked deleted
  ASSERT_EQ(writeListRecord(store.listCount - 1, record), 0);
  EXPECT_EQ(menuText(), "Review practice list (2)");
  EXPECT_TRUE(recordedMessageBoxes().empty());
}

// No more than the day's new cards, the limit counting those begun earlier the same day; the
// next day brings new ones again.
// A card is the whole entry: the list's translations, then those of every record the word file
// holds for the word (spelled as it is), so that any of them is right.
TEST_F(ReviewWindowTest, ACardAsksForAnyTranslationOfTheWholeEntry) {
  startWith({{"nouns", {{"chien", "mine car"}, {"rue", "street St"}}}}, {{"Chien", "Dog Star"},
                                                                         {"chien", "mine car, canine"},
                                                                         {"chien", "dog, hound"},
                                                                         {"chien", "deleted one", 1},
                                                                         {"rue", "street St, road Rd"}});
  ASSERT_NE(openReview(), nullptr);
  EXPECT_EQ(review->wordLabel()->text(), "chien");
  QTest::keyClicks(review->answerField(), "dog");
  QTest::keyClick(review->answerField(), Qt::Key_Return);
  EXPECT_EQ(review->proposed(), good);
  EXPECT_EQ(review->solutionLabel()->text(), "mine car, canine, dog, hound");
  QTest::keyClick(review, Qt::Key_Return);
  ASSERT_EQ(cardsOnDisk("nouns").size(), 1u);
  EXPECT_EQ(cardsOnDisk("nouns")[0].schedule.state, CardState::learning);
  EXPECT_EQ(review->wordLabel()->text(), "rue");
  QTest::keyClicks(review->answerField(), "road");
  QTest::keyClick(review->answerField(), Qt::Key_Return);
  EXPECT_EQ(review->proposed(), good);  // "road Rd" as an older import left it
  EXPECT_EQ(review->solutionLabel()->text(), "street St, road Rd");
}

// The word is heard as its card is shown (F5 again) while Say the word is on; Listening hides it,
// and the learner types the word itself. A word that cannot be heard is shown as it is.
TEST_F(ReviewWindowTest, ListeningHidesTheWordAndTheLearnerTypesWhatIsHeard) {
  std::filesystem::create_directories("sound/French");
  for (const char* word : {"chat", "chien"}) test::writeFile(std::string("sound/French/") + word + ".wav", "RIFF");
  startWith({{"verbs", {{"chat", "cat"}, {"chien", "dog"}, {"maison", "house"}}}});
  setSpeakWords(false);  // only recordings are heard: the same on every machine
  ASSERT_NE(openReview(), nullptr);
  processEvents();
  EXPECT_TRUE(review->speakSwitch()->isChecked());
  EXPECT_FALSE(review->listeningSwitch()->isChecked());
  EXPECT_EQ(review->wordLabel()->text(), "chat");
  EXPECT_EQ(review->wordsPlayed(), 1);
  QTest::keyClick(review->answerField(), Qt::Key_F5);
  EXPECT_EQ(review->wordsPlayed(), 2);
  EXPECT_EQ(review->answerField()->text(), "");  // F5 types nothing

  review->listeningSwitch()->click();
  processEvents();
  EXPECT_EQ(readProfileInt("Dictionary", "ReviewListening", -1, "win.ini"), 1);
  EXPECT_EQ(review->wordLabel()->text(), QString("\u2026"));
  EXPECT_EQ(review->wordsPlayed(), 3);
  QTest::keyClicks(review->answerField(), "CHAT");
  QTest::keyClick(review->answerField(), Qt::Key_Return);
  EXPECT_EQ(review->proposed(), good);
  EXPECT_EQ(review->wordLabel()->text(), "chat");
  EXPECT_EQ(review->solutionLabel()->text(), "cat");
  QTest::keyClick(review, Qt::Key_Return);

  EXPECT_EQ(review->wordLabel()->text(), QString("\u2026"));  // chien, by ear
  QTest::keyClicks(review->answerField(), "chen");
  QTest::keyClick(review->answerField(), Qt::Key_Return);
  EXPECT_EQ(review->proposed(), hard);
  QTest::keyClick(review, Qt::Key_Return);
  EXPECT_EQ(review->wordLabel()->text(), "maison");  // no recording: seen, and asked as always

  // Both off: nothing is played, and the switches are kept.
  review->speakSwitch()->click();
  review->listeningSwitch()->click();
  processEvents();
  EXPECT_EQ(readProfileInt("Dictionary", "ReviewSpeak", -1, "win.ini"), 0);
  EXPECT_EQ(readProfileInt("Dictionary", "ReviewListening", -1, "win.ini"), 0);
  const int played = review->wordsPlayed();
  answer("house", 0);
  processEvents();
  EXPECT_EQ(review->wordLabel()->text(), "chien");  // its learning step, shown early, and seen
  EXPECT_EQ(review->wordsPlayed(), played);
}

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
// graded, and a damaged line of the card file is put aside with a message, the other cards kept.
TEST_F(ReviewWindowTest, ARestartKeepsEveryCardAndADamagedLineIsKeptAside) {
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

  const std::string good = test::readFile("list/verbs/Fre_Eng.cards.tsv");
  test::writeFile("list/verbs/Fre_Eng.cards.tsv", "\xEF\xBB\xBF" + good + "\nw0009\tlearning\n");
  ASSERT_NE(openReview(), nullptr);
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text,
            "Some lines of the review card file could not be read; they have been put aside in\n"
            "list/verbs/Fre_Eng.cards.tsv.damaged\n\nThe other cards are kept and the review goes on.");
  EXPECT_EQ(test::readFile("list/verbs/Fre_Eng.cards.tsv.damaged"), "w0009\tlearning\n");
  EXPECT_EQ(test::readFile("list/verbs/Fre_Eng.cards.tsv"), good);
  EXPECT_EQ(cardsOnDisk().size(), 3u);
}

// A learning card within the learn-ahead comes early when nothing else is left, and says so: the
// counts tell the cards due now from those coming soon, the card when it was due. Esc closes the
// window, every grade kept.
TEST_F(ReviewWindowTest, LearningCardsShownEarlySayWhenTheyAreDueAndEscCloses) {
  startWith({{"verbs", {{"chat", "cat"}, {"chien", "dog"}}}});
  ASSERT_NE(openReview(), nullptr);
  const std::int64_t start = reviewNow();
  answer("cat", 3);  // Good: the second step, ten minutes
  answer("", 1);     // Again: the first step, one minute
  EXPECT_EQ(review->wordLabel()->text(), "chien");
  EXPECT_EQ(review->statusLabel()->text(), "Cards left: 0 + 2 soon");
  const std::int64_t due = cardsOnDisk()[1].schedule.due;
  ASSERT_GT(due, start);
  EXPECT_EQ(review->earlyLabel()->text(),
            "Shown early; due at " + QDateTime::fromSecsSinceEpoch(due).toString("hh:mm:ss"));
  QTest::keyClick(review->answerField(), Qt::Key_Escape);
  processEvents();
  EXPECT_TRUE(mainWindow->isVisible());
  EXPECT_EQ(mainWindow->openToolWindow(), nullptr);
  EXPECT_EQ(cardsOnDisk().size(), 2u);
  EXPECT_EQ(menuText(), "Review practice list (0 + 2 soon)");
  shiftReviewClock(due - reviewNow());
  EXPECT_EQ(menuText(), "Review practice list (1 + 1 soon)");
  ASSERT_NE(openReview(), nullptr);
  EXPECT_EQ(review->earlyLabel()->text(), "");  // due now: not early
  answer("dog", 4);
  EXPECT_EQ(review->wordLabel()->text(), "chat");
  EXPECT_TRUE(review->earlyLabel()->text().startsWith("Shown early; due at "));
  QTest::keyClick(review, Qt::Key_Escape);  // revealed or not, Esc closes
  processEvents();
  EXPECT_EQ(mainWindow->openToolWindow(), nullptr);
  shiftReviewClock(20 * 60);
  EXPECT_EQ(menuText(), "Review practice list (1)");
  EXPECT_TRUE(recordedMessageBoxes().empty());
}

// A word and a translation longer than a line, and a long typed answer: all of them wrap, and no
// part of them is cut at the window's smallest size or at a large one.
TEST_F(ReviewWindowTest, LongTranslationsAndAnswersWrapAndNothingIsCut) {
  const std::string word = "Wwwwwwwwww wwwwwwwwww wwwwwww";  // the longest word a record holds
  startWith({{"verbs",
              {{word, "the first translation of many words, and more"},
               {word, "the second one, which is just as long as that"}}}});
  ASSERT_NE(openReview(), nullptr);
  std::string typed;
  for (int i = 0; i < 40; ++i) typed += "answer" + std::to_string(i) + " ";
  // Every text label shows its whole text: as tall as its wrapped lines need, and within the card.
  auto nothingCut = [&](const char* when) {
    // A wrapped label settles its height over several layout passes: on a busy machine, or under
    // the sanitizers, they take longer than one turn of the event loop.
    const auto settled = [&] {
      for (QLabel* label : {review->wordLabel(), review->solutionLabel(), review->typedLabel()})
        if (!label->text().isEmpty() && label->height() < label->heightForWidth(label->width())) return false;
      return true;
    };
    processEvents();
    for (int waited = 0; waited < 10000 && !settled(); waited += 20) processEvents(20);
    for (QLabel* label : {review->wordLabel(), review->solutionLabel(), review->typedLabel()}) {
      if (label->text().isEmpty()) continue;
      EXPECT_GE(label->height(), label->heightForWidth(label->width())) << when << ": " << label->text().toStdString();
      EXPECT_GE(label->width(), label->minimumSizeHint().width()) << when;
      EXPECT_GE(label->parentWidget()->height(), label->geometry().bottom()) << when;
    }
    QTextEdit* answerField = review->answerField();
    EXPECT_LE(answerField->document()->size().height(), answerField->viewport()->height() + 1) << when;
    EXPECT_EQ(answerField->horizontalScrollBar()->maximum(), 0) << when;
  };
  QTest::keyClicks(review->answerField(), QString::fromStdString(typed.substr(0, 150)));
  nothingCut("typing, small window");
  QTest::keyClick(review->answerField(), Qt::Key_Return);
  ASSERT_TRUE(review->revealed());
  EXPECT_EQ(review->solutionLabel()->text().toStdString(),
            "the first translation of many words, and more, the second one, which is just as long as that");
  nothingCut("revealed, small window");
  saveGrab(review, "review-window-long-small");
  review->resize(1200, 800);
  nothingCut("revealed, large window");
  saveGrab(review, "review-window-long-large");
  review->resize(100, 100);  // as small as the window allows
  EXPECT_GE(review->width(), 600);
  nothingCut("revealed, smallest window");
}

// Unblocks whoever waits on a pipe for longer than a slow machine needs, so that a wait there
// fails the test instead of holding it for ever.
class PipeWatchdog {
 public:
  explicit PipeWatchdog(fs::path pipe)
      : thread_([this, pipe] {
          using namespace std::chrono_literals;
          const auto start = std::chrono::steady_clock::now();
          while (!done_) {
            std::this_thread::sleep_for(10ms);
            if (std::chrono::steady_clock::now() - start < 10s) continue;
            const int fd = ::open(pipe.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
            fired_ = true;
            std::this_thread::sleep_for(500ms);
            if (fd >= 0) ::close(fd);
          }
        }) {}
  ~PipeWatchdog() {
    done_ = true;
    thread_.join();
  }
  bool fired() const { return fired_; }

 private:
  std::atomic<bool> done_{false}, fired_{false};
  std::thread thread_;
};

// Whatever stands beside a list under the names of its card file and its review log, the File
// menu counts, the review window opens and a grade is given without waiting, nothing is read
// without limit or written through a link, and a message names the file.
TEST_F(ReviewWindowTest, HostileFilesBesideAListAreNeverWaitedOnReadWithoutLimitOrWrittenThrough) {
  startWith({{"verbs", {{"chat", "cat"}, {"chien", "dog"}}}});
  const fs::path cards = "list/verbs/Fre_Eng.cards.tsv", log = "list/verbs/Fre_Eng.log.tsv";
  const fs::path outside = fs::absolute("outside.tsv");
  const std::string notPlain =
      "This file beside the list is not a plain file (a link, a pipe or a device), so it is left as it is:\n";
  // The log keeps the review when the card file cannot be written.
  const std::string cardsNotKept = notPlain + cards.string();
  const std::string logNotKept = notPlain + log.string() + "\n\nGrades are not written to the review log.";
  const std::string outsideText = "# time\tword\tgrade\telapsed days\tstate before\n";
  struct Case {
    const char* what;
    fs::path name;  // cards or log
    std::function<void()> plant;
    std::string message;  // the one message the review window opens with
  };
  const Case cases[] = {
      {"the card file a pipe", cards, [&] { ASSERT_EQ(::mkfifo(cards.c_str(), 0600), 0); }, cardsNotKept},
      {"the log a pipe", log, [&] { ASSERT_EQ(::mkfifo(log.c_str(), 0600), 0); }, logNotKept},
      {"the log a link out of the folder", log, [&] { fs::create_symlink(outside, log); }, logNotKept},
      {"the card file a link to a device", cards, [&] { fs::create_symlink("/dev/zero", cards); }, cardsNotKept},
      {"the card file a link to a card file elsewhere", cards, [&] { fs::create_symlink(outside, cards); },
       cardsNotKept},
      {"the card file a folder", cards, [&] { fs::create_directory(cards); }, cardsNotKept},
      {"the card file too large", cards,
       [&] {
         test::writeFile(cards, "");
         fs::resize_file(cards, cardFileSizeLimit + 1);
       },
       "The review card file is too large to be read; it has been kept as\n" + cards.string() +
           ".damaged\n\nReview starts afresh."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::writeFile(outside, outsideText);
    c.plant();
    struct stat before {};
    ASSERT_EQ(::lstat(c.name.c_str(), &before), 0);
    startRecordingMessageBoxes();
    {
      PipeWatchdog watchdog(c.name);
      EXPECT_EQ(menuText(), "Review practice list (2)");
      ASSERT_NE(openReview(), nullptr);
      answer("cat", 3);
      review->close();
      processEvents();
      EXPECT_FALSE(watchdog.fired()) << "waited on the pipe";
    }
    ASSERT_EQ(recordedMessageBoxes().size(), 1u);
    EXPECT_EQ(recordedMessageBoxes()[0].text, c.message);
    EXPECT_EQ(test::readFile(outside), outsideText);
    struct stat after {};
    if (fs::exists(c.name.string() + ".damaged")) {
      EXPECT_EQ(fs::file_size(c.name.string() + ".damaged"), cardFileSizeLimit + 1);  // kept whole, aside
    } else {
      ASSERT_EQ(::lstat(c.name.c_str(), &after), 0);
      EXPECT_EQ(after.st_mode, before.st_mode) << "the planted file stays what it was";
      EXPECT_EQ(after.st_ino, before.st_ino);
    }
    // The grade is kept: in the log, or without one in the card file.
    EXPECT_EQ(cardsOnDisk().size(), 1u);
    for (const fs::path& planted : {cards, log, fs::path(cards.string() + ".damaged")}) fs::remove_all(planted);
  }
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
  static QString filter;
  setExportFileChooser([](QWidget*, const QString& offered, const QString& offeredFilter) {
    EXPECT_TRUE(offered.endsWith("/verbs.txt"));
    filter = offeredFilter;
    return QString("verbs.txt");
  });
  editor->command(cmdExportList, commandClicked);
  EXPECT_EQ(test::readFile("verbs.txt"), "chat\tcat\n\xc3\xaatre\tto be\nchien\tdog, hound\n");
  EXPECT_EQ(filter, "Text files (*.txt);;All files (*)");
  // The filter speaks the edition's language.
  const int english = uiLanguage.uiBase;
  setUiBase(uiLanguageBase("german"));
  editor->command(cmdExportList, commandClicked);
  setUiBase(english);
  EXPECT_EQ(filter, "Textdateien (*.txt);;Alle Dateien (*)");
  setExportFileChooser([](QWidget*, const QString&, const QString&) { return QString("no-such-folder/verbs.txt"); });
  editor->command(cmdExportList, commandClicked);
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "Export list");

  click(editor->listBox(1));  // être marked deleted
  closeEditor();
  std::vector<std::string> words;
  for (const Card& card : cardsOnDisk()) words.push_back(card.word);
  EXPECT_EQ(words, (std::vector<std::string>{"chat", "chien"}));
}

// Both ways: the word asks for its translations, then the translations ask for the word, each a
// card of its own; the choice stays with the list, and a way no longer asked keeps its cards.
TEST_F(ReviewWindowTest, BothWaysAskTheWordAndThenTheTranslationsForTheWord) {
  startWith({{"nouns", {{"chien", "dog"}, {"rue", "street"}}}});
  ASSERT_NE(openReview(), nullptr);
  EXPECT_EQ(review->waysChoice()->currentIndex(), 0);
  EXPECT_EQ(review->waysChoice()->itemText(1), "English \u2192 French");
  review->waysChoice()->setCurrentIndex(2);
  EXPECT_EQ(review->statusLabel()->text(), "Cards left: 4");
  EXPECT_EQ(review->wordLabel()->text(), "chien");
  answer("dog", 0);
  EXPECT_EQ(review->wordLabel()->text(), "rue");
  answer("street", 0);
  EXPECT_EQ(review->wordLabel()->text(), "dog");  // the backward cards follow the forward ones
  QTest::keyClicks(review->answerField(), "Chien");
  QTest::keyClick(review->answerField(), Qt::Key_Return);
  EXPECT_EQ(review->proposed(), good);
  EXPECT_EQ(review->solutionLabel()->text(), "chien");
  QTest::keyClick(review, Qt::Key_Return);
  EXPECT_EQ(review->wordLabel()->text(), "street");
  answer("ru", 0);  // one letter short: Hard
  std::vector<Card> cards = cardsOnDisk("nouns");
  ASSERT_EQ(cards.size(), 4u);
  EXPECT_EQ(cards[2].way, CardWay::backward);
  EXPECT_GT(cards[3].schedule.difficulty, cards[2].schedule.difficulty);  // Hard against Good
  review->close();
  processEvents();

  ASSERT_NE(openReview(), nullptr);
  EXPECT_EQ(review->waysChoice()->currentIndex(), 2);  // kept in the card file
  EXPECT_EQ(review->statusLabel()->text(), "Cards left: 0 + 4 soon");
  review->waysChoice()->setCurrentIndex(0);
  EXPECT_EQ(review->statusLabel()->text(), "Cards left: 0 + 2 soon");  // the learning steps of one way
  review->close();
  processEvents();
  EXPECT_EQ(readReviewCards("list/nouns/Fre_Eng.ls").snapshot.header.ways, ListWays::forward);
  EXPECT_EQ(cardsOnDisk("nouns").size(), 4u);
}

// A learner's reviews in every list's log fit the schedule: the window shows the log loss of the
// reviews held back with both schedules, and uses the fitted one once asked; the way back removes
// it. The progress picture counts the day's grades.
TEST_F(ReviewWindowTest, TheScheduleIsFittedToTheReviewsOfEveryListAndTheProgressIsDrawn) {
  startWith({{"verbs", {{"chat", "cat"}, {"chien", "dog"}}}});
  // Another list's log of a simulated learner, written as the review window writes it.
  test::SimulatedLearner learner;  // who forgets sooner than most
  learner.trueWeights[0] = 0.1;
  learner.trueWeights[2] = 1.0;
  learner.trueWeights[8] = 1.3;
  learner.cards = 400;
  learner.days = 150;
  std::filesystem::create_directories("list/old");
  ReviewBook book;
  book.snapshotEvery = 1 << 30;
  ASSERT_TRUE(book.open("list/old/Fre_Eng.ls", readReviewCards("list/old/Fre_Eng.ls"), {}));
  int written = 0;
  const std::vector<ReviewHistory> histories = test::simulateReviews(learner);
  for (std::size_t k = 0; k < histories.size(); k++) {
    Card card;
    card.word = "w" + std::to_string(k);
    for (std::size_t i = 0; i < histories[k].size(); i++) {
      const std::int64_t at = std::int64_t{histories[k][i].day} * day + 36000 + 600 * static_cast<int>(i);
      ASSERT_TRUE(book.record(gradeCard(FsrsParameters{}, "default", card, histories[k][i].grade, at), {}));
      written++;
    }
  }
  ASSERT_GT(written, 2000);
  ASSERT_NE(openReview(), nullptr);
  EXPECT_EQ(review->scheduleLabel()->text(),
            QString("Default schedule\n%1 new reviews since the schedule was fitted: fit it again.").arg(written));

  startRecordingMessageBoxes({IDYES});
  review->command(cmdFitSchedule, commandClicked);
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  const std::string asked = recordedMessageBoxes()[0].text;
  EXPECT_NE(asked.find("the log loss (lower is better) is "), std::string::npos) << asked;
  EXPECT_NE(asked.find("Schedule the cards with the fitted parameters from now on?"), std::string::npos);
  FittedSchedule fitted;
  ASSERT_EQ(loadFittedSchedule("list/schedule.tsv", fitted), CardFileStatus::read);
  EXPECT_EQ(fitted.stage, FitStage::allParameters);
  EXPECT_LT(fitted.lossAfter, fitted.lossBefore);
  EXPECT_EQ(fitted.reviews, written);
  EXPECT_EQ(review->parameters().w, fitted.w);
  EXPECT_TRUE(review->scheduleLabel()->text().startsWith("Schedule fitted to your reviews on "));
  answer("cat", 0);
  EXPECT_NE(test::readFile("list/verbs/Fre_Eng.log.tsv").find("\t" + fitted.id + "\tchat\t"), std::string::npos);

  review->command(cmdShowProgress, commandClicked);
  auto* picture = dynamic_cast<ProgressPicture*>(review->progressPicture());
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->figures().reviews[29], (std::array<int, 4>{0, 0, 1, 0}));
  EXPECT_EQ(picture->figures().due[0], 1);  // chat, in its ten-minute step
  saveGrab(picture, "review-progress");
  picture->close();

  review->command(cmdDefaultSchedule, commandClicked);
  EXPECT_FALSE(std::filesystem::exists("list/schedule.tsv"));
  EXPECT_EQ(review->parameters().w, FsrsParameters{}.w);
  EXPECT_TRUE(review->scheduleLabel()->text().startsWith("Default schedule"));

  // With a handful of reviews the schedule stays as it is.
  std::filesystem::remove("list/old/Fre_Eng.log.tsv");
  startRecordingMessageBoxes();
  review->command(cmdFitSchedule, commandClicked);
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text,
            "There are too few reviews to fit the schedule to yet (1). The schedule stays as it is.");
  EXPECT_FALSE(std::filesystem::exists("list/schedule.tsv"));
}

}  // namespace
}  // namespace zembo
