// Sorting speed: sortWordFile on word files of 100,000 and 1,000,000 records with 1% deleted,
// under a sort table and under "french", the whole operation timed (load, sort, write, flush to
// disk, rename, reopen), beside GNU sort of the same words as UTF-8 text in the same run.
//
//   bench_sort [records...]    (default 100000 1000000; works in a folder under /tmp)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "directions/directions.h"
#include "bench/benchutil.h"
#include "bench/wordgen.h"
#include "platform/codepage.h"
#include "resources/uilanguage.h"
#include "store/collate.h"
#include "store/sort.h"
#include "store/store.h"

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

double timeSortWordFile(bool byTable) {
  const std::string table = bench::frenchSortTable();
  if (byTable)
    std::ofstream("tables/French.stb", std::ios::binary).write(table.data(), static_cast<std::streamsize>(table.size()));
  else
    std::filesystem::remove("tables/French.stb");
  loadDirections();
  currentDirection = directionList;
  openWordFile();
  countWordRecords();
  const auto start = Clock::now();
  const int result = sortWordFile();
  const double seconds = secondsSince(start);
  if (result != 0) std::printf("sortWordFile failed\n");
  closeStoreFiles();
  return seconds;
}

double timeGnuSort(const char* locale) {
  const std::string command = std::string("LC_ALL=") + locale + " sort -o sorted.txt words.txt";
  const auto start = Clock::now();
  const int status = std::system(command.c_str());
  return status == 0 ? secondsSince(start) : -1;
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
  uiBase = 500;
  const bool french = bench::haveUtf8Locale("fr_FR");
  std::printf("%10s %14s %14s %18s %14s\n", "records", "sort table", "\"french\"", "sort fr_FR.UTF-8", "sort LC_ALL=C");
  for (int count : counts) {
    writeInput(count);
    const double table = timeSortWordFile(true);
    writeInput(count);
    const double locale = timeSortWordFile(false);
    const double gnuFrench = french ? timeGnuSort("fr_FR.UTF-8") : -1;
    const double gnuC = timeGnuSort("C");
    std::printf("%10d %12.3f s %12.3f s %16.3f s %12.3f s\n", count, table, locale, gnuFrench, gnuC);
  }
  std::filesystem::current_path("/");
  std::filesystem::remove_all(folder);
  return 0;
}
