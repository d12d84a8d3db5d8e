// Speed of zembo-import: a generated dictd dictionary of 400,000 headwords, with articles shaped
// like those of the FreeDict dictionaries (pronunciation, grammar labels, numbered senses, domain
// marks, examples, notes and references), imported by the program into a new folder, beside zcat
// of the same .dict.dz (the floor of reading it), in the same run; best of three each.
//
//   bench_import [headwords]    (default 400000; works in a folder under /tmp)

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/benchutil.h"
#include "bench/wordgen.h"
#include "platform/codepage.h"
#include "tests/support/dictdfiles.h"

namespace {

using namespace zembo;

std::string utf8(const std::string& cp1252) { return toUtf8(cp1252, 1252); }

// One article of the kinds the real dictionaries hold, chosen by the index.
test::DictdArticle makeArticle(bench::WordGenerator& words, int i) {
  const std::string headword = utf8(words.word());
  std::string text = headword + " /" + headword + "/ <" + (i % 3 ? "masc, n, sg" : "v") + ">\n";
  const int senses = 1 + i % 4;
  for (int s = 0; s < senses; ++s) {
    if (senses > 1) text += std::to_string(s + 1) + ". ";
    if (i % 5 == 0) text += "[techn.] ";
    text += utf8(words.translation(1 + (i + s) % 3)) + " <n>\n";
  }
  if (i % 4 == 0) text += "      \"" + headword + " " + utf8(words.word()) + "\"  - " + utf8(words.translation(2)) + "\n";
  if (i % 6 == 0) text += "         Note: " + utf8(words.word()) + "\n";
  if (i % 2 == 0) text += "   Synonyms: {" + utf8(words.word()) + "}\n\n see: {" + utf8(words.word()) + "}\n";
  return {headword, text + "\n"};
}

double bestOfThree(const std::string& command) {
  double best = 1e9;
  for (int run = 0; run < 3; ++run) {
    const auto start = bench::Clock::now();
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "failed: %s\n", command.c_str());
      std::exit(1);
    }
    best = std::min(best, bench::secondsSince(start));
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 400000;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zembo-bench-import";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  bench::WordGenerator words;
  std::vector<test::DictdArticle> articles;
  articles.reserve(count);
  for (int i = 0; i < count; ++i) articles.push_back(makeArticle(words, i));
  const std::filesystem::path dict = folder / "bench-deu-eng";
  test::writeDictd(dict, articles, true, 58315);  // the chunk length of dictzip's own files
  articles.clear();

  const std::string program = ZEMBO_IMPORT;
  const double zcat = bestOfThree("zcat " + dict.string() + ".dict.dz > /dev/null");
  const std::string target = (folder / "zb").string();
  const double import = bestOfThree("rm -rf " + target + " && " + program + " --times --edition english " + dict.string() +
                                    " " + target + " > " + (folder / "report.txt").string());
  std::printf("zembo-import of %d headwords: %.2f s (best of three); zcat of the .dict.dz: %.2f s\n", count, import,
              zcat);
  std::fflush(stdout);
  std::system(("cat " + (folder / "report.txt").string()).c_str());
  std::filesystem::remove_all(folder);
  return 0;
}
