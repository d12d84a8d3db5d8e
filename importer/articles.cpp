#include "importer/articles.h"

#include <algorithm>
#include <utility>

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

// Blanks collapsed to one, none at either end.
void addTranslation(std::string piece, std::vector<std::string>& out) {
  std::string clean;
  for (char c : piece)
    if (c != ' ' || (!clean.empty() && clean.back() != ' ')) clean += c;
  while (!clean.empty() && clean.back() == ' ') clean.pop_back();
  if (!clean.empty() && std::find(out.begin(), out.end(), clean) == out.end()) out.push_back(std::move(clean));
}

// Splits a sense line at commas and semicolons outside parentheses, leaving out the <...>,
// [...] and {...} marks.
void addSense(std::string_view line, std::vector<std::string>& out) {
  std::string piece;
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
    else if ((c == ',' || c == ';') && parens == 0) addTranslation(std::exchange(piece, {}), out);
    else {
      if (c == '(') ++parens;
      if (c == ')' && parens > 0) --parens;
      piece += c == '\t' ? ' ' : c;
    }
  }
  addTranslation(std::move(piece), out);
}

}  // namespace

bool isUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const int more = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
    if (more < 0 || (more == 1 && c < 0xC2)) return false;
    for (int k = 1; k <= more; ++k)
      if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += more + 1;
  }
  return true;
}

Article parseArticle(std::string_view text) {
  Article article;
  bool first = true;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (first) {
      first = false;
      article.headword = headwordOf(line);
      continue;
    }
    const std::string_view content = trimmed(line);
    if (content.empty() || line.find_first_not_of(' ') >= noteIndent) continue;
    if (isExampleLine(content) || isReferenceLine(content)) continue;
    addSense(withoutNumbering(content), article.translations);
  }
  return article;
}

}  // namespace zembo
