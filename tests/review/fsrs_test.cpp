// The scheduler against the reference implementation's schedules of 10,000 random review histories
// (tools/fsrs-reference writes them), and the fuzz on its own.

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>

#include "review/fsrs.h"

namespace zembo {
namespace {

struct ReferenceReview {
  int gap = 0;  // minutes since the review before (since the card was made, for the first)
  int grade = 0;
  int state = 0;
  double stability = 0;
  double difficulty = 0;
  int scheduledDays = 0;
  long dueMinutes = 0;
};

// Calls onHistory(start, reviews) for each history of the gzipped reference file.
template <typename F>
void forEachHistory(F onHistory) {
  gzFile file = gzopen(ZEMBO_FSRS_REFERENCE, "rb");
  ASSERT_NE(file, nullptr) << ZEMBO_FSRS_REFERENCE;
  char line[512];
  long start = -1;
  std::vector<ReferenceReview> reviews;
  auto flush = [&] {
    if (start >= 0) onHistory(start, reviews);
    reviews.clear();
  };
  while (gzgets(file, line, sizeof line) != nullptr) {
    if (line[0] == '#') continue;
    if (line[0] == 'h') {
      flush();
      start = std::stol(line + 2);
      continue;
    }
    ReferenceReview r;
    std::istringstream in(line);
    in >> r.gap >> r.grade >> r.state >> r.stability >> r.difficulty >> r.scheduledDays >> r.dueMinutes;
    reviews.push_back(r);
  }
  flush();
  gzclose(file);
}

// The reference keeps stability and difficulty to eight decimals and computes on with those, so
// a stability of years differs from ours in its ninth significant digit: within 1e-6, relative
// to the value where it exceeds one.
bool close(double ours, double reference) {
  return std::abs(ours - reference) <= 1e-6 * std::max(1.0, std::abs(reference));
}

TEST(Fsrs, AgreesWithTheReferenceOnEveryStepOfTenThousandHistories) {
  FsrsParameters p;
  p.fuzz = false;
  int histories = 0, steps = 0, failures = 0;
  forEachHistory([&](long start, const std::vector<ReferenceReview>& reviews) {
    histories++;
    CardSchedule card;
    long minute = start;
    long lastDay = start / 1440;
    for (std::size_t i = 0; i < reviews.size(); i++) {
      const ReferenceReview& r = reviews[i];
      minute += r.gap;
      int elapsedDays = card.state == CardState::newCard ? 0 : static_cast<int>(minute / 1440 - lastDay);
      reviewCard(p, card, r.grade, std::int64_t{minute} * 60, elapsedDays, nullptr);
      lastDay = minute / 1440;
      steps++;
      // The one departure: where Hard, Good and Easy all reach the longest interval, the
      // reference adds a day or two to keep them in order and so goes past it; ours stays there.
      const int days = std::min(r.scheduledDays, p.maximumInterval);
      const long dueMinutes = r.dueMinutes - long{r.scheduledDays - days} * 1440;
      bool same = static_cast<int>(card.state) == r.state && close(card.stability, r.stability) &&
                  close(card.difficulty, r.difficulty) && card.scheduledDays == days &&
                  card.due - std::int64_t{minute} * 60 == std::int64_t{dueMinutes} * 60;
      if (!same && ++failures <= 10) {
        ADD_FAILURE() << "history " << histories << " review " << i + 1 << " grade " << r.grade << " after " << r.gap
                      << " min (" << elapsedDays << " days): state " << static_cast<int>(card.state) << " S "
                      << card.stability << " D " << card.difficulty << " ivl " << card.scheduledDays << " due +"
                      << (card.due / 60 - minute) << " min; expected " << r.state << " S " << r.stability << " D "
                      << r.difficulty << " ivl " << r.scheduledDays << " due +" << r.dueMinutes;
      }
      if (!same) {
        // Continue from the reference's state, so that one difference is not counted again.
        card.state = static_cast<CardState>(r.state);
        card.stability = r.stability;
        card.difficulty = r.difficulty;
      }
    }
  });
  EXPECT_EQ(histories, 10000);
  EXPECT_GT(steps, 50000);
  EXPECT_EQ(failures, 0) << "of " << steps << " reviews";
}

// Fuzz spreads a day's cards over the days around their interval, the same way on every run with
// the same seed, and never schedules a card before the day after its review.
TEST(Fsrs, FuzzStaysInItsRangeAndRepeatsWithTheSeed) {
  FsrsParameters p;
  EXPECT_EQ(fuzzRange(p, 10, 0).minimum, 8);  // 1 + 0.15 * 4.5 + 0.1 * 3 = 1.975 days either way
  EXPECT_EQ(fuzzRange(p, 10, 0).maximum, 12);
  EXPECT_EQ(fuzzRange(p, 100, 0).minimum, 93);  // 1 + 0.675 + 0.1 * 13 + 0.05 * 80 = 6.975
  EXPECT_EQ(fuzzRange(p, 100, 0).maximum, 107);
  EXPECT_EQ(fuzzRange(p, 10, 9).minimum, 10);  // reviewed nine days late: not before tomorrow
  auto schedule = [&](std::uint64_t seed) {
    FuzzGenerator fuzz{seed};
    std::vector<int> intervals;
    for (int i = 0; i < 200; i++) {
      CardSchedule card;
      card.state = CardState::review;
      card.stability = 30;
      card.difficulty = 5;
      reviewCard(p, card, good, 0, 30, &fuzz);
      intervals.push_back(card.scheduledDays);
    }
    return intervals;
  };
  std::vector<int> first = schedule(7);
  EXPECT_EQ(first, schedule(7));
  EXPECT_NE(first, schedule(8));
  CardSchedule plain;
  plain.state = CardState::review;
  plain.stability = 30;
  plain.difficulty = 5;
  p.fuzz = false;
  reviewCard(p, plain, good, 0, 30, nullptr);
  FuzzRange range = fuzzRange(p, plain.scheduledDays, 30);
  std::set<int> seen(first.begin(), first.end());
  EXPECT_EQ(*seen.begin(), range.minimum);
  EXPECT_EQ(*seen.rbegin(), range.maximum);
}

// A card whose three passing grades all reach the longest interval: the rule that keeps Hard, Good
// and Easy in order adds a day to Good and two to Easy, which must not go past the longest one.
TEST(Fsrs, NoIntervalExceedsTheLongest) {
  struct Case {
    int maximumInterval;
    double stability;
    bool fuzz;
  };
  const Case cases[] = {{36500, maximumStability, false},
                        {36500, maximumStability, true},
                        {36500, 30000, true},
                        {100, 400, false},
                        {100, 400, true},
                        {1, 50, false}};
  for (const Case& c : cases) {
    for (int grade : {hard, good, easy}) {
      FsrsParameters p;
      p.maximumInterval = c.maximumInterval;
      p.fuzz = c.fuzz;
      FuzzGenerator fuzz{42};
      CardSchedule card;
      card.state = CardState::review;
      card.stability = c.stability;
      card.difficulty = 1;
      card.lastReview = 0;
      reviewCard(p, card, grade, std::int64_t{400} * 86400, 400, &fuzz);
      EXPECT_LE(card.scheduledDays, c.maximumInterval)
          << "grade " << grade << ", longest " << c.maximumInterval << ", fuzz " << c.fuzz;
      EXPECT_EQ(card.due, std::int64_t{400 + card.scheduledDays} * 86400);
    }
  }
}

}  // namespace
}  // namespace zembo
