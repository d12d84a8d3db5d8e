#pragma once
// The memory-state formulas of FSRS-6, written once for any number type: the scheduler runs them on
// double, the optimizer on a number that carries its derivatives with respect to the 21 weights.
// A number type other than double brings its own exp and pow (found by argument-dependent lookup),
// arithmetic with double and operator<. The weights are anything indexable from 0 to 20.

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <utility>

#include "review/fsrs.h"

namespace zembo::formulas {

// The number type of a set of weights.
template <typename W>
using Number = std::remove_cvref_t<decltype(std::declval<const W&>()[0])>;

template <typename T>
T clampStability(const T& s) {
  return std::clamp(s, T(minimumStability), T(maximumStability));
}

template <typename T>
T clampDifficulty(const T& d) {
  return std::clamp(d, T(1.0), T(10.0));
}

template <typename W>
Number<W> decay(const W& w) {
  return -w[20];
}

// Chosen so that recall is 90% after `stability` days: R(S, S) = 0.9.
template <typename W>
Number<W> curveFactor(const W& w) {
  using std::pow;
  return pow(0.9, 1 / decay(w)) - 1;
}

// The forgetting curve, a power law: R(t, S) = (1 + FACTOR * t / S)^DECAY.
template <typename W>
Number<W> forgettingCurve(const W& w, double elapsedDays, const Number<W>& stability) {
  using std::pow;
  return pow(1 + curveFactor(w) * std::max(elapsedDays, 0.0) / stability, decay(w));
}

// D0(G) = w4 - e^(w5 (G - 1)) + 1, unbounded here: mean reversion pulls towards D0(4) as it is.
template <typename W>
Number<W> initialDifficulty(const W& w, int grade) {
  using std::exp;
  return w[4] - exp(w[5] * (grade - 1)) + 1;
}

// D' = w7 D0(4) + (1 - w7) (D + ΔD (10 - D) / 9) with ΔD = -w6 (G - 3): linear damping makes the
// step smaller as D nears 10, mean reversion keeps a card from sticking at the top ("ease hell").
template <typename W>
Number<W> nextDifficulty(const W& w, const Number<W>& difficulty, int grade) {
  using T = Number<W>;
  T delta = -w[6] * (grade - 3);
  T damped = difficulty + delta * (10 - difficulty) / 9;
  return clampDifficulty(T(w[7] * initialDifficulty(w, easy) + (1 - w[7]) * damped));
}

// S'r = S (e^w8 (11 - D) S^-w9 (e^(w10 (1 - R)) - 1) HardPenalty EasyBonus + 1): harder cards,
// more stable memories and recall that was still likely all gain less.
template <typename W>
Number<W> stabilityAfterRecall(const W& w, const Number<W>& difficulty, const Number<W>& stability, const Number<W>& r,
                               int grade) {
  using std::exp;
  using std::pow;
  using T = Number<W>;
  T hardPenalty = grade == hard ? w[15] : T(1);
  T easyBonus = grade == easy ? w[16] : T(1);
  T increase =
      exp(w[8]) * (11 - difficulty) * pow(stability, -w[9]) * (exp(w[10] * (1 - r)) - 1) * hardPenalty * easyBonus;
  return clampStability(T(stability * (1 + increase)));
}

// S'f = w11 D^-w12 ((S + 1)^w13 - 1) e^(w14 (1 - R)), never above what a same-day lapse would
// leave, S / e^(w17 w18).
template <typename W>
Number<W> stabilityAfterForgetting(const W& w, const Number<W>& difficulty, const Number<W>& stability,
                                   const Number<W>& r) {
  using std::exp;
  using std::pow;
  using T = Number<W>;
  T forgotten = w[11] * pow(difficulty, -w[12]) * (pow(stability + 1, w[13]) - 1) * exp(w[14] * (1 - r));
  T ceiling = stability / exp(w[17] * w[18]);
  return clampStability(std::min(forgotten, ceiling));
}

// Same-day reviews: S' = S e^(w17 (G - 3 + w18)) S^-w19; a passed review never lowers stability.
template <typename W>
Number<W> shortTermStability(const W& w, const Number<W>& stability, int grade) {
  using std::exp;
  using std::pow;
  using T = Number<W>;
  T increase = exp(w[17] * (grade - 3 + w[18])) * pow(stability, -w[19]);
  if (grade >= hard) increase = std::max(increase, T(1.0));
  return clampStability(T(stability * increase));
}

// What a history of reviews leaves in memory, review by review.
template <typename T>
struct MemoryState {
  T stability{};
  T difficulty{};
};

// After the first review: the first grade's weight, taken as it is down to the smallest
// stability, as the reference optimizer takes it (the scheduler keeps a floor of 0.1 days).
template <typename W>
MemoryState<Number<W>> firstMemory(const W& w, int grade) {
  return {clampStability(w[grade - 1]), clampDifficulty(initialDifficulty(w, grade))};
}

// After a later review, elapsedDays calendar days after the one before: the same-day rule on the
// day itself, else recall or forgetting after the retrievability the days left.
template <typename W>
MemoryState<Number<W>> nextMemory(const W& w, const MemoryState<Number<W>>& m, int elapsedDays, int grade) {
  using T = Number<W>;
  T difficulty = nextDifficulty(w, m.difficulty, grade);
  if (elapsedDays == 0) return {shortTermStability(w, m.stability, grade), difficulty};
  T r = forgettingCurve(w, elapsedDays, m.stability);
  T stability = grade == again ? stabilityAfterForgetting(w, m.difficulty, m.stability, r)
                               : stabilityAfterRecall(w, m.difficulty, m.stability, r, grade);
  return {stability, difficulty};
}

}  // namespace zembo::formulas
