#pragma once
// The schedule fitted to a learner's own reviews: one file in the folder of the practice lists
// (not per list), written when the learner asks for a fit and used by every list from then on;
// without it the cards are scheduled with the default weights. It is UTF-8 text, one name and
// value a line, so that a user can read what was fitted and when.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "review/cards.h"
#include "review/fsrs.h"
#include "review/fsrsfit.h"

namespace zembo {

struct FittedSchedule {
  std::array<double, 21> w{};
  std::string id;  // 16 hex digits drawn from the weights: the review log names the set that scheduled a card
  std::int64_t fittedAt = 0;
  FitStage stage = FitStage::defaults;
  int reviews = 0;   // the reviews in the logs when it was fitted: a fit is offered again a thousand later
  int heldBack = 0;  // the reviews it was judged on, not fitted on
  double lossBefore = 0, lossAfter = 0;  // their log loss with the weights used until then, and fitted
};

std::filesystem::path fittedSchedulePath(const std::filesystem::path& listFolder);
// read, missing, unreadable (also a file of the wrong shape) or notAFile.
CardFileStatus loadFittedSchedule(const std::filesystem::path& file, FittedSchedule& schedule);
bool saveFittedSchedule(const std::filesystem::path& file, const FittedSchedule& schedule);
// The parameters a review schedules with, and the name its log line gives them.
FsrsParameters parametersOf(const FittedSchedule* schedule);
std::string parametersIdOf(const FittedSchedule* schedule);

// Every card's reviews in the logs of all the lists under listFolder, oldest first, one history for
// each list, word and way; reviewCount gets the number of reviews.
std::vector<ReviewHistory> reviewHistories(const std::filesystem::path& listFolder, int& reviewCount);
// The reviews in the logs, counted without reading their fields (offering a new fit costs little).
int countReviews(const std::filesystem::path& listFolder);

// Fits to histories: the weights from the part not held back, and the log loss of the part held
// back with the weights used until now and with the fitted ones.
FittedSchedule fitSchedule(const std::vector<ReviewHistory>& histories, const std::array<double, 21>& current,
                           std::int64_t now, const std::function<void(double)>& progress = {});

constexpr int reviewsBetweenFits = 1000;

}  // namespace zembo
