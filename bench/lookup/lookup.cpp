// Lookup speed at a million records: a keystroke's lookup (findTypedWord: findWord bisecting the
// word file, in the page cache, read through the store's mapping, then the equal words' spellings) under a sort table
// and under the "french" locale, beside the same bisection over records held in memory, the floor of what a lookup can
// cost, and their ratio. Then the whole-word lookup of a word taken from a text, which falls back to the word's
// Hunspell stems when it is no headword (one bisection more per stem), beside findWord over the same text.
//
//   bench_lookup [records]    (default 1000000; works in a folder under /tmp)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/benchutil.h"
#include "directions/directions.h"
#include "formats/sorttable.h"
#include "morphology/morphology.h"
#include "platform/codepage.h"
#include "platform/collation.h"
#include "resources/uilanguage.h"
#include "store/collate.h"
#include "store/currentdirection.h"
#include "store/store.h"
#include "tests/support/wordgen.h"

namespace {

using namespace zembo;
using bench::Clock;

struct Sample {
  std::vector<WordRecord> records;  // sorted in the direction's collation
  std::vector<std::string> keys;    // half present, half absent, in random order
};

Sample makeSample(int count, bool byTable) {
  bench::WordGenerator gen;
  struct Keyed {
    std::string key;
    WordRecord record;
  };
  std::vector<Keyed> all(static_cast<std::size_t>(count));
  CollationKeyMaker maker;
  for (Keyed& k : all) {
    const std::string w = gen.word();
    setField(k.record.word, sizeof k.record.word, w);
    setField(k.record.translation, sizeof k.record.translation, gen.translation(2));
    if (byTable)
      sortTableKey(store.collation.sortTable, w, k.key);
    else
      maker.makeKey(w, k.key);
  }
  std::sort(all.begin(), all.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
  Sample s;
  for (const Keyed& k : all) s.records.push_back(k.record);
  bench::WordGenerator other(7);
  for (int i = 0; i < 10000; ++i) {
    if (i % 2 == 0)
      s.keys.emplace_back(wordOf(s.records[other.next() % s.records.size()]));
    else
      s.keys.push_back(other.word() + "zq");
  }
  return s;
}

int findInMemory(const std::vector<WordRecord>& records, const std::string& key) {
  int lo = 0, hi = static_cast<int>(records.size()) - 1, mid = 0;
  while (lo <= hi) {
    mid = (lo + hi) / 2;
    const int c = compareWords(wordOf(records[static_cast<std::size_t>(mid)]), key);
    if (c == 0) return mid;
    if (c < 0)
      lo = mid + 1;
    else
      hi = mid - 1;
  }
  return lo;
}

struct Figures {
  double median, p99;
};

// A text of 10000 word tokens: half of them headwords as they stand, a quarter plurals in "s" of
// headwords (which the Hunspell dictionary written beside knows), a quarter words of no entry.
std::vector<std::string> makeText(const Sample& sample) {
  bench::WordGenerator gen(11);
  const auto plainHeadword = [&] {
    for (;;) {
      const std::string w(wordOf(sample.records[gen.next() % sample.records.size()]));
      if (w.find_first_of(" -") == std::string::npos) return w;
    }
  };
  std::vector<std::string> text, inflected;
  for (int i = 0; i < 10000; ++i) {
    switch (i % 4) {
      case 0:
      case 1:
        text.push_back(plainHeadword());
        break;
      case 2:
        inflected.push_back(plainHeadword());
        text.push_back(inflected.back() + "s");
        break;
      default:
        text.push_back(gen.word() + "zq");
    }
  }
  std::ofstream("hunspell/fr_FR.aff") << "SET UTF-8\nSFX S Y 1\nSFX S 0 s .\n";
  std::ofstream dic("hunspell/fr_FR.dic");
  dic << inflected.size() << "\n";
  for (const std::string& w : inflected) dic << toUtf8(w, 1252) << "/S\n";
  return text;
}

template <typename Lookup>
Figures measure(const std::vector<std::string>& keys, Lookup lookup) {
  std::vector<double> micros;
  micros.reserve(keys.size());
  volatile int sink = 0;
  for (const std::string& key : keys) {
    const auto start = Clock::now();
    sink = sink + lookup(key);
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::sort(micros.begin(), micros.end());
  return {micros[micros.size() / 2], micros[micros.size() * 99 / 100]};
}

void run(int count, bool byTable) {
  std::FILE* t = std::fopen("tables/French.stb", "wb");
  const std::string table = bench::frenchSortTable();
  if (byTable) std::fwrite(table.data(), 1, table.size(), t);
  std::fclose(t);
  if (!byTable) std::filesystem::remove("tables/French.stb");
  loadDirections();
  setCurrentDirection(directions.directionList);  // French to English
  prepareCurrentCollation();
  const Sample sample = makeSample(count, byTable);
  {
    std::ofstream out("language/Fre_Eng.zb", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(sample.records.data()),
              static_cast<std::streamsize>(sample.records.size() * sizeof(WordRecord)));
  }
  reopenStore();
  WordRecord record;
  for (int i = 0; i < store.wordCount; i += 48) readWordRecord(i, record);  // into the page cache
  const auto lookUp = [](const std::string& k) { return findTypedWord(k); };
  measure(sample.keys, lookUp);  // warm up
  const Figures file = measure(sample.keys, lookUp);
  const Figures memory = measure(sample.keys, [&](const std::string& k) { return findInMemory(sample.records, k); });
  std::printf(
      "%-12s %9d records   typed lookup: median %6.2f us  p99 %6.2f us   in memory: median %6.2f us  p99 %6.2f us"
      "   ratio of medians %.2f\n",
      byTable ? "sort table" : "\"french\"", store.wordCount, file.median, file.p99, memory.median, memory.p99,
      file.median / memory.median);
  const std::vector<std::string> text = makeText(sample);
  setHunspellFolder("hunspell");
  int asTheyStand = 0, withFallback = 0;
  std::string form;
  for (const std::string& w : text) {
    asTheyStand += isHeadwordAt(store, findWord(w), w);
    const int at = findWholeWord(w, form);
    withFallback += isHeadwordAt(store, at, form);
  }
  const auto wholeWord = [&form](const std::string& k) { return findWholeWord(k, form); };
  measure(text, wholeWord);  // warm up
  const Figures plainText = measure(text, lookUp);
  const Figures fallback = measure(text, wholeWord);
  std::printf(
      "%-12s text of %zu words   typed lookup: median %6.2f us  p99 %6.2f us   whole word with stems: median %6.2f us"
      "  p99 %6.2f us   headwords reached %.0f%% -> %.0f%%\n",
      "", text.size(), plainText.median, plainText.p99, fallback.median, fallback.p99,
      100.0 * asTheyStand / static_cast<double>(text.size()), 100.0 * withFallback / static_cast<double>(text.size()));
  closeStoreFiles();
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zembo-bench-lookup";
  std::filesystem::create_directories(folder / "language");
  std::filesystem::create_directories(folder / "tables");
  std::filesystem::create_directories(folder / "hunspell");
  std::filesystem::current_path(folder);
  std::ofstream("dict.ini") << "[language]\nFrench,french,0\n";
  setUiBase(500);
  std::printf("10000 lookups, half present, half absent, word file in the page cache\n");
  run(count, true);
  run(count, false);
  std::filesystem::current_path("/");
  std::filesystem::remove_all(folder);
  return 0;
}
