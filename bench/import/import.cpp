// Speed of zembo-import: a generated dictd dictionary of 400,000 headwords, each with several
// articles shaped like those of the FreeDict dictionaries (pronunciation, grammar labels, numbered
// senses, domain marks, examples, notes and references), so many headwords have more translations
// than one record holds and go on in continuation records; imported by the program into a new
// folder, beside zcat of the same .dict.dz (the floor of reading it), in the same run; best of
// three each. The figure: under 3 s, and at most four times zcat.
//
// Then how soon a stop is heard: the import runs in this process, as the File menu runs it, and a
// second thread asks it to stop at moments spread over it (as a click on Cancel would); the time
// from the request to the import's end, best of three at each moment, beside the whole import's
// time, with the step each request fell in.
//
//   bench_import [headwords]    (default 400000; works in a folder under /tmp)
//
// The second case is one long article: a headword of a million translations beside the same
// translations spread over ten headwords of 100,000 each, in the same run; best of three each. An
// article costs linear time when the ratio stays near 1 (each translation compared with every
// earlier one would make it about 10).
//
//   bench_import long [translations]    (default 1000000)

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "bench/benchutil.h"
#include "importer/importer.h"
#include "platform/codepage.h"
#include "tests/support/dictdfiles.h"
#include "tests/support/wordgen.h"

namespace {

using namespace zembo;

std::string utf8(const std::string& cp1252) { return toUtf8(cp1252, 1252); }

// The translations are words of the home language, which recur across headwords as they do in a
// real dictionary (deu-eng gives about as many reverse words as headwords): drawn from a vocabulary.
class Vocabulary {
 public:
  explicit Vocabulary(bench::WordGenerator& words) {
    for (int i = 0; i < 150000; ++i) words_.push_back(words.word());
  }
  // One to three words joined by ", ", at most 50 bytes.
  std::string translation(bench::WordGenerator& words, int parts) {
    std::string t;
    for (int i = 0; i < parts; ++i) {
      const std::string& part = words_[words.next() % words_.size()];
      if (t.size() + part.size() + 2 > 50) break;
      if (i) t += ", ";
      t += part;
    }
    return utf8(t);
  }

 private:
  std::vector<std::string> words_;
};

// One article of the kinds the real dictionaries hold, chosen by the index.
// Later articles of a headword hold one sense each.
test::DictdArticle makeArticle(bench::WordGenerator& words, Vocabulary& home, const std::string& headword, int i,
                               bool first) {
  std::string text = headword + " /" + headword + "/ <" + (i % 3 ? "masc, n, sg" : "v") + ">\n";
  const int senses = first ? 1 + i % 4 : 1;
  for (int s = 0; s < senses; ++s) {
    if (senses > 1) text += std::to_string(s + 1) + ". ";
    if (i % 5 == 0) text += "[techn.] ";
    text += home.translation(words, 1 + (i + s) % 3) + " <n>\n";
  }
  if (i % 4 == 0)
    text += "      \"" + headword + " " + utf8(words.word()) + "\"  - " + home.translation(words, 2) + "\n";
  if (i % 6 == 0) text += "         Note: " + utf8(words.word()) + "\n";
  if (i % 2 == 0) text += "   Synonyms: {" + utf8(words.word()) + "}\n\n see: {" + utf8(words.word()) + "}\n";
  return {headword, text + "\n"};
}

// The best of three runs of a command; "{run}" in it stands for the run's number, and the number
// of the best run is left in bestRun.
double bestOfThree(const std::string& command, int& bestRun) {
  double best = 1e9;
  for (int run = 0; run < 3; ++run) {
    std::string line = command;
    if (const std::size_t at = line.find("{run}"); at != std::string::npos) line.replace(at, 5, std::to_string(run));
    const auto start = bench::Clock::now();
    if (std::system(line.c_str()) != 0) {
      std::fprintf(stderr, "failed: %s\n", line.c_str());
      std::exit(1);
    }
    if (const double seconds = bench::secondsSince(start); seconds < best) {
      best = seconds;
      bestRun = run;
    }
  }
  return best;
}

// A translation of its own for each number: "t" and its digits in letters.
std::string translationNumber(int n) {
  std::string t = "t";
  do t += static_cast<char>('a' + n % 26);
  while ((n /= 26) > 0);
  return t;
}

// The translations, one a line, in articles of the given number of headwords.
std::vector<test::DictdArticle> splitArticles(int translations, int headwords) {
  std::vector<test::DictdArticle> articles;
  for (int h = 0; h < headwords; ++h) {
    const std::string headword = "Wort" + std::to_string(h);
    std::string text = headword + " /x/ <n>\n";
    for (int i = h; i < translations; i += headwords) text += translationNumber(i) + "\n";
    articles.push_back({headword, text});
  }
  return articles;
}

double importTime(const std::filesystem::path& folder, const std::string& name,
                  const std::vector<test::DictdArticle>& articles, int& bestRun) {
  const std::filesystem::path dict = folder / ("bench-" + name + "-deu-eng");
  test::writeDictd(dict, articles, true, 58315);
  const std::string target = (folder / ("zb-" + name)).string();
  return bestOfThree("rm -rf " + target + " && " + std::string(ZEMBO_IMPORT) + " --times --edition english " +
                         dict.string() + " " + target + " > " + (folder / name).string() + "{run}.txt",
                     bestRun);
}

int longArticle(const std::filesystem::path& folder, int translations) {
  int longRun = 0, splitRun = 0;
  const double split = importTime(folder, "split", splitArticles(translations, 10), splitRun);
  const double whole = importTime(folder, "long", splitArticles(translations, 1), longRun);
  std::printf("zembo-import of one article of %d translations: %.2f s, best of three\n", translations, whole);
  std::printf("the same in ten articles:                        %.2f s, best of three\n", split);
  std::printf("ratio:                                           %.2fx (linear: near 1; quadratic: about 10)\n",
              whole / split);
  for (const auto& [name, run] : {std::pair{"long", longRun}, std::pair{"split", splitRun}}) {
    std::printf("\nthe best run of the %s case:\n", name);
    std::fflush(stdout);
    const std::string report = (folder / name).string() + std::to_string(run) + ".txt";
    if (std::system(("cat " + report).c_str()) != 0) std::fprintf(stderr, "Can't show %s\n", report.c_str());
  }
  std::filesystem::remove_all(folder);
  return 0;
}

// The import's steps and where each ends, in seconds from its start.
std::vector<std::pair<std::string, double>> stepEnds(const ImportReport& report) {
  std::vector<std::pair<std::string, double>> ends;
  double at = 0;
  for (const auto& [step, seconds] : report.steps) ends.emplace_back(step, at += seconds);
  return ends;
}

std::string stepAt(const std::vector<std::pair<std::string, double>>& ends, double seconds) {
  for (const auto& [step, end] : ends)
    if (seconds < end) return step;
  return "the commit";
}

// How soon a stop is heard: from the request to the question that answers yes, and on to the end
// of the import (its tables freed, the second reading thread waited for, the files it began removed).
struct StopTimes {
  double heard = -1, ended = -1;  // seconds after the request; negative when the import completed
};

// A request to stop, made that long after the start.
StopTimes stopLatency(ImportOptions options, double requestAfter) {
  std::atomic<bool> requested{false};
  std::atomic<std::int64_t> requestedAt{0};
  bench::Clock::time_point heardAt{};
  options.stopRequested = [&requested, &heardAt] {
    if (!requested.load(std::memory_order_relaxed)) return false;
    heardAt = bench::Clock::now();
    return true;
  };
  const auto start = bench::Clock::now();
  std::thread requester([&] {
    std::this_thread::sleep_until(start + std::chrono::duration<double>(requestAfter));
    requestedAt = (bench::Clock::now() - start).count();
    requested = true;
  });
  bool stopped = false;
  try {
    importDictionary(options);
  } catch (const ImportError& error) {
    stopped = error.code == ImportFailure::stopped;
  }
  const auto end = bench::Clock::now();
  requester.join();
  if (!stopped) return {};
  const auto request = start + bench::Clock::duration(requestedAt.load());
  return {std::chrono::duration<double>(heardAt - request).count(),
          std::chrono::duration<double>(end - request).count()};
}

void measureStopping(const std::filesystem::path& dict, const std::filesystem::path& target) {
  ImportOptions options;
  options.dictionary = dict;
  options.folder = target;
  options.yes = true;
  options.edition = "english";
  std::filesystem::remove_all(target);
  double whole = 1e9;
  std::vector<std::pair<std::string, double>> ends;
  for (int run = 0; run < 3; ++run) {
    const auto start = bench::Clock::now();
    const ImportReport report = importDictionary(options);
    if (const double seconds = bench::secondsSince(start); seconds < whole) whole = seconds, ends = stepEnds(report);
  }
  std::printf("\nstopping the import in this process (%.2f s whole, best of three):\n", whole);
  std::printf("  request at   heard after   ended after   of the whole   the step it fell in\n");
  double worst = 0;
  for (const double share : {0.05, 0.2, 0.35, 0.5, 0.6, 0.7, 0.8, 0.9}) {
    StopTimes best;
    for (int run = 0; run < 3; ++run)
      if (const StopTimes times = stopLatency(options, share * whole);
          times.ended >= 0 && (best.ended < 0 || times.ended < best.ended))
        best = times;
    if (best.ended < 0) {
      std::printf("  %7.2f s    (completed: the commit had begun)\n", share * whole);
      continue;
    }
    worst = std::max(worst, best.ended);
    std::printf("  %7.2f s    %8.1f ms   %8.1f ms    %9.2f %%   %s\n", share * whole, best.heard * 1000,
                best.ended * 1000, 100 * best.ended / whole, stepAt(ends, share * whole).c_str());
  }
  std::printf("slowest stop: %.1f ms, %.2f %% of the whole import (target: under 100 ms)\n", worst * 1000,
              100 * worst / whole);
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zembo-bench-import";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  if (argc > 1 && std::string(argv[1]) == "long") return longArticle(folder, argc > 2 ? std::atoi(argv[2]) : 1000000);
  const int count = argc > 1 ? std::atoi(argv[1]) : 400000;
  bench::WordGenerator words;
  Vocabulary home(words);
  std::vector<test::DictdArticle> articles;
  articles.reserve(static_cast<std::size_t>(count) * 3);
  // Two articles of most headwords and three of every fifth, as the senses of one word are given
  // one article each; about one headword in three needs a continuation record.
  for (int i = 0; i < count; ++i) {
    const std::string headword = utf8(words.word());
    for (int k = 0; k < 2 + (i % 5 == 0); ++k) articles.push_back(makeArticle(words, home, headword, i + k, k == 0));
  }
  const std::filesystem::path dict = folder / "bench-deu-eng";
  test::writeDictd(dict, articles, true, 58315);  // the chunk length of dictzip's own files
  articles.clear();

  const std::string program = ZEMBO_IMPORT;
  int zcatRun = 0, importRun = 0;
  const double zcat = bestOfThree("zcat " + dict.string() + ".dict.dz > /dev/null", zcatRun);
  const std::string target = (folder / "zb").string();
  const std::string report = (folder / "report").string();
  const double import = bestOfThree("rm -rf " + target + " && " + program + " --times --edition english " +
                                        dict.string() + " " + target + " > " + report + "{run}.txt",
                                    importRun);
  std::printf("zembo-import of %d headwords: %.2f s, best of three (target: under 3 s)\n", count, import);
  std::printf("zcat of its .dict.dz:          %.2f s, best of three\n", zcat);
  std::printf("ratio:                         %.2fx zcat (target: at most 4x)\n", import / zcat);
  const bool kept = import < 3.0 && import <= 4 * zcat;
  std::printf("figure %s\n\nthe best run's report:\n", kept ? "kept" : "NOT kept");
  std::fflush(stdout);
  const std::string reportFile = report + std::to_string(importRun) + ".txt";
  if (std::system(("cat " + reportFile).c_str()) != 0) std::fprintf(stderr, "Can't show %s\n", reportFile.c_str());
  measureStopping(dict, folder / "zb");
  std::filesystem::remove_all(folder);
  return 0;
}
