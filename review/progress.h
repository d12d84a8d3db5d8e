#pragma once
// The figures of a list's progress picture: reviews per day over the last 30 days with their
// grades, cards due per day over the next 30, and the share of reviews remembered a day or more
// after the review before, beside the retention the schedule aims at.

#include <array>
#include <cstdint>
#include <vector>

#include "review/cards.h"
#include "review/reviewlog.h"

namespace zembo {

constexpr int progressDays = 30;

struct ProgressFigures {
  int firstPastDay = 0;  // the local day (days since 1970) of the first of the 30 past days
  int today = 0;
  // [0] is 29 days ago, [29] today; each by grade, again first.
  std::array<std::array<int, 4>, progressDays> reviews{};
  // [0] today, overdue cards included; [29] in 29 days.
  std::array<int, progressDays> due{};
  // Of the reviews a day or more after the one before (those the schedule aims at), per past day
  // and in all: how many, and how many were remembered (any grade but Again).
  std::array<int, progressDays> spaced{}, remembered{};
  int spacedInAll = 0, rememberedInAll = 0;
  double aim = 0.9;
};

// The figures at now from a list's log lines and the cards it asks (cards of ways it no longer
// asks left out by the caller).
ProgressFigures progressFigures(const std::vector<ReviewLine>& log, const std::vector<Card>& asked, std::int64_t now,
                                double aim);

}  // namespace zembo
