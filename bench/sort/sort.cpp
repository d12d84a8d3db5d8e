// Sorting speed: sortWordFile on word files of 100,000 and 1,000,000 records with 1% deleted,
// under a sort table and under "french", the whole operation timed and broken down (load, keys,
// sort, write, flush to disk, rename, reopen), beside GNU sort of the same words as UTF-8 text
// under fr_FR.UTF-8 in the same run, with the ratio. Each figure is the best of three runs.
//
//   bench_sort [records...]    (default 100000 1000000; works in a folder under /tmp)

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
#include "platform/codepage.h"
#include "resources/uilanguage.h"
#include "store/collate.h"
#include "store/currentdirection.h"
#include "store/sort.h"
#include "store/store.h"
#include "tests/support/wordgen.h"

namespace {

using namespace zembo;
using bench::Clock;
using bench::secondsSince;

void writeInput(int count) {
  bench::WordGenerator gen;
  std::vector<WordRecord> records(static_cast<std::size_t>(count));
  std::ofstream text("words.txt", std::ios::binary | std::ios::trunc);
  for (WordRecord& r : records) {
    r = WordRecord{};
    const std::string w = gen.word();
    setField(r.word, sizeof r.word, w);
    setField(r.translation, sizeof r.translation, gen.translation(2));
    r.flags = gen.next() % 100 == 0 ? 1 : 0;
    text << toUtf8(w, 1252) << '\n';
  }
  std::ofstream out("language/Fre_Eng.zb", std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(records.data()),
            static_cast<std::streamsize>(records.size() * sizeof(WordRecord)));
}

constexpr int runs = 3;

struct SortFigures {
  double total = 1e9;
  SortTimings parts{1e9, 1e9, 1e9, 1e9, 1e9, 1e9, 1e9};
};

void keepBest(SortFigures& best, double total, const SortTimings& t) {
  best.total = std::min(best.total, total);
  SortTimings& b = best.parts;
  b = {std::min(b.load, t.load),    std::min(b.keys, t.keys),   std::min(b.sort, t.sort),
       std::min(b.write, t.write),  std::min(b.flush, t.flush), std::min(b.rename, t.rename),
       std::min(b.reopen, t.reopen)};
}

SortFigures timeSortWordFile(int count, bool byTable) {
  const std::string table = bench::frenchSortTable();
  if (byTable)
    std::ofstream("tables/French.stb", std::ios::binary)
        .write(table.data(), static_cast<std::streamsize>(table.size()));
  else
    std::filesystem::remove("tables/French.stb");
  SortFigures best;
  for (int run = 0; run < runs; ++run) {
    writeInput(count);
    loadDirections();
    makeDirectionCurrent(directions.directionList);
    const auto start = Clock::now();
    const int result = sortWordFile();
    const double seconds = secondsSince(start);
    if (result != 0) std::printf("sortWordFile failed\n");
    keepBest(best, seconds, sorting.sortTimings);
    closeStoreFiles();
  }
  return best;
}

double timeGnuSort(const char* locale) {
  const std::string command = std::string("LC_ALL=") + locale + " sort -o sorted.txt words.txt";
  double best = 1e9;
  for (int run = 0; run < runs; ++run) {
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) return -1;
    best = std::min(best, secondsSince(start));
  }
  return best;
}

void printFigures(const char* name, const SortFigures& f, double gnuFrench) {
  const SortTimings& p = f.parts;
  std::printf("  %-12s %7.3f s   load %.3f  keys %.3f  sort %.3f  write %.3f  flush %.3f  rename %.3f  reopen %.3f",
              name, f.total, p.load, p.keys, p.sort, p.write, p.flush, p.rename, p.reopen);
  if (gnuFrench > 0) std::printf("   GNU sort / this: %.2fx", gnuFrench / f.total);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {100000, 1000000};
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zembo-bench-sort";
  std::filesystem::create_directories(folder / "language");
  std::filesystem::create_directories(folder / "tables");
  std::filesystem::current_path(folder);
  std::ofstream("dict.ini") << "[language]\nFrench,french,0\n\n[selected]\nFre_Eng.zb\n";
  setUiBase(500);
  const bool french = bench::haveUtf8Locale("fr_FR");
  std::printf("best of %d runs of each figure, in seconds\n", runs);
  for (int count : counts) {
    const SortFigures table = timeSortWordFile(count, true);
    const SortFigures locale = timeSortWordFile(count, false);
    const double gnuFrench = french ? timeGnuSort("fr_FR.UTF-8") : -1;
    const double gnuC = timeGnuSort("C");
    std::printf("%d records: GNU sort fr_FR.UTF-8 %.3f s, LC_ALL=C %.3f s\n", count, gnuFrench, gnuC);
    printFigures("sort table", table, gnuFrench);
    printFigures("\"french\"", locale, gnuFrench);
  }
  std::filesystem::current_path("/");
  std::filesystem::remove_all(folder);
  return 0;
}
