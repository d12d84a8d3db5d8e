#pragma once
// The review scheduler, FSRS-6: from a card's memory state (stability, difficulty) and a grade it
// computes the next state and when the card is due again. The formulas keep the names the
// algorithm's authors give them; the module knows nothing of windows or files.

#include <array>
#include <cstdint>
#include <vector>

namespace zembo {

enum class CardState { newCard = 0, learning = 1, review = 2, relearning = 3 };
enum Grade { again = 1, hard = 2, good = 3, easy = 4 };

// A card's schedule. Times are seconds since 1970; a card in the learning steps is due minutes
// after its review, a card in review whole days after it.
struct CardSchedule {
  CardState state = CardState::newCard;
  double stability = 0;   // days until recall falls to 90%
  double difficulty = 0;  // 1 (easy) to 10 (hard)
  int step = 0;           // position in the learning or relearning steps
  int scheduledDays = 0;  // the interval given at the last review; 0 in the steps
  std::int64_t due = 0;
  std::int64_t lastReview = 0;
  int reps = 0;
  int lapses = 0;
};

// Stability stays between a minute and a century and a half or so.
constexpr double minimumStability = 0.001;
constexpr double maximumStability = 36500;

struct FsrsParameters {
  // The 21 default weights of FSRS-6, fitted by its authors on about 10,000 Anki collections
  // (the open srs-benchmark); w[20] is the decay of the forgetting curve.
  std::array<double, 21> w = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001,  1.8722, 0.1666, 0.796,
                              1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
  double desiredRetention = 0.9;
  int maximumInterval = 36500;
  // Minutes of the steps a new card and a forgotten one go through before whole days.
  std::vector<int> learningSteps = {1, 10};
  std::vector<int> relearningSteps = {10};
  bool fuzz = true;
};

// The formulas, each as the algorithm names it (fsrsformulas.h has them for any number type).
double retrievability(const FsrsParameters& p, double elapsedDays, double stability);
double initialStability(const FsrsParameters& p, int grade);
double initialDifficulty(const FsrsParameters& p, int grade);
double nextDifficulty(const FsrsParameters& p, double difficulty, int grade);
double stabilityAfterRecall(const FsrsParameters& p, double difficulty, double stability, double r, int grade);
double stabilityAfterForgetting(const FsrsParameters& p, double difficulty, double stability, double r);
double shortTermStability(const FsrsParameters& p, double stability, int grade);
// Whole days until recall falls to the desired retention, at least one day.
int nextInterval(const FsrsParameters& p, double stability);

// A small seeded generator (splitmix64), so that fuzzed intervals are the same on every machine
// and a test can expect them exactly.
struct FuzzGenerator {
  std::uint64_t state = 0;
  double next();  // in [0, 1)
};
// The smallest and largest interval fuzz may turn an interval of ivl days into.
struct FuzzRange {
  int minimum = 0;
  int maximum = 0;
};
FuzzRange fuzzRange(const FsrsParameters& p, double ivl, int elapsedDays);

// Grades a card reviewed at now, elapsedDays calendar days after its last review (0 on the same
// day, also for a new card), and schedules it again; no interval exceeds p.maximumInterval and the
// counts of reviews and lapses stop at their largest value. fuzz may be null when p.fuzz is off.
void reviewCard(const FsrsParameters& p, CardSchedule& card, int grade, std::int64_t now, int elapsedDays,
                FuzzGenerator* fuzz);

}  // namespace zembo
