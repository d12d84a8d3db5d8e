// What the article pane adds to a keystroke: the lookup alone (findTypedWord and the ten rows
// read, as the search window does it) beside the lookup followed by the pane's page of the top
// row (its articles read from the article file, parsed, set as a page and put into a text
// browser), for headwords of a direction drawn at random. Prints the medians, the added cost and
// where it goes.
//
//   bench_articlepane FOLDER LANGUAGE [keys]
//   bench_articlepane --show PICTURES FOLDER LANGUAGE [WORDFILE] WORD...
//
// FOLDER is a zembo folder that zembo-import filled, LANGUAGE the source language of its forward
// direction ("German"). With --show, the search window of the folder's edition shows each WORD
// typed, in the direction of WORDFILE ("Eng_Ger.zb") when one is named, and saves a picture
// PICTURES/<word>.png: a look at the pane with real articles.

#include <QApplication>
#include <QTextBrowser>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
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

double findSeconds = 0;

// The article file's reader, timed.
class TimedArticles : public ArticleReader {
 public:
  explicit TimedArticles(std::unique_ptr<ArticleReader> file) : file_(std::move(file)) {}
  bool find(std::string_view key, std::string& text, std::string& error) const override {
    const auto start = Clock::now();
    const bool has = file_->find(key, text, error);
    findSeconds += secondsSince(start);
    return has;
  }

 private:
  std::unique_ptr<ArticleReader> file_;
};

std::unique_ptr<ArticleReader> openTimedArticles(const std::string& wordFile, std::string& error) {
  std::unique_ptr<ArticleReader> file = openArticleFile(wordFile, error);
  if (!file) return nullptr;
  return std::make_unique<TimedArticles>(std::move(file));
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
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_articlepane FOLDER LANGUAGE [keys]\n");
    return 2;
  }
  QApplication app(argc, argv);
  const int keyCount = argc > 3 ? std::atoi(argv[3]) : 2000;
  std::string error;
  DictionaryDirection* direction = openFolderDirection(argv[1], argv[2], error);
  if (!direction) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  setArticleOpener(openTimedArticles);
  if (!pictures.empty()) return showWords(pictures, argc - 3, argv + 3);
  followCurrentDirectionArticles();
  if (!articles.reader) {
    std::fprintf(stderr, "%s has no article file%s%s\n", direction->wordFileName,
                 articles.openError.empty() ? "" : ": ", articles.openError.c_str());
    return 1;
  }
  std::printf("%s: %d records and their article file\n", direction->wordFileName, store.wordCount);
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
