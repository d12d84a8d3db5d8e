#include "review/reviewlog.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <unordered_map>

#include "platform/safefiles.h"

namespace zembo {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view logHeader =
    "# zembo review log 2\n"
    "# id\ttime\tgrade\telapsed days\tparameters\tword\tway\tstate\tstability\tdifficulty\tdue\tlast review\t"
    "reps\tlapses\tstep\tinterval\tfirst review\n";
constexpr std::string_view version1LogHeader = "# time\tword\tgrade\telapsed days\tstate before";

// Cuts the first field off rest.
std::string_view takeField(std::string_view& rest) {
  const std::size_t tab = rest.find('\t');
  const std::string_view field = rest.substr(0, tab);
  rest.remove_prefix(tab == std::string_view::npos ? rest.size() : tab + 1);
  return field;
}

bool isHexId(std::string_view id) {
  return id.size() == 16 && id.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// The log's bytes from offset on: any size (a log only grows).
CardFileStatus readFrom(const fs::path& file, std::uint64_t offset, std::string& text) {
  return readPlainFile(file, offset, UINT64_MAX, text);
}

// Whether the log still holds what the snapshot says it held: a whole line ends at its size, and
// that line is the review the snapshot names. A log replaced or merged since fails this.
bool snapshotFitsLog(const fs::path& log, const CardFileHeader& header) {
  if (header.logBytes == 0) return header.lastReviewId.empty();
  if (header.lastReviewId.empty()) return false;
  const int fd = ::open(log.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  char tail[512];
  const std::uint64_t from = header.logBytes > sizeof tail ? header.logBytes - sizeof tail : 0;
  const ssize_t n = ::pread(fd, tail, static_cast<std::size_t>(header.logBytes - from), static_cast<off_t>(from));
  ::close(fd);
  if (n != static_cast<ssize_t>(header.logBytes - from) || n == 0 || tail[n - 1] != '\n') return false;
  const std::string_view text(tail, static_cast<std::size_t>(n - 1));
  const std::size_t start = text.rfind('\n');
  const std::string_view last = start == std::string_view::npos ? text : text.substr(start + 1);
  return last.starts_with(header.lastReviewId + '\t');
}

struct Version1Line {
  std::int64_t time = 0;
  std::string word;
  int grade = 0;
};

bool parseVersion1Line(std::string_view rest, Version1Line& line) {
  line.time = parseUtcTime(takeField(rest));
  line.word.assign(takeField(rest));
  const std::string_view grade = takeField(rest), elapsed = takeField(rest), before = takeField(rest);
  int days = 0;
  return line.time >= 0 && !line.word.empty() && parseNumber(grade, line.grade) && line.grade >= 1 && line.grade <= 4 &&
         parseNumber(elapsed, days) && !before.empty() && rest.empty();
}

// Calls onLine(line, lineWithEnd) for each whole line of text (a last line without its line feed
// was cut short by a kill and is left out); returns the bytes of those lines.
template <typename F>
std::size_t forEachWholeLine(std::string_view text, F onLine) {
  std::size_t at = 0;
  for (std::size_t end; (end = text.find('\n', at)) != std::string_view::npos; at = end + 1) {
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    onLine(line, text.substr(at, end + 1 - at));
  }
  return at;
}

}  // namespace

void appendReviewLine(std::string& out, const ReviewLine& line) {
  out += line.id;
  out += '\t';
  appendUtcTime(out, line.time);
  out += '\t' + std::to_string(line.grade) + '\t' + std::to_string(line.elapsedDays) + '\t';
  out += line.parameters;
  out += '\t';
  appendCardLine(out, line.after);
  out += '\n';
}

bool parseReviewLine(std::string_view text, ReviewLine& line) {
  line.id.assign(takeField(text));
  line.time = parseUtcTime(takeField(text));
  const std::string_view grade = takeField(text), elapsed = takeField(text);
  line.parameters.assign(takeField(text));
  return isHexId(line.id) && line.time >= 0 && parseNumber(grade, line.grade) && line.grade >= 1 && line.grade <= 4 &&
         parseNumber(elapsed, line.elapsedDays) && line.elapsedDays >= 0 && !line.parameters.empty() &&
         parseCardLine(text, line.after, 2);
}

std::string newReviewId() {
  std::uint64_t value = 0;
  if (::getrandom(&value, sizeof value, 0) != static_cast<ssize_t>(sizeof value)) {
    // No entropy to be had: the time and the process make an id unlikely to repeat.
    value = stableHash(std::to_string(::time(nullptr)) + ":" + std::to_string(::getpid()));
  }
  return hex64(value);
}

ReviewLine gradeCard(const FsrsParameters& p, std::string_view parametersId, Card& card, int grade, std::int64_t now) {
  const CardState before = card.schedule.state;
  ReviewLine line;
  line.id = newReviewId();
  line.time = now;
  line.grade = grade;
  line.parameters.assign(parametersId);
  line.elapsedDays = before == CardState::newCard ? 0 : std::max(0, localDay(now) - localDay(card.schedule.lastReview));
  FuzzGenerator fuzz{stableHash(cardKey(card) + '\t' + std::to_string(now))};
  reviewCard(p, card.schedule, grade, now, line.elapsedDays, &fuzz);
  if (before == CardState::newCard) card.firstReview = now;
  line.after = card;
  return line;
}

std::string cardKey(const Card& card) { return card.word + '\t' + wayName(card.way); }

std::string reviewLogText(const std::vector<ReviewLine>& lines) {
  std::string text(logHeader);
  for (const ReviewLine& line : lines) appendReviewLine(text, line);
  return text;
}

namespace {

// Each review's predecessor (the card's review before it) in one log, by id; "" for a first.
std::unordered_map<std::string, std::string> predecessors(const std::vector<ReviewLine>& lines) {
  std::unordered_map<std::string, std::string> before, last;
  for (const ReviewLine& line : lines) {
    std::string& previous = last[cardKey(line.after)];
    before.try_emplace(line.id, previous);
    previous = line.id;
  }
  return before;
}

}  // namespace

MergedReviews mergeReviewLogs(const std::vector<ReviewLine>& mine, const std::vector<ReviewLine>& other,
                              const std::function<bool(std::string_view id, FsrsParameters&)>& parametersOf) {
  MergedReviews merged;
  std::unordered_map<std::string, std::string> mineBefore = predecessors(mine), otherBefore = predecessors(other);
  std::unordered_set<std::string> seen;
  for (const auto* log : {&mine, &other})
    for (const ReviewLine& line : *log)
      if (seen.insert(line.id).second) {
        merged.lines.push_back(line);
        if (log == &other) ++merged.fromOther;
      }
  std::stable_sort(merged.lines.begin(), merged.lines.end(), [](const ReviewLine& a, const ReviewLine& b) {
    return a.time != b.time ? a.time < b.time : a.id < b.id;
  });
  // Per card: the id of its last review so far, the state it left, and whether its chain changed.
  struct Chain {
    std::string last;
    Card card;
    bool regrading = false;
  };
  std::unordered_map<std::string, Chain> chains;
  for (ReviewLine& line : merged.lines) {
    auto [at, first] = chains.try_emplace(cardKey(line.after));
    Chain& chain = at->second;
    if (first) {
      chain.card.word = line.after.word;
      chain.card.way = line.after.way;
    }
    const auto own = mineBefore.count(line.id) ? mineBefore.find(line.id) : otherBefore.find(line.id);
    // Where both logs hold the line, it had the same predecessor on both (they shared it).
    chain.regrading = chain.regrading || own->second != chain.last;
    FsrsParameters p;
    if (chain.regrading && parametersOf(line.parameters, p)) {
      const std::string id = line.id, parameters = line.parameters;
      line = gradeCard(p, parameters, chain.card, line.grade, line.time);
      line.id = id;
      ++merged.regraded;
    }
    chain.card = line.after;
    chain.last = line.id;
  }
  return merged;
}

ReviewLogRead readReviewLog(const fs::path& log, std::uint64_t from) {
  ReviewLogRead result;
  std::string text;
  result.status = readFrom(log, from, text);
  result.size = from;
  if (result.status != CardFileStatus::read) return result;
  result.size += forEachWholeLine(text, [&](std::string_view line, std::string_view) {
    if (line.starts_with("# zembo review log 2")) result.version = 2;
    if (line == version1LogHeader) result.version = 1;
    if (line.empty() || line.starts_with('#')) return;
    ReviewLine review;
    Version1Line old;
    if (parseReviewLine(line, review)) {
      result.lines.push_back(std::move(review));
    } else if (parseVersion1Line(line, old)) {
      result.version = 1;
    } else {
      result.damaged++;
    }
  });
  return result;
}

void applyReviewLines(std::vector<Card>& cards, const std::vector<ReviewLine>& lines, bool onlyNewer) {
  if (lines.empty()) return;
  std::unordered_map<std::string, std::size_t> position;
  position.reserve(cards.size() + lines.size());
  for (std::size_t i = 0; i < cards.size(); i++) position.try_emplace(cardKey(cards[i]), i);
  for (const ReviewLine& line : lines) {
    auto [it, added] = position.try_emplace(cardKey(line.after), cards.size());
    if (added) {
      cards.push_back(line.after);
    } else if (!onlyNewer || line.time >= cards[it->second].schedule.lastReview) {
      cards[it->second] = line.after;
    }
  }
}

// The log's lines beyond the snapshot; the whole log, where the snapshot is damaged, older or no
// longer fits the log, each line then changing only what is older in the snapshot.
void addReviewLog(ReviewCards& r, const fs::path& listFile) {
  const fs::path log = reviewLogPath(listFile);
  const CardFileHeader& header = r.snapshot.header;
  const bool whole = r.snapshot.status != CardFileStatus::read || header.version == 1 || !snapshotFitsLog(log, header);
  r.log = readReviewLog(log, whole ? 0 : header.logBytes);
  applyReviewLines(r.cards, r.log.lines, whole);
  r.logSize = r.log.size;
  r.lastReviewId = r.log.lines.empty() ? (whole ? "" : header.lastReviewId) : r.log.lines.back().id;
}

ReviewCards readReviewCards(const fs::path& listFile) {
  ReviewCards r;
  r.snapshot = readCardFile(cardFilePath(listFile), r.cards);
  addReviewLog(r, listFile);
  return r;
}

ReviewCards loadReviewCards(const fs::path& listFile) {
  ReviewCards r;
  const fs::path cardFile = cardFilePath(listFile);
  r.snapshot = loadCards(cardFile, r.cards);
  addReviewLog(r, listFile);
  // The cards of the lines put aside came back from the log: the snapshot holds them again.
  if (r.snapshot.status == CardFileStatus::damaged && !r.snapshot.keptAs.empty()) {
    saveCards(cardFile, r.cards, {2, r.snapshot.header.ways, r.logSize, r.lastReviewId});
  }
  return r;
}

ReviewBook::~ReviewBook() {
  if (fd_ >= 0) ::close(fd_);
}

bool ReviewBook::open(const fs::path& listFile, const ReviewCards& loaded, const std::vector<Card>& cards) {
  cardFile_ = cardFilePath(listFile);
  logFile_ = reviewLogPath(listFile);
  header_ = loaded.snapshot.header;
  header_.version = 2;
  header_.logBytes = loaded.logSize;
  header_.lastReviewId = loaded.lastReviewId;
  linesSinceSnapshot_ = static_cast<int>(loaded.log.lines.size());
  if (fd_ >= 0) ::close(fd_);
  fd_ = openPlainForAppend(logFile_);
  if (fd_ < 0) return false;
  // Loading read the log up to its last whole line. A line a kill cut short after it was never a
  // grade kept: it goes, so that the next line starts clean.
  struct stat st {};
  if (::fstat(fd_, &st) != 0) return false;
  size_ = loaded.logSize;
  if (static_cast<std::uint64_t>(st.st_size) > size_ && ::ftruncate(fd_, static_cast<off_t>(size_)) != 0) return false;
  return loaded.log.version != 1 || rewriteVersion1(cards);
}

// The version-1 lines replayed, each card from new with the default parameters, into version 2;
// a line that cannot be read stays as it is. Ids come from the lines themselves, so that two
// computers converting the same log give the same ids.
bool ReviewBook::rewriteVersion1(const std::vector<Card>& cards) {
  std::string text, converted(logHeader);
  readFrom(logFile_, 0, text);
  std::unordered_map<std::string, Card> replayed;
  int number = 0;
  forEachWholeLine(text, [&](std::string_view line, std::string_view withEnd) {
    Version1Line old;
    ReviewLine review;
    if (line.starts_with('#') || line.empty()) return;
    if (!parseVersion1Line(line, old)) return void(converted += withEnd);
    Card& card = replayed.try_emplace(old.word).first->second;
    card.word = old.word;
    review = gradeCard(FsrsParameters{}, "default", card, old.grade, old.time);
    review.id = hex64(stableHash(std::string(line) + '\t' + std::to_string(number++)));
    appendReviewLine(converted, review);
  });
  const bool written = replaceFileSafely(logFile_, [&](std::FILE* out) {
    return std::fwrite(converted.data(), 1, converted.size(), out) == converted.size();
  });
  if (!written) return false;
  ::close(fd_);
  fd_ = openPlainForAppend(logFile_);
  if (fd_ < 0) return false;
  size_ = converted.size();
  header_.logBytes = size_;
  header_.lastReviewId.clear();  // the snapshot, not the replay, holds the cards
  const std::size_t lastLine = converted.rfind('\n', converted.size() - 2);
  const std::string_view last = std::string_view(converted).substr(lastLine + 1);
  if (isHexId(last.substr(0, 16))) header_.lastReviewId.assign(last.substr(0, 16));
  if (header_.lastReviewId.empty()) header_.logBytes = 0;
  return saveSnapshot(cards, true);
}

// Another program (Syncthing, bringing another computer's reviews) renamed a new log over the one
// open: the grade goes into the new one, and the snapshot from then on names none of the log, so
// that the next read takes every card's state from the whole log, the other computer's too.
bool ReviewBook::followReplacedLog() {
  struct stat opened {
  }, named{};
  if (::fstat(fd_, &opened) != 0 || ::lstat(logFile_.c_str(), &named) != 0 ||
      (opened.st_ino == named.st_ino && opened.st_dev == named.st_dev))
    return true;
  ::close(fd_);
  fd_ = openPlainForAppend(logFile_);
  if (fd_ < 0 || ::fstat(fd_, &named) != 0) return false;
  size_ = static_cast<std::uint64_t>(named.st_size);
  logReplaced_ = true;
  return true;
}

bool ReviewBook::record(const ReviewLine& line, const std::function<std::vector<Card>()>& cards) {
  // Without a log the snapshot keeps each grade.
  if (fd_ < 0) return saveSnapshot(cards(), true);
  if (!followReplacedLog()) return false;
  std::string text = size_ == 0 ? std::string(logHeader) : std::string();
  appendReviewLine(text, line);
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = n < 0 ? errno : ENOSPC;
      // What was written of the line goes again, so that the log ends on a whole line.
      if (::ftruncate(fd_, static_cast<off_t>(size_)) == 0) errno = error;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  step("written");
  if (::fdatasync(fd_) != 0) return false;
  step("synced");
  size_ += text.size();
  header_.logBytes = logReplaced_ ? 0 : size_;
  header_.lastReviewId = logReplaced_ ? std::string() : line.id;
  if (++linesSinceSnapshot_ >= snapshotEvery) saveSnapshot(cards());
  step("snapshot");
  return true;
}

bool ReviewBook::saveSnapshot(const std::vector<Card>& cards, bool always) {
  if (!snapshotWritable_ || (!always && linesSinceSnapshot_ == 0)) return true;
  if (!saveCards(cardFile_, cards, header_)) return false;
  linesSinceSnapshot_ = 0;
  return true;
}

void dropCardsNotIn(const fs::path& listFile, const std::unordered_set<std::string>& words) {
  ReviewCards r = readReviewCards(listFile);
  if (r.snapshot.status != CardFileStatus::read) return;
  std::vector<Card> kept;
  for (Card& card : r.cards)
    if (words.count(card.word)) kept.push_back(std::move(card));
  if (kept.size() != r.cards.size())
    saveCards(cardFilePath(listFile), kept, {2, r.snapshot.header.ways, r.logSize, r.lastReviewId});
}

}  // namespace zembo
