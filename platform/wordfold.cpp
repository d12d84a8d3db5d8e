#include "platform/wordfold.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>

#include <array>
#include <memory>

#include "platform/codepage.h"

namespace zembo {

namespace {

// What a character of the Basic Multilingual Plane is to a word: a break, a mark that belongs to
// the letter before it and is left out, or the letter or digit it folds to.
constexpr char32_t wordBreak = 0;
constexpr char32_t leftOut = 1;

char32_t foldOf(UChar32 c, const icu::Normalizer2* decompose) {
  if (u_charType(c) == U_NON_SPACING_MARK || u_charType(c) == U_COMBINING_SPACING_MARK) return leftOut;
  if (!u_isalnum(c)) return wordBreak;
  UChar32 folded = u_foldCase(c, U_FOLD_CASE_DEFAULT);
  // The letter without its accents: the first character of its canonical decomposition.
  icu::UnicodeString parts;
  if (decompose && decompose->getDecomposition(folded, parts) && parts.length() > 0) {
    const UChar32 base = parts.char32At(0);
    if (u_isalnum(base)) folded = base;
  }
  return static_cast<char32_t>(folded);
}

// Built once: a lookup per character keeps folding a dictionary's text cheap.
const std::array<char32_t, 0x10000>& foldTable() {
  static const std::unique_ptr<std::array<char32_t, 0x10000>> table = [] {
    auto made = std::make_unique<std::array<char32_t, 0x10000>>();
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* decompose = icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status)) decompose = nullptr;
    for (UChar32 c = 0; c < 0x10000; ++c) (*made)[static_cast<std::size_t>(c)] = foldOf(c, decompose);
    return made;
  }();
  return *table;
}

}  // namespace

void forEachFoldedWord(std::string_view utf8, const std::function<void(std::string_view word)>& word) {
  const std::array<char32_t, 0x10000>& table = foldTable();
  std::string current;
  const auto flush = [&] {
    if (current.empty()) return;
    word(current);
    current.clear();
  };
  for (std::size_t at = 0; at < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[at]);
    // Plain letters and digits, the most of any text, need no table.
    if (byte < 0x80) {
      ++at;
      if (byte >= 'A' && byte <= 'Z')
        current += static_cast<char>(byte - 'A' + 'a');
      else if ((byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9'))
        current += static_cast<char>(byte);
      else
        flush();
      continue;
    }
    const char32_t c = decodeUtf8Char(utf8, at);
    const char32_t folded = c < 0x10000 ? table[c] : u_isalnum(static_cast<UChar32>(c)) ? c : wordBreak;
    if (folded == leftOut) continue;
    if (folded == wordBreak || c == 0xFFFD) {
      flush();
      continue;
    }
    appendUtf8(current, folded);
  }
  flush();
}

std::string foldedWords(std::string_view utf8) {
  std::string out;
  forEachFoldedWord(utf8, [&out](std::string_view word) {
    if (!out.empty()) out += ' ';
    out.append(word);
  });
  return out;
}

}  // namespace zembo
