#include "review/fsrsfit.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <numbers>
#include <optional>
#include <set>
#include <thread>

#include "review/fsrs.h"
#include "review/fsrsformulas.h"

namespace zembo {

namespace {

constexpr int weightCount = 21;
using Weights = std::array<double, weightCount>;

// The training settings of the reference optimizer.
constexpr int epochCount = 5;
constexpr std::size_t batchSize = 512;
constexpr double learningRate = 0.04;
constexpr std::size_t longestHistory = 256;  // reviews in one item; longer ones are left out
constexpr double penaltyWeight = 1.0;        // gamma of the L2 penalty
constexpr std::uint64_t shuffleSeed = 2023;
// How far from its default each weight typically lies over many learners: the L2 penalty pulls a
// weight towards its start in these units.
constexpr Weights typicalSpread = {6.43, 9.66, 17.58, 27.85, 0.57, 0.28, 0.6,  0.12, 0.39, 0.18, 0.33,
                                   0.3,  0.09, 0.16,  0.57,  0.25, 1.03, 0.31, 0.32, 0.14, 0.27};
constexpr double largestFirstStability = 100;
constexpr double pretrainingShare = 0.05;  // of the progress

// A number with its derivatives with respect to the 21 weights: the formulas run on it give the
// gradient of the loss in the same pass as the loss (forward-mode differentiation).
struct Dual {
  double value = 0;
  Weights d{};
  Dual() = default;
  Dual(double v) : value(v) {}  // implicit: the formulas' constants
};

// r.d = a * x.d + b * y.d
Dual combine(double value, double a, const Dual& x, double b, const Dual& y) {
  Dual r(value);
  for (int i = 0; i < weightCount; ++i) r.d[i] = a * x.d[i] + b * y.d[i];
  return r;
}

Dual scaled(double value, double a, const Dual& x) {
  Dual r(value);
  for (int i = 0; i < weightCount; ++i) r.d[i] = a * x.d[i];
  return r;
}

Dual operator-(const Dual& a) { return scaled(-a.value, -1, a); }
Dual operator+(const Dual& a, const Dual& b) { return combine(a.value + b.value, 1, a, 1, b); }
Dual operator+(const Dual& a, double b) { return scaled(a.value + b, 1, a); }
Dual operator+(double a, const Dual& b) { return scaled(a + b.value, 1, b); }
Dual operator-(const Dual& a, const Dual& b) { return combine(a.value - b.value, 1, a, -1, b); }
Dual operator-(const Dual& a, double b) { return scaled(a.value - b, 1, a); }
Dual operator-(double a, const Dual& b) { return scaled(a - b.value, -1, b); }
Dual operator*(const Dual& a, const Dual& b) { return combine(a.value * b.value, b.value, a, a.value, b); }
Dual operator*(const Dual& a, double b) { return scaled(a.value * b, b, a); }
Dual operator/(const Dual& a, const Dual& b) {
  const double q = a.value / b.value;
  return combine(q, 1 / b.value, a, -q / b.value, b);
}
Dual operator/(const Dual& a, double b) { return scaled(a.value / b, 1 / b, a); }
Dual operator/(double a, const Dual& b) {
  const double q = a / b.value;
  return scaled(q, -q / b.value, b);
}
bool operator<(const Dual& a, const Dual& b) { return a.value < b.value; }

Dual exp(const Dual& a) {
  const double e = std::exp(a.value);
  return scaled(e, e, a);
}
Dual pow(const Dual& a, const Dual& b) {
  const double p = std::pow(a.value, b.value);
  return combine(p, p * b.value / a.value, a, p * std::log(a.value), b);
}
Dual pow(double a, const Dual& b) {
  const double p = std::pow(a, b.value);
  return scaled(p, p * std::log(a), b);
}

std::array<Dual, weightCount> variables(const Weights& w) {
  std::array<Dual, weightCount> v;
  for (int i = 0; i < weightCount; ++i) {
    v[i].value = w[i];
    v[i].d[i] = 1;
  }
  return v;
}

// ---- The items: each review a day or more after the one before, predicted from those before it.

struct Step {
  int elapsedDays = 0;  // since the review before (0 for the first)
  int grade = 0;
};
using Steps = std::vector<Step>;

struct Item {
  int card = 0;
  int review = 0;  // index of the predicted review in its card's steps, at least 1
  int day = 0;
  double weight = 1;
};

// Cards with a grade outside 1-4 are left out whole, as the reference refuses such input.
std::vector<Steps> stepsOf(const std::vector<ReviewHistory>& cards) {
  std::vector<Steps> all;
  all.reserve(cards.size());
  for (const ReviewHistory& card : cards) {
    Steps steps;
    bool valid = true;
    for (std::size_t k = 0; k < card.size(); ++k) {
      valid = valid && card[k].grade >= again && card[k].grade <= easy;
      const int elapsed = k == 0 ? 0 : std::max(card[k].day - card[k - 1].day, 0);
      steps.push_back({elapsed, card[k].grade});
    }
    all.push_back(valid ? std::move(steps) : Steps{});
  }
  return all;
}

// In the order the reviews were made (by day, then card), as the recency weights expect.
std::vector<Item> itemsOf(const std::vector<Steps>& steps, const std::vector<ReviewHistory>& cards) {
  std::vector<Item> items;
  for (std::size_t c = 0; c < steps.size(); ++c) {
    for (std::size_t k = 1; k < steps[c].size(); ++k) {
      if (steps[c][k].elapsedDays > 0) items.push_back({static_cast<int>(c), static_cast<int>(k), cards[c][k].day});
    }
  }
  std::sort(items.begin(), items.end(),
            [](const Item& a, const Item& b) { return a.day != b.day ? a.day < b.day : a.card < b.card; });
  return items;
}

int firstGrade(const Steps& steps) { return steps[0].grade; }

// Days from the first day to the first review on a later one.
int firstInterval(const Steps& steps) {
  for (const Step& s : steps) {
    if (s.elapsedDays > 0) return s.elapsedDays;
  }
  return 0;
}

bool isFirstInterval(const Steps& steps, const Item& item) {
  for (int k = 1; k < item.review; ++k) {
    if (steps[k].elapsedDays > 0) return false;
  }
  return true;
}

bool recalled(const Steps& steps, const Item& item) { return steps[item.review].grade > again; }

double averageRecall(const std::vector<Steps>& steps, const std::vector<Item>& items) {
  const auto count =
      std::count_if(items.begin(), items.end(), [&](const Item& i) { return recalled(steps[i.card], i); });
  return static_cast<double>(count) / static_cast<double>(items.size());
}

// ---- Outliers: rare first intervals say little and mislead; cards with them are left out.

struct Outliers {
  std::array<std::set<int>, 5> removedIntervals;  // by first grade
  std::vector<Item> firstIntervals;               // the items of the first intervals kept
};

// Of each first grade's first intervals, the rarest are left out until at least 20 items (or 5%)
// are, and of the rest those with fewer than six items or longer than 100 days (365 after Easy).
Outliers findOutliers(const std::vector<Steps>& steps, const std::vector<Item>& items) {
  std::map<int, std::map<int, std::vector<Item>>> groups;
  for (const Item& item : items) {
    const Steps& s = steps[item.card];
    if (isFirstInterval(s, item)) groups[firstGrade(s)][s[item.review].elapsedDays].push_back(item);
  }
  Outliers outliers;
  for (auto& [grade, byInterval] : groups) {
    std::vector<std::pair<int, std::vector<Item>*>> rarestFirst;
    std::size_t total = 0;
    for (auto& [days, group] : byInterval) {
      rarestFirst.emplace_back(days, &group);
      total += group.size();
    }
    std::sort(rarestFirst.begin(), rarestFirst.end(), [](const auto& a, const auto& b) {
      return a.second->size() != b.second->size() ? a.second->size() < b.second->size() : a.first < b.first;
    });
    const std::size_t toRemove = std::max<std::size_t>(20, total / 20);
    const int longest = grade == easy ? 365 : 100;
    std::size_t removed = 0;
    for (const auto& [days, group] : rarestFirst) {
      if (removed + group->size() >= toRemove && group->size() >= 6 && days <= longest) {
        outliers.firstIntervals.insert(outliers.firstIntervals.end(), group->begin(), group->end());
        continue;
      }
      if (removed + group->size() < toRemove) removed += group->size();
      outliers.removedIntervals[grade].insert(days);
    }
  }
  return outliers;
}

std::vector<Item> withoutOutliers(const std::vector<Steps>& steps, const std::vector<Item>& items,
                                  const Outliers& outliers) {
  std::vector<Item> kept;
  for (const Item& item : items) {
    const Steps& s = steps[item.card];
    if (!outliers.removedIntervals[firstGrade(s)].contains(firstInterval(s))) kept.push_back(item);
  }
  return kept;
}

// ---- Pretraining: the first-day stabilities from the first intervals alone.

const Weights& defaults() {
  static const Weights w = FsrsParameters{}.w;
  return w;
}

struct FirstIntervalRecall {
  double days = 0;
  double recall = 0;
  double count = 0;
};

// The loss of a first-day stability s against the recall seen after each first interval, under the
// default forgetting curve, plus a small pull towards the default.
double firstDayLoss(const std::vector<FirstIntervalRecall>& rows, double s, double defaultStability) {
  const double decay = -defaults()[20];
  const double factor = std::pow(0.9, 1 / decay) - 1;
  double loss = 0;
  for (const FirstIntervalRecall& row : rows) {
    const double r = std::pow(row.days / s * factor + 1, decay);
    loss -= (row.recall * std::log(r) + (1 - row.recall) * std::log(1 - r)) * row.count;
  }
  return loss + std::abs(s - defaultStability) / 16;
}

// A ternary search between the smallest stability and 100 days, stopped where it no longer moves.
double bestFirstDayStability(const std::vector<FirstIntervalRecall>& rows, double defaultStability) {
  double low = minimumStability, high = largestFirstStability;
  for (int i = 0; i < 1000 && high - low > std::numeric_limits<double>::epsilon(); ++i) {
    const double oldLow = low, oldHigh = high;
    const double third1 = low + (high - low) / 3, third2 = high - (high - low) / 3;
    if (firstDayLoss(rows, third1, defaultStability) < firstDayLoss(rows, third2, defaultStability)) {
      high = third2;
    } else {
      low = third1;
    }
    if (low == oldLow && high == oldHigh) break;  // at the resolution of double: every further step is this one
  }
  return (high + low) / 2;
}

using ByGrade = std::map<int, double>;
using CountByGrade = std::map<int, int>;

struct FirstDayData {
  std::map<int, std::vector<FirstIntervalRecall>> rows;  // by first grade, shortest interval first
  CountByGrade counts;
};

FirstDayData firstDayData(const std::vector<Steps>& steps, const std::vector<Item>& firstIntervals) {
  std::map<int, std::map<int, std::pair<int, int>>> passes;  // grade → days → (recalled, count)
  for (const Item& item : firstIntervals) {
    const Steps& s = steps[item.card];
    auto& [recalledCount, count] = passes[firstGrade(s)][s[item.review].elapsedDays];
    recalledCount += recalled(s, item) ? 1 : 0;
    count++;
  }
  FirstDayData data;
  for (const auto& [grade, byDays] : passes) {
    for (const auto& [days, pass] : byDays) {
      data.rows[grade].push_back({double(days), double(pass.first) / pass.second, double(pass.second)});
      data.counts[grade] += pass.second;
    }
  }
  return data;
}

// Where one grade's stability is above a better grade's, the grade seen less often takes the
// other's.
void keepInOrder(ByGrade& stability, const CountByGrade& counts) {
  constexpr std::pair<int, int> pairs[] = {{1, 2}, {2, 3}, {3, 4}, {1, 3}, {2, 4}, {1, 4}};
  for (auto [worse, better] : pairs) {
    if (!stability.contains(worse) || !stability.contains(better) || stability[worse] <= stability[better]) continue;
    if (counts.at(worse) > counts.at(better)) {
      stability[better] = stability[worse];
    } else {
      stability[worse] = stability[better];
    }
  }
}

// Stabilities by grade 1-4 (index 0 unused), those not seen empty.
using Known = std::array<std::optional<double>, 5>;

// Typical learners' first-day stabilities keep two relations: S2 = S1^0.41 S3^0.59 and
// S3 = S2^0.46 S4^0.54. Two grades seen give the other two through them.
void fillFromTwo(Known& s) {
  const double w1 = 0.41, w2 = 0.54;
  if (s[3] && s[4]) {
    s[2] = std::pow(*s[3], 1 / (1 - w2)) * std::pow(*s[4], 1 - 1 / (1 - w2));
    s[1] = std::pow(*s[2], 1 / w1) * std::pow(*s[3], 1 - 1 / w1);
  } else if (s[2] && s[4]) {
    s[3] = std::pow(*s[2], 1 - w2) * std::pow(*s[4], w2);
    s[1] = std::pow(*s[2], 1 / w1) * std::pow(*s[3], 1 - 1 / w1);
  } else if (s[2] && s[3]) {
    s[4] = std::pow(*s[2], 1 - 1 / w2) * std::pow(*s[3], 1 / w2);
    s[1] = std::pow(*s[2], 1 / w1) * std::pow(*s[3], 1 - 1 / w1);
  } else if (s[1] && s[4]) {
    const double both = w1 + w2 - w1 * w2;
    s[2] = std::pow(*s[1], w1 / both) * std::pow(*s[4], 1 - w1 / both);
    s[3] = std::pow(*s[1], 1 - w2 / both) * std::pow(*s[4], w2 / both);
  } else if (s[1] && s[3]) {
    s[2] = std::pow(*s[1], w1) * std::pow(*s[3], 1 - w1);
    s[4] = std::pow(*s[2], 1 - 1 / w2) * std::pow(*s[3], 1 / w2);
  } else {  // Again and Hard
    s[3] = std::pow(*s[1], 1 - 1 / (1 - w1)) * std::pow(*s[2], 1 / (1 - w1));
    s[4] = std::pow(*s[2], 1 - 1 / w2) * std::pow(*s[3], 1 / w2);
  }
}

// Three grades seen give the fourth through one of the relations.
void fillFromThree(Known& s) {
  const double w1 = 0.41, w2 = 0.54;
  if (!s[1]) {
    s[1] = std::pow(*s[2], 1 / w1) * std::pow(*s[3], 1 - 1 / w1);
  } else if (!s[2]) {
    s[2] = std::pow(*s[1], w1) * std::pow(*s[3], 1 - w1);
  } else if (!s[3]) {
    s[3] = std::pow(*s[2], 1 - w2) * std::pow(*s[4], w2);
  } else if (!s[4]) {
    s[4] = std::pow(*s[2], 1 - 1 / w2) * std::pow(*s[3], 1 / w2);
  }
}

// The stabilities found for the grades the learner gave first, kept in order and filled in for the
// others (one grade alone scales the defaults); none when no grade was seen.
std::optional<std::array<double, 4>> smoothAndFill(ByGrade stability, const CountByGrade& counts) {
  std::erase_if(stability, [&](const auto& entry) { return !counts.contains(entry.first); });
  keepInOrder(stability, counts);
  if (stability.empty()) return std::nullopt;
  Known s;
  for (const auto& [grade, value] : stability) s[grade] = value;
  if (stability.size() == 1) {
    const auto [grade, value] = *stability.begin();
    for (int g = 1; g <= 4; ++g) s[g] = defaults()[g - 1] * (value / defaults()[grade - 1]);
  }
  if (stability.size() == 2) fillFromTwo(s);
  if (stability.size() == 3) fillFromThree(s);
  std::array<double, 4> filled{};
  for (int g = 1; g <= 4; ++g) filled[g - 1] = std::clamp(*s[g], minimumStability, largestFirstStability);
  return filled;
}

struct Pretraining {
  std::array<double, 4> stabilities{};
  CountByGrade counts;
};

// The recall after each first interval is smoothed towards the learner's average recall (Laplace),
// so that a handful of reviews does not decide a stability alone.
std::optional<Pretraining> pretrain(const std::vector<Steps>& steps, const std::vector<Item>& firstIntervals,
                                    double averageRecall) {
  FirstDayData data = firstDayData(steps, firstIntervals);
  ByGrade found;
  for (auto& [grade, rows] : data.rows) {
    for (FirstIntervalRecall& row : rows) row.recall = (row.recall * row.count + averageRecall) / (row.count + 1);
    found[grade] = bestFirstDayStability(rows, defaults()[grade - 1]);
  }
  std::optional<std::array<double, 4>> filled = smoothAndFill(found, data.counts);
  if (!filled) return std::nullopt;
  return Pretraining{*filled, data.counts};
}

// ---- Training.

// The reference's bounds, with one relearning step (the ceiling of w17 and w18) and the same-day
// weights trained (the floor of w19).
// clang-format off
constexpr std::array<WeightBounds, weightCount> bounds = {{
    {minimumStability, largestFirstStability}, {minimumStability, largestFirstStability},
    {minimumStability, largestFirstStability}, {minimumStability, largestFirstStability},
    {1, 10}, {0.001, 4}, {0.001, 4}, {0.001, 0.75},                 // difficulty
    {0, 4.5}, {0, 0.8}, {0.001, 3.5},                               // stability after recall
    {0.001, 5}, {0.001, 0.25}, {0.001, 0.9}, {0, 4},                // stability after forgetting
    {0, 1}, {1, 6},                                                 // Hard's penalty, Easy's bonus
    {0, 2}, {0, 2}, {0.01, 0.8},                                    // same-day reviews
    {0.1, 0.8}}};                                                   // the forgetting curve's decay
// clang-format on

void clip(Weights& w) {
  for (int i = 0; i < weightCount; ++i) w[i] = std::clamp(w[i], bounds[i].low, bounds[i].high);
}

double binaryCrossEntropy(double r, bool recall) {
  r = std::clamp(r, 1e-10, 1 - 1e-10);
  return recall ? -std::log(r) : -std::log(1 - r);
}

// One card's items, in review order; the card is replayed once for all of them.
struct CardItems {
  int card = 0;
  std::vector<std::pair<int, double>> reviews;  // (review index, weight), ascending
};

std::vector<CardItems> byCard(std::vector<Item> items) {
  std::sort(items.begin(), items.end(),
            [](const Item& a, const Item& b) { return a.card != b.card ? a.card < b.card : a.review < b.review; });
  std::vector<CardItems> cards;
  for (const Item& item : items) {
    if (cards.empty() || cards.back().card != item.card) cards.push_back({item.card, {}});
    cards.back().reviews.emplace_back(item.review, item.weight);
  }
  return cards;
}

// Calls onItem(retrievability, recalled, weight) for each item of the card, the memory state run
// with weights w (double or Dual) from the first review.
template <typename W, typename F>
void replay(const W& w, const Steps& steps, const CardItems& items, F onItem) {
  auto memory = formulas::firstMemory(w, steps[0].grade);
  std::size_t next = 0;
  for (int k = 1; next < items.reviews.size(); ++k) {
    const Step& step = steps[k];
    if (items.reviews[next].first == k) {
      onItem(formulas::forgettingCurve(w, step.elapsedDays, memory.stability), step.grade > again,
             items.reviews[next].second);
      ++next;
      if (next == items.reviews.size()) break;
    }
    memory = formulas::nextMemory(w, memory, step.elapsedDays, step.grade);
  }
}

// The weighted sum of the losses of the items with weights w.
double summedLoss(const Weights& w, const std::vector<Steps>& steps, const std::vector<CardItems>& cards) {
  double loss = 0;
  for (const CardItems& card : cards) {
    replay(w, steps[card.card], card,
           [&](double r, bool recall, double weight) { loss += weight * binaryCrossEntropy(r, recall); });
  }
  return loss;
}

// The gradient of the weighted sum of the losses of cards [begin, end).
Weights lossGradient(const std::array<Dual, weightCount>& w, const std::vector<Steps>& steps,
                     const std::vector<CardItems>& cards, std::size_t begin, std::size_t end) {
  Weights gradient{};
  for (std::size_t c = begin; c < end; ++c) {
    replay(w, steps[cards[c].card], cards[c], [&](const Dual& r, bool recall, double weight) {
      const double p = std::clamp(r.value, 1e-10, 1 - 1e-10);
      const double dLossDr = (recall ? -1 / p : 1 / (1 - p)) * weight;
      for (int i = 0; i < weightCount; ++i) gradient[i] += dLossDr * r.d[i];
    });
  }
  return gradient;
}

std::size_t itemCount(const std::vector<CardItems>& cards, std::size_t begin, std::size_t end) {
  std::size_t n = 0;
  for (std::size_t c = begin; c < end; ++c) n += cards[c].reviews.size();
  return n;
}

// The batch's gradient in two halves, the second on a thread of its own; the halves are fixed by
// the batch alone and added in one order, so the result does not depend on the threads.
Weights batchGradient(const Weights& weights, const std::vector<Steps>& steps, const std::vector<CardItems>& cards) {
  const std::array<Dual, weightCount> w = variables(weights);
  const std::size_t total = itemCount(cards, 0, cards.size());
  std::size_t middle = 0, firstHalf = 0;
  while (middle < cards.size() && 2 * firstHalf < total) firstHalf += cards[middle++].reviews.size();
  Weights second{};
  std::thread helper([&] { second = lossGradient(w, steps, cards, middle, cards.size()); });
  Weights gradient = lossGradient(w, steps, cards, 0, middle);
  helper.join();
  for (int i = 0; i < weightCount; ++i) gradient[i] += second[i];
  return gradient;
}

double penalty(const Weights& w, const Weights& start) {
  double sum = 0;
  for (int i = 0; i < weightCount; ++i)
    sum += (w[i] - start[i]) * (w[i] - start[i]) / (typicalSpread[i] * typicalSpread[i]);
  return penaltyWeight * sum;
}

// Adam with the bias correction, as the reference steps.
struct Adam {
  Weights moment1{}, moment2{};
  int time = 0;
  void step(double rate, Weights& w, const Weights& gradient) {
    ++time;
    const double correction1 = 1 - std::pow(0.9, time), correction2 = 1 - std::pow(0.999, time);
    for (int i = 0; i < weightCount; ++i) {
      moment1[i] = 0.9 * moment1[i] + 0.1 * gradient[i];
      moment2[i] = 0.999 * moment2[i] + 0.001 * gradient[i] * gradient[i];
      w[i] -= rate * (moment1[i] / correction1) / (std::sqrt(moment2[i] / correction2) + 1e-8);
    }
  }
};

// Fisher-Yates with the scheduler's own seeded generator, the same on every machine.
void shuffle(std::vector<std::size_t>& order, FuzzGenerator& random) {
  for (std::size_t i = order.size(); i > 1; --i) {
    const auto j = static_cast<std::size_t>(random.next() * static_cast<double>(i));
    std::swap(order[i - 1], order[j]);
  }
}

using Clock = std::chrono::steady_clock;
double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

struct Training {
  const std::vector<Steps>& steps;
  std::vector<Item> items;  // shortest history first
  Weights start;
  const std::function<void(double)>& progress;
};

// The newest reviews count most: the weight rises from a quarter for the oldest to one for the
// newest, with the cube of the position. Histories longer than longestHistory are left out after.
std::vector<Item> recencyWeighted(std::vector<Item> items) {
  const double last = std::max(static_cast<double>(items.size()) - 1, 1.0);
  for (std::size_t i = 0; i < items.size(); ++i)
    items[i].weight = 0.25 + 0.75 * std::pow(static_cast<double>(i) / last, 3);
  std::erase_if(items, [](const Item& item) { return static_cast<std::size_t>(item.review) + 1 > longestHistory; });
  std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.review < b.review; });
  return items;
}

// Batches of 512 neighbouring items, so of histories of similar length.
std::vector<std::vector<CardItems>> batchesOf(const std::vector<Item>& items) {
  std::vector<std::vector<CardItems>> batches;
  for (std::size_t begin = 0; begin < items.size(); begin += batchSize) {
    const auto first = items.begin() + static_cast<std::ptrdiff_t>(begin);
    const auto last = first + static_cast<std::ptrdiff_t>(std::min(batchSize, items.size() - begin));
    batches.push_back(byCard(std::vector<Item>(first, last)));
  }
  return batches;
}

// The gradient of the batch's loss and of its share (by its items) of the L2 penalty.
Weights penalizedGradient(const Weights& w, const Training& t, const std::vector<CardItems>& batch) {
  Weights gradient = batchGradient(w, t.steps, batch);
  const double share =
      penaltyWeight * static_cast<double>(itemCount(batch, 0, batch.size())) / static_cast<double>(t.items.size());
  for (int i = 0; i < weightCount; ++i) {
    gradient[i] += 2 * (w[i] - t.start[i]) / (typicalSpread[i] * typicalSpread[i]) * share;
  }
  return gradient;
}

// The batches in a shuffled order each epoch, the learning rate falling along a cosine over the
// whole run; after each epoch the loss over all items with the penalty decides whether these
// weights are the best so far.
Weights train(const Training& t, FitTimings& timings) {
  const std::vector<std::vector<CardItems>> batches = batchesOf(t.items);
  const std::vector<CardItems> allCards = byCard(t.items);
  // As the reference counts the steps: one more batch an epoch than there are whole ones.
  const std::size_t stepCount = (t.items.size() / batchSize + 1) * epochCount;
  const double totalSteps = static_cast<double>(epochCount * batches.size());
  Weights w = t.start, best = t.start;
  double bestLoss = std::numeric_limits<double>::infinity();
  Adam adam;
  FuzzGenerator random{shuffleSeed};
  std::vector<std::size_t> order(batches.size());
  for (std::size_t b = 0; b < order.size(); ++b) order[b] = b;
  int step = 0;
  for (int epoch = 0; epoch < epochCount; ++epoch) {
    const auto started = Clock::now();
    shuffle(order, random);
    for (std::size_t b : order) {
      const double cosine = std::cos(std::numbers::pi * ++step / static_cast<double>(stepCount));
      adam.step(learningRate * (1 + cosine) / 2, w, penalizedGradient(w, t, batches[b]));
      clip(w);
      if (t.progress) t.progress(pretrainingShare + (1 - pretrainingShare) * step / totalSteps);
    }
    const double loss = (summedLoss(w, t.steps, allCards) + penalty(w, t.start)) / static_cast<double>(t.items.size());
    if (loss < bestLoss) {
      bestLoss = loss;
      best = w;
    }
    timings.epochs.push_back(secondsSince(started));
  }
  return best;
}

Weights withFirstDayStabilities(const std::array<double, 4>& stabilities) {
  Weights w = defaults();
  std::copy(stabilities.begin(), stabilities.end(), w.begin());
  return w;
}

}  // namespace

const std::array<WeightBounds, 21>& fitWeightBounds() { return bounds; }

FitOutcome fitParameters(const std::vector<ReviewHistory>& cards, const std::function<void(double)>& progress) {
  FitOutcome outcome{defaults(), FitStage::defaults, 0, {}};
  auto started = Clock::now();
  const std::vector<Steps> steps = stepsOf(cards);
  const std::vector<Item> all = itemsOf(steps, cards);
  const Outliers outliers = findOutliers(steps, all);
  const std::vector<Item> items = withoutOutliers(steps, all, outliers);
  outcome.timings.preparing = secondsSince(started);
  if (items.size() < fewestItemsToFit) return outcome;

  started = Clock::now();
  const std::optional<Pretraining> first = pretrain(steps, outliers.firstIntervals, averageRecall(steps, items));
  outcome.timings.pretraining = secondsSince(started);
  if (progress) progress(pretrainingShare);
  if (!first) return outcome;
  outcome = {withFirstDayStabilities(first->stabilities), FitStage::firstDayStabilities,
             static_cast<int>(outliers.firstIntervals.size()), outcome.timings};
  const Training training{steps, recencyWeighted(items), outcome.w, progress};
  if (items.size() == outliers.firstIntervals.size() || items.size() < fewestItemsForAllWeights ||
      training.items.empty()) {
    return outcome;
  }

  Weights w = train(training, outcome.timings);
  // The trained first-day stabilities are put in order again, weighed by the first intervals.
  const ByGrade trained = {{1, w[0]}, {2, w[1]}, {3, w[2]}, {4, w[3]}};
  const std::array<double, 4> ordered = *smoothAndFill(trained, first->counts);
  std::copy(ordered.begin(), ordered.end(), w.begin());
  return {w, FitStage::allParameters, static_cast<int>(training.items.size()), outcome.timings};
}

double logLoss(const std::array<double, 21>& w, const std::vector<ReviewHistory>& cards) {
  const std::vector<Steps> steps = stepsOf(cards);
  const std::vector<Item> items = itemsOf(steps, cards);
  if (items.empty()) return 0;
  return summedLoss(w, steps, byCard(items)) / static_cast<double>(items.size());
}

bool isHeldBack(int index) {
  // The "lowbias32" mixer: every bit of the index moves about half the bits of the hash.
  auto x = static_cast<std::uint32_t>(index);
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x % 5 == 0;
}

FitSplit splitForFit(const std::vector<ReviewHistory>& cards) {
  FitSplit split;
  for (std::size_t i = 0; i < cards.size(); ++i) {
    (isHeldBack(static_cast<int>(i)) ? split.heldBack : split.training).push_back(cards[i]);
  }
  return split;
}

}  // namespace zembo
