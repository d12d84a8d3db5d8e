#include "importer/articles.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace zembo {

namespace {

// The rules, from the articles of the FreeDict dictionaries:
// - the first line is the headword, then optionally " /pronunciation/" and " <grammar labels>";
// - a sense is a line of its own, optionally numbered "1. ", its translations separated by commas
//   or semicolons (not those inside parentheses, which stay with their translation), each
//   possibly with "<labels>", "[domain]" and "{...}" marks, which are left out;
// - lines indented by three blanks or more hold examples, notes and synonyms; lines such as
//   "see: {...}" are cross-references; a quotation followed by "  - " and its translation is an
//   example.
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
  if (!std::all_of(line.begin(), line.begin() + colon, [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }))
    return false;
  const std::string_view rest = trimmed(line.substr(colon + 1));
  return rest.empty() || rest.front() == '{';
}

// "ein Haus bauen"  - build a house; a translation may begin with a quotation mark too.
bool isExampleLine(std::string_view line) {
  return line.front() == '"' && line.find("\"  - ") != std::string_view::npos;
}

std::string_view withoutNumbering(std::string_view line) {
  std::size_t digits = 0;
  while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') ++digits;
  if (digits > 0 && digits + 1 < line.size() && line[digits] == '.' && line[digits + 1] == ' ')
    return line.substr(digits + 2);
  return line;
}

std::string_view headwordOf(std::string_view line) {
  for (std::string_view mark : {" /", " <"})
    if (const std::size_t at = line.find(mark); at != std::string_view::npos) line = line.substr(0, at);
  return trimmed(line);
}

// Splits a sense line at commas and semicolons outside parentheses, leaving out the <...>,
// [...] and {...} marks; each translation gets its blanks collapsed to one, none at either end.
void addSense(std::string_view line, ParsedArticle& into) {
  std::string& out = into.storage;  // reserved for the whole article: views into it stay valid
  std::size_t start = out.size();
  const auto endTranslation = [&] {
    if (out.size() > start && out.back() == ' ') out.pop_back();
    const std::string_view translation(out.data() + start, out.size() - start);
    if (!translation.empty() &&
        std::find(into.translations.begin(), into.translations.end(), translation) == into.translations.end())
      into.translations.push_back(translation);
    else
      out.resize(start);
    start = out.size();
  };
  int parens = 0;
  char skipUntil = 0;
  for (char c : line) {
    if (skipUntil) {
      if (c == skipUntil) skipUntil = 0;
      continue;
    }
    if (c == '<') skipUntil = '>';
    else if (c == '[') skipUntil = ']';
    else if (c == '{') skipUntil = '}';
    else if ((c == ',' || c == ';') && parens == 0) endTranslation();
    else {
      if (c == '(') ++parens;
      if (c == ')' && parens > 0) --parens;
      if (c == '\t') c = ' ';
      if (c != ' ' || (out.size() > start && out.back() != ' ')) out += c;
    }
  }
  endTranslation();
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

void parseArticle(std::string_view text, ParsedArticle& into) {
  into.headword = {};
  into.translations.clear();
  into.storage.clear();
  into.storage.reserve(text.size());
  bool first = true;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (first) {
      first = false;
      into.headword = headwordOf(line);
      continue;
    }
    const std::string_view content = trimmed(line);
    if (content.empty() || line.find_first_not_of(' ') >= noteIndent) continue;
    if (isExampleLine(content) || isReferenceLine(content)) continue;
    addSense(withoutNumbering(content), into);
  }
}

Article parseArticle(std::string_view text) {
  ParsedArticle parsed;
  parseArticle(text, parsed);
  return {std::string(parsed.headword), {parsed.translations.begin(), parsed.translations.end()}};
}

}  // namespace zembo
