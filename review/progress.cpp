#include "review/progress.h"

#include <algorithm>

namespace zembo {

ProgressFigures progressFigures(const std::vector<ReviewLine>& log, const std::vector<Card>& asked, std::int64_t now,
                                double aim) {
  ProgressFigures f;
  f.aim = aim;
  f.today = localDay(now);
  f.firstPastDay = f.today - (progressDays - 1);
  for (const ReviewLine& line : log) {
    const int at = localDay(line.time) - f.firstPastDay;
    if (at < 0 || at >= progressDays) continue;
    f.reviews[at][line.grade - 1]++;
    if (line.elapsedDays < 1) continue;
    f.spaced[at]++;
    f.spacedInAll++;
    if (line.grade == again) continue;
    f.remembered[at]++;
    f.rememberedInAll++;
  }
  for (const Card& card : asked) {
    if (card.schedule.state == CardState::newCard) continue;
    const int at = localDay(card.schedule.due) - f.today;
    if (at < progressDays) f.due[std::max(at, 0)]++;
  }
  return f;
}

}  // namespace zembo
