#pragma once
// Word files as tests write and read them: records from word pairs, in the given order.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "formats/wordrecord.h"

namespace zembo::test {

struct WordPair {
  std::string word;
  std::string translation;
  std::int16_t flags = 0;
};
// Pairs compare and print whole, so that a failed expectation shows the entries.
inline bool operator==(const WordPair& a, const WordPair& b) {
  return a.word == b.word && a.translation == b.translation && a.flags == b.flags;
}
inline void PrintTo(const WordPair& e, std::ostream* out) {
  *out << e.word << " / " << e.translation << " / " << e.flags;
}

WordRecord makeRecord(const WordPair& pair);
// Words w000, w001, ... with translations t000, t001, ...
std::vector<WordPair> numberedPairs(int count);
void writeWords(const std::string& path, const std::vector<WordPair>& words);
std::vector<WordPair> readWords(const std::string& path);

}  // namespace zembo::test
