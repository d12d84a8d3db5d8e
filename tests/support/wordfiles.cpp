#include "tests/support/wordfiles.h"

#include <cstdio>

#include "tests/support/testenv.h"

namespace zembo::test {

WordRecord makeRecord(const WordPair& pair) {
  WordRecord r{};
  setField(r.word, sizeof r.word, pair.word);
  setField(r.translation, sizeof r.translation, pair.translation);
  r.flags = pair.flags;
  return r;
}

std::vector<WordPair> numberedPairs(int count) {
  std::vector<WordPair> pairs;
  char word[16], translation[16];
  for (int i = 0; i < count; ++i) {
    std::snprintf(word, sizeof word, "w%03d", i);
    std::snprintf(translation, sizeof translation, "t%03d", i);
    pairs.push_back({word, translation});
  }
  return pairs;
}

void writeWords(const std::string& path, const std::vector<WordPair>& words) {
  std::string bytes;
  for (const WordPair& w : words) {
    const WordRecord r = makeRecord(w);
    bytes.append(reinterpret_cast<const char*>(&r), sizeof r);
  }
  writeFile(path, bytes);
}

std::vector<WordPair> readWords(const std::string& path) {
  const std::string bytes = readFile(path);
  std::vector<WordPair> words;
  for (std::size_t at = 0; at + sizeof(WordRecord) <= bytes.size(); at += sizeof(WordRecord)) {
    WordRecord r;
    std::memcpy(&r, bytes.data() + at, sizeof r);
    words.push_back({std::string(wordOf(r)), std::string(translationOf(r)), r.flags});
  }
  return words;
}

}  // namespace zembo::test
