#pragma once
// Numbering the distinct words of an import.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "importer/largetables.h"

namespace zembo {

// Distinct words, each numbered in the order it came: an open-addressing table of their numbers,
// for the millions of words of an import, most of which come many times. Each slot keeps the word's
// hash beside its number, so that a probe reads a word only when the hashes agree.
class WordNumbers {
 public:
  explicit WordNumbers(std::size_t expected) {
    std::size_t size = 1024;
    while (size < expected * 2) size *= 2;
    reserveLarge(slots_, size);
    slots_.assign(size, 0);
    words_.reserve(expected);
  }
  static std::uint64_t hashOf(std::string_view word) { return std::hash<std::string_view>{}(word); }
  // The number of the word, a new one when it comes for the first time: keep then gives a view of
  // it that stays valid as long as the table.
  template <typename Keep>
  std::uint32_t numberOf(std::string_view word, std::uint64_t hash, Keep keep) {
    if (words_.size() * 2 >= slots_.size()) grow();
    const std::uint64_t tag = hash >> 32 << 32;
    std::size_t at = hash & (slots_.size() - 1);
    for (; slots_[at] != 0; at = (at + 1) & (slots_.size() - 1))
      if ((slots_[at] & ~numberMask) == tag && words_[(slots_[at] & numberMask) - 1] == word)
        return static_cast<std::uint32_t>((slots_[at] & numberMask) - 1);
    words_.push_back(keep(word));
    slots_[at] = tag | words_.size();
    return static_cast<std::uint32_t>(words_.size() - 1);
  }
  // A lookup reads its slot, then the word's view, then the word: each can be fetched ahead once
  // the one before it is at hand.
  void fetchSlot(std::uint64_t hash) const { __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]); }
  void fetchView(std::uint64_t hash) const {
    if (const std::uint64_t slot = slots_[hash & (slots_.size() - 1)])
      __builtin_prefetch(&words_[(slot & numberMask) - 1]);
  }
  void fetchWord(std::uint64_t hash) const {
    if (const std::uint64_t slot = slots_[hash & (slots_.size() - 1)])
      __builtin_prefetch(words_[(slot & numberMask) - 1].data());
  }
  const std::vector<std::string_view>& words() const { return words_; }

 private:
  static constexpr std::uint64_t numberMask = 0xFFFFFFFF;
  void grow() {
    std::vector<std::uint64_t> old;
    reserveLarge(old, slots_.size() * 2);
    old.assign(slots_.size() * 2, 0);
    old.swap(slots_);
    for (const std::uint64_t slot : old) {
      if (slot == 0) continue;
      std::size_t at = hashOf(words_[(slot & numberMask) - 1]) & (slots_.size() - 1);
      while (slots_[at] != 0) at = (at + 1) & (slots_.size() - 1);
      slots_[at] = slot;
    }
  }
  std::vector<std::uint64_t> slots_;  // the hash's upper half, and the word's number + 1; 0 is free
  std::vector<std::string_view> words_;
};

}  // namespace zembo
