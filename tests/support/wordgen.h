#pragma once
// A reproducible generator of realistic dictionary words for the benchmarks: syllables of a
// Romance-like language with accented letters (bytes of Windows-1252), the same sequence on every
// machine for the same seed.

#include <cstdint>
#include <string>
#include <string_view>

namespace zembo::bench {

class WordGenerator {
 public:
  explicit WordGenerator(std::uint64_t seed = 20261208) : state_(seed ? seed : 1) {}

  // A word of 2 to 5 syllables, at most 30 bytes; about one word in eight is capitalised and about
  // one in twenty has a hyphen or a blank inside.
  std::string word() {
    static const char* const onsets[] = {"b",  "c",  "d",  "f",  "g",  "j",  "l",  "m",  "n",  "p",
                                         "r",  "s",  "t",  "v",  "ch", "br", "cr", "dr", "fl", "gr",
                                         "pl", "pr", "tr", "qu", "gu", "s",  "",   "",   "l",  "m"};
    static const char* const vowels[] = {"a",
                                         "e",
                                         "i",
                                         "o",
                                         "u",
                                         "ou",
                                         "ai",
                                         "au",
                                         "eu",
                                         "oi",
                                         "\xE9",
                                         "\xE8",
                                         "\xEA",
                                         "\xE0",
                                         "\xE2",
                                         "\xEE",
                                         "\xF4",
                                         "\xFB",
                                         "\xE7"
                                         "a",
                                         "a"};
    static const char* const codas[] = {"", "", "", "", "n", "r", "s", "l", "t", "x", "m", "nt", "rs"};
    std::string w;
    const int syllables = 2 + static_cast<int>(next() % 4);
    for (int s = 0; s < syllables; ++s) {
      w += pick(onsets);
      w += pick(vowels);
      if (s == syllables - 1 || next() % 4 == 0) w += pick(codas);
    }
    const std::uint64_t r = next() % 40;
    if (r == 0) w += "-" + std::string(pick(onsets)) + pick(vowels);
    if (r == 1) w += " " + std::string(pick(onsets)) + pick(vowels) + "r";
    if (next() % 8 == 0 && w[0] >= 'a' && w[0] <= 'z') w[0] = static_cast<char>(w[0] - 32);
    if (w.size() > 30) w.resize(30);
    return w;
  }

  // A translation of one to three parts joined by ", ", at most 50 bytes.
  std::string translation(int parts) {
    std::string t;
    for (int i = 0; i < parts; ++i) {
      std::string part = word();
      if (part.size() > 15) part.resize(15);
      if (t.size() + part.size() + 2 > 50) break;
      if (i) t += ", ";
      t += part;
    }
    return t;
  }

  std::uint64_t next() {
    // xorshift64*: fixed arithmetic, so every library gives the same words.
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1DULL;
  }

 private:
  template <std::size_t N>
  const char* pick(const char* const (&list)[N]) {
    return list[next() % N];
  }

  std::uint64_t state_;
};

// A sort table for the generated words: letters folded, accented letters weighed as their base
// letter, the blank ignored.
inline std::string frenchSortTable() {
  std::string table(256, '\0');
  for (int c = 1; c < 256; ++c) table[static_cast<std::size_t>(c)] = static_cast<char>(c);
  for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<std::size_t>(c)] = static_cast<char>(c + 32);
  const char* accents[][2] = {{"\xE0\xE2\xC0\xC2", "a"}, {"\xE9\xE8\xEA\xEB\xC9\xC8\xCA", "e"},
                              {"\xEE\xEF\xCE", "i"},     {"\xF4\xD4", "o"},
                              {"\xFB\xF9\xFC\xDB", "u"}, {"\xE7\xC7", "c"}};
  for (const auto& group : accents)
    for (const char* p = group[0]; *p; ++p) table[static_cast<unsigned char>(*p)] = group[1][0];
  table[' '] = 1;
  return table;
}

}  // namespace zembo::bench
