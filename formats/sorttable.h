#pragma once
// The key of a word under a sort table: each byte replaced by its weight; weight 1 leaves the byte
// out, weight 0 ends the key. Comparing two keys bytewise (as strcmp does) is the table's order.
// A key holds at most 103 weighted bytes, the size of the comparison's key buffers.

#include <string>
#include <string_view>

namespace zembo {

constexpr std::size_t sortKeyLimit = 103;

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
