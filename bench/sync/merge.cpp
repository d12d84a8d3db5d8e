// Merging what Syncthing left in a learner's folder when two computers changed it apart: both word
// files of an imported language (each computer corrected, deleted and added entries) and a list's
// review log (each graded the list's cards), timed whole and per file, beside the baseline of
// writing the same word files once through a safe replacement (read, write, flush, rename), each
// the best of three.
//
//   bench_merge FOLDER   (a zembo folder with deu-eng imported; it is copied, never changed)

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bench/benchutil.h"
#include "directions/directions.h"
#include "platform/codepage.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "platform/safefiles.h"
#include "resources/uilanguage.h"
#include "review/reviewlog.h"
#include "store/currentdirection.h"
#include "store/editlog.h"
#include "store/sort.h"
#include "store/store.h"
#include "sync/merge.h"

namespace {

using namespace zembo;
namespace fs = std::filesystem;
using bench::Clock;
using bench::secondsSince;

constexpr int editsPerComputer = 50;
constexpr int reviewsPerComputer = 500;
const char* const stamp = ".sync-conflict-20261210-101500-BBBBBBB";

void openGerman() {
  resetStoreState();
  readUiLanguage();
  setFileNameCodePage(uiCodePage());
  startRecordingMessageBoxes();
  loadDirections();
  for (DictionaryDirection* d = directions.directionList; d; d = d->next)
    if (std::string(d->wordFileName) == "Ger_Eng.zb") makeDirectionCurrent(d);
}

// One computer's study: corrections and deletes spread over the file, added entries, reviews.
void study(int computer) {
  openGerman();
  for (int i = 0; i < editsPerComputer; ++i) {
    WordRecord record;
    const int index = (i * 7919 + computer * 104729) % store.wordCount;
    readWordRecord(index, record);
    if (i % 5 == 0)
      record.flags = 1;
    else
      setField(record.translation, sizeof record.translation, "changed on computer " + std::to_string(computer));
    writeWordRecord(index, record);
    WordRecord added{};
    setField(added.word, sizeof added.word, "Wort" + std::to_string(computer) + "_" + std::to_string(i));
    setField(added.translation, sizeof added.translation, "word");
    appendWordRecord(added);
  }
  closeStoreFiles();
  std::string log = reviewLogText({});
  for (int i = 0; i < reviewsPerComputer; ++i) {
    Card card;
    card.word = "Karte" + std::to_string(i % 100);
    appendReviewLine(log, gradeCard(FsrsParameters{}, "default", card, 3, 1'765'000'000 + computer * 3600 + i * 60));
  }
  std::ofstream("list/Lernen/Ger_Eng.log.tsv", std::ios::binary) << log;
}

fs::path conflictName(const fs::path& file) {
  return file.parent_path() / (file.stem().string() + stamp + file.extension().string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_merge FOLDER (a zembo folder with deu-eng imported)\n");
    return 2;
  }
  const fs::path source = fs::absolute(argv[1]), work = fs::temp_directory_path() / "zembo-bench-merge";
  const std::vector<fs::path> files = {"language/Ger_Eng.zb", "language/Eng_Ger.zb", "new/German_English.edits",
                                       "list/Lernen/Ger_Eng.log.tsv"};
  // Two computers' folders from the same start, each changed apart; then the laptop's as Syncthing
  // leaves it: its own files under their names, the desktop's beside them.
  fs::remove_all(work);
  for (const char* computer : {"laptop", "desktop"}) {
    const fs::path folder = work / computer;
    fs::create_directories(folder / "language");
    fs::create_directories(folder / "list" / "Lernen");
    for (const char* name : {"language.ini", "dict.ini", "language/Ger_Eng.zb", "language/Eng_Ger.zb"})
      fs::copy_file(source / name, folder / name);
    fs::current_path(folder);
    study(computer[0] == 'd' ? 2 : 1);
  }
  for (const fs::path& file : files) fs::copy_file(work / "desktop" / file, work / "laptop" / conflictName(file));
  fs::current_path(work);
  fs::copy(work / "laptop", work / "pristine", fs::copy_options::recursive);

  std::map<std::string, double> perFile;
  SortTimings sort;
  MergeCounts counts;
  const double merge = bench::bestOfThree([&] {
    fs::current_path(work);
    fs::remove_all(work / "laptop");
    fs::copy(work / "pristine", work / "laptop", fs::copy_options::recursive);
    fs::current_path(work / "laptop");
    openGerman();
    closeStoreFiles();
    std::map<std::string, double> times;
    auto last = Clock::now();
    counts = mergeConflictCopies({[&](const char* step, const fs::path& original) {
      if (std::string(step) != "removed") return;
      times[original.lexically_normal().string()] = secondsSince(last);
      last = Clock::now();
    }});
    sort = sorting.sortTimings;  // of the German word file, the one merged word file that changed
    if (perFile.empty() || times.size() == perFile.size())
      for (const auto& [name, seconds] : times)
        perFile[name] = perFile.count(name) ? std::min(perFile[name], seconds) : seconds;
  });
  const double baseline = bench::bestOfThree([&] {
    for (const char* name : {"language/Ger_Eng.zb", "language/Eng_Ger.zb"}) {
      std::ifstream in(work / "pristine" / name, std::ios::binary);
      const std::string bytes{std::istreambuf_iterator<char>(in), {}};
      replaceFileSafely(work / "baseline.zb", [&](std::FILE* out) {
        return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
      });
    }
  });

  struct stat st {};
  ::stat((work / "pristine" / "language/Ger_Eng.zb").c_str(), &st);
  std::printf("folder: %s (Ger_Eng.zb %lld records)\n", source.c_str(), static_cast<long long>(st.st_size / 84));
  std::printf("each computer: %d corrections or deletes, %d added entries, %d reviews\n", editsPerComputer,
              editsPerComputer, reviewsPerComputer);
  std::printf("merged: %d conflict copies, %d reviews, %d edits from the other computer, %zu left\n", counts.copies,
              counts.reviews, counts.edits, counts.failed.size());
  std::printf("merge (best of 3):              %8.3f s\n", merge);
  std::printf("baseline, both word files written once: %8.3f s\n", baseline);
  std::printf("ratio:                          %8.2f\n", merge / baseline);
  std::printf("where the merge's time goes (best of 3 per file):\n");
  for (const auto& [name, seconds] : perFile) std::printf("  %-40s %8.3f s\n", name.c_str(), seconds);
  std::printf(
      "  of which the sort of the merged Ger_Eng.zb (last run): load %.3f, keys %.3f, sort %.3f, write %.3f, "
      "flush %.3f, rename %.3f s\n",
      sort.load, sort.keys, sort.sort, sort.write, sort.flush, sort.rename);
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(work);
  return counts.failed.empty() ? 0 : 1;
}
