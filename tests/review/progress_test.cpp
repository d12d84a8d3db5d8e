// The progress picture's figures from a known log and known cards.

#include <gtest/gtest.h>

#include <vector>

#include "review/progress.h"

namespace zembo {
namespace {

constexpr std::int64_t day = 86400;
constexpr std::int64_t now = 1'765'000'000 + 12 * 3600;  // a December 2025 afternoon, UTC

ReviewLine line(std::int64_t time, int grade, int elapsedDays) {
  ReviewLine l;
  l.time = time;
  l.grade = grade;
  l.elapsedDays = elapsedDays;
  return l;
}

Card due(std::int64_t at, CardState state = CardState::review) {
  Card card;
  card.schedule.state = state;
  card.schedule.due = at;
  return card;
}

TEST(ProgressFigures, ReviewsDueCardsAndTheShareRememberedFromALog) {
  const std::vector<ReviewLine> log = {
      line(now - 40 * day, good, 3),  // before the 30 days: left out
      line(now - 29 * day, again, 0),
      line(now - 29 * day, good, 0),  // the first day shown, same-day steps
      line(now - 3 * day, good, 5),
      line(now - 3 * day, again, 7),
      line(now - 3 * day, easy, 2),
      line(now - 3 * day, hard, 0),
      line(now, good, 1),
      line(now, again, 0),
  };
  const std::vector<Card> cards = {due(now - 5 * day),        due(now + 3600),     due(now + 2 * day),
                                   due(now + 2 * day),        due(now + 29 * day), due(now + 30 * day),
                                   due(0, CardState::newCard)};
  const ProgressFigures f = progressFigures(log, cards, now, 0.9);
  EXPECT_EQ(f.today, localDay(now));
  EXPECT_EQ(f.firstPastDay, f.today - 29);
  EXPECT_EQ(f.reviews[0], (std::array<int, 4>{1, 0, 1, 0}));
  EXPECT_EQ(f.reviews[26], (std::array<int, 4>{1, 1, 1, 1}));
  EXPECT_EQ(f.reviews[29], (std::array<int, 4>{1, 0, 1, 0}));
  int all = 0;
  for (const auto& d : f.reviews)
    for (int n : d) all += n;
  EXPECT_EQ(all, 8);
  // Overdue and today's cards count today; a card due in 30 days is beyond the picture.
  EXPECT_EQ(f.due[0], 2);
  EXPECT_EQ(f.due[2], 2);
  EXPECT_EQ(f.due[29], 1);
  EXPECT_EQ(f.spaced[26], 3);
  EXPECT_EQ(f.remembered[26], 2);
  EXPECT_EQ(f.spaced[29], 1);
  EXPECT_EQ(f.spacedInAll, 4);
  EXPECT_EQ(f.rememberedInAll, 3);
  EXPECT_EQ(f.aim, 0.9);
}

}  // namespace
}  // namespace zembo
