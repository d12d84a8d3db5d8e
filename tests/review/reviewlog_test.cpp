// The review log as the record and the card file as its snapshot: a grade is one appended line,
// the cards come back the same after a kill at any step of a grade, and files of the first
// version are read and rewritten.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "review/cards.h"
#include "review/deck.h"
#include "review/reviewlog.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

namespace fs = std::filesystem;
using ReviewLog = test::TempDirTest;

constexpr std::int64_t day = 86400;
constexpr std::int64_t start = 1'765'000'000;  // a December 2025 morning
const fs::path listFile = "Fre_Eng.ls";

Card newCard(const std::string& word, CardWay way = CardWay::forward) {
  Card card;
  card.word = word;
  card.way = way;
  return card;
}

void expectSameCards(const std::vector<Card>& a, const std::vector<Card>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); i++) {
    std::string x, y;
    appendCardLine(x, a[i]);
    appendCardLine(y, b[i]);
    EXPECT_EQ(x, y);
  }
}

// Grades the cards in turn through a book, as the review window does, and returns them.
std::vector<Card> gradeInBook(ReviewBook& book, std::vector<Card> cards, const std::vector<int>& grades,
                              std::int64_t at) {
  for (std::size_t i = 0; i < grades.size(); i++) {
    Card& card = cards[i % cards.size()];
    const ReviewLine line = gradeCard(FsrsParameters{}, "default", card, grades[i], at + 600 * i);
    EXPECT_TRUE(book.record(line, [&] { return cards; }));
  }
  return cards;
}

TEST_F(ReviewLog, AGradeIsOneLineAndTheCardsAreTheSnapshotPlusTheLinesAfterIt) {
  std::vector<Card> cards = {newCard("être"), newCard("être", CardWay::backward), newCard("aller")};
  ReviewBook book;
  ASSERT_TRUE(book.open(listFile, readReviewCards(listFile), {}));
  book.setWays(ListWays::both);
  book.snapshotEvery = 4;
  cards = gradeInBook(book, cards, {3, 1, 4}, start);
  EXPECT_FALSE(fs::exists(cardFilePath(listFile)));  // three lines: no snapshot yet
  const std::string log = test::readFile(reviewLogPath(listFile));
  EXPECT_TRUE(log.starts_with("# zembo review log 2\n# id\ttime\tgrade\telapsed days\tparameters\tword\tway\t"));
  EXPECT_NE(log.find("\t2025-12-06T05:56:40Z\t1\t0\tdefault\têtre\tbackward\tlearning\t"), std::string::npos);
  ReviewCards read = readReviewCards(listFile);
  expectSameCards(read.cards, cards);

  // The fourth line brings the snapshot; what follows it is read from the size it names.
  cards = gradeInBook(book, cards, {3, 3, 3, 3}, start + day);
  read = readReviewCards(listFile);
  EXPECT_EQ(read.snapshot.header.ways, ListWays::both);
  EXPECT_GT(read.snapshot.header.logBytes, 0u);
  EXPECT_EQ(read.log.lines.size(), 3u);  // only the lines beyond the snapshot were read
  expectSameCards(read.cards, cards);
  EXPECT_EQ(read.cards[0].schedule.reps, 3);

  // Closing writes the snapshot; a log replaced since (another computer's copy) is read whole,
  // each line changing only a card it is newer than.
  ASSERT_TRUE(book.saveSnapshot(cards));
  EXPECT_EQ(readReviewCards(listFile).log.lines.size(), 0u);
  const std::string whole = test::readFile(reviewLogPath(listFile));
  test::writeFile(reviewLogPath(listFile), whole.substr(0, whole.find('\n', 300) + 1));
  read = readReviewCards(listFile);
  EXPECT_GT(read.log.lines.size(), 0u);
  expectSameCards(read.cards, cards);
}

TEST_F(ReviewLog, TheSameReviewAlwaysGivesTheSameCardAndLinesReadBackAsWritten) {
  Card a = newCard("Straße"), b = newCard("Straße");
  a.schedule.state = b.schedule.state = CardState::review;
  a.schedule.stability = b.schedule.stability = 40;
  a.schedule.difficulty = b.schedule.difficulty = 5;
  a.schedule.lastReview = b.schedule.lastReview = start - 40 * day;
  const ReviewLine x = gradeCard(FsrsParameters{}, "default", a, good, start);
  const ReviewLine y = gradeCard(FsrsParameters{}, "0123456789abcdef", b, good, start);
  EXPECT_EQ(a.schedule.due, b.schedule.due);  // the fuzz is seeded from word, way and time
  EXPECT_NE(x.id, y.id);
  EXPECT_EQ(x.elapsedDays, 40);
  std::vector<std::int64_t> dues;  // another time or way fuzzes differently
  for (int i = 0; i < 8; i++) {
    Card c = newCard("Straße", i % 2 ? CardWay::backward : CardWay::forward);
    c.schedule = b.schedule;
    c.schedule.due = 0;
    gradeCard(FsrsParameters{}, "default", c, good, start + i / 2 * 60);
    dues.push_back(c.schedule.due - i / 2 * 60);
  }
  std::sort(dues.begin(), dues.end());
  EXPECT_GT(std::unique(dues.begin(), dues.end()) - dues.begin(), 2);

  std::string text;
  appendReviewLine(text, y);
  ReviewLine back;
  ASSERT_TRUE(parseReviewLine(text.substr(0, text.size() - 1), back));
  EXPECT_EQ(back.id, y.id);
  EXPECT_EQ(back.parameters, "0123456789abcdef");
  EXPECT_EQ(back.grade, good);
  std::string again;
  appendReviewLine(again, back);
  EXPECT_EQ(again, text);
  for (const std::string& bad : {"0123\t" + text.substr(17), text.substr(0, 40), text.substr(0, text.size() - 3)})
    EXPECT_FALSE(parseReviewLine(bad, back)) << bad;
}

// A child process grades five cards and is killed after a chosen step of a chosen grade: what the
// files give afterwards is the state of every grade whose line was written, whatever the step.
TEST_F(ReviewLog, AKillAtAnyStepOfAGradeLosesNoGradeWhoseLineWasWritten) {
  const std::vector<int> grades = {3, 1, 3, 4, 2, 3, 3};
  const char* steps[] = {"written", "synced", "snapshot"};
  for (int killedAt = 0; killedAt < static_cast<int>(grades.size()); killedAt++) {
    for (const char* step : steps) {
      SCOPED_TRACE(std::to_string(killedAt) + " " + step);
      fs::remove(cardFilePath(listFile));
      fs::remove(reviewLogPath(listFile));
      const std::vector<Card> cards = {newCard("a"), newCard("b"), newCard("c")};
      const pid_t child = ::fork();
      if (child == 0) {
        ReviewBook book;
        book.snapshotEvery = 2;
        if (!book.open(listFile, readReviewCards(listFile), {})) ::_exit(2);
        int graded = 0;
        book.afterStep = [&](const char* name) {
          if (graded == killedAt && std::string(name) == step) ::_exit(0);
          if (std::string(name) == "snapshot") graded++;
        };
        gradeInBook(book, cards, grades, start);
        ::_exit(1);
      }
      int status = 0;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
      // The grades up to the one killed, as they would be in memory.
      std::vector<Card> expected = cards;
      std::vector<int> done(grades.begin(), grades.begin() + killedAt + 1);
      for (std::size_t i = 0; i < done.size(); i++)
        gradeCard(FsrsParameters{}, "default", expected[i % 3], done[i], start + 600 * i);
      std::vector<Card> read = readReviewCards(listFile).cards;
      std::sort(read.begin(), read.end(), [](const Card& x, const Card& y) { return x.word < y.word; });
      expected.resize(std::min<std::size_t>(3, done.size()));
      expectSameCards(read, expected);
    }
  }
}

// A line a kill cut short is no grade: the cards are those before it, and the next grade starts a
// line of its own.
TEST_F(ReviewLog, ALineCutShortIsLeftOutAndCutOffBeforeTheNextGrade) {
  std::vector<Card> cards = {newCard("a"), newCard("b")};
  {
    ReviewBook book;
    ASSERT_TRUE(book.open(listFile, readReviewCards(listFile), {}));
    cards = gradeInBook(book, cards, {3, 3}, start);
  }
  const std::string whole = test::readFile(reviewLogPath(listFile));
  const std::size_t lastStart = whole.rfind('\n', whole.size() - 2) + 1;
  for (std::size_t cut = lastStart + 1; cut < whole.size(); cut += 7) {
    test::writeFile(reviewLogPath(listFile), whole.substr(0, cut));
    ReviewCards read = readReviewCards(listFile);
    ASSERT_EQ(read.cards.size(), 1u);
    EXPECT_EQ(read.cards[0].word, "a");
    EXPECT_EQ(read.logSize, lastStart);
  }
  ReviewBook book;
  ASSERT_TRUE(book.open(listFile, readReviewCards(listFile), {}));
  const std::vector<Card> again = gradeInBook(book, {newCard("b")}, {4}, start + day);
  const ReviewCards read = readReviewCards(listFile);
  EXPECT_EQ(read.log.damaged, 0);
  ASSERT_EQ(read.cards.size(), 2u);
  expectSameCards({read.cards[1]}, again);
}

// A card file and log of the first version: the cards are read as forward cards, and the first
// grade rewrites the log as version 2, alike on every computer that does it.
TEST_F(ReviewLog, FirstVersionFilesAreReadAndRewrittenAsTheSecond) {
  const std::string cardFile =
      "# zembo review cards\tword\tstate\tstability\tdifficulty\tdue\tlast review\treps\tlapses\tstep\t"
      "interval\tfirst review\n"
      "être\treview\t12.50000000\t4.00000000\t2025-12-20T05:46:40Z\t2025-12-08T05:46:40Z\t2\t0\t0\t12\t"
      "2025-12-06T05:46:40Z\n";
  const std::string log =
      "# time\tword\tgrade\telapsed days\tstate before\n"
      "2025-12-06T05:46:40Z\têtre\t3\t0\tnew\n"
      "2025-12-08T05:46:40Z\têtre\t3\t2\tlearning\n";
  std::vector<std::string> converted;
  for (const char* folder : {"one", "two"}) {
    fs::create_directory(folder);
    const fs::path list = fs::path(folder) / "Fre_Eng.ls";
    test::writeFile(cardFilePath(list), cardFile);
    test::writeFile(reviewLogPath(list), log);
    ReviewCards read = loadReviewCards(list);
    ASSERT_EQ(read.cards.size(), 1u);
    EXPECT_EQ(read.cards[0].way, CardWay::forward);
    EXPECT_EQ(read.cards[0].schedule.stability, 12.5);
    const std::vector<Card> cards = read.cards;
    ReviewBook book;
    ASSERT_TRUE(book.open(list, read, cards));
    converted.push_back(test::readFile(reviewLogPath(list)));
    EXPECT_TRUE(converted.back().starts_with("# zembo review log 2\n"));
    ReviewCards again = readReviewCards(list);
    EXPECT_EQ(again.log.lines.size(), 0u);  // the new snapshot holds the whole converted log
    EXPECT_EQ(again.snapshot.header.version, 2);
    expectSameCards(again.cards, cards);  // the card file's states, not the replay's
    EXPECT_EQ(readReviewLog(reviewLogPath(list)).lines.size(), 2u);
  }
  EXPECT_EQ(converted[0], converted[1]);
}

// A damaged snapshot: its bad lines go aside and the cards they held come back from the log; a
// snapshot lost whole is rebuilt from the log alone.
TEST_F(ReviewLog, ADamagedOrLostSnapshotIsRebuiltFromTheLog) {
  std::vector<Card> cards = {newCard("a"), newCard("b"), newCard("c")};
  {
    ReviewBook book;
    ASSERT_TRUE(book.open(listFile, readReviewCards(listFile), {}));
    cards = gradeInBook(book, cards, {3, 3, 3, 1, 4, 2}, start);
    ASSERT_TRUE(book.saveSnapshot(cards));
  }
  std::string snapshot = test::readFile(cardFilePath(listFile));
  const std::size_t b = snapshot.find("\nb\t") + 1;
  snapshot.replace(b, snapshot.find('\n', b) - b, "b\tforward\tgarbage");
  test::writeFile(cardFilePath(listFile), snapshot);
  ReviewCards read = loadReviewCards(listFile);
  EXPECT_EQ(read.snapshot.status, CardFileStatus::damaged);
  EXPECT_EQ(test::readFile(read.snapshot.keptAs), "b\tforward\tgarbage\n");
  std::sort(read.cards.begin(), read.cards.end(), [](const Card& x, const Card& y) { return x.word < y.word; });
  expectSameCards(read.cards, cards);
  // The snapshot was written again with the card the log gave back.
  EXPECT_EQ(readReviewCards(listFile).snapshot.status, CardFileStatus::read);
  EXPECT_EQ(readReviewCards(listFile).cards.size(), 3u);

  fs::remove(cardFilePath(listFile));
  read = loadReviewCards(listFile);
  std::sort(read.cards.begin(), read.cards.end(), [](const Card& x, const Card& y) { return x.word < y.word; });
  expectSameCards(read.cards, cards);
}

// Syncthing renames the other computer's log (its reviews and the ones it had of this computer)
// over the one the review window holds open.
TEST_F(ReviewLog, AGradeAfterTheLogWasReplacedGoesIntoTheNewLogAndItsReviewsAreRead) {
  std::vector<Card> cards = {newCard("être"), newCard("aller")};
  ReviewBook book;
  ASSERT_TRUE(book.open(listFile, readReviewCards(listFile), {}));
  cards = gradeInBook(book, cards, {3}, start);
  Card elsewhere = newCard("venir");
  std::string text = test::readFile(reviewLogPath(listFile));
  appendReviewLine(text, gradeCard(FsrsParameters{}, "default", elsewhere, 4, start + 60));
  test::writeFile("other.tsv", text);
  fs::rename("other.tsv", reviewLogPath(listFile));

  cards = gradeInBook(book, {cards[1]}, {2}, start + 120);
  ASSERT_TRUE(book.saveSnapshot(cards, true));
  const ReviewLogRead log = readReviewLog(reviewLogPath(listFile));
  ASSERT_EQ(log.lines.size(), 3u);
  EXPECT_EQ(log.lines[2].after.word, "aller");
  const ReviewCards read = readReviewCards(listFile);
  std::vector<std::string> words;
  for (const Card& card : read.cards) words.push_back(card.word);
  std::sort(words.begin(), words.end());
  EXPECT_EQ(words, (std::vector<std::string>{"aller", "venir", "être"}));
}

TEST_F(ReviewLog, DecksAskTheWaysTheListChoseForwardCardsFirst) {
  const std::vector<ListEntry> entries = {{"chat", "cat"}, {"chien", "dog"}};
  Card stored = newCard("chien", CardWay::backward);
  gradeCard(FsrsParameters{}, "default", stored, good, start);
  Deck both = buildDeck(entries, {stored}, ListWays::both);
  ASSERT_EQ(both.size(), 4u);
  EXPECT_EQ(both[1].card.way, CardWay::forward);
  EXPECT_EQ(both[2].card.way, CardWay::backward);
  EXPECT_EQ(both[2].translation, "cat");
  EXPECT_EQ(both[3].card.schedule.reps, 1);  // chien's backward card kept its schedule
  Deck forward = buildDeck(entries, {stored}, ListWays::forward);
  ASSERT_EQ(forward.size(), 3u);
  EXPECT_FALSE(forward[2].inList);  // kept, not asked
  EXPECT_EQ(cardsOf(forward).size(), 1u);
  EXPECT_EQ(reviewQueue(forward, start, 20), (std::vector<int>{0, 1}));
  EXPECT_TRUE(listAsks(ListWays::both, CardWay::backward));
  EXPECT_FALSE(listAsks(ListWays::forward, CardWay::backward));
}

}  // namespace
}  // namespace zembo
