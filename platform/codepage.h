#pragma once
// Single-byte code pages: the text of every file, name and UI string is bytes in the code page of
// its language; these convert to Unicode and back at the boundaries that need it (the toolkit, file
// names, collation).

#include <array>
#include <string>
#include <string_view>

namespace zembo {

// The code page of a Windows character-set code: 0 and 500 are ANSI (1252), 204 Cyrillic (1251),
// 238 Central European (1250), 161 Greek (1253), 162 Turkish (1254), 177 Hebrew (1255),
// 178 Arabic (1256), 186 Baltic (1257), 163 Vietnamese (1258), 222 Thai (874). Any other code: 1252.
int codePageOfCharset(int charset);

// The Unicode character of each byte of a code page. Bytes the page leaves undefined stand for the
// control character of the same value, so that every byte survives a round trip.
using CodePageTable = std::array<char16_t, 256>;
const CodePageTable& codePageTable(int codePage);

std::u16string toUtf16(std::string_view bytes, int codePage);
std::string toUtf8(std::string_view bytes, int codePage);
// UTF-8 one character at a time: c appended to out; the character that begins at i, moving i past
// it (a malformed sequence gives U+FFFD and moves one byte on).
void appendUtf8(std::string& out, char32_t c);
char32_t decodeUtf8Char(std::string_view s, std::size_t& i);
// A character the code page cannot hold becomes "?".
std::string fromUtf16(std::u16string_view text, int codePage);
std::string fromUtf8(std::string_view utf8, int codePage);
// The same into out; false when a character had to become "?".
bool fromUtf8Exactly(std::string_view utf8, int codePage, std::string& out);
// The same, but a character the code page lacks that has a plain equivalent the page holds (a
// hyphen or dash, a ligature such as U+0133, a typographic sign) becomes that equivalent, and
// replaced tells whether one did; false when a character has none. Letters the page lacks are
// never changed into other letters: a word spelled differently would be another word. A C1
// control stands for the Windows-1252 sign of its byte ("…" for U+0085), as text read back as
// Latin-1 holds them.
bool fromUtf8WithEquivalents(std::string_view utf8, int codePage, std::string& out, bool& replaced);

}  // namespace zembo
