#include "formats/htmltext.h"

#include <cstdint>
#include <cstdlib>

#include "platform/codepage.h"

namespace zembo {
namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool startsWithNoCase(std::string_view text, std::size_t at, std::string_view prefix) {
  if (text.size() - at < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (lower(text[at + i]) != prefix[i]) return false;
  return true;
}

std::size_t findNoCase(std::string_view text, std::size_t from, std::string_view needle) {
  for (std::size_t at = from; at + needle.size() <= text.size(); ++at)
    if (startsWithNoCase(text, at, needle)) return at;
  return std::string_view::npos;
}

// The entity at text[at] ('&') decoded onto out; the length it took, 0 when it is none.
std::size_t decodeEntity(std::string_view text, std::size_t at, std::string& out) {
  const std::size_t end = text.find(';', at);
  if (end == std::string_view::npos || end - at > 10) return 0;
  const std::string name(text.substr(at + 1, end - at - 1));
  static constexpr struct {
    const char* name;
    const char* text;
  } named[] = {{"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
  for (const auto& entity : named) {
    if (name != entity.name) continue;
    out += entity.text;
    return end - at + 1;
  }
  if (name.size() < 2 || name[0] != '#') return 0;
  const bool hex = name[1] == 'x' || name[1] == 'X';
  char* rest = nullptr;
  const unsigned long code = std::strtoul(name.c_str() + (hex ? 2 : 1), &rest, hex ? 16 : 10);
  if (rest == nullptr || *rest != '\0' || rest == name.c_str() + (hex ? 2 : 1)) return 0;
  // A character no text holds (NUL, a surrogate, beyond Unicode) becomes the replacement character.
  const bool holdable = code != 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
  appendUtf8(out, holdable ? static_cast<char32_t>(code) : U'\uFFFD');
  return end - at + 1;
}

// The value of an attribute in a tag's text, or empty.
std::string attribute(std::string_view tag, std::string_view name) {
  std::size_t at = findNoCase(tag, 0, name);
  while (at != std::string_view::npos) {
    std::size_t value = at + name.size();
    while (value < tag.size() && tag[value] == ' ') ++value;
    if (value < tag.size() && tag[value] == '=') {
      ++value;
      while (value < tag.size() && tag[value] == ' ') ++value;
      const char quote = value < tag.size() && (tag[value] == '"' || tag[value] == '\'') ? tag[value] : ' ';
      if (quote != ' ') ++value;
      std::size_t end = value;
      while (end < tag.size() && tag[end] != quote && (quote != ' ' || tag[end] != '>')) ++end;
      return std::string(tag.substr(value, end - value));
    }
    at = findNoCase(tag, at + 1, name);
  }
  return {};
}

bool isLineBreakTag(std::string_view tag) {
  for (const std::string_view name : {"<br", "</div", "</p", "</li", "</tr"}) {
    if (!startsWithNoCase(tag, 0, name)) continue;
    const char after = tag.size() > name.size() ? tag[name.size()] : '>';
    if (after == '>' || after == ' ' || after == '/') return true;
  }
  return false;
}

std::string stripMarkup(std::string_view html, bool lineBreaks) {
  std::string out;
  std::size_t at = 0;
  while (at < html.size()) {
    const char c = html[at];
    if (c == '&') {
      const std::size_t taken = decodeEntity(html, at, out);
      if (taken == 0) out += c;
      at += taken == 0 ? 1 : taken;
      continue;
    }
    if (c != '<') {
      out += c;
      ++at;
      continue;
    }
    // A block whose content is no text: skipped with the tags around it.
    std::size_t skipTo = std::string_view::npos;
    if (startsWithNoCase(html, at, "<!--")) skipTo = findNoCase(html, at, "-->");
    if (skipTo != std::string_view::npos) {
      at = skipTo + 3;
      continue;
    }
    for (const std::string_view block : {"style", "script"}) {
      if (!startsWithNoCase(html, at + 1, block)) continue;
      const std::size_t close = findNoCase(html, at, "</" + std::string(block));
      const std::size_t end = close == std::string_view::npos ? close : html.find('>', close);
      skipTo = end == std::string_view::npos ? html.size() - 1 : end;
    }
    if (skipTo != std::string_view::npos) {
      at = skipTo + 1;
      continue;
    }
    const std::size_t end = html.find('>', at);
    if (end == std::string_view::npos) {
      out += html.substr(at);
      break;
    }
    const std::string_view tag = html.substr(at, end - at + 1);
    if (startsWithNoCase(tag, 0, "<img")) out += " " + attribute(tag, "src") + " ";
    if (lineBreaks && isLineBreakTag(tag)) out += '\n';
    at = end + 1;
  }
  return out;
}

}  // namespace

std::string escapeHtml(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    switch (text[i]) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\r':
        out += "<br>";
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        break;
      case '\n':
        out += "<br>";
        break;
      default:
        out += text[i];
    }
  }
  return out;
}

std::string stripHtml(std::string_view html) { return stripMarkup(html, false); }

std::string htmlToText(std::string_view html) {
  std::string text = stripMarkup(html, true);
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace zembo
