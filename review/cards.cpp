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

// The first line of version 1 named the columns; version 2 names its version, ways and log size
// first and the columns on a line of their own.
constexpr std::string_view version1Header =
    "# zembo review cards\tword\tstate\tstability\tdifficulty\tdue\tlast review\treps\tlapses\tstep\t"
    "interval\tfirst review";
constexpr std::string_view version2Mark = "# zembo review cards 2";
constexpr std::string_view version2Columns =
    "# word\tway\tstate\tstability\tdifficulty\tdue\tlast review\treps\tlapses\tstep\tinterval\tfirst review";
constexpr const char* wayNames[] = {"forward", "backward"};
constexpr const char* listWaysNames[] = {"forward", "backward", "both"};
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

bool parseState(std::string_view text, CardState& state) {
  for (int i = 0; i < 4; i++)
    if (text == stateNames[i]) return state = static_cast<CardState>(i), true;
  return false;
}

bool inRange(double value, double low, double high) { return std::isfinite(value) && value >= low && value <= high; }

bool parseWay(std::string_view text, CardWay& way) {
  for (int i = 0; i < 2; i++)
    if (text == wayNames[i]) return way = static_cast<CardWay>(i), true;
  return false;
}

// "# zembo review cards 2\tways=both\tlog=1234\tlast=9f0c...": unknown keys are passed over, so
// that a later version's header still reads.
bool parseVersion2Header(std::string_view line, CardFileHeader& header) {
  if (!line.starts_with(version2Mark) || (line.size() > version2Mark.size() && line[version2Mark.size()] != '\t'))
    return false;
  header = {};
  for (std::size_t at = version2Mark.size(); at < line.size();) {
    const std::size_t end = std::min(line.find('\t', at + 1), line.size());
    const std::string_view field = line.substr(at + 1, end - at - 1);
    at = end;
    const std::size_t equals = field.find('=');
    const std::string_view key = field.substr(0, equals), value = field.substr(equals + 1);
    if (equals == std::string_view::npos) continue;
    if (key == "ways") {
      for (int i = 0; i < 3; i++)
        if (value == listWaysNames[i]) header.ways = static_cast<ListWays>(i);
    } else if (key == "log" && !parseNumber(value, header.logBytes)) {
      header.logBytes = 0;
    } else if (key == "last") {
      header.lastReviewId.assign(value);
    }
  }
  return true;
}

}  // namespace

// One line of a card: eleven tab-separated fields in version 1, twelve (the way second) in
// version 2, every value one the scheduler could have written (finite, in its range, a real
// date), so that a card read is a card that can be graded and written back.
bool parseCardLine(std::string_view line, Card& card, int version) {
  const std::size_t fieldCount = version == 1 ? 11 : 12;
  std::string_view fields[12];
  std::size_t count = 0;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    if (count == fieldCount) return false;  // a field too many
    fields[count++] = line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  if (count != fieldCount || fields[0].empty()) return false;
  card.way = CardWay::forward;
  if (version != 1 && !parseWay(fields[1], card.way)) return false;
  const std::string_view* f = version == 1 ? fields : fields + 1;  // f[1] is the state in both
  CardSchedule& s = card.schedule;
  card.word.assign(fields[0]);
  s.due = parseUtcTime(f[4]);
  s.lastReview = parseUtcTime(f[5]);
  card.firstReview = parseUtcTime(f[10]);
  return parseState(f[1], s.state) && s.state != CardState::newCard && parseNumber(f[2], s.stability) &&
         inRange(s.stability, minimumStability, maximumStability) && parseNumber(f[3], s.difficulty) &&
         inRange(s.difficulty, 1, 10) && s.due >= 0 && s.lastReview >= 0 && card.firstReview >= 0 &&
         parseNumber(f[6], s.reps) && s.reps > 0 && parseNumber(f[7], s.lapses) && s.lapses >= 0 &&
         parseNumber(f[8], s.step) && s.step >= 0 && parseNumber(f[9], s.scheduledDays) && s.scheduledDays >= 0 &&
         s.scheduledDays <= FsrsParameters{}.maximumInterval;
}

namespace {

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
const char* wayName(CardWay way) { return wayNames[static_cast<int>(way) & 1]; }
bool listAsks(ListWays ways, CardWay way) {
  return ways == ListWays::both || static_cast<int>(ways) == static_cast<int>(way);
}

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

CardFileStatus readPlainFile(const fs::path& file, std::uint64_t offset, std::uint64_t limit, std::string& text) {
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
  } else if (static_cast<std::uint64_t>(st.st_size) > limit) {
    status = CardFileStatus::tooLarge;
  } else {
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (size > offset) text.reserve(static_cast<std::size_t>(size - offset + 1));
    char buffer[65536];
    ssize_t n = 0;
    for (off_t at = static_cast<off_t>(offset); status == CardFileStatus::read;) {
      n = ::pread(fd, buffer, sizeof buffer, at);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      text.append(buffer, static_cast<std::size_t>(n));
      at += n;
      if (text.size() > limit) status = CardFileStatus::tooLarge;  // it grew while read
    }
    if (status == CardFileStatus::read && n < 0) status = CardFileStatus::unreadable;
  }
  ::close(fd);
  if (status != CardFileStatus::read) text.clear();
  return status;
}

CardFileStatus readCardFileText(const fs::path& file, std::string& text) {
  return readPlainFile(file, 0, cardFileSizeLimit, text);
}

std::uint64_t stableHash(std::string_view bytes, std::uint64_t hash) {
  for (unsigned char c : bytes) hash = (hash ^ c) * 0x100000001b3ULL;
  return hash;
}

std::string hex64(std::uint64_t value) {
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(value));
  return digits;
}

CardFileLoad parseCardFile(std::string_view text, std::vector<Card>& cards) {
  cards.clear();
  CardFileLoad result;
  result.header.version = 1;  // until a header says otherwise
  std::string_view rest = text;
  if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);  // an editor's byte-order mark
  int lineNumber = 0;
  int seen = 0;  // lines that were not blank
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view whole = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    std::string_view line = whole;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lineNumber++;
    if (isBlank(line)) continue;
    // The header heads the file (version 2's column names follow it); a card line in its place
    // is read as a card.
    seen++;
    if (seen == 1 && (line == version1Header || parseVersion2Header(line, result.header))) continue;
    if (seen == 2 && result.header.version == 2 && line == version2Columns) continue;
    Card card;
    if (parseCardLine(line, card, result.header.version)) {
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
      if (kept) saveCards(file, cards, result.header);
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

}  // namespace

// "2026-12-09T14:03:00Z" without a formatted print: a card file of many cards is written at once.
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

namespace {

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

void appendCardLine(std::string& out, const Card& card) {
  const CardSchedule& s = card.schedule;
  out += card.word;
  out += '\t';
  out += wayName(card.way);
  out += '\t';
  out += stateName(s.state);
  out += '\t';
  appendDecimal(out, s.stability);
  out += '\t';
  appendDecimal(out, s.difficulty);
  out += '\t';
  appendUtcTime(out, s.due);
  out += '\t';
  appendUtcTime(out, s.lastReview);
  for (int n : {s.reps, s.lapses, s.step, s.scheduledDays}) {
    out += '\t';
    appendNumber(out, n);
  }
  out += '\t';
  appendUtcTime(out, card.firstReview);
}

bool saveCards(const fs::path& file, const std::vector<Card>& cards, const CardFileHeader& header) {
  std::string text(version2Mark);
  text += "\tways=";
  text += listWaysNames[static_cast<int>(header.ways) % 3];
  text += "\tlog=";
  appendNumber(text, header.logBytes);
  if (!header.lastReviewId.empty()) text += "\tlast=" + header.lastReviewId;
  text += '\n';
  text += version2Columns;
  text += '\n';
  text.reserve(cards.size() * 120 + text.size());
  for (const Card& card : cards) {
    // A tab or line end in a word would break its line, and a broken line makes the whole file
    // unreadable: such a card is not kept, so that the others are.
    if (card.schedule.state == CardState::newCard || card.word.find_first_of("\t\r\n") != std::string::npos) continue;
    appendCardLine(text, card);
    text += '\n';
  }
  return replaceFileSafely(
      file, [&](std::FILE* out) { return std::fwrite(text.data(), 1, text.size(), out) == text.size(); });
}

int openPlainForAppend(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  return fd;
}

}  // namespace zembo
