#include "formats/sorttable.h"

#include <cstdio>

#include "platform/hostpath.h"

namespace zembo {

long readSortTable(std::string_view languageName, unsigned char* table) {
  std::FILE* file = openFile(std::string("tables\\").append(languageName) + ".stb", "rb");
  if (!file) return -1;
  const long read = table ? static_cast<long>(std::fread(table, 1, sortTableSize, file)) : 0;
  std::fclose(file);
  return read;
}

}  // namespace zembo
