// The card file and the review log on disk, and the order in which a list's cards come.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "review/cards.h"
#include "review/deck.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

namespace fs = std::filesystem;
using CardFiles = test::TempDirTest;

constexpr std::int64_t day = 86400;
constexpr std::int64_t start = 1'765'000'000;  // a December 2025 morning

Card reviewed(const std::string& word, int grade, std::int64_t at) {
  Card card;
  card.word = word;
  FsrsParameters p;
  p.fuzz = false;
  reviewCard(p, card.schedule, grade, at, 0, nullptr);
  card.firstReview = at;
  return card;
}

TEST_F(CardFiles, KeepEveryFieldAndLogEveryGradeAsUtf8Text) {
  const fs::path list = "list/verbs/Fre_Eng.ls";
  fs::create_directories(list.parent_path());
  EXPECT_EQ(cardFilePath(list), "list/verbs/Fre_Eng.cards.tsv");
  std::vector<Card> cards = {reviewed("être", 3, start), reviewed("aller", 4, start + 60)};
  Card fresh;
  fresh.word = "new";  // never graded: not written
  cards.push_back(fresh);
  ASSERT_TRUE(saveCards(cardFilePath(list), cards));
  std::vector<Card> back;
  EXPECT_EQ(loadCards(cardFilePath(list), back).status, CardFileStatus::read);
  ASSERT_EQ(back.size(), 2u);
  for (int i = 0; i < 2; i++) {
    const CardSchedule &a = cards[i].schedule, &b = back[i].schedule;
    EXPECT_EQ(back[i].word, cards[i].word);
    EXPECT_EQ(b.state, a.state);
    EXPECT_EQ(b.stability, a.stability);  // eight decimals, exactly as the scheduler keeps them
    EXPECT_EQ(b.difficulty, a.difficulty);
    EXPECT_EQ(b.due, a.due);
    EXPECT_EQ(b.lastReview, a.lastReview);
    EXPECT_EQ(b.reps, a.reps);
    EXPECT_EQ(b.lapses, a.lapses);
    EXPECT_EQ(b.step, a.step);
    EXPECT_EQ(b.scheduledDays, a.scheduledDays);
    EXPECT_EQ(back[i].firstReview, cards[i].firstReview);
  }
  ASSERT_TRUE(appendReviewLog(reviewLogPath(list), start, "être", 3, 0, CardState::newCard));
  ASSERT_TRUE(appendReviewLog(reviewLogPath(list), start + 2 * day, "être", 1, 2, CardState::review));
  EXPECT_EQ(test::readFile(reviewLogPath(list)),
            "# time\tword\tgrade\telapsed days\tstate before\n"
            "2025-12-06T05:46:40Z\têtre\t3\t0\tnew\n"
            "2025-12-08T05:46:40Z\têtre\t1\t2\treview\n");
  EXPECT_EQ(parseUtcTime("2025-12-06T05:46:40Z"), start);
  EXPECT_EQ(parseUtcTime("2025-13-06T05:46:40Z"), -1);
}

// A damaged file is moved aside whole, never overwritten, and review starts from no cards.
TEST_F(CardFiles, DamagedFileIsKeptAsideAndReviewStartsAfresh) {
  const fs::path file = "Fre_Eng.cards.tsv";
  ASSERT_TRUE(saveCards(file, {reviewed("être", 3, start)}));
  const std::string good = test::readFile(file);
  const std::string damaged = good + "aller\treview\t1.5\tnot a number\n";
  test::writeFile(file, damaged);
  std::vector<Card> cards;
  CardFileLoad load = loadCards(file, cards);
  EXPECT_EQ(load.status, CardFileStatus::damaged);
  EXPECT_EQ(load.damagedLine, 3);
  EXPECT_TRUE(cards.empty());
  EXPECT_EQ(load.keptAs, "Fre_Eng.cards.tsv.damaged");
  EXPECT_EQ(test::readFile(load.keptAs), damaged);
  EXPECT_FALSE(fs::exists(file));
  for (const std::string& bad : {std::string(""), std::string("garbage\n"), good.substr(0, good.size() - 30)}) {
    test::writeFile(file, bad);
    EXPECT_EQ(loadCards(file, cards).status, CardFileStatus::damaged) << bad;
  }
  EXPECT_TRUE(fs::exists("Fre_Eng.cards.tsv.damaged-3"));  // the first one is still there
  EXPECT_EQ(test::readFile("Fre_Eng.cards.tsv.damaged"), damaged);
  EXPECT_EQ(loadCards(file, cards).status, CardFileStatus::missing);
}

TEST_F(CardFiles, CompactionDropsTheCardsOfWordsThatLeftTheList) {
  const fs::path file = "Fre_Eng.cards.tsv";
  ASSERT_TRUE(saveCards(file, {reviewed("être", 3, start), reviewed("aller", 3, start)}));
  dropCardsNotIn(file, {"aller", "venir"});
  std::vector<Card> cards;
  loadCards(file, cards);
  ASSERT_EQ(cards.size(), 1u);
  EXPECT_EQ(cards[0].word, "aller");
}

// Due cards come first, the longest overdue first; new ones after them, in list order, no more a
// day than the limit, counting those already begun today.
TEST_F(CardFiles, DueCardsComeFirstThenNewOnesUpToTheDaysLimit) {
  std::vector<ListEntry> entries;
  for (const char* w : {"a", "b", "c", "d", "e", "f"}) entries.push_back({w, std::string("t") + w});
  entries.push_back({"a", "other"});
  entries.push_back({"g", "tg"});
  entries.push_back({"h", "th"});
  // Learning steps due in five and in thirty minutes: the first is shown ahead, at the end.
  Card g = reviewed("g", 1, start - 5 * day), h = reviewed("h", 1, start - 5 * day);
  g.schedule.due = start + 300;
  h.schedule.due = start + 1800;
  Card b = reviewed("b", 3, start - 5 * day), d = reviewed("d", 3, start - 5 * day), gone = reviewed("zz", 3, start);
  b.schedule.due = start - 2 * day;
  d.schedule.due = start - 3 * day;
  Card c = reviewed("c", 3, start);  // begun today, due tomorrow
  c.schedule.due = start + day;
  Deck deck = buildDeck(entries, {b, c, d, gone, h, g, gone});  // a word twice: the first counts
  ASSERT_EQ(deck.size(), 9u);
  EXPECT_EQ(deck[0].translation, "ta, other");
  EXPECT_FALSE(deck[8].inList);
  EXPECT_EQ(newCardsReviewedToday(deck, start), 2);  // c, and zz that left the list
  std::vector<int> queue = reviewQueue(deck, start, 4);
  EXPECT_EQ(queue, (std::vector<int>{3, 1, 0, 4, 6}));  // d, b overdue; two new: a, e; g ahead
  EXPECT_EQ(reviewQueue(deck, start, 2), (std::vector<int>{3, 1, 6}));
  EXPECT_EQ(nextDueAfter(deck, start), start + 300);
  EXPECT_EQ(cardsOf(deck).size(), 6u);
}

TEST(ProposedGrade, ExactIsGoodAccentsOrOneLetterHardElseAgain) {
  EXPECT_EQ(proposedGrade("  To Go ", "to walk, to go"), good);
  EXPECT_EQ(proposedGrade("ETRE", "être"), hard);
  EXPECT_EQ(proposedGrade("to gp", "to walk, to go"), hard);
  EXPECT_EQ(proposedGrade("to goo", "to go"), hard);
  EXPECT_EQ(proposedGrade("t go", "to go"), hard);
  EXPECT_EQ(proposedGrade("to run", "to walk, to go"), again);
  EXPECT_EQ(proposedGrade("", "to go"), again);
  EXPECT_EQ(proposedGrade("xy", "to go"), again);
  EXPECT_EQ(proposedGrade("straße", "STRASSE"), good);  // case folding is Unicode's, not ASCII's
}

}  // namespace
}  // namespace zembo
