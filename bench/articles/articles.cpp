// How long a lookup in an article file takes: every headword of a word file is looked up in the
// article file beside it, in random order (each lookup then inflates its chunk: the cost of a
// keystroke that lands far from the last one), then again in the file's order (neighbours share
// chunks less often than in a typed word, more often than at random), then words the file lacks.
// Run it on an imported language: bench_articles FOLDER/language/Ger_Eng.zb

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "formats/articlefile.h"
#include "formats/wordrecord.h"

namespace {

using Clock = std::chrono::steady_clock;

void report(const char* what, std::vector<double>& micros, std::size_t found) {
  if (micros.empty()) return;
  std::sort(micros.begin(), micros.end());
  const auto at = [&](double share) { return micros[static_cast<std::size_t>(share * (micros.size() - 1))]; };
  std::printf("%-28s %8zu lookups, %8zu found: median %7.1f us, 90%% %7.1f us, 99%% %7.1f us, max %8.1f us\n", what,
              micros.size(), found, at(0.5), at(0.9), at(0.99), micros.back());
}

void timeLookups(const char* what, const zembo::ArticleFile& file, const std::vector<std::string>& keys) {
  std::vector<double> micros;
  micros.reserve(keys.size());
  std::size_t found = 0;
  std::string articles, error;
  for (const std::string& key : keys) {
    const auto start = Clock::now();
    if (file.find(key, articles, error)) ++found;
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    if (!error.empty()) std::fprintf(stderr, "%s\n", error.c_str());
  }
  report(what, micros, found);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_articles WORDFILE (an imported word file, its .art beside it)\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::vector<std::string> keys;
  zembo::WordRecord record{};
  while (in.read(reinterpret_cast<char*>(&record), sizeof record)) {
    const std::string word(zembo::wordOf(record));
    if (keys.empty() || keys.back() != word) keys.push_back(word);
  }
  const auto openStart = Clock::now();
  zembo::ArticleFile file;
  std::string error;
  if (!file.open(zembo::articleFileOf(argv[1]), error)) {
    std::fprintf(stderr, "%s\n", error.empty() ? "no article file beside the word file" : error.c_str());
    return 1;
  }
  std::printf("%zu headwords; open %.2f ms\n", keys.size(),
              std::chrono::duration<double, std::milli>(Clock::now() - openStart).count());
  std::vector<std::string> shuffled = keys;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(35));
  shuffled.resize(std::min<std::size_t>(shuffled.size(), 100000));
  timeLookups("random order", file, shuffled);
  timeLookups("word file order", file, keys);
  for (std::string& key : shuffled) key += "qx";
  timeLookups("missing, random order", file, shuffled);
  return 0;
}
