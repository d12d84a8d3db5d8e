// What the article pane adds to a keystroke: the lookup alone (findTypedWord and the ten rows
// read, as the search window does it) beside the lookup followed by the pane's page of the top
// row (its articles found, parsed, set as a page and put into a text browser), for headwords of a
// direction drawn at random. Prints the medians, the added cost and where it goes.
//
//   bench_articlepane FOLDER LANGUAGE DICTD [keys]
//   bench_articlepane --show PICTURES FOLDER LANGUAGE DICTD [WORDFILE] WORD...
//
// FOLDER is a zembo folder that zembo-import filled from the dictd dictionary DICTD (the path
// without ".index" and ".dict.dz"), LANGUAGE the source language of its forward direction
// ("German"). The articles come from the dictd files, held in memory and served by headword as
// the article file serves them, so that the figures are those of real articles. With --show, the
// search window of the folder's edition shows each WORD typed, in the direction of WORDFILE
// ("Eng_Ger.zb") when one is named, and saves a picture PICTURES/<word>.png: a look at the pane
// with real articles.

#include <QApplication>
#include <QTextBrowser>

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "bench/benchutil.h"
#include "directions/directions.h"
#include "lookup/articles.h"
#include "lookup/searchwindow.h"
#include "platform/codepage.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/collate.h"
#include "store/currentdirection.h"
#include "store/store.h"
#include "windowkit/qttext.h"
#include "windowkit/uifont.h"

namespace {

using namespace zembo;
using bench::Clock;
using bench::secondsSince;

std::unordered_map<std::string, std::string> headwordArticles;
double findSeconds = 0;

class MemoryArticles : public ArticleReader {
 public:
  bool find(std::string_view key, std::string& text, std::string&) const override {
    const auto start = Clock::now();
    const auto found = headwordArticles.find(std::string(key));
    const bool has = found != headwordArticles.end();
    if (has) text = found->second;
    findSeconds += secondsSince(start);
    return has;
  }
};

std::unique_ptr<ArticleReader> openMemoryArticles(const std::string&, std::string&) {
  return std::make_unique<MemoryArticles>();
}

int base64(const std::string& s) {
  static const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  long n = 0;
  for (char c : s) n = n * 64 + static_cast<long>(digits.find(c));
  return static_cast<int>(n);
}

// Every article under the headword its first line names, in the word file's code page.
bool loadArticles(const std::string& dictd, int codePage) {
  gzFile dict = gzopen((dictd + ".dict.dz").c_str(), "rb");
  if (!dict) return false;
  std::string text;
  char buffer[1 << 16];
  for (int n; (n = gzread(dict, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
  gzclose(dict);
  std::ifstream index(dictd + ".index");
  std::string line;
  while (std::getline(index, line)) {
    const std::size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
    if (tab2 == std::string::npos || line.starts_with("00-database") || line.starts_with("00database")) continue;
    const auto offset = static_cast<std::size_t>(base64(line.substr(tab1 + 1, tab2 - tab1 - 1)));
    const auto length = static_cast<std::size_t>(base64(line.substr(tab2 + 1)));
    if (offset + length > text.size()) continue;
    const std::string article = text.substr(offset, length);
    const std::string first = article.substr(0, article.find('\n'));
    const std::string headword = first.substr(0, std::min(first.find(" /"), first.find(" <")));
    std::string& all = headwordArticles[fromUtf8(headword, codePage)];
    if (!all.empty()) all += "\n";
    all += article;
  }
  return !headwordArticles.empty();
}

int showWords(const std::string& pictures, int count, char** words) {
  createSharedFonts(uiTextNumber(textCharset));
  int first = 0;
  if (count > 0 && std::string_view(words[0]).ends_with(".zb")) {
    for (DictionaryDirection* d = directions.directionList; d; d = d->next)
      if (std::string_view(d->wordFileName) == words[0]) makeDirectionCurrent(d);
    first = 1;
  }
  auto* window = new SearchWindow();
  for (int i = first; i < count; ++i) {
    window->searchField()->setText(
        toQString(fromUtf8(words[i], codePageOfCharset(directions.currentDirection->sourceCharset)),
                  directions.currentDirection->sourceCharset));
    for (int n = 0; n < 20; ++n) QApplication::processEvents();
    const std::string name = pictures + "/" + words[i] + ".png";
    if (!window->grab().save(QString::fromStdString(name))) std::fprintf(stderr, "cannot write %s\n", name.c_str());
  }
  delete window;
  return 0;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  std::string pictures;
  if (argc > 2 && std::string_view(argv[1]) == "--show") {
    pictures = std::filesystem::absolute(argv[2]).string();
    argv += 2;
    argc -= 2;
  }
  if (argc < 4) {
    std::fprintf(stderr, "usage: bench_articlepane FOLDER LANGUAGE DICTD [keys]\n");
    return 2;
  }
  QApplication app(argc, argv);
  const int keyCount = argc > 4 ? std::atoi(argv[4]) : 2000;
  std::string error;
  DictionaryDirection* direction = openFolderDirection(argv[1], argv[2], error);
  if (!direction) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  const auto loadStart = Clock::now();
  if (!loadArticles(argv[3], codePageOfCharset(direction->sourceCharset))) {
    std::fprintf(stderr, "cannot read the dictd files %s\n", argv[3]);
    return 1;
  }
  std::printf("%s: %d records, %zu headwords with articles (read in %.1f s)\n", direction->wordFileName,
              store.wordCount, headwordArticles.size(), secondsSince(loadStart));
  setArticleOpener(openMemoryArticles);
  if (!pictures.empty()) return showWords(pictures, argc - 4, argv + 4);
  followCurrentDirectionArticles();
  ArticleWords words;
  words.grammar = splitGrammarNames(
      "noun|verb|adjective|adverb|pronoun|preposition|conjunction|interjection|numeral|article|masculine|feminine|"
      "neuter|plural");
  words.language = articles.language;
  QTextBrowser browser;
  browser.resize(330, 340);
  browser.show();
  QApplication::processEvents();

  // Keys typed as a user types them: each prefix of headwords drawn at random.
  std::mt19937 random(12345);
  std::vector<std::string> keys;
  while (static_cast<int>(keys.size()) < keyCount) {
    WordRecord record;
    if (readWordRecord(static_cast<int>(random() % static_cast<unsigned>(store.wordCount)), record) != 0) continue;
    const std::string_view word = wordOf(record);
    for (std::size_t n = 1; n <= word.size() && static_cast<int>(keys.size()) < keyCount; ++n)
      keys.emplace_back(word.substr(0, n));
  }
  auto lookUp = [](const std::string& key, WordRecord& top) {
    const int index = findTypedWord(key);
    for (int i = 0; i < 10; ++i) {
      WordRecord record;
      if (readWordRecord(index + i, record) != 0) break;
      if (i == 0) top = record;
    }
  };
  std::vector<double> alone, withPane, pageTimes, browserTimes;
  double bestAlone = 1e9, bestWith = 1e9, bestAdded = 1e9;
  for (int run = 0; run < 3; ++run) {
    alone.clear();
    withPane.clear();
    pageTimes.clear();
    browserTimes.clear();
    findSeconds = 0;
    for (const std::string& key : keys) {
      WordRecord top{};
      auto start = Clock::now();
      lookUp(key, top);
      alone.push_back(secondsSince(start));
      start = Clock::now();
      lookUp(key, top);
      const auto pageStart = Clock::now();
      const std::string page = articlePageOf(top, words);
      pageTimes.push_back(secondsSince(pageStart));
      const auto browserStart = Clock::now();
      browser.setHtml(QString::fromStdString(page));
      // Its layout and painting too, which the window does before the next key.
      browser.repaint();
      browserTimes.push_back(secondsSince(browserStart));
      withPane.push_back(secondsSince(start));
    }
    bestAlone = std::min(bestAlone, median(alone));
    bestWith = std::min(bestWith, median(withPane));
    bestAdded = std::min(bestAdded, median(withPane) - median(alone));
  }
  std::printf("keystroke, median of %zu (best of 3 runs): lookup alone %.3f ms, with the pane %.3f ms\n", keys.size(),
              1e3 * bestAlone, 1e3 * bestWith);
  std::printf("the pane adds %.3f ms (%.1fx the lookup alone); budget 2 ms\n", 1e3 * bestAdded, bestAdded / bestAlone);
  std::printf(
      "where it goes (medians of the last run): articles found and set as a page %.3f ms (finding them "
      "%.3f ms on average), the text browser's layout and painting %.3f ms\n",
      1e3 * median(pageTimes), 1e3 * findSeconds / static_cast<double>(keys.size()), 1e3 * median(browserTimes));
  return 0;
}
