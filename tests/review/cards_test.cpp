// The card file and the review log on disk, and the order in which a list's cards come.

#include <gtest/gtest.h>

#include <cmath>
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

TEST_F(CardFiles, KeepEveryFieldAsUtf8Text) {
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
  EXPECT_EQ(reviewLogPath(list), "list/verbs/Fre_Eng.log.tsv");
  EXPECT_EQ(parseUtcTime("2025-12-06T05:46:40Z"), start);
  EXPECT_EQ(parseUtcTime("2025-13-06T05:46:40Z"), -1);
}

// A card file as editors and crafted files leave it (here one of the first version, whose lines
// have no way): each line is read or rejected on its own. A byte-order mark, blank lines and CR
// LF are no damage; a line is rejected when it has other than eleven fields or a value the scheduler could not have
// written (not finite, out of range, no such date).
TEST_F(CardFiles, ParserRejectsExactlyTheLinesThatAreWrong) {
  const std::string header =
      "# zembo review cards\tword\tstate\tstability\tdifficulty\tdue\tlast review\treps\tlapses\tstep\t"
      "interval\tfirst review";
  // A sound line of a card, with one field replaced (or a field added at 11).
  auto line = [](const std::string& word, int field = -1, const std::string& value = "") {
    std::vector<std::string> f = {
        word, "review", "3.50000000", "5.00000000", "2025-12-06T05:46:40Z", "2025-12-01T05:46:40Z",
        "3",  "0",      "0",          "5",          "2025-11-30T05:46:40Z"};
    if (field == 11)
      f.push_back(value);
    else if (field >= 0)
      f[field] = value;
    std::string text;
    for (const std::string& one : f) text += (text.empty() ? "" : "\t") + one;
    return text;
  };
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> read;  // the words of the cards read
    std::string damaged;            // the lines rejected, each ending in a line feed
    int firstDamaged;
  };
  const std::string a = line("a"), b = line("b");
  const Case cases[] = {
      {"plain", header + "\n" + a + "\n" + b + "\n", {"a", "b"}, "", 0},
      {"byte-order mark", "\xEF\xBB\xBF" + header + "\n" + a + "\n", {"a"}, "", 0},
      {"CR LF", header + "\r\n" + a + "\r\n" + b + "\r\n", {"a", "b"}, "", 0},
      {"blank lines", "\n" + header + "\n\n" + a + "\n  \n\r\n" + b, {"a", "b"}, "", 0},
      {"empty file", "", {}, "", 0},
      {"header only", header + "\n", {}, "", 0},
      {"no header", a + "\n", {"a"}, "", 0},
      {"twelve fields",
       header + "\n" + line("x", 11, "extra") + "\n" + a + "\n",
       {"a"},
       line("x", 11, "extra") + "\n",
       2},
      {"twelve fields, last empty", header + "\n" + a + "\t\n", {}, a + "\t\n", 2},
      {"ten fields", header + "\n" + a.substr(0, a.rfind('\t')) + "\n", {}, a.substr(0, a.rfind('\t')) + "\n", 2},
      {"a header twice", header + "\n" + a + "\n" + header + "\n", {"a"}, header + "\n", 3},
      {"CR LF kept in the damaged line", header + "\r\ngarbage\r\n" + a + "\r\n", {"a"}, "garbage\r\n", 2},
      {"empty word", header + "\n" + line("") + "\n", {}, line("") + "\n", 2},
      {"state new", header + "\n" + line("x", 1, "new") + "\n", {}, line("x", 1, "new") + "\n", 2},
      {"stability inf", header + "\n" + line("x", 2, "inf") + "\n" + a + "\n", {"a"}, line("x", 2, "inf") + "\n", 2},
      {"stability nan", header + "\n" + line("x", 2, "nan") + "\n", {}, line("x", 2, "nan") + "\n", 2},
      {"stability 0", header + "\n" + line("x", 2, "0") + "\n", {}, line("x", 2, "0") + "\n", 2},
      {"stability 1e300", header + "\n" + line("x", 2, "1e300") + "\n", {}, line("x", 2, "1e300") + "\n", 2},
      {"stability at most", header + "\n" + line("x", 2, "36500.00000000") + "\n", {"x"}, "", 0},
      {"difficulty 10.5", header + "\n" + line("x", 3, "10.5") + "\n", {}, line("x", 3, "10.5") + "\n", 2},
      {"difficulty -inf", header + "\n" + line("x", 3, "-inf") + "\n", {}, line("x", 3, "-inf") + "\n", 2},
      {"February 30",
       header + "\n" + line("x", 4, "2025-02-30T00:00:00Z") + "\n",
       {},
       line("x", 4, "2025-02-30T00:00:00Z") + "\n",
       2},
      {"February 29 of a common year",
       header + "\n" + line("x", 5, "2025-02-29T00:00:00Z") + "\n",
       {},
       line("x", 5, "2025-02-29T00:00:00Z") + "\n",
       2},
      {"February 29 of a leap year", header + "\n" + line("x", 10, "2024-02-29T00:00:00Z") + "\n", {"x"}, "", 0},
      {"April 31",
       header + "\n" + line("x", 10, "2025-04-31T00:00:00Z") + "\n",
       {},
       line("x", 10, "2025-04-31T00:00:00Z") + "\n",
       2},
      {"reps 0", header + "\n" + line("x", 6, "0") + "\n", {}, line("x", 6, "0") + "\n", 2},
      {"reps at most", header + "\n" + line("x", 6, "2147483647") + "\n", {"x"}, "", 0},
      {"reps beyond", header + "\n" + line("x", 6, "2147483648") + "\n", {}, line("x", 6, "2147483648") + "\n", 2},
      {"lapses -1", header + "\n" + line("x", 7, "-1") + "\n", {}, line("x", 7, "-1") + "\n", 2},
      {"interval beyond the longest",
       header + "\n" + line("x", 9, "36501") + "\n",
       {},
       line("x", 9, "36501") + "\n",
       2},
      {"a truncated last line", header + "\n" + a + "\n" + b.substr(0, 20), {"a"}, b.substr(0, 20) + "\n", 3},
  };
  for (const Case& c : cases) {
    std::vector<Card> cards;
    const CardFileLoad load = parseCardFile(c.text, cards);
    std::vector<std::string> words;
    for (const Card& card : cards) words.push_back(card.word);
    EXPECT_EQ(words, c.read) << c.what;
    EXPECT_EQ(load.damagedLines, c.damaged) << c.what;
    EXPECT_EQ(load.damagedLine, c.firstDamaged) << c.what;
    EXPECT_EQ(load.status, c.damaged.empty() ? CardFileStatus::read : CardFileStatus::damaged) << c.what;
  }

  // What is read can be graded and written back: counts at their largest stay there, the longest
  // stability stays finite, and the written card reads back as it was.
  std::vector<Card> cards;
  const std::string largest =
      "x\treview\t36500.00000000\t5.00000000\t2025-12-06T05:46:40Z\t2025-12-01T05:46:40Z\t2147483647\t2147483647\t0\t"
      "36500\t2025-11-30T05:46:40Z";
  ASSERT_EQ(parseCardFile(header + "\n" + largest + "\n", cards).status, CardFileStatus::read);
  ASSERT_EQ(cards.size(), 1u);
  ASSERT_EQ(cards[0].schedule.reps, 2147483647);
  FsrsParameters p;
  for (int grade : {again, good, easy, again}) {
    reviewCard(p, cards[0].schedule, grade, cards[0].schedule.due + 400 * day, 400, nullptr);
    EXPECT_EQ(cards[0].schedule.reps, 2147483647);
    EXPECT_EQ(cards[0].schedule.lapses, 2147483647);
    EXPECT_TRUE(std::isfinite(cards[0].schedule.stability));
  }
  ASSERT_TRUE(saveCards("cards.tsv", cards));
  std::vector<Card> back;
  EXPECT_EQ(readCardFile("cards.tsv", back).status, CardFileStatus::read);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].schedule.stability, cards[0].schedule.stability);
}

// Damaged lines go to a file beside the card file, never over an earlier one; the card file keeps
// the good cards, and review goes on with them.
TEST_F(CardFiles, DamagedLinesAreKeptAsideAndTheGoodCardsStay) {
  const fs::path file = "Fre_Eng.cards.tsv";
  ASSERT_TRUE(saveCards(file, {reviewed("être", 3, start)}));
  const std::string good = test::readFile(file);
  const std::string bad = "aller\treview\t1.5\tnot a number\n";
  test::writeFile(file, good + bad);
  std::vector<Card> cards;
  CardFileLoad load = loadCards(file, cards);
  EXPECT_EQ(load.status, CardFileStatus::damaged);
  EXPECT_EQ(load.damagedLine, 4);  // after the version line and the column names
  ASSERT_EQ(cards.size(), 1u);
  EXPECT_EQ(cards[0].word, "être");
  EXPECT_EQ(load.keptAs, "Fre_Eng.cards.tsv.damaged");
  EXPECT_EQ(test::readFile(load.keptAs), bad);
  EXPECT_EQ(test::readFile(file), good);
  EXPECT_EQ(loadCards(file, cards).status, CardFileStatus::read);
  test::writeFile(file, good + "garbage\n");
  EXPECT_EQ(loadCards(file, cards).keptAs, "Fre_Eng.cards.tsv.damaged-2");
  EXPECT_EQ(test::readFile("Fre_Eng.cards.tsv.damaged"), bad);  // the first one is still there
  EXPECT_EQ(test::readFile("Fre_Eng.cards.tsv.damaged-2"), "garbage\n");
  fs::remove(file);
  EXPECT_EQ(loadCards(file, cards).status, CardFileStatus::missing);
}

TEST_F(CardFiles, CompactionDropsTheCardsOfWordsThatLeftTheList) {
  const fs::path file = "Fre_Eng.cards.tsv";
  ASSERT_TRUE(saveCards(file, {reviewed("être", 3, start), reviewed("aller", 3, start)}));
  dropCardsNotIn("Fre_Eng.ls", {"aller", "venir"});
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

// A translation is matched as a learner says it: without the "to " of an English verb, without what
// stands in parentheses, without an abbreviation an older import left behind it.
TEST(ProposedGrade, VerbsParenthesesAndAbbreviationsAreLeftAside) {
  EXPECT_EQ(proposedGrade("go", "to go"), good);
  EXPECT_EQ(proposedGrade("to walk", "walk, stroll"), good);
  EXPECT_EQ(proposedGrade("dog", "mine car, dog (animal), hound"), good);
  EXPECT_EQ(proposedGrade("dog (animal)", "dog"), good);
  EXPECT_EQ(proposedGrade("go", "(to) go (somewhere)"), good);
  EXPECT_EQ(proposedGrade("street", "street St"), good);
  EXPECT_EQ(proposedGrade("road", "road Rd, avenue"), good);
  EXPECT_EQ(proposedGrade("doctor", "doctor Dr"), good);
  EXPECT_EQ(proposedGrade("stret", "street St"), hard);
  // Only what abbreviates the word before it goes: "New York" is no "New", "go Home" no "go".
  EXPECT_EQ(proposedGrade("new", "New York"), again);
  EXPECT_EQ(proposedGrade("go", "go Home"), again);
  EXPECT_EQ(proposedGrade("St", "street St"), again);
  EXPECT_EQ(proposedGrade("car", "mine car"), again);
  EXPECT_EQ(proposedGrade("to", "to go"), again);  // not one letter off "go", a form cut short
  EXPECT_EQ(proposedGrade("dig", "dog"), hard);    // a translation as it stands keeps the rule
}

}  // namespace
}  // namespace zembo
