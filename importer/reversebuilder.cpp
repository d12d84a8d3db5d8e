#include "importer/reversebuilder.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string_view>
#include <utility>

#include "formats/reverselist.h"
#include "importer/entries.h"
#include "importer/largetables.h"
#include "importer/wordnumbers.h"
#include "platform/codepage.h"

namespace zembo {

namespace {

// The text with one byte in place of another, kept where views into it stay valid.
std::string_view withReplaced(std::string_view text, char from, char to, std::deque<std::string>& kept) {
  if (from == 0 || to == 0 || text.find(from) == std::string_view::npos) return text;
  std::string& copy = kept.emplace_back(text);
  std::replace(copy.begin(), copy.end(), from, to);
  return copy;
}

}  // namespace

char innerCommaOf(int codePage) {
  std::string sign;
  return fromUtf8Exactly("\u201A", codePage, sign) ? sign[0] : '\0';
}

std::vector<WordRecord> reverseRecords(const std::vector<WordRecord>& forward, InnerCommas commas, StepClock& clock) {
  struct Part {
    std::uint32_t word;  // in words
    std::uint64_t from;  // the translation's place among those of its headword, above the headword's run
  };
  std::vector<Part> parts;
  reserveLarge(parts, forward.size() * 4);
  WordNumbers numbers(forward.size());
  // The words are numbered a block of records at a time, their table entries fetched ahead: the
  // table is far larger than the caches, and most of the time would go to waiting for memory.
  struct Pending {
    std::string_view word;
    std::uint64_t hash, from;
  };
  std::vector<Pending> pending;
  const auto keepView = [](std::string_view word) { return word; };  // the forward records stay
  std::deque<std::string> plainCommaWords;
  const auto numberPending = [&] {
    for (std::size_t j = 0; j < pending.size(); ++j) {
      if (j + 16 < pending.size()) numbers.fetchView(pending[j + 16].hash);
      if (j + 8 < pending.size()) numbers.fetchWord(pending[j + 8].hash);
      parts.push_back({numbers.numberOf(pending[j].word, pending[j].hash, keepView), pending[j].from});
    }
    pending.clear();
  };
  std::uint32_t place = 0, run = 0;
  std::string_view previous;
  for (std::size_t i = 0; i < forward.size(); ++i) {
    const std::string_view fromWord = wordOf(forward[i]);
    if (fromWord != previous) place = 0, run = static_cast<std::uint32_t>(i);
    previous = fromWord;
    forEachReverseWord(fromWord, translationOf(forward[i]), [&](std::string_view word) {
      word = withReplaced(word, commas.translations, ',', plainCommaWords);
      const std::uint64_t hash = WordNumbers::hashOf(word);
      numbers.fetchSlot(hash);
      pending.push_back({word, hash, std::uint64_t{place++} << 32 | run});
    });
    if (pending.size() >= 256) numberPending();
    clock.poll();
  }
  numberPending();
  // Grouped by word with one counting pass; within a word, by place and then by headword.
  const std::vector<std::string_view>& words = numbers.words();
  std::vector<std::uint32_t> starts(words.size() + 1, 0);
  for (const Part& part : parts) ++starts[part.word + 1];
  for (std::size_t w = 1; w <= words.size(); ++w) starts[w] += starts[w - 1];
  std::vector<std::uint64_t> grouped;
  reserveLarge(grouped, parts.size());
  grouped.resize(parts.size());
  {
    std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
    for (const Part& part : parts) grouped[next[part.word]++] = part.from;
  }
  std::vector<Part>().swap(parts);
  std::vector<WordRecord> out;
  // A record holds one translation at least, and a headword always fits a translation field.
  reserveLarge(out, grouped.size());
  std::int64_t none = 0;
  // The last word (+ 1) that each headword's run gave: a word names each headword once.
  std::vector<std::uint32_t> lastWordOfRun(forward.size(), 0);
  for (std::uint32_t w = 0; w < words.size(); ++w) {
    std::sort(grouped.begin() + starts[w], grouped.begin() + starts[w + 1]);
    clock.poll();
  }
  std::vector<std::string_view> translations;
  std::deque<std::string> innerCommaHeadwords;
  for (std::uint32_t w = 0, at = 0; w < words.size(); ++w) {
    translations.clear();
    innerCommaHeadwords.clear();
    for (; at < starts[w + 1]; ++at) {
      if (at + 16 < grouped.size()) {  // the headwords lie all over memory: fetched ahead
        __builtin_prefetch(&forward[static_cast<std::uint32_t>(grouped[at + 16])]);
        __builtin_prefetch(&lastWordOfRun[static_cast<std::uint32_t>(grouped[at + 16])]);
      }
      const auto from = static_cast<std::uint32_t>(grouped[at]);
      if (std::exchange(lastWordOfRun[from], w + 1) != w + 1)
        translations.push_back(withReplaced(wordOf(forward[from]), ',', commas.headwords, innerCommaHeadwords));
    }
    appendWordRecords(words[w], translations, out, none);
    clock.poll();
  }
  return out;
}

}  // namespace zembo
