#pragma once
// Case-insensitive comparison of single-byte text as the program's names and sections need it:
// only the ASCII letters A-Z fold, every other byte must match exactly.

#include <cstddef>
#include <string>
#include <string_view>

namespace zembo {

constexpr unsigned char asciiLower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }
constexpr unsigned char asciiUpper(unsigned char c) { return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c; }

// Like strcmp with the letters folded to lower case: < 0, 0 or > 0.
int compareNoCase(std::string_view a, std::string_view b);
bool equalNoCase(std::string_view a, std::string_view b);
// The first n bytes of both compared, as strnicmp does (a shorter text ends at its end).
bool equalNoCaseN(std::string_view a, std::string_view b, std::size_t n);
// True when text begins with prefix, letters folded.
bool startsWithNoCase(std::string_view text, std::string_view prefix);
// The text with its ASCII letters in lower case; other bytes stay.
std::string asciiLowerCopy(std::string_view text);

}  // namespace zembo
