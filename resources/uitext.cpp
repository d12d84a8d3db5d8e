#include "resources/uitext.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "resources/resourcetable.h"
#include "resources/uilanguage.h"

namespace zembo {

char uiTextBuffer[uiTextBufferSize] = "";

namespace {

// Copies text into buffer, cut to its size; the number of bytes copied.
int copyCut(const std::string& text, char* buffer, int size) {
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

// Row n of the edition of base, into buffer; an edition has more rows than the 200 numbers
// between two bases, so its rows are taken from it rather than by number.
int loadRow(int base, int n, char* buffer, int size) {
  if (size <= 0) return 0;
  buffer[0] = '\0';
  const Edition* edition = editionOfBase(base);
  if (!edition || n < 0 || n >= uiTextRows) return 0;
  const std::optional<std::string>& text = edition->rows[static_cast<std::size_t>(n)];
  return text ? copyCut(*text, buffer, size) : 0;
}

}  // namespace

int loadString(int id, char* buffer, int size) {
  // The number belongs to the edition with the highest base at or below it.
  int base = 0;
  for (const Edition& edition : editions())
    if (edition.language->base <= id && edition.language->base > base) base = edition.language->base;
  return loadRow(base, id - base, buffer, size);
}

const char* loadUiText(int n) {
  loadRow(uiLanguage.uiBase, n, uiTextBuffer, uiTextBufferSize);
  return uiTextBuffer;
}

std::string uiTextCopy(int n) {
  char buffer[uiTextBufferSize];
  loadRow(uiLanguage.uiBase, n, buffer, uiTextBufferSize);
  return buffer;
}

int uiTextNumber(int n) { return std::atoi(uiTextCopy(n).c_str()); }

}  // namespace zembo
