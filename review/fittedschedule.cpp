#include "review/fittedschedule.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <system_error>

#include "platform/safefiles.h"
#include "review/reviewlog.h"

namespace zembo {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view header = "# zembo fitted schedule 1";
constexpr const char* stageNames[] = {"defaults", "first day", "all"};

std::string weightsText(const std::array<double, 21>& w) {
  std::string text;
  for (double x : w) {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, x, std::chars_format::fixed, 6).ptr;
    text += (text.empty() ? "" : "\t") + std::string(digits, end);
  }
  return text;
}

bool parseWeights(std::string_view text, std::array<double, 21>& w) {
  for (std::size_t i = 0; i < w.size(); i++) {
    const std::size_t tab = text.find('\t');
    if ((tab == std::string_view::npos) != (i + 1 == w.size())) return false;
    const WeightBounds bounds = fitWeightBounds()[i];
    if (!parseNumber(text.substr(0, tab), w[i]) || !(w[i] >= bounds.low && w[i] <= bounds.high)) return false;
    text.remove_prefix(tab == std::string_view::npos ? text.size() : tab + 1);
  }
  return true;
}

// The lines of a log file, whole ones only, as the review log's reader reads them.
std::vector<fs::path> logFiles(const fs::path& listFolder) {
  std::vector<fs::path> logs;
  std::error_code error;
  for (fs::directory_iterator list(listFolder, error), end; !error && list != end; list.increment(error)) {
    if (!list->is_directory(error)) continue;
    for (fs::directory_iterator file(list->path(), error); !error && file != end; file.increment(error))
      if (file->path().filename().string().ends_with(".log.tsv")) logs.push_back(file->path());
  }
  std::sort(logs.begin(), logs.end());
  return logs;
}

}  // namespace

fs::path fittedSchedulePath(const fs::path& listFolder) { return listFolder / "schedule.tsv"; }

CardFileStatus loadFittedSchedule(const fs::path& file, FittedSchedule& s) {
  std::string text;
  const CardFileStatus status = readCardFileText(file, text);
  if (status != CardFileStatus::read) return status;
  s = {};
  bool weights = false;
  std::string_view rest = text;
  if (!rest.starts_with(header)) return CardFileStatus::unreadable;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t tab = line.find('\t');
    const std::string_view name = line.substr(0, tab), value = tab == line.npos ? "" : line.substr(tab + 1);
    if (name == "weights") weights = parseWeights(value, s.w);
    if (name == "fitted") s.fittedAt = parseUtcTime(value);
    if (name == "reviews") parseNumber(value, s.reviews);
    if (name == "held back") parseNumber(value, s.heldBack);
    if (name == "log loss before") parseNumber(value, s.lossBefore);
    if (name == "log loss after") parseNumber(value, s.lossAfter);
    for (int i = 0; i < 3; i++)
      if (name == "stage" && value == stageNames[i]) s.stage = static_cast<FitStage>(i);
  }
  if (!weights) return CardFileStatus::unreadable;
  s.id = hex64(stableHash(weightsText(s.w)));
  return CardFileStatus::read;
}

bool saveFittedSchedule(const fs::path& file, const FittedSchedule& s) {
  char losses[96];
  std::snprintf(losses, sizeof losses, "log loss before\t%.6f\nlog loss after\t%.6f\n", s.lossBefore, s.lossAfter);
  const std::string text = std::string(header) + "\nfitted\t" + formatUtcTime(s.fittedAt) + "\nstage\t" +
                           stageNames[static_cast<int>(s.stage)] + "\nreviews\t" + std::to_string(s.reviews) +
                           "\nheld back\t" + std::to_string(s.heldBack) + "\n" + losses + "weights\t" +
                           weightsText(s.w) + "\n";
  return replaceFileSafely(
      file, [&](std::FILE* out) { return std::fwrite(text.data(), 1, text.size(), out) == text.size(); });
}

FsrsParameters parametersOf(const FittedSchedule* schedule) {
  FsrsParameters p;
  if (schedule) p.w = schedule->w;
  return p;
}

std::string parametersIdOf(const FittedSchedule* schedule) { return schedule ? schedule->id : "default"; }

std::vector<ReviewHistory> reviewHistories(const fs::path& listFolder, int& reviewCount) {
  std::vector<ReviewHistory> histories;
  reviewCount = 0;
  for (const fs::path& log : logFiles(listFolder)) {
    // A card's reviews in time order: a merged log may hold them out of order.
    std::map<std::string, std::vector<std::pair<std::int64_t, int>>> cards;
    for (const ReviewLine& line : readReviewLog(log).lines)
      cards[line.after.word + '\t' + wayName(line.after.way)].emplace_back(line.time, line.grade);
    for (auto& [key, reviews] : cards) {
      std::stable_sort(reviews.begin(), reviews.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
      ReviewHistory history;
      for (const auto& [time, grade] : reviews) history.push_back({localDay(time), grade});
      reviewCount += static_cast<int>(history.size());
      histories.push_back(std::move(history));
    }
  }
  return histories;
}

int countReviews(const fs::path& listFolder) {
  int count = 0;
  for (const fs::path& log : logFiles(listFolder)) {
    // Only a plain file of its own name: a pipe under a log's name would wait for a writer.
    const int fd = ::open(log.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (fd < 0) continue;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
      // A review is a line that is not a comment (the header's lines begin with "#").
      char buffer[1 << 16];
      bool lineStart = true;
      for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        for (const char c : std::string_view(buffer, static_cast<std::size_t>(n))) {
          count += lineStart && c != '#' && c != '\n' && c != '\r';
          lineStart = c == '\n';
        }
    }
    ::close(fd);
  }
  return count;
}

FittedSchedule fitSchedule(const std::vector<ReviewHistory>& histories, const std::array<double, 21>& current,
                           std::int64_t now, const std::function<void(double)>& progress) {
  const FitSplit split = splitForFit(histories);
  const FitOutcome outcome = fitParameters(split.training, progress);
  FittedSchedule s;
  // Kept as the file keeps them, so that the id names the weights that schedule in every session.
  for (std::size_t i = 0; i < s.w.size(); i++) s.w[i] = std::round(outcome.w[i] * 1e6) / 1e6;
  s.id = hex64(stableHash(weightsText(s.w)));
  s.fittedAt = now;
  s.stage = outcome.stage;
  for (const ReviewHistory& h : histories) s.reviews += static_cast<int>(h.size());
  s.lossBefore = logLoss(current, split.heldBack);
  s.lossAfter = logLoss(outcome.w, split.heldBack);
  for (const ReviewHistory& h : split.heldBack) s.heldBack += static_cast<int>(h.size());
  return s;
}

}  // namespace zembo
