#include "importer/articles.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <utility>

namespace zembo {

namespace {

// The rules, from the articles of the FreeDict dictionaries (deu-eng, eng-deu, fra-nld, nld-eng
// and the FreeDict+WikDict ones):
// - the first line is the headword, then optionally " /pronunciation/" (a slash right before a
//   letter: " / " between words belongs to the headword, as in "be / hit below the belt"), then
//   abbreviations as "(Kfz. /.../)" or "(Rz. /.../, )", each a group of its own, then
//   " <grammar labels>"; a group holding more than one form ("(was /.../ <>, were /.../ <>)")
//   gives inflections, not abbreviations;
// - a sense is a line of its own, optionally numbered "1. ", its translations separated by commas
//   or semicolons (not those inside parentheses or between digits, which stay with their
//   translation), each possibly with "<labels>", "[domain]" and "{...}" marks, which are left out;
//   a sense line that begins with "[label]", or whose every translation has one, is a specialist,
//   regional or register sense; a translation may end in its abbreviation or symbol right after
//   its grammar mark and then its pronunciation as a translation of its own ("road <n>Rd,
//   /ˌɛɾdˈeː/", "dollar sign <n>$"), which are not translations either;
// - lines indented by three blanks or more hold examples, notes and synonyms; lines such as
//   "see: {...}" are cross-references; a quotation followed by "  - " and its translation is an
//   example;
// - once an article numbers its senses (as the WikDict ones do), only the numbered lines hold
//   translations: the lines between them are definitions in the dictionary's own language, and a
//   number alone on its line is a sense without translation;
// - in the WikDict shape a sense line is mostly followed by its definition, which may itself begin
//   with a number and a full stop ("1. Person Plural; ..."): the sense lines are the ones numbered
//   1, 2, 3 in turn, and an unnumbered article holds translations on its first line only; a sense
//   line may end in the number of the next sub-sense ("aller, marcher 2."), which belongs to no
//   translation.
//   None of these are translations.
constexpr std::size_t noteIndent = 3;

std::string_view trimmed(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

// "see: {Haus}", "Synonyms: {Heim}": one word, a colon, and references in braces (or nothing).
bool isReferenceLine(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos || colon == 0) return false;
  if (!std::all_of(line.begin(), line.begin() + colon,
                   [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }))
    return false;
  const std::string_view rest = trimmed(line.substr(colon + 1));
  return rest.empty() || rest.front() == '{';
}

// "ein Haus bauen"  - build a house; a translation may begin with a quotation mark too.
bool isExampleLine(std::string_view line) {
  return line.front() == '"' && line.find("\"  - ") != std::string_view::npos;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The length of a sense number "12." at the start of a line that ends there or goes on after a
// blank; 0 when the line has none.
std::size_t numberingLength(std::string_view line) {
  std::size_t digits = 0;
  while (digits < line.size() && isDigit(line[digits])) ++digits;
  if (digits == 0 || digits >= line.size() || line[digits] != '.') return 0;
  if (digits + 1 < line.size() && line[digits + 1] != ' ') return 0;
  return digits + 1;
}

// Where the pronunciation " /.../" of a headword line begins: a slash after a blank and before a
// non-blank, closed by a slash at the end or before a blank or a comma. npos when there is none.
std::size_t pronunciationStart(std::string_view line, std::size_t& end) {
  for (std::size_t at = line.find(" /"); at != std::string_view::npos; at = line.find(" /", at + 1)) {
    if (at + 2 >= line.size() || line[at + 2] == ' ') continue;
    for (std::size_t close = line.find('/', at + 2); close != std::string_view::npos; close = line.find('/', close + 1))
      if (close + 1 == line.size() || line[close + 1] == ' ' || line[close + 1] == ',') {
        end = close + 1;
        return at;
      }
    // No slash after this one closes: none closes for a later one either.
    break;
  }
  return std::string_view::npos;
}

// "(Kfz. /kˌɑː/)" or "(Rz. /ɛɾ/, )": one form with its pronunciation gives the form.
std::string_view abbreviationOf(std::string_view group) {
  std::size_t end = 0;
  const std::size_t at = pronunciationStart(group, end);
  if (at == std::string_view::npos || group.substr(end).find_first_not_of(", ") != std::string_view::npos) return {};
  return trimmed(group.substr(0, at));
}

void parseHeadwordLine(std::string_view line, ParsedArticle& into) {
  std::size_t end = 0;
  const std::size_t pronunciation = pronunciationStart(line, end);
  std::string_view head = line.substr(0, pronunciation);
  if (const std::size_t labels = head.find(" <"); labels != std::string_view::npos) head = head.substr(0, labels);
  into.headword = trimmed(head);
  if (pronunciation == std::string_view::npos) return;
  // The groups in parentheses after the pronunciation, up to the grammar labels.
  std::string_view rest = line.substr(end);
  while (true) {
    rest = trimmed(rest);
    if (rest.empty() || rest.front() != '(') return;
    int depth = 0;
    std::size_t close = 0;
    for (; close < rest.size(); ++close) {
      if (rest[close] == '(') ++depth;
      if (rest[close] == ')' && --depth == 0) break;
    }
    if (close == rest.size()) return;
    const std::string_view abbreviation = abbreviationOf(rest.substr(1, close - 1));
    if (!abbreviation.empty() && abbreviation != into.headword) into.abbreviations.push_back(abbreviation);
    rest.remove_prefix(close + 1);
  }
}

// The comma sign that does not separate translations, in UTF-8.
constexpr std::string_view innerComma = "\xE2\x80\x9A";

// Whether the article gave the translation already. Most articles give a few, which are searched;
// past that many, a set of them finds a repeat at once.
constexpr std::size_t searchedTranslations = 16;
bool isRepeat(std::string_view translation, ParsedArticle& into) {
  if (into.translations.size() < searchedTranslations)
    return std::any_of(into.translations.begin(), into.translations.end(), [&](std::string_view earlier) {
      ++into.comparisons;
      return earlier == translation;
    });
  if (into.seen.empty()) into.seen.insert(into.translations.begin(), into.translations.end());
  return !into.seen.insert(translation).second;
}

// "/ˌɛstˈeː/": the pronunciation of an abbreviation that stood before it.
bool isPronunciation(std::string_view translation) {
  return translation.size() >= 3 && translation.front() == '/' && translation.back() == '/';
}

// Labels that say a sense is colloquial, vulgar, dated, rare or regional rather than what field it
// belongs to: such a sense is not a word's main one however much the dictionary says of it. A
// formal or figurative sense ([geh.], [übtr.]) may be, and so may a British or American one.
bool isRegisterLabel(std::string_view label) {
  static constexpr std::string_view registers[] = {
      "ugs.",    "slang",      "vulg.",       "coll.",         "pej.",          "humor.",        "euphem.",
      "selten",  "obs.",       "alt",         "veraltet",      "veraltend",     "altertümlich",  "Ös.",
      "Westös.", "Schw.",      "Bayr.",       "Süddt.",        "Norddt.",       "Mitteldt.",     "Westdt.",
      "Ostdt.",  "Nordostdt.", "Nordwestdt.", "Mittelwestdt.", "Mittelostdt.",  "Südtirol",      "BW",
      "NZ",      "Sc.",        "Can.",        "Ir.",           "Jugendsprache", "Kindersprache", "Jägersprache",
      "stud."};
  return std::find(std::begin(registers), std::end(registers), label) != std::end(registers);
}

// Whether the labels that begin a sense line ("[ugs.] [Ös.] ...") include a register label.
bool beginsWithRegisterLabel(std::string_view line) {
  while (!line.empty() && line.front() == '[') {
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return false;
    if (isRegisterLabel(line.substr(1, close - 1))) return true;
    line = trimmed(line.substr(close + 1));
  }
  return false;
}

// Splits a sense line at commas and semicolons outside parentheses and not between digits, leaving
// out the <...>, [...] and {...} marks, what follows a grammar mark in its translation and the
// pronunciations that stand as translations; each translation gets its blanks collapsed to one,
// none at either end. True when every translation of the line carries a [label]
// ("lauten <v> [adm.]").
bool addSense(std::string_view line, ParsedArticle& into) {
  std::string& out = into.storage;  // reserved for the whole article: views into it stay valid
  std::size_t start = out.size();
  bool labelled = false, everyLabelled = true, afterMark = false;
  const auto endTranslation = [&] {
    if (out.size() > start && out.back() == ' ') out.pop_back();
    if (isPronunciation({out.data() + start, out.size() - start})) out.resize(start);
    if (out.size() > start) everyLabelled = everyLabelled && labelled;
    labelled = afterMark = false;
    const std::string_view translation(out.data() + start, out.size() - start);
    if (!translation.empty() && !isRepeat(translation, into))
      into.translations.push_back(translation);
    else
      out.resize(start);
    start = out.size();
  };
  int parens = 0;
  char skipUntil = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (skipUntil) {
      if (c == '>' && skipUntil == '>') afterMark = true;
      if (c == skipUntil) skipUntil = 0;
      continue;
    }
    const bool betweenDigits = i > 0 && i + 1 < line.size() && isDigit(line[i - 1]) && isDigit(line[i + 1]);
    if (c == '[') labelled = true;
    if (c == '<')
      skipUntil = '>';
    else if (c == '[')
      skipUntil = ']';
    else if (c == '{')
      skipUntil = '}';
    else if (afterMark && c != ',' && c != ';')
      continue;  // "Rd" of "road <n>Rd", "$" of "dollar sign <n>$": the translation's abbreviation
    else if (c == ',' && (parens > 0 || betweenDigits))
      out += innerComma;
    else if (c == ',' || (c == ';' && parens == 0))
      endTranslation();
    else {
      if (c == '(') ++parens;
      if (c == ')' && parens > 0) --parens;
      if (c == '\t') c = ' ';
      if (c != ' ' || (out.size() > start && out.back() != ' ')) out += c;
    }
  }
  endTranslation();
  return everyLabelled;
}

}  // namespace

bool isUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    std::uint64_t eight;  // most of an article is ASCII: eight bytes at a time
    if (i + 8 <= text.size() && (std::memcpy(&eight, text.data() + i, 8), (eight & 0x8080808080808080u) == 0)) {
      i += 8;
      continue;
    }
    const auto c = static_cast<unsigned char>(text[i]);
    const int more = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
    if (more < 0 || (more == 1 && c < 0xC2)) return false;
    for (int k = 1; k <= more; ++k)
      if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += more + 1;
  }
  return true;
}

// Where a WikDict article stands in its senses.
struct WikDictSenses {
  bool begun = false;    // a line that may be a sense was seen
  bool onlyOne = false;  // the first sense was unnumbered: there is no other
  int next = 1;          // the number the next sense line carries
};

// Whether a line of a WikDict article is its next sense line. Its senses are numbered from 1 up,
// one by one, or it has one unnumbered sense; every other line is a definition, whatever it begins
// with ("1. Person Plural; ...", "19. Buchstabe ..."), and a number alone belongs to none.
bool isNextWikDictSense(std::string_view content, std::size_t numbering, WikDictSenses& senses) {
  if (numbering > 0 && trimmed(content.substr(numbering)).empty()) return false;
  const bool first = !std::exchange(senses.begun, true);
  if (senses.onlyOne) return false;
  if (numbering == 0) return senses.onlyOne = first;
  int number = 0;
  std::from_chars(content.data(), content.data() + numbering - 1, number);
  if (number != senses.next) return false;
  ++senses.next;
  return true;
}

// The senses of one article in the order a learner looks for them, as those of a headword's
// articles are: the first translation of every sense, then the second of every sense, and so on
// (nld-eng's "ding": "1. affair, business, ... 2. thing" gives "affair, thing, ..., business").
// senseStarts holds where each sense's translations begin.
void firstOfEverySenseFirst(std::vector<std::string_view>& translations, const std::vector<std::size_t>& senseStarts) {
  if (senseStarts.size() < 2) return;
  std::vector<std::string_view> ordered;
  ordered.reserve(translations.size());
  for (std::size_t round = 0; ordered.size() < translations.size(); ++round)
    for (std::size_t k = 0; k < senseStarts.size(); ++k) {
      const std::size_t end = k + 1 < senseStarts.size() ? senseStarts[k + 1] : translations.size();
      if (senseStarts[k] + round < end) ordered.push_back(translations[senseStarts[k] + round]);
    }
  translations.swap(ordered);
}

// A sense line without the sub-sense number at its end: "aller, marcher 2." gives "aller, marcher".
std::string_view withoutTrailingNumber(std::string_view line) {
  const std::size_t blank = line.rfind(' ');
  if (blank == std::string_view::npos || numberingLength(line.substr(blank + 1)) != line.size() - blank - 1)
    return line;
  return trimmed(line.substr(0, blank));
}

void parseArticle(std::string_view text, ParsedArticle& into, ArticleShape shape) {
  into.headword = {};
  into.abbreviations.clear();
  into.translations.clear();
  into.storage.clear();
  into.storage.reserve(3 * text.size());  // an inner comma takes three bytes: views into it stay valid
  into.examples = 0;
  into.sentences = 0;
  into.comparisons = 0;
  // Clearing walks every bucket: the set of a long article is made anew instead.
  if (into.seen.bucket_count() > 1024)
    into.seen = decltype(into.seen)(0, into.seen.hash_function(), into.seen.key_eq());
  else
    into.seen.clear();
  bool first = true, numbered = false;
  std::vector<std::size_t>& senseStarts = into.senseStarts;
  senseStarts.clear();
  WikDictSenses wikDict;
  int senses = 0, labelled = 0, offRegister = 0;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (first) {
      first = false;
      parseHeadwordLine(line, into);
      continue;
    }
    std::string_view content = trimmed(line);
    if (content.empty()) continue;
    if (line.find_first_not_of(' ') >= noteIndent || isExampleLine(content) || isReferenceLine(content)) {
      into.examples += 1 + static_cast<int>(std::count(content.begin(), content.end(), '{'));
      if (isExampleLine(content)) ++into.sentences;
      continue;
    }
    const std::size_t number = numberingLength(content);
    if (shape == ArticleShape::definitionsAfterSenses) {
      if (!isNextWikDictSense(content, number, wikDict)) continue;
      content = withoutTrailingNumber(trimmed(content.substr(number)));
      if (content.empty()) continue;
    } else if (number > 0) {
      numbered = true;
      content = trimmed(content.substr(number));
      if (content.empty()) continue;
    } else if (numbered) {
      continue;
    }
    ++senses;
    senseStarts.push_back(into.translations.size());
    if (addSense(content, into) || content.front() == '[') ++labelled;
    if (beginsWithRegisterLabel(content)) ++offRegister;
  }
  into.specialist = senses > 0 && labelled == senses;
  into.offRegister = senses > 0 && offRegister == senses;
  firstOfEverySenseFirst(into.translations, senseStarts);
}

Article parseArticle(std::string_view text, ArticleShape shape) {
  ParsedArticle parsed;
  parseArticle(text, parsed, shape);
  return {std::string(parsed.headword),
          {parsed.abbreviations.begin(), parsed.abbreviations.end()},
          {parsed.translations.begin(), parsed.translations.end()},
          parsed.specialist};
}

}  // namespace zembo
