#include "importer/compounds.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <future>

#include "platform/codepage.h"

namespace zembo {

namespace {

constexpr std::size_t shortestWord = 4;  // letters of a word whose compounds count
constexpr std::size_t longerBy = 3;      // letters a compound has more than its word

bool isCompoundCandidate(std::string_view word) {
  return word.size() >= shortestWord && word.find(' ') == std::string_view::npos;
}

std::uint64_t headOf(std::string_view text) {
  std::uint64_t head = 0;
  for (std::size_t i = 0; i < 8; ++i) head = head << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
  return head;
}

}  // namespace

CompoundIndex::CompoundIndex(int codePage, std::size_t count,
                             const std::function<std::string_view(std::size_t)>& wordOf) {
  // Each byte folds to the byte of its lower-case letter in the same code page, if it has one.
  const CodePageTable& table = codePageTable(codePage);
  for (std::size_t b = 0; b < 256; ++b) {
    fold_[b] = static_cast<unsigned char>(b);
    const auto lower = static_cast<char16_t>(u_tolower(table[b]));
    if (lower == table[b]) continue;
    const auto* at = std::find(table.begin(), table.end(), lower);
    if (at != table.end()) fold_[b] = static_cast<unsigned char>(at - table.begin());
  }
  auto backwards = std::async(std::launch::async, [&] { build(backwards_, true, count, wordOf); });
  build(forwards_, false, count, wordOf);
  backwards.get();
}

void CompoundIndex::build(Side& side, bool backwards, std::size_t count,
                          const std::function<std::string_view(std::size_t)>& wordOf) const {
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < count; ++i) bytes += wordOf(i).size();
  side.text.reserve(bytes);
  side.keys.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view word = wordOf(i);
    if (!isCompoundCandidate(word)) continue;
    const auto at = static_cast<std::uint32_t>(side.text.size());
    for (const char c : word) side.text += static_cast<char>(fold_[static_cast<unsigned char>(c)]);
    if (backwards) std::reverse(side.text.begin() + at, side.text.end());
    const auto size = static_cast<std::uint32_t>(word.size());
    side.keys.push_back({headOf(std::string_view(side.text).substr(at)), at, size, static_cast<std::uint32_t>(i)});
  }
  std::sort(side.keys.begin(), side.keys.end(), [&side](const Key& a, const Key& b) {
    return a.head != b.head ? a.head < b.head : side.textOf(a) < side.textOf(b);
  });
}

void CompoundIndex::collect(const Side& side, std::string_view key, std::size_t limit,
                            std::vector<std::uint32_t>& out) {
  // The first word not before the key: heads compare as the words' first eight bytes do.
  const std::uint64_t head = headOf(key);
  auto at = std::lower_bound(side.keys.begin(), side.keys.end(), key, [&](const Key& k, std::string_view wanted) {
    return k.head != head ? k.head < head : side.textOf(k) < wanted;
  });
  for (std::size_t taken = 0; at != side.keys.end() && taken < limit && side.textOf(*at).starts_with(key); ++at)
    if (at->size >= key.size() + longerBy) {
      out.push_back(at->entry);
      ++taken;
    }
}

void CompoundIndex::compoundsOf(std::string_view word, std::size_t limit, std::vector<std::uint32_t>& out) const {
  out.clear();
  if (!isCompoundCandidate(word)) return;
  std::string key;
  for (const char c : word) key += static_cast<char>(fold_[static_cast<unsigned char>(c)]);
  collect(forwards_, key, limit, out);
  std::reverse(key.begin(), key.end());
  collect(backwards_, key, limit, out);
}

}  // namespace zembo
