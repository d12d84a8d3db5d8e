#include "review/fsrs.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "review/fsrsformulas.h"

namespace zembo {

namespace {

// Card files keep eight decimals; a card read back schedules exactly as one kept in memory.
double toEightDecimals(double x) { return std::round(x * 1e8) / 1e8; }

}  // namespace

// The forgetting curve, kept to eight decimals as the reference implementation keeps it, so that
// intervals agree at the boundaries.
double retrievability(const FsrsParameters& p, double elapsedDays, double stability) {
  return toEightDecimals(formulas::forgettingCurve(p.w, elapsedDays, stability));
}

// S0(G) = w[G-1]: the first grade alone sets the stability.
double initialStability(const FsrsParameters& p, int grade) { return std::max(p.w[grade - 1], 0.1); }

double initialDifficulty(const FsrsParameters& p, int grade) { return formulas::initialDifficulty(p.w, grade); }

double nextDifficulty(const FsrsParameters& p, double difficulty, int grade) {
  return formulas::nextDifficulty(p.w, difficulty, grade);
}

double stabilityAfterRecall(const FsrsParameters& p, double difficulty, double stability, double r, int grade) {
  return formulas::stabilityAfterRecall(p.w, difficulty, stability, r, grade);
}

double stabilityAfterForgetting(const FsrsParameters& p, double difficulty, double stability, double r) {
  return formulas::stabilityAfterForgetting(p.w, difficulty, stability, r);
}

double shortTermStability(const FsrsParameters& p, double stability, int grade) {
  return formulas::shortTermStability(p.w, stability, grade);
}

// I(r, S) = S / FACTOR (r^(1/DECAY) - 1): the forgetting curve solved for the desired retention.
int nextInterval(const FsrsParameters& p, double stability) {
  double days = stability / formulas::curveFactor(p.w) * (std::pow(p.desiredRetention, 1 / formulas::decay(p.w)) - 1);
  return std::clamp(static_cast<int>(std::lround(days)), 1, p.maximumInterval);
}

double FuzzGenerator::next() {
  std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  z ^= z >> 31;
  return static_cast<double>(z >> 11) / 9007199254740992.0;
}

// The fuzz of the widespread schedulers: ±15% of the days between 2.5 and 7, ±10% up to 20 and
// ±5% beyond, plus one day, so that cards learnt together drift apart instead of coming back in
// clumps. Intervals below 2.5 days stay as they are.
FuzzRange fuzzRange(const FsrsParameters& p, double ivl, int elapsedDays) {
  struct Band {
    double start, end, share;
  };
  constexpr Band bands[] = {{2.5, 7.0, 0.15}, {7.0, 20.0, 0.1}, {20.0, INFINITY, 0.05}};
  double delta = 1.0;
  for (const Band& band : bands) delta += band.share * std::max(std::min(ivl, band.end) - band.start, 0.0);
  int minimum = std::max(2, static_cast<int>(std::lround(ivl - delta)));
  int maximum = std::min(static_cast<int>(std::lround(ivl + delta)), p.maximumInterval);
  if (ivl > elapsedDays) minimum = std::max(minimum, elapsedDays + 1);
  return {std::min(minimum, maximum), maximum};
}

namespace {

int fuzzed(const FsrsParameters& p, int ivl, int elapsedDays, FuzzGenerator* generator) {
  if (!p.fuzz || generator == nullptr || ivl < 2.5) return ivl;
  FuzzRange range = fuzzRange(p, ivl, elapsedDays);
  return range.minimum + static_cast<int>(generator->next() * (range.maximum - range.minimum + 1));
}

void scheduleMinutes(CardSchedule& card, CardState state, int step, int minutes, std::int64_t now) {
  card.state = state;
  card.step = step;
  card.scheduledDays = 0;
  card.due = now + std::int64_t{minutes} * 60;
}

void scheduleDays(CardSchedule& card, int days, std::int64_t now) {
  card.state = CardState::review;
  card.step = 0;
  card.scheduledDays = days;
  card.due = now + std::int64_t{days} * 86400;
}

// Hard repeats the step between the first two (or half as long again as a single step).
int hardStepMinutes(const std::vector<int>& steps) {
  return steps.size() == 1 ? static_cast<int>(std::lround(steps[0] * 1.5))
                           : static_cast<int>(std::lround((steps[0] + steps[1]) / 2.0));
}

// The stability a grade gives a card that has one: a same-day review follows the short-term rule,
// one a day or more later the long-term one.
double nextStability(const FsrsParameters& p, const CardSchedule& card, int grade, int elapsedDays) {
  if (elapsedDays == 0) return shortTermStability(p, card.stability, grade);
  double r = retrievability(p, elapsedDays, card.stability);
  return grade == again ? stabilityAfterForgetting(p, card.difficulty, card.stability, r)
                        : stabilityAfterRecall(p, card.difficulty, card.stability, r, grade);
}

// A new card, or one in the learning or relearning steps.
void reviewInSteps(const FsrsParameters& p, CardSchedule& card, int grade, std::int64_t now, int elapsedDays,
                   FuzzGenerator* generator) {
  bool isNew = card.state == CardState::newCard;
  bool relearning = card.state == CardState::relearning;
  const std::vector<int>& steps = relearning ? p.relearningSteps : p.learningSteps;
  double stability = isNew ? initialStability(p, grade) : nextStability(p, card, grade, elapsedDays);
  card.difficulty =
      isNew ? formulas::clampDifficulty(initialDifficulty(p, grade)) : nextDifficulty(p, card.difficulty, grade);
  card.stability = stability;
  int step = isNew ? 0 : card.step;
  CardState stepState = relearning ? CardState::relearning : CardState::learning;
  if (!steps.empty() && grade == again) return scheduleMinutes(card, stepState, 0, steps[0], now);
  if (!steps.empty() && grade == hard) return scheduleMinutes(card, stepState, step, hardStepMinutes(steps), now);
  if (grade == good && static_cast<std::size_t>(step) + 1 < steps.size()) {
    return scheduleMinutes(card, stepState, step + 1, steps[step + 1], now);
  }
  // Leaving the steps: whole days, from the new stability alone.
  int days = fuzzed(p, nextInterval(p, stability), elapsedDays, generator);
  scheduleDays(card, days, now);
}

// A card in review: a lapse sends it to the relearning steps; a pass gets whole days, those of
// the three passing grades kept in order (hard < good < easy).
void reviewInReview(const FsrsParameters& p, CardSchedule& card, int grade, std::int64_t now, int elapsedDays,
                    FuzzGenerator* generator) {
  double stabilities[5] = {0};
  for (int g = again; g <= easy; g++) stabilities[g] = nextStability(p, card, g, elapsedDays);
  card.difficulty = nextDifficulty(p, card.difficulty, grade);
  card.stability = stabilities[grade];
  if (grade == again) {
    if (card.lapses < std::numeric_limits<int>::max()) card.lapses++;
    if (!p.relearningSteps.empty()) return scheduleMinutes(card, CardState::relearning, 0, p.relearningSteps[0], now);
    return scheduleDays(card, fuzzed(p, nextInterval(p, card.stability), elapsedDays, generator), now);
  }
  int hardDays = fuzzed(p, nextInterval(p, stabilities[hard]), elapsedDays, generator);
  int goodDays = fuzzed(p, nextInterval(p, stabilities[good]), elapsedDays, generator);
  hardDays = std::min(hardDays, goodDays);
  goodDays = std::max(goodDays, hardDays + 1);
  int easyDays = std::max(fuzzed(p, nextInterval(p, stabilities[easy]), elapsedDays, generator), goodDays + 1);
  // At the longest interval the order gives way: the three grades may then share it.
  const int days = grade == hard ? hardDays : grade == good ? goodDays : easyDays;
  scheduleDays(card, std::min(days, p.maximumInterval), now);
}

}  // namespace

void reviewCard(const FsrsParameters& p, CardSchedule& card, int grade, std::int64_t now, int elapsedDays,
                FuzzGenerator* fuzz) {
  grade = std::clamp(grade, 1, 4);
  if (card.state == CardState::review) {
    reviewInReview(p, card, grade, now, elapsedDays, fuzz);
  } else {
    reviewInSteps(p, card, grade, now, elapsedDays, fuzz);
  }
  card.stability = toEightDecimals(card.stability);
  card.difficulty = toEightDecimals(card.difficulty);
  if (card.reps < std::numeric_limits<int>::max()) card.reps++;
  card.lastReview = now;
}

}  // namespace zembo
