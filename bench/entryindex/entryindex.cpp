// Find in entries at a dictionary's size: builds the entry index of an imported language from its
// word files and article file (the time, and the index's size beside the article text), then
// times the first 50 results of a mix of queries (the commonest words, rare words, two words,
// beginnings of words), each the best of three, and prints each kind's median and 95th
// percentile beside the target: 50 ms at the 95th percentile.
//
//   bench_entryindex FOLDER/language/Ger_Eng.zb FOLDER/language/Eng_Ger.zb SOURCE HOME
//
// SOURCE and HOME are the code pages of the language and of the edition (1252 for German and
// English).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "formats/articlefile.h"
#include "formats/entryindex.h"
#include "formats/wordrecord.h"
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

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: bench_entryindex FORWARD.zb REVERSE.zb SOURCE-CODEPAGE HOME-CODEPAGE\n");
    return 2;
  }
  const std::filesystem::path forwardPath = argv[1], reversePath = argv[2];
  const LanguageCodePages codePages{std::atoi(argv[3]), std::atoi(argv[4])};
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
    indexWordFiles(writer, forward, reverse, codePages);
    if (!writer.writeTo(wordIndexPath, {}, error)) return fail(error);
    best.wordFiles = std::min(best.wordFiles, secondsSince(start));
    best.wordIndex = writer.writtenSize();
  }
  if (!wordIndex.open(wordIndexPath, error)) return fail(error);
  const std::uint64_t artSize = hasArticles ? std::filesystem::file_size(articleFileOf(forwardPath)) : 0;
  const std::uint64_t indexSize = best.articleIndex + best.wordIndex;
  std::printf("%zu and %zu records, article text %.1f MB (article file %.1f MB)\n", forward.size(), reverse.size(),
              static_cast<double>(articleText) / 1e6, static_cast<double>(artSize) / 1e6);
  std::printf("articles' index built in %.2f s, best of 3 (of which sorting and writing %.2f s)\n",
              hasArticles ? best.articles : 0.0, best.writing);
  std::printf("word files' index built in %.2f s, best of 3 (what an edit makes again)\n", best.wordFiles);
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
  return 0;
}
