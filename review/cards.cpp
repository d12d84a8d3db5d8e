#include "review/cards.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <system_error>

#include "platform/hostpath.h"
#include "platform/safefiles.h"

namespace zembo {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view cardFileHeader =
    "# zembo review cards\tword\tstate\tstability\tdifficulty\tdue\tlast review\treps\tlapses\tstep\t"
    "interval\tfirst review";
constexpr const char* stateNames[] = {"new", "learning", "review", "relearning"};

fs::path besideListFile(const fs::path& listFile, const char* suffix) {
  fs::path path = listFile;
  path.replace_extension();
  path += suffix;
  return path;
}

// Days since 1970-01-01 of a civil date and back (the proleptic Gregorian calendar).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
}

template <typename T>
bool parseNumber(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  auto [ptr, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && ptr == end;
}

bool parseState(std::string_view text, CardState& state) {
  for (int i = 0; i < 4; i++)
    if (text == stateNames[i]) return state = static_cast<CardState>(i), true;
  return false;
}

bool inRange(double value, double low, double high) { return std::isfinite(value) && value >= low && value <= high; }

// One line of the card file: exactly eleven tab-separated fields, every value one the scheduler
// could have written (finite, in its range, a real date), so that a card read is a card that can
// be graded and written back.
bool parseCard(std::string_view line, Card& card) {
  constexpr std::size_t fieldCount = 11;
  std::string_view fields[fieldCount];
  std::size_t count = 0;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    if (count == fieldCount) return false;  // a field too many
    fields[count++] = line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  if (count != fieldCount || fields[0].empty()) return false;
  CardSchedule& s = card.schedule;
  card.word.assign(fields[0]);
  s.due = parseUtcTime(fields[4]);
  s.lastReview = parseUtcTime(fields[5]);
  card.firstReview = parseUtcTime(fields[10]);
  return parseState(fields[1], s.state) && s.state != CardState::newCard && parseNumber(fields[2], s.stability) &&
         inRange(s.stability, minimumStability, maximumStability) && parseNumber(fields[3], s.difficulty) &&
         inRange(s.difficulty, 1, 10) && s.due >= 0 && s.lastReview >= 0 && card.firstReview >= 0 &&
         parseNumber(fields[6], s.reps) && s.reps > 0 && parseNumber(fields[7], s.lapses) && s.lapses >= 0 &&
         parseNumber(fields[8], s.step) && s.step >= 0 && parseNumber(fields[9], s.scheduledDays) &&
         s.scheduledDays >= 0 && s.scheduledDays <= FsrsParameters{}.maximumInterval;
}

bool isBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

fs::path asideName(const fs::path& file) {
  std::error_code error;
  fs::path aside = file;
  aside += ".damaged";
  for (int n = 2; fs::exists(fs::symlink_status(aside, error)); n++) {
    aside = file;
    aside += ".damaged-" + std::to_string(n);
  }
  return aside;
}

}  // namespace

fs::path cardFilePath(const fs::path& listFile) { return besideListFile(listFile, ".cards.tsv"); }
fs::path reviewLogPath(const fs::path& listFile) { return besideListFile(listFile, ".log.tsv"); }

const char* stateName(CardState state) { return stateNames[static_cast<int>(state) & 3]; }

std::int64_t parseUtcTime(std::string_view t) {
  if (t.size() != 20 || t[4] != '-' || t[7] != '-' || t[10] != 'T' || t[13] != ':' || t[16] != ':' || t[19] != 'Z')
    return -1;
  int y, mo, d, h, mi, s;
  if (!parseNumber(t.substr(0, 4), y) || !parseNumber(t.substr(5, 2), mo) || !parseNumber(t.substr(8, 2), d) ||
      !parseNumber(t.substr(11, 2), h) || !parseNumber(t.substr(14, 2), mi) || !parseNumber(t.substr(17, 2), s))
    return -1;
  if (mo < 1 || mo > 12 || d < 1 || h > 23 || mi > 59 || s > 59) return -1;
  // The day exists when it is the same day counted back from the days since 1970.
  std::int64_t year;
  unsigned month, day;
  civilFromDays(daysFromCivil(y, mo, d), year, month, day);
  if (static_cast<int>(day) != d || static_cast<int>(month) != mo) return -1;
  return daysFromCivil(y, mo, d) * 86400 + std::int64_t{h} * 3600 + std::int64_t{mi} * 60 + s;
}

int localDay(std::int64_t time) {
  const std::time_t t = static_cast<std::time_t>(time);
  std::tm local{};
  localtime_r(&t, &local);
  return static_cast<int>(daysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday));
}

CardFileStatus besideFileKind(const fs::path& file) {
  struct stat st {};
  if (::lstat(file.c_str(), &st) != 0) return errno == ENOENT ? CardFileStatus::missing : CardFileStatus::unreadable;
  return S_ISREG(st.st_mode) ? CardFileStatus::read : CardFileStatus::notAFile;
}

CardFileStatus readCardFileText(const fs::path& file, std::string& text) {
  text.clear();
  // Only a plain file under the name itself: a pipe would wait for a writer for ever, a link may
  // lead anywhere (to a device that never ends).
  const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return CardFileStatus::missing;
    return errno == ELOOP || errno == ENXIO ? CardFileStatus::notAFile : CardFileStatus::unreadable;
  }
  struct stat st {};
  CardFileStatus status = CardFileStatus::read;
  if (::fstat(fd, &st) != 0) {
    status = CardFileStatus::unreadable;
  } else if (!S_ISREG(st.st_mode)) {
    status = CardFileStatus::notAFile;
  } else if (static_cast<std::uint64_t>(st.st_size) > cardFileSizeLimit) {
    status = CardFileStatus::tooLarge;
  } else {
    text.reserve(static_cast<std::size_t>(st.st_size) + 1);
    char buffer[65536];
    ssize_t n;
    while (status == CardFileStatus::read &&
           ((n = ::read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))) {
      if (n > 0) text.append(buffer, static_cast<std::size_t>(n));
      if (text.size() > cardFileSizeLimit) status = CardFileStatus::tooLarge;  // it grew while read
    }
    if (status == CardFileStatus::read && n < 0) status = CardFileStatus::unreadable;
  }
  ::close(fd);
  if (status != CardFileStatus::read) text.clear();
  return status;
}

CardFileLoad parseCardFile(std::string_view text, std::vector<Card>& cards) {
  cards.clear();
  CardFileLoad result;
  std::string_view rest = text;
  if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);  // an editor's byte-order mark
  int lineNumber = 0;
  bool headerSeen = false;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view whole = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    std::string_view line = whole;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lineNumber++;
    if (isBlank(line)) continue;
    // The header heads the file; a card line in its place is read as a card.
    const bool first = !headerSeen && cards.empty() && result.damagedLine == 0;
    headerSeen = true;
    if (first && line == cardFileHeader) continue;
    Card card;
    if (parseCard(line, card)) {
      cards.push_back(std::move(card));
      continue;
    }
    if (result.damagedLine == 0) result.damagedLine = lineNumber;
    result.damagedLines.append(whole);
    result.damagedLines += '\n';
  }
  if (result.damagedLine != 0) result.status = CardFileStatus::damaged;
  return result;
}

CardFileLoad readCardFile(const fs::path& file, std::vector<Card>& cards) {
  cards.clear();
  std::string text;
  CardFileLoad result;
  result.status = readCardFileText(file, text);
  return result.status == CardFileStatus::read ? parseCardFile(text, cards) : result;
}

CardFileLoad loadCards(const fs::path& file, std::vector<Card>& cards) {
  CardFileLoad result = readCardFile(file, cards);
  std::error_code error;
  switch (result.status) {
    case CardFileStatus::read:
    case CardFileStatus::missing:
    case CardFileStatus::notAFile:
      return result;
    case CardFileStatus::damaged: {
      // The damaged lines go to a file of their own; only once they are safe there does the card
      // file lose them.
      const fs::path aside = asideName(file);
      const bool kept = replaceFileSafely(aside, [&](std::FILE* out) {
        return std::fwrite(result.damagedLines.data(), 1, result.damagedLines.size(), out) ==
               result.damagedLines.size();
      });
      if (kept) result.keptAs = aside;
      if (kept) saveCards(file, cards);
      return result;
    }
    case CardFileStatus::unreadable:
    case CardFileStatus::tooLarge:
      result.keptAs = asideName(file);
      fs::rename(file, result.keptAs, error);
      if (error) result.keptAs.clear();
      return result;
  }
  return result;
}

namespace {

void appendTwoDigits(std::string& out, unsigned n) {
  out += static_cast<char>('0' + n / 10);
  out += static_cast<char>('0' + n % 10);
}

// "2026-12-09T14:03:00Z" without a formatted print: a card file of many cards is written after
// every grade.
void appendUtcTime(std::string& out, std::int64_t time) {
  std::int64_t days = time >= 0 ? time / 86400 : (time - 86399) / 86400;
  const auto seconds = static_cast<unsigned>(time - days * 86400);
  std::int64_t y;
  unsigned m, d;
  civilFromDays(days, y, m, d);
  if (y < 0 || y > 9999) y = 0;
  appendTwoDigits(out, static_cast<unsigned>(y / 100));
  appendTwoDigits(out, static_cast<unsigned>(y % 100));
  out += '-';
  appendTwoDigits(out, m);
  out += '-';
  appendTwoDigits(out, d);
  out += 'T';
  appendTwoDigits(out, seconds / 3600);
  out += ':';
  appendTwoDigits(out, seconds / 60 % 60);
  out += ':';
  appendTwoDigits(out, seconds % 60);
  out += 'Z';
}

template <typename T>
void appendNumber(std::string& out, T value) {
  char digits[64];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

void appendDecimal(std::string& out, double value) {
  char digits[64];
  const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 8);
  out.append(digits, result.ptr);
}

}  // namespace

std::string formatUtcTime(std::int64_t time) {
  std::string text;
  appendUtcTime(text, time);
  return text;
}

bool saveCards(const fs::path& file, const std::vector<Card>& cards) {
  std::string text(cardFileHeader);
  text += '\n';
  text.reserve(cards.size() * 120 + text.size());
  for (const Card& card : cards) {
    const CardSchedule& s = card.schedule;
    // A tab or line end in a word would break its line, and a broken line makes the whole file
    // unreadable: such a card is not kept, so that the others are.
    if (s.state == CardState::newCard || card.word.find_first_of("\t\r\n") != std::string::npos) continue;
    text += card.word;
    text += '\t';
    text += stateName(s.state);
    text += '\t';
    appendDecimal(text, s.stability);
    text += '\t';
    appendDecimal(text, s.difficulty);
    text += '\t';
    appendUtcTime(text, s.due);
    text += '\t';
    appendUtcTime(text, s.lastReview);
    for (int n : {s.reps, s.lapses, s.step, s.scheduledDays}) {
      text += '\t';
      appendNumber(text, n);
    }
    text += '\t';
    appendUtcTime(text, card.firstReview);
    text += '\n';
  }
  return replaceFileSafely(
      file, [&](std::FILE* out) { return std::fwrite(text.data(), 1, text.size(), out) == text.size(); });
}

bool appendReviewLog(const fs::path& log, std::int64_t time, std::string_view word, int grade, int elapsedDays,
                     CardState before) {
  // Appended to only as a plain file of its own name: never through a link to a file elsewhere,
  // never waiting on a pipe.
  const int fd = ::open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return false;
  }
  std::FILE* out = ::fdopen(fd, "ab");
  if (out == nullptr) {
    ::close(fd);
    return false;
  }
  if (st.st_size == 0) std::fputs("# time\tword\tgrade\telapsed days\tstate before\n", out);
  std::fprintf(out, "%s\t%.*s\t%d\t%d\t%s\n", formatUtcTime(time).c_str(), static_cast<int>(word.size()), word.data(),
               grade, elapsedDays, stateName(before));
  return syncAndClose(out);
}

void dropCardsNotIn(const fs::path& file, const std::unordered_set<std::string>& words) {
  std::vector<Card> cards, kept;
  if (readCardFile(file, cards).status != CardFileStatus::read) return;
  for (Card& card : cards)
    if (words.count(card.word)) kept.push_back(std::move(card));
  if (kept.size() != cards.size()) saveCards(file, kept);
}

}  // namespace zembo
