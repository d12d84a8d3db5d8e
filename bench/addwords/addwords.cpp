// Adding words on a large dictionary: a word file of 1,000,000 records and its reverse twin of
// 1,000,000, both sorted, under "french" with a sort table. Twice 20 pairs of two translation parts
// each are stored through storeEntry (each one timed, with its steps: the current file, the
// new-entries log, the reverse file, and the page faults met): first on the pages as the session
// mapped them in, then once every page was read, where the median is to stay under 0.3 ms. Beside
// them beginAddingWords, and a baseline measured in the same run: making the reverse
// direction current and back once per pair, which is what storing a pair cost while the process
// switched directions for it. Then resortOnClose is timed whole and broken down (load and check,
// tail keys, merge, write, flush, rename, reopen) beside two full sortWordFile runs of the same
// files, with the ratio. Best of three runs.
//
//   bench_addwords [records]    (default 1000000; works in a folder under /tmp)

#include <QApplication>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "addwords/addwords.h"
#include "bench/benchutil.h"
#include "directions/directions.h"
#include "resources/uilanguage.h"
#include "store/currentdirection.h"
#include "store/sort.h"
#include "store/store.h"
#include "tests/support/wordgen.h"

namespace {

using namespace zembo;
using bench::Clock;
using bench::secondsSince;
namespace fs = std::filesystem;

constexpr int runs = 3;
constexpr int pairs = 20;

void writeRecords(const char* path, int count, bench::WordGenerator& gen) {
  std::vector<WordRecord> records(static_cast<std::size_t>(count));
  for (WordRecord& r : records) {
    r = WordRecord{};
    setField(r.word, sizeof r.word, gen.word());
    setField(r.translation, sizeof r.translation, gen.translation(2));
  }
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(records.data()),
             static_cast<std::streamsize>(records.size() * sizeof(WordRecord)));
}

void openDirection(DictionaryDirection* d) { makeDirectionCurrent(d); }

long minorFaults() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The times of storing pairs, in seconds, with their steps, and the page faults they met.
struct StoreTimes {
  std::vector<double> total, current, log, reverse;
  double faultsPerPair = 0;
};

StoreTimes storePairs(bench::WordGenerator& gen) {
  StoreTimes t;
  const long faultsBefore = minorFaults();
  for (int i = 0; i < pairs; ++i) {
    EntryTexts texts{gen.word(), ""};
    do texts.translation = gen.word() + "," + gen.word();
    while (texts.translation.size() > 49);
    const auto start = Clock::now();
    if (storeEntry(texts) != StoreOutcome::stored) std::printf("storeEntry stored nothing\n");
    t.total.push_back(secondsSince(start));
    t.current.push_back(adding.entryTimings.current);
    t.log.push_back(adding.entryTimings.log);
    t.reverse.push_back(adding.entryTimings.reverse);
  }
  t.faultsPerPair = static_cast<double>(minorFaults() - faultsBefore) / pairs;
  return t;
}

// Both word files generated and sorted once; each run starts from copies of them.
void makeSortedFiles(int count) {
  bench::WordGenerator gen;
  writeRecords("language/Fre_Eng.zb", count, gen);
  writeRecords("language/Eng_Fre.zb", count, gen);
  loadDirections();
  for (DictionaryDirection* d : {directions.directionList, directions.directionList->next}) {
    openDirection(d);
    sortWordFile();
  }
  closeStoreFiles();
  fs::copy_file("language/Fre_Eng.zb", "Fre_Eng.sorted", fs::copy_options::overwrite_existing);
  fs::copy_file("language/Eng_Fre.zb", "Eng_Fre.sorted", fs::copy_options::overwrite_existing);
}

struct Figures {
  double resort = 1e9, fullSorts = 1e9, storeWorst = 1e9, storeMedian = 1e9, switchMedian = 1e9;
  double currentMedian = 1e9, logMedian = 1e9, reverseMedian = 1e9, faultsPerEntry = 0, sessionStart = 1e9;
  double coldMedian = 1e9, coldFaultsPerEntry = 0;
  SortTimings parts[2];
  double partsTotal = 1e9;
};

double sum(const SortTimings& t) { return t.load + t.keys + t.sort + t.write + t.flush + t.rename + t.reopen; }

void runOnce(Figures& best) {
  fs::copy_file("Fre_Eng.sorted", "language/Fre_Eng.zb", fs::copy_options::overwrite_existing);
  fs::copy_file("Eng_Fre.sorted", "language/Eng_Fre.zb", fs::copy_options::overwrite_existing);
  openDirection(directions.directionList);
  // The baseline, before the session: the reverse direction made current and back, once per pair.
  std::vector<double> switches;
  for (int i = 0; i < pairs; ++i) {
    const auto start = Clock::now();
    openDirection(directions.directionList->next);
    openDirection(directions.directionList);
    switches.push_back(secondsSince(start));
  }
  const auto sessionStart = Clock::now();
  beginAddingWords();
  const double begin = secondsSince(sessionStart);
  bench::WordGenerator gen(7);
  // First on the pages as the session mapped them in, then once the session has read every page,
  // as its lookups come to: what stays is the cost of storing itself.
  const StoreTimes cold = storePairs(gen);
  WordRecord record;
  for (int i = 0; i < store.wordCount; i += 48) readWordRecord(i, record);
  for (int i = 0; i < adding.reverse.wordCount; i += 48) readWordRecord(adding.reverse, i, record);
  const StoreTimes warm = storePairs(gen);
  closeStoreFiles();
  fs::copy_file("language/Fre_Eng.zb", "Fre_Eng.tail", fs::copy_options::overwrite_existing);
  fs::copy_file("language/Eng_Fre.zb", "Eng_Fre.tail", fs::copy_options::overwrite_existing);
  openDirection(directions.directionList);

  const auto start = Clock::now();
  resortOnClose();
  const double resort = secondsSince(start);
  if (resortOwed()) std::printf("resortOnClose failed\n");

  // The baseline: the same two files with their tails, each sorted whole.
  closeStoreFiles();
  fs::copy_file("Fre_Eng.tail", "language/Fre_Eng.zb", fs::copy_options::overwrite_existing);
  fs::copy_file("Eng_Fre.tail", "language/Eng_Fre.zb", fs::copy_options::overwrite_existing);
  double fullSorts = 0;
  for (DictionaryDirection* d : {directions.directionList->next, directions.directionList}) {
    openDirection(d);
    const auto sortStart = Clock::now();
    if (sortWordFile() != 0) std::printf("sortWordFile failed\n");
    fullSorts += secondsSince(sortStart);
  }
  closeStoreFiles();

  best.storeWorst = std::min(best.storeWorst, *std::max_element(warm.total.begin(), warm.total.end()));
  if (median(warm.total) < best.storeMedian) {
    best.storeMedian = median(warm.total);
    best.currentMedian = median(warm.current);
    best.logMedian = median(warm.log);
    best.reverseMedian = median(warm.reverse);
    best.faultsPerEntry = warm.faultsPerPair;
  }
  if (median(cold.total) < best.coldMedian) {
    best.coldMedian = median(cold.total);
    best.coldFaultsPerEntry = cold.faultsPerPair;
  }
  best.sessionStart = std::min(best.sessionStart, begin);
  best.switchMedian = std::min(best.switchMedian, median(switches));
  best.fullSorts = std::min(best.fullSorts, fullSorts);
  if (resort < best.resort) {
    best.resort = resort;
    best.parts[0] = adding.resortTimings[0];
    best.parts[1] = adding.resortTimings[1];
  }
}

void printParts(const char* name, const SortTimings& p) {
  std::printf(
      "    %-8s %.3f s: load+check %.3f  tail keys %.3f  merge %.3f  write %.3f  flush %.3f  rename %.3f  reopen "
      "%.3f\n",
      name, sum(p), p.load, p.keys, p.sort, p.write, p.flush, p.rename, p.reopen);
}

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
  const fs::path folder = fs::temp_directory_path() / "zembo-bench-addwords";
  fs::create_directories(folder / "language");
  fs::create_directories(folder / "tables");
  fs::create_directories(folder / "new");
  fs::current_path(folder);
  std::ofstream("dict.ini") << "[language]\nFrench,french,0\n\n[selected]\nFre_Eng.zb\n";
  const std::string table = bench::frenchSortTable();
  for (const char* name : {"tables/French.stb", "tables/English.stb"})
    std::ofstream(name, std::ios::binary).write(table.data(), static_cast<std::streamsize>(table.size()));
  setUiBase(500);
  makeSortedFiles(count);
  Figures best;
  for (int run = 0; run < runs; ++run) runOnce(best);
  std::printf("best of %d runs, %d records in each file, twice %d pairs of two parts stored\n", runs, count, pairs);
  std::printf(
      "  storeEntry        median %.3f ms, slowest %.3f ms (every page read once)   limit of the median 0.3 ms: %s\n",
      1000 * best.storeMedian, 1000 * best.storeWorst, best.storeMedian < 0.0003 ? "kept" : "EXCEEDED");
  std::printf("    steps (medians) current file %.3f ms  new-entries log %.3f ms  reverse file %.3f ms\n",
              1000 * best.currentMedian, 1000 * best.logMedian, 1000 * best.reverseMedian);
  std::printf("    page faults per storeEntry %.1f\n", best.faultsPerEntry);
  std::printf(
      "  storeEntry        median %.3f ms on the pages as the session mapped them in, %.1f page faults each"
      ";\n"
      "                    what remains there is the first touch of each page, which a virtual machine makes dear\n",
      1000 * best.coldMedian, best.coldFaultsPerEntry);
  std::printf("  beginAddingWords  %.3f ms (both files opened and their pages mapped in)\n", 1000 * best.sessionStart);
  std::printf(
      "  baseline          direction switched to the reverse and back: median %.3f ms   storeEntry / baseline: %.2f\n",
      1000 * best.switchMedian, best.storeMedian / best.switchMedian);
  std::printf("  resortOnClose     %.3f s (both files, the sorting window included)\n", best.resort);
  printParts("reverse", best.parts[0]);
  printParts("current", best.parts[1]);
  std::printf("  two sortWordFile  %.3f s   full sorts / resortOnClose: %.2fx\n", best.fullSorts,
              best.fullSorts / best.resort);
  fs::current_path("/");
  fs::remove_all(folder);
  return 0;
}
