#include "lookup/articles.h"

#include <cctype>
#include <cstring>

#include "platform/codepage.h"
#include "store/store.h"

namespace zembo {

namespace {
ArticleState articlesState;  // the one mutable instance
}  // namespace
const ArticleState& articles = articlesState;

namespace {

// The headwords' language from the direction's locale, a Windows name ("german") or a code.
std::string languageOf(const DictionaryDirection& d) {
  std::string locale;
  for (const char* c = d.localeName; *c && c < d.localeName + sizeof d.localeName; ++c)
    locale += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
  static constexpr std::string_view names[][2] = {{"german", "de"}, {"french", "fr"}, {"dutch", "nl"}};
  for (const auto& [name, code] : names)
    if (locale.starts_with(name)) return std::string(code);
  return locale.substr(0, 2);
}

std::string_view trimmedBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::string errorHtml(const std::string& error) { return "<p style=\"color:#b00000\">" + escapeHtml(error) + "</p>"; }

// The page of one headword's articles, or its error, or nothing; the sense that begins with lead
// (UTF-8) first, when one does.
std::string pageOfKey(std::string_view key, const ArticleWords& words, std::string_view lead = {}) {
  std::string text, error;
  if (!articlesState.reader->find(key, text, error)) return error.empty() ? std::string() : errorHtml(error);
  std::vector<ArticleBlock> blocks = parseArticles(text);
  leadWithSenseOf(blocks, lead);
  return articleHtml(blocks, words);
}

}  // namespace

void setArticleOpener(ArticleOpener opener) {
  articlesState.openArticles = opener;
  articlesState.reader.reset();
  articlesState.wordFile.clear();
}

namespace {

void openArticlesOf(const DictionaryDirection* current, bool always) {
  if (!current) {
    resetArticleState();
    return;
  }
  const DictionaryDirection* forward = forwardOf(current);
  articlesState.reverse = forward != current;
  const std::string wordFile = wordFilePath(*forward);
  if (!always && wordFile == articlesState.wordFile) return;
  articlesState.wordFile = wordFile;
  articlesState.language = languageOf(*forward);
  articlesState.openError.clear();
  articlesState.reader.reset();
  articlesState.reader =
      articlesState.openArticles ? articlesState.openArticles(wordFile, articlesState.openError) : nullptr;
}

}  // namespace

void followCurrentDirectionArticles() { openArticlesOf(directions.currentDirection, false); }

void openCurrentDirectionArticles() { openArticlesOf(directions.currentDirection, true); }

std::string articlePageOf(const WordRecord& record, const ArticleWords& words) {
  if (!articlesState.openError.empty()) return errorHtml(articlesState.openError);
  if (!articlesState.reader || record.flags != 0) return {};
  if (!articlesState.reverse) {
    // The record's first translation, which the import chose as the word's main sense.
    const std::string_view translation = translationOf(record);
    const std::string first = toUtf8(trimmedBlanks(translation.substr(0, translation.find(','))),
                                     codePageOfCharset(directions.currentDirection->targetCharset));
    return pageOfKey(wordOf(record), words, first);
  }
  // The translation lists the headwords of the other direction: "gehen, laufen".
  std::string page;
  std::string_view list = translationOf(record);
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view key = trimmedBlanks(list.substr(0, comma));
    if (!key.empty()) page += pageOfKey(key, words);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  if (page.empty()) return {};
  const int codePage = codePageOfCharset(directions.currentDirection->sourceCharset);
  return reverseHeadingHtml(toUtf8(wordOf(record), codePage)) + page;
}

std::vector<ArticleBlock> articleBlocksOf(const WordRecord& record) {
  std::vector<ArticleBlock> blocks;
  if (!articlesState.reader || record.flags != 0) return blocks;
  std::string_view keys = articlesState.reverse ? translationOf(record) : wordOf(record);
  while (!keys.empty()) {
    const std::size_t comma = articlesState.reverse ? keys.find(',') : std::string_view::npos;
    const std::string_view key = trimmedBlanks(keys.substr(0, comma));
    std::string text, error;
    if (!key.empty() && articlesState.reader->find(key, text, error)) {
      std::vector<ArticleBlock> found = parseArticles(text);
      if (!articlesState.reverse) {
        const std::string_view translation = translationOf(record);
        leadWithSenseOf(found, toUtf8(trimmedBlanks(translation.substr(0, translation.find(','))),
                                      codePageOfCharset(directions.currentDirection->targetCharset)));
      }
      blocks.insert(blocks.end(), found.begin(), found.end());
    }
    if (comma == std::string_view::npos) break;
    keys.remove_prefix(comma + 1);
  }
  return blocks;
}

void resetArticleState() {
  articlesState.reader.reset();
  articlesState = ArticleState{};
}

}  // namespace zembo
