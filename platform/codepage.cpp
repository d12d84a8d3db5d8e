#include "platform/codepage.h"

#include <iconv.h>
#include <unicode/normalizer2.h>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <memory>

#include <map>
#include <mutex>

namespace zembo {

int codePageOfCharset(int charset) {
  switch (charset) {
    case 204:
      return 1251;
    case 238:
      return 1250;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 163:
      return 1258;
    case 222:
      return 874;
    default:
      return 1252;
  }
}

namespace {

struct CodePage {
  CodePageTable toUnicode{};
  // The byte of each character of the Basic Multilingual Plane, 0 where the page has none (and
  // for U+0000): a direct table, since converting runs over every word of a dictionary.
  std::array<unsigned char, 0x10000> fromUnicode{};
  // The byte of a character, or -1 when the page cannot hold it.
  int byteOf(char32_t c) const {
    if (c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF)) return -1;
    const unsigned char b = fromUnicode[c];
    return b != 0 || c == 0 ? b : -1;
  }
};

// Decodes each byte on its own through iconv once; conversions afterwards are table lookups.
void buildCodePage(int codePage, CodePage& page) {
  const std::string name = "CP" + std::to_string(codePage);
  iconv_t cd = iconv_open("UTF-16LE", name.c_str());
  for (int b = 0; b < 256; ++b) {
    char16_t out = static_cast<char16_t>(b);
    if (b >= 0x80 && cd != reinterpret_cast<iconv_t>(-1)) {
      char in = static_cast<char>(b);
      char* inPtr = &in;
      size_t inLeft = 1;
      char16_t buf[4] = {};
      char* outPtr = reinterpret_cast<char*>(buf);
      size_t outLeft = sizeof buf;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      // The Hebrew and Vietnamese converters hold a letter back in case a combining mark
      // follows; the final flush gives it out.
      if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) &&
          iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != static_cast<size_t>(-1) && outLeft == sizeof buf - 2)
        out = buf[0];
    }
    page.toUnicode[static_cast<std::size_t>(b)] = out;
  }
  if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  for (int b = 255; b >= 1; --b)
    page.fromUnicode[page.toUnicode[static_cast<std::size_t>(b)]] = static_cast<unsigned char>(b);
}

const CodePage& codePage(int number) {
  // Each thread remembers the pages it asked for last: a conversion of a dictionary asks for the
  // same two millions of times, from two threads. A built page never moves.
  thread_local std::pair<int, const CodePage*> recent[2] = {{-1, nullptr}, {-1, nullptr}};
  if (recent[0].first == number) return *recent[0].second;
  if (recent[1].first == number) return *recent[1].second;
  static std::mutex mutex;
  static std::map<int, CodePage> pages;
  std::lock_guard lock(mutex);
  auto [it, isNew] = pages.try_emplace(number);
  if (isNew) buildCodePage(number, it->second);
  recent[1] = recent[0];
  recent[0] = {number, &it->second};
  return it->second;
}

}  // namespace

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The character that begins at i, moving i past it; a malformed sequence gives U+FFFD, which no
// code page holds, and moves one byte on.
char32_t decodeUtf8Char(std::string_view s, std::size_t& i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  const int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
  if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size()) {
    ++i;
    return U'\xFFFD';
  }
  char32_t value = extra == 0 ? c : c & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    const unsigned char cc = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
    if ((cc & 0xC0) != 0x80) {
      ++i;
      return U'\xFFFD';
    }
    value = (value << 6) | (cc & 0x3F);
  }
  i += static_cast<std::size_t>(extra) + 1;
  return value;
}

const CodePageTable& codePageTable(int number) { return codePage(number).toUnicode; }

std::u16string toUtf16(std::string_view bytes, int number) {
  const CodePageTable& table = codePageTable(number);
  std::u16string out;
  out.reserve(bytes.size());
  for (char b : bytes) out += table[static_cast<unsigned char>(b)];
  return out;
}

std::string toUtf8(std::string_view bytes, int number) {
  const CodePageTable& table = codePageTable(number);
  std::string out;
  out.reserve(bytes.size());
  for (char b : bytes) appendUtf8(out, table[static_cast<unsigned char>(b)]);
  return out;
}

std::string fromUtf16(std::u16string_view text, int number) {
  const CodePage& page = codePage(number);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) ++i;  // a pair: outside every page
    const int b = page.byteOf(c);
    out += b < 0 ? '?' : static_cast<char>(b);
  }
  return out;
}

bool fromUtf8Exactly(std::string_view utf8, int number, std::string& out) {
  const CodePage& page = codePage(number);
  out.clear();
  out.reserve(utf8.size());
  bool exact = true;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t ascii = i;  // ASCII is itself in every code page: a run of it is copied whole
    while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80) ++ascii;
    if (ascii > i) {
      out.append(utf8, i, ascii - i);
      i = ascii;
      continue;
    }
    const int b = page.byteOf(decodeUtf8Char(utf8, i));
    exact = exact && b >= 0;
    out += b < 0 ? '?' : static_cast<char>(b);
  }
  return exact;
}

namespace {

// A compatibility form (ligatures, U+2011) first; then, for signs only, their ASCII form.
bool plainEquivalent(char32_t c, const CodePage& page, std::string& out) {
  UErrorCode status = U_ZERO_ERROR;
  icu::UnicodeString text(static_cast<UChar32>(c));
  if (const icu::Normalizer2* nfkc = icu::Normalizer2::getNFKCInstance(status); U_SUCCESS(status)) {
    const icu::UnicodeString normal = nfkc->normalize(text, status);
    if (U_SUCCESS(status) && normal != text) text = normal;
  }
  // Blanks, punctuation and symbols come after letters and numbers among the categories.
  if (u_charType(static_cast<UChar32>(c)) >= U_SPACE_SEPARATOR) {
    // Each thread its own: a transliterator is not to be shared while it works.
    thread_local std::unique_ptr<icu::Transliterator> toAscii(
        icu::Transliterator::createInstance("Latin-ASCII", UTRANS_FORWARD, status));
    if (toAscii) toAscii->transliterate(text);
  }
  std::string plain;
  for (int32_t k = 0; k < text.length();) {
    const UChar32 each = text.char32At(k);
    k += U16_LENGTH(each);
    const int b = each < 0x80 ? each : page.byteOf(static_cast<char32_t>(each));
    if (b <= 0) return false;
    plain += static_cast<char>(b);
  }
  if (plain.empty()) return false;
  out += plain;
  return true;
}

// A C1 control (U+0080 to U+009F) in text stands for the sign that Windows-1252 gives its byte:
// the text went through that code page and was read back as Latin-1 ("\u0085" for "…", "\u0096"
// for "–"). Other characters stay as they are.
char32_t signOfC1Control(char32_t c) {
  if (c < 0x80 || c > 0x9F) return c;
  const char32_t sign = codePage(1252).toUnicode[c];
  return sign > 0x9F ? sign : c;
}

}  // namespace

bool fromUtf8WithEquivalents(std::string_view utf8, int number, std::string& out, bool& replaced) {
  replaced = false;
  if (fromUtf8Exactly(utf8, number, out)) return true;
  const CodePage& page = codePage(number);
  out.clear();
  for (std::size_t i = 0; i < utf8.size();) {
    if (static_cast<unsigned char>(utf8[i]) < 0x80) {
      out += utf8[i++];
      continue;
    }
    char32_t c = decodeUtf8Char(utf8, i);
    if (const int b = page.byteOf(c); b >= 0) {
      out += static_cast<char>(b);
    } else if (const int sign = page.byteOf(c = signOfC1Control(c)); sign >= 0) {
      out += static_cast<char>(sign);
      replaced = true;
    } else if (plainEquivalent(c, page, out)) {
      replaced = true;
    } else {
      return false;
    }
  }
  return true;
}

std::string fromUtf8(std::string_view utf8, int number) {
  std::string out;
  fromUtf8Exactly(utf8, number, out);
  return out;
}

}  // namespace zembo
