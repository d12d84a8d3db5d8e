#include "platform/textfile.h"

#include <cstring>

namespace zembo {

bool readTextLine(std::FILE* file, char* buffer, int size) {
  if (size <= 0) return false;
  int n = 0;
  while (n < size - 1) {
    int c = getc(file);
    if (c == EOF) break;
    if (c == '\r') {
      const int next = getc(file);
      if (next == '\n')
        c = '\n';
      else if (next != EOF)
        ungetc(next, file);
    }
    buffer[n++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  buffer[n] = '\0';
  return n > 0;
}

void removeLineEnd(char* line) {
  const std::size_t n = std::strlen(line);
  if (n > 0 && line[n - 1] == '\n') line[n - 1] = '\0';
}

}  // namespace zembo
