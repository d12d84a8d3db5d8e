// Find in entries at a dictionary's size. First the import of a dictd dictionary into a new
// folder, best of three, with the time its indexing of the entries took (the articles' index on a
// thread of its own beside the word files' index) against the rest of the import, measured in the
// same runs. Then each index made alone from what the import wrote (the word files' index is what
// a correction or an added word makes again), the indexes' size beside the article text, and the
// first 50 results of a mix of queries (the commonest words, rare words, two words, beginnings of
// words), each the best of three, with each kind's median and 95th percentile beside the target:
// 50 ms at the 95th percentile.
//
//   bench_entryindex DICTIONARY [SOURCE HOME]    (say /usr/share/dictd/freedict-deu-eng)
//
// SOURCE and HOME are the code pages of the language and of the English edition (1252, the
// default, for German, French and Dutch).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "bench/benchutil.h"
#include "formats/articlefile.h"
#include "formats/entryindex.h"
#include "formats/wordrecord.h"
#include "importer/importer.h"
#include "platform/codepage.h"
#include "platform/wordfold.h"

namespace {

using namespace zembo;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

int fail(const std::string& error) {
  std::fprintf(stderr, "%s\n", error.c_str());
  return 1;
}

double percentile(std::vector<double> v, double share) {
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(share * static_cast<double>(v.size() - 1))];
}

}  // namespace

// Imports the dictionary three times; the best import's whole time and its indexing step.
struct ImportTimes {
  double whole = 1e9, indexing = 0;
  std::filesystem::path forward, reverse;
};
ImportTimes timeImport(const std::filesystem::path& dictionary, const std::filesystem::path& folder) {
  ImportTimes best;
  for (int run = 0; run < 3; ++run) {
    std::filesystem::remove_all(folder);
    ImportOptions options;
    options.dictionary = dictionary;
    options.folder = folder;
    options.yes = true;
    options.edition = "english";
    const ImportReport report = importDictionary(options);
    if (report.seconds >= best.whole) continue;
    best.whole = report.seconds;
    for (const auto& [step, seconds] : report.steps)
      if (step == "indexing the entries") best.indexing = seconds;
    best.forward = report.forwardFile;
    best.reverse = report.reverseFile;
  }
  return best;
}

int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) {
    std::fprintf(stderr, "usage: bench_entryindex DICTIONARY [SOURCE-CODEPAGE HOME-CODEPAGE]\n");
    return 2;
  }
  const LanguageCodePages codePages{argc == 4 ? std::atoi(argv[2]) : 1252, argc == 4 ? std::atoi(argv[3]) : 1252};
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zembo-bench-entryindex";
  const ImportTimes import = timeImport(argv[1], folder);
  std::printf(
      "import %.2f s, best of 3; indexing the entries took %.2f s of it: %.2f times the rest of the import "
      "(aim: at most 0.33)\n",
      import.whole, import.indexing, import.indexing / std::max(1e-9, import.whole - import.indexing));
  const std::filesystem::path forwardPath = import.forward, reversePath = import.reverse;
  std::vector<WordRecord> forward, reverse;
  std::string error;
  if (!readWordFileRecords(forwardPath, forward, error) || !readWordFileRecords(reversePath, reverse, error))
    return fail(error);
  ArticleFile articles;
  const bool hasArticles = articles.open(articleFileOf(forwardPath), error);
  if (!error.empty()) std::fprintf(stderr, "%s\n", error.c_str());

  // The article text, and the words the queries are drawn from (the translations' words, counted).
  std::uint64_t articleText = 0;
  std::unordered_map<std::string, int> counts;
  std::vector<std::string> pairs;
  articles.forEachArticle(
      [&](std::string_view, std::string_view article) {
        articleText += article.size();
        return true;
      },
      error);
  for (const WordRecord& r : forward) {
    std::vector<std::string> words;
    forEachFoldedWord(toUtf8(translationOf(r), codePages.home), [&](std::string_view w) { words.emplace_back(w); });
    for (const std::string& w : words) ++counts[w];
    if (words.size() >= 2 && pairs.size() < 200000) pairs.push_back(words[0] + " " + words[1]);
  }

  // Built as the import builds them, best of three: the articles' index, then the word files'
  // index, which an edit makes again alone.
  struct Timing {
    double articles = 1e9, wordFiles = 1e9, writing = 0;
    double wordParts[3] = {};  // numbering the articles' entries, gathering the words, writing
    std::uint64_t articleIndex = 0, wordIndex = 0;
  } best;
  const std::filesystem::path temp = std::filesystem::temp_directory_path();
  const std::filesystem::path articleIndexPath = temp / "zembo-bench-entryindex.fnd",
                              wordIndexPath = temp / "zembo-bench-entryindex.fnw";
  EntryIndex articleIndex, wordIndex;
  for (int run = 0; run < 3; ++run) {
    auto start = Clock::now();
    if (hasArticles) {
      EntryIndexWriter writer;
      if (!indexArticles(writer, articles, error)) return fail(error);
      const auto written = Clock::now();
      if (!writer.writeTo(articleIndexPath, {}, error)) return fail(error);
      const double whole = secondsSince(start);
      if (whole < best.articles) {
        best.articles = whole;
        best.writing = secondsSince(written);
        best.articleIndex = writer.writtenSize();
      }
      if (!articleIndex.open(articleIndexPath, error)) return fail(error);
    }
    start = Clock::now();
    EntryIndexWriter writer;
    writer.numberEntriesOf(articleIndex);
    const double numbering = secondsSince(start);
    indexWordFiles(writer, forward, reverse, codePages);
    const double gathering = secondsSince(start) - numbering;
    if (!writer.writeTo(wordIndexPath, {}, error)) return fail(error);
    if (const double whole = secondsSince(start); whole < best.wordFiles) {
      best.wordFiles = whole;
      best.wordParts[0] = numbering;
      best.wordParts[1] = gathering;
      best.wordParts[2] = whole - numbering - gathering;
    }
    best.wordIndex = writer.writtenSize();
  }
  if (!wordIndex.open(wordIndexPath, error)) return fail(error);
  const std::uint64_t artSize = hasArticles ? std::filesystem::file_size(articleFileOf(forwardPath)) : 0;
  const std::uint64_t indexSize = best.articleIndex + best.wordIndex;
  std::printf("%zu and %zu records, article text %.1f MB (article file %.1f MB)\n", forward.size(), reverse.size(),
              static_cast<double>(articleText) / 1e6, static_cast<double>(artSize) / 1e6);
  std::printf("articles' index built in %.2f s, best of 3 (of which sorting and writing %.2f s)\n",
              hasArticles ? best.articles : 0.0, best.writing);
  std::printf(
      "word files' index built in %.2f s, best of 3 (what an edit makes again): numbering the articles' "
      "entries %.2f s, the records' words %.2f s, sorting and writing %.2f s\n",
      best.wordFiles, best.wordParts[0], best.wordParts[1], best.wordParts[2]);
  std::printf("indexes %.1f + %.1f MB: %.2f times the article text (aim: at most 0.6), %.2f times the article file\n",
              static_cast<double>(best.articleIndex) / 1e6, static_cast<double>(best.wordIndex) / 1e6,
              articleText ? static_cast<double>(indexSize) / static_cast<double>(articleText) : 0.0,
              artSize ? static_cast<double>(indexSize) / static_cast<double>(artSize) : 0.0);
  const EntryIndex* both[] = {&articleIndex, &wordIndex};

  // The query mix.
  std::vector<std::pair<std::string, int>> byCount(counts.begin(), counts.end());
  std::sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
  std::mt19937 random(12345);
  std::map<std::string, std::vector<std::string>> mix;
  for (std::size_t k = 0; k < 50 && k < byCount.size(); ++k) mix["commonest words"].push_back(byCount[k].first);
  std::vector<std::string> rare;
  for (const auto& [word, count] : byCount)
    if (count <= 2 && word.size() >= 4) rare.push_back(word);
  for (int k = 0; k < 50 && !rare.empty(); ++k) mix["rare words"].push_back(rare[random() % rare.size()]);
  for (int k = 0; k < 50 && !pairs.empty(); ++k) mix["two words"].push_back(pairs[random() % pairs.size()]);
  for (int k = 0; k < 50 && !byCount.empty(); ++k) {
    const std::string& word = byCount[random() % std::min<std::size_t>(byCount.size(), 20000)].first;
    mix["beginnings (1-4 letters)"].push_back(word.substr(0, 1 + random() % 4));
  }
  std::vector<double> all;
  for (const auto& [kind, queries] : mix) {
    std::vector<double> times;
    std::size_t results = 0;
    for (const std::string& query : queries) {
      double fastest = 1e9;
      for (int run = 0; run < 3; ++run) {
        const auto start = Clock::now();
        results += findEntries(both, query, 50).size();
        fastest = std::min(fastest, secondsSince(start));
      }
      times.push_back(fastest * 1e3);
    }
    all.insert(all.end(), times.begin(), times.end());
    std::printf("%-26s %3zu queries (\"%s\", ...), %zu results: median %.2f ms, 95%% %.2f ms, max %.2f ms\n",
                kind.c_str(), queries.size(), queries.front().c_str(), results / 3, percentile(times, 0.5),
                percentile(times, 0.95), percentile(times, 1.0));
  }
  std::printf("all %zu queries: 95%% %.2f ms (target: under 50 ms)\n", all.size(), percentile(all, 0.95));
  std::filesystem::remove(articleIndexPath);
  std::filesystem::remove(wordIndexPath);
  std::filesystem::remove_all(folder);
  return 0;
}
