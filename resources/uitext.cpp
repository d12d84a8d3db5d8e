#include "resources/uitext.h"

#include <cstdlib>
#include <cstring>

#include "resources/resourcetable.h"
#include "resources/uilanguage.h"

namespace zembo {

char uiTextBuffer[uiTextBufferSize] = "";

int loadString(int id, char* buffer, int size) {
  if (size <= 0) return 0;
  buffer[0] = '\0';
  for (const Edition& edition : editions()) {
    const int row = id - edition.language->base;
    if (row < 0 || row >= uiTextRows) continue;
    const std::optional<std::string>& text = edition.rows[static_cast<std::size_t>(row)];
    if (!text) return 0;
    const std::size_t n = std::min(text->size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text->data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
  }
  return 0;
}

const char* loadUiText(int n) {
  loadString(uiLanguage.uiBase + n, uiTextBuffer, uiTextBufferSize);
  return uiTextBuffer;
}

std::string uiTextCopy(int n) {
  char buffer[uiTextBufferSize];
  loadString(uiLanguage.uiBase + n, buffer, uiTextBufferSize);
  return buffer;
}

int uiTextNumber(int n) { return std::atoi(uiTextCopy(n).c_str()); }

}  // namespace zembo
