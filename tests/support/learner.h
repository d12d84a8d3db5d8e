#pragma once
// A simulated learner for the fit of the scheduler's weights: a memory that follows FSRS-6 with
// weights of its own, reviewing each card when zembo's scheduler (default weights, fuzz on) asks,
// now and then a few days late, and grading by whether the memory held.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "review/fsrs.h"
#include "review/fsrsfit.h"
#include "review/fsrsformulas.h"

namespace zembo::test {

struct SimulatedLearner {
  std::array<double, 21> trueWeights = FsrsParameters{}.w;
  int cards = 1000;
  int newPerDay = 20;
  int days = 365;
  int firstDay = 20000;     // October 2024, in days since 1970
  double lateShare = 0.15;  // of the reviews of whole days, those made 1 to mostLate days late
  int mostLate = 4;
  double slip = 0.1;                                         // the chance of failing a same-day step all the same
  std::array<double, 4> firstGrades = {0.2, 0.1, 0.6, 0.1};  // Again, Hard, Good, Easy at the first sight
  std::array<double, 3> passGrades = {0.1, 0.8, 0.1};        // Hard, Good, Easy when recalled
  std::uint64_t seed = 1;
};

template <std::size_t N>
int pickShare(FuzzGenerator& random, const std::array<double, N>& shares) {
  double r = random.next();
  for (std::size_t i = 0; i + 1 < N; ++i) {
    if (r < shares[i]) return static_cast<int>(i);
    r -= shares[i];
  }
  return static_cast<int>(N) - 1;
}

inline std::vector<FitReview> simulateCard(const SimulatedLearner& learner, FuzzGenerator& random, int introduced) {
  constexpr std::int64_t day = 86400;
  const FsrsParameters scheduler;
  const std::int64_t end = std::int64_t{learner.firstDay + learner.days} * day;
  auto randomHour = [&](std::int64_t d) {
    return d * day + 9 * 3600 + static_cast<std::int64_t>(random.next() * 10 * 3600);
  };
  std::int64_t now = randomHour(learner.firstDay + introduced), last = 0;
  CardSchedule schedule;
  std::optional<formulas::MemoryState<double>> memory;
  std::vector<FitReview> reviews;
  while (now < end) {
    const int elapsed = memory ? static_cast<int>(now / day - last / day) : 0;
    int grade = 1 + pickShare(random, learner.firstGrades);
    if (memory) {
      const double t = elapsed > 0 ? elapsed : static_cast<double>(now - last) / day;
      const double recall =
          formulas::forgettingCurve(learner.trueWeights, t, memory->stability) * (elapsed > 0 ? 1 : 1 - learner.slip);
      grade = random.next() < recall ? 2 + pickShare(random, learner.passGrades) : again;
    }
    memory = memory ? formulas::nextMemory(learner.trueWeights, *memory, elapsed, grade)
                    : formulas::firstMemory(learner.trueWeights, grade);
    reviewCard(scheduler, schedule, grade, now, elapsed, &random);
    reviews.push_back({static_cast<int>(now / day), grade});
    last = now;
    now = schedule.due;
    if (schedule.scheduledDays == 0) continue;
    std::int64_t dueDay = schedule.due / day;
    if (random.next() < learner.lateShare) dueDay += 1 + static_cast<std::int64_t>(random.next() * learner.mostLate);
    now = randomHour(dueDay);
  }
  return reviews;
}

// Every card's reviews from the day it is introduced to the end of the run.
inline std::vector<ReviewHistory> simulateReviews(const SimulatedLearner& learner) {
  FuzzGenerator random{learner.seed};
  std::vector<ReviewHistory> cards;
  for (int i = 0; i < learner.cards && i / learner.newPerDay < learner.days; ++i) {
    cards.push_back(simulateCard(learner, random, i / learner.newPerDay));
  }
  return cards;
}

}  // namespace zembo::test
