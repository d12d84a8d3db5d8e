#pragma once
// The key of a word under a sort table: each byte replaced by its weight; weight 1 leaves the byte
// out, weight 0 ends the key. Comparing two keys bytewise (as strcmp does) is the table's order.
// A key holds at most 103 weighted bytes, the size of the comparison's key buffers.

#include <string>
#include <string_view>

namespace zembo {

constexpr std::size_t sortKeyLimit = 103;
constexpr std::size_t sortTableSize = 256;

// Reads the sort table of a language ("tables\\" + its name + ".stb") into table, as much of it as
// the file holds (a shorter file leaves the rest as it was), and returns the bytes read; -1 when
// the language has no table. A null table only asks whether there is one.
long readSortTable(std::string_view languageName, unsigned char* table);

inline void sortTableKey(const unsigned char table[256], std::string_view word, std::string& key) {
  key.clear();
  for (char c : word) {
    const unsigned char w = table[static_cast<unsigned char>(c)];
    if (w == 0) break;
    if (w != 1) key += static_cast<char>(w);
    if (key.size() == sortKeyLimit) break;
  }
}

}  // namespace zembo
