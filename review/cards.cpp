#include "review/cards.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
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

// One line of the card file: eleven tab-separated fields with sound values.
bool parseCard(std::string_view line, Card& card) {
  constexpr std::size_t fieldCount = 11;
  std::string_view fields[fieldCount];
  std::size_t count = 0;
  while (count < fieldCount) {
    const std::size_t tab = line.find('\t');
    fields[count++] = line.substr(0, tab);
    if (tab == std::string_view::npos) break;
    line.remove_prefix(tab + 1);
  }
  if (count != fieldCount || line.find('\t') != std::string_view::npos || fields[0].empty()) return false;
  CardSchedule& s = card.schedule;
  card.word.assign(fields[0]);
  s.due = parseUtcTime(fields[4]);
  s.lastReview = parseUtcTime(fields[5]);
  card.firstReview = parseUtcTime(fields[10]);
  return parseState(fields[1], s.state) && s.state != CardState::newCard && parseNumber(fields[2], s.stability) &&
         s.stability > 0 && parseNumber(fields[3], s.difficulty) && s.difficulty >= 1 && s.difficulty <= 10 &&
         s.due >= 0 && s.lastReview >= 0 && card.firstReview >= 0 && parseNumber(fields[6], s.reps) && s.reps > 0 &&
         parseNumber(fields[7], s.lapses) && s.lapses >= 0 && parseNumber(fields[8], s.step) && s.step >= 0 &&
         parseNumber(fields[9], s.scheduledDays) && s.scheduledDays >= 0;
}

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
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59) return -1;
  return daysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s;
}

int localDay(std::int64_t time) {
  const std::time_t t = static_cast<std::time_t>(time);
  std::tm local{};
  localtime_r(&t, &local);
  return static_cast<int>(daysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday));
}

CardFileStatus readCardFileText(const fs::path& file, std::string& text) {
  text.clear();
  std::FILE* in = std::fopen(file.c_str(), "rb");
  if (in == nullptr) return errno == ENOENT ? CardFileStatus::missing : CardFileStatus::unreadable;
  std::error_code sizeError;
  text.reserve(static_cast<std::size_t>(fs::file_size(file, sizeError)) + 1);
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) text.append(buffer, n);
  const bool readError = std::ferror(in) != 0;
  std::fclose(in);
  return readError ? CardFileStatus::unreadable : CardFileStatus::read;
}

CardFileLoad parseCardFile(std::string_view text, std::vector<Card>& cards) {
  cards.clear();
  CardFileLoad result;
  std::string_view rest = text;
  int lineNumber = 0;
  bool damaged = false;
  while (!rest.empty() && !damaged) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lineNumber++;
    if (lineNumber == 1) {
      damaged = line != cardFileHeader;
      continue;
    }
    Card card;
    damaged = !parseCard(line, card);
    if (!damaged) cards.push_back(std::move(card));
  }
  if (lineNumber == 0) damaged = true;  // a card file always has its header
  if (!damaged) return result;
  cards.clear();
  result.status = CardFileStatus::damaged;
  result.damagedLine = std::max(lineNumber, 1);
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
  if (result.status == CardFileStatus::read || result.status == CardFileStatus::missing) return result;
  result.keptAs = asideName(file);
  std::error_code error;
  fs::rename(file, result.keptAs, error);
  if (error) result.keptAs.clear();
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
  std::error_code error;
  const bool fresh = !fs::exists(log, error);
  std::FILE* out = std::fopen(log.c_str(), "ab");
  if (out == nullptr) return false;
  if (fresh) std::fputs("# time\tword\tgrade\telapsed days\tstate before\n", out);
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
