#include "platform/asciicase.h"

#include <algorithm>

namespace zembo {

int compareNoCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ca = asciiLower(static_cast<unsigned char>(a[i]));
    const int cb = asciiLower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca - cb;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool equalNoCase(std::string_view a, std::string_view b) { return a.size() == b.size() && compareNoCase(a, b) == 0; }

bool equalNoCaseN(std::string_view a, std::string_view b, std::size_t n) {
  return compareNoCase(a.substr(0, std::min(n, a.size())), b.substr(0, std::min(n, b.size()))) == 0;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equalNoCase(text.substr(0, prefix.size()), prefix);
}

std::string asciiLowerCopy(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(asciiLower(static_cast<unsigned char>(c)));
  return lower;
}

}  // namespace zembo
