// Speed of the installer's word-list builder: buildReverseList on a FROM list of a million
// records (two or three translation parts each) under the "dutch" collation, drawing on its
// window (offscreen unless a display is chosen), beside GNU sort of the same reverse words as
// UTF-8 text under nl_NL.UTF-8, in the same run.
//
//   bench_reverse [records]    (default 1000000; works in a folder under /tmp)

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/benchutil.h"
#include "formats/reverselist.h"
#include "installer/core/languages.h"
#include "installer/core/script.h"
#include "installer/core/wordlists.h"
#include "installer/window/installwindow.h"
#include "platform/codepage.h"
#include "platform/collation.h"
#include "platform/messagebox.h"
#include "tests/support/wordgen.h"

namespace {

using namespace zembo;
using bench::Clock;
using bench::secondsSince;

void writeFromList(int count) {
  bench::WordGenerator gen;
  std::FILE* out = std::fopen("taal/from.zb", "wb");
  for (int i = 0; i < count; ++i) {
    WordRecord r{};
    setField(r.word, sizeof r.word, gen.word());
    setField(r.translation, sizeof r.translation, gen.translation(2 + static_cast<int>(gen.next() % 2)));
    std::fwrite(&r, sizeof r, 1, out);
  }
  std::fclose(out);
}

// The words of the reverse records, one UTF-8 line each, made by the builder's own record writer.
void writeReverseWords() {
  std::vector<WordRecord> fromRecords;
  std::FILE* from = std::fopen("taal/from.zb", "rb");
  WordRecord r{};
  while (std::fread(&r, sizeof r, 1, from) == 1) fromRecords.push_back(r);
  std::fclose(from);
  std::FILE* parts = std::fopen("parts.zb", "w+b");
  writeReverseRecords(parts, fromRecords, {});
  std::rewind(parts);
  std::ofstream text("words.txt", std::ios::binary);
  while (std::fread(&r, sizeof r, 1, parts) == 1) text << toUtf8(wordOf(r), 1252) << '\n';
  std::fclose(parts);
}

// The TO list is in the order of the comparison, and no word occurs twice.
bool toListInOrder(std::size_t& count) {
  std::FILE* to = std::fopen("taal/to.zb", "rb");
  WordRecord previous{}, r{};
  count = 0;
  bool ok = true;
  while (std::fread(&r, sizeof r, 1, to) == 1) {
    if (count++ > 0 && (collateNoCase(wordOf(previous), wordOf(r)) > 0 || wordOf(previous) == wordOf(r))) ok = false;
    previous = r;
  }
  std::fclose(to);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zembo-bench-reverse";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder / "taal");
  std::filesystem::current_path(folder);
  writeFromList(count);
  writeReverseWords();

  resetScriptState();
  resetDrawingRows();
  startRecordingMessageBoxes();  // the final message answers itself
  setCollationLocale("dutch");
  useLanguage({"", "Bench", "from.zb", "to.zb"});
  InstallWindow window;
  window.show();
  const Clock::time_point buildStart = Clock::now();
  buildReverseList();
  const double buildSeconds = secondsSince(buildStart);

  double sortSeconds = -1;
  if (bench::haveUtf8Locale("nl_NL")) {
    const Clock::time_point sortStart = Clock::now();
    if (std::system("LC_ALL=nl_NL.UTF-8 sort -o sorted.txt words.txt") == 0) sortSeconds = secondsSince(sortStart);
  }
  std::size_t toCount = 0;
  const bool ordered = toListInOrder(toCount);
  std::printf("%d FROM records, %zu TO records (%s)\n", count, toCount, ordered ? "in order" : "OUT OF ORDER");
  std::printf("buildReverseList: %.2f s   GNU sort of the reverse words under nl_NL.UTF-8: ", buildSeconds);
  if (sortSeconds < 0)
    std::printf("not run (no nl_NL.UTF-8 locale)\n");
  else
    std::printf("%.2f s   (%.1fx)\n", sortSeconds, sortSeconds / buildSeconds);
  std::filesystem::current_path("/");
  std::filesystem::remove_all(folder);
  return ordered ? 0 : 1;
}
