#include "platform/textfile.h"

#include <cstring>

namespace zembo {

namespace {

// The next character in text mode: a CR LF pair reads as one line end.
int getTextChar(std::FILE* file) {
  const int c = getc(file);
  if (c != '\r') return c;
  const int next = getc(file);
  if (next == '\n') return '\n';
  if (next != EOF) ungetc(next, file);
  return c;
}

}  // namespace

bool readTextLine(std::FILE* file, char* buffer, int size) {
  if (size <= 0) return false;
  int n = 0;
  while (n < size - 1) {
    const int c = getTextChar(file);
    if (c == EOF) break;
    buffer[n++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  buffer[n] = '\0';
  return n > 0;
}

bool readTextLine(std::FILE* file, std::string& line, std::size_t maxBytes) {
  line.clear();
  while (line.size() < maxBytes) {
    const int c = getTextChar(file);
    if (c == EOF) break;
    line += static_cast<char>(c);
    if (c == '\n') break;
  }
  return !line.empty();
}

bool readStoredLine(std::FILE* file, std::string& line) {
  line.clear();
  int c;
  while ((c = getc(file)) != EOF) {
    line += static_cast<char>(c);
    if (c == '\n') break;
  }
  return !line.empty();
}

void removeLineEnd(char* line) {
  const std::size_t n = std::strlen(line);
  if (n > 0 && line[n - 1] == '\n') line[n - 1] = '\0';
}

}  // namespace zembo
