#pragma once
// Fits the 21 weights of the FSRS-6 scheduler to a learner's own reviews, by the method of the
// reference optimizer of FSRS (fsrs-rs): each review a day or more after the one before is a
// prediction of recall from the reviews before it, and the weights are those that predict recall
// best (binary cross-entropy), kept near the defaults by an L2 penalty and within fixed bounds. The
// first-day stabilities w0..w3 are found first from each card's first interval alone; a learner
// with few reviews keeps the defaults, or gets those four and the defaults for the rest.

#include <array>
#include <functional>
#include <vector>

namespace zembo {

struct FitReview {
  int day = 0;    // the learner's local calendar day (days since 1970)
  int grade = 0;  // 1-4
};
using ReviewHistory = std::vector<FitReview>;  // one card's reviews, oldest first (several on one day allowed)

enum class FitStage { defaults, firstDayStabilities, allParameters };

// Where a fit spent its time, in seconds.
struct FitTimings {
  double preparing = 0;  // the items, their outliers, their order
  double pretraining = 0;
  std::vector<double> epochs;
};

struct FitOutcome {
  std::array<double, 21> w{};  // the weights to schedule with
  FitStage stage = FitStage::defaults;
  int trainingItems = 0;  // the reviews (items) the loss was computed on
  FitTimings timings;
};

// Fits on the given histories. progress (may be empty) gets a share 0..1 now and then.
FitOutcome fitParameters(const std::vector<ReviewHistory>& cards, const std::function<void(double)>& progress = {});

// The mean log loss of predicting each counted review's recall with weights w (the same items the
// fit counts: every review a day or more after the card's review before it).
double logLoss(const std::array<double, 21>& w, const std::vector<ReviewHistory>& cards);

// Splits cards deterministically into the part the fit learns from and the part held back to judge
// it (about one card in five held back, chosen from a hash of the card's index so the split is
// stable).
struct FitSplit {
  std::vector<ReviewHistory> training, heldBack;
};
FitSplit splitForFit(const std::vector<ReviewHistory>& cards);
// Whether the card at index is one splitForFit holds back.
bool isHeldBack(int index);

// Fewer items than this (after outliers are left out) keep the default weights; fewer than
// fewestItemsForAllWeights, or none beyond each card's first interval, fit only w0..w3.
constexpr int fewestItemsToFit = 8;
constexpr int fewestItemsForAllWeights = 64;

// The range the fit keeps each weight in.
struct WeightBounds {
  double low = 0;
  double high = 0;
};
const std::array<WeightBounds, 21>& fitWeightBounds();

}  // namespace zembo
