#pragma once
// The compounds of a headword among a dictionary's headwords: the one-word headwords that begin or
// end with it, letters folded ("Schlangenbiss", "Giftschlange" of "Schlange"). What the compounds
// translate to tells a word's everyday sense: 33 compounds of Schlange speak of a snake, none of a
// fence of fascines, though the dictionary says more of the fence.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zembo {

class CompoundIndex {
 public:
  // The words of entries 0 ... count - 1 (wordOf gives each), in the code page given, whose letters
  // fold as its characters do. Words with a blank are no compounds and are left out. The words
  // read forwards and backwards are sorted on two threads at once.
  CompoundIndex(int codePage, std::size_t count, const std::function<std::string_view(std::size_t)>& wordOf);

  // The entries whose words begin or end with word and are at least three letters longer, up to
  // limit of each kind; none for a word shorter than four letters, which too many words begin or
  // end with by chance.
  void compoundsOf(std::string_view word, std::size_t limit, std::vector<std::uint32_t>& out) const;

 private:
  // A word's first eight bytes stand in the key, most significant first, so that most comparisons
  // of a sort or a search decide without reaching into the text.
  struct Key {
    std::uint64_t head;
    std::uint32_t at;  // in the side's text
    std::uint32_t size;
    std::uint32_t entry;
  };
  // The words read one way, folded, sorted.
  struct Side {
    std::string text;
    std::vector<Key> keys;
    std::string_view textOf(const Key& key) const { return std::string_view(text).substr(key.at, key.size); }
  };
  void build(Side& side, bool backwards, std::size_t count,
             const std::function<std::string_view(std::size_t)>& wordOf) const;
  static void collect(const Side& side, std::string_view key, std::size_t limit, std::vector<std::uint32_t>& out);

  unsigned char fold_[256];
  Side forwards_, backwards_;
};

}  // namespace zembo
