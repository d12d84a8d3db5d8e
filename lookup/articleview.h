#pragma once
// A headword's dictd articles read for a learner: parsed into the headword, its pronunciation,
// grammar, numbered senses with their labels, notes, examples, synonyms and references, and set
// as rich text (HTML for a text browser). Text here is UTF-8, as the article file keeps it; no
// toolkit is needed, so the whole path from the article text to the page is tested without one.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formats/htmltext.h"

namespace zembo {

struct ArticleSense {
  std::vector<std::string> labels;  // "[zool.]" as "zool.": the domain and usage labels before it
  std::string text;                 // the translations, their "<n>" tags taken away
  std::vector<std::string> notes;
  std::vector<std::pair<std::string, std::string>> examples;  // the example and its translation
  std::vector<std::string> synonyms;
};

// The articles of one headword that share its headword line become one block with all their senses.
struct ArticleBlock {
  std::string headword;
  std::string pronunciation;         // between the slashes, without them
  std::vector<std::string> grammar;  // "<masc, n, sg>" as "masc", "n", "sg"
  std::vector<ArticleSense> senses;
  std::vector<std::string> references;  // "see: {...}" of every article, each once
};

// Parses the articles of one headword, as the article file gives them: each begins with its
// headword line, and a line that begins at its first column after an empty line begins the next.
std::vector<ArticleBlock> parseArticles(std::string_view articles);

// Brings to the front of each block the first sense whose translations begin with first (UTF-8),
// so that the pane numbers first the sense that a record's rows put first.
void leadWithSenseOf(std::vector<ArticleBlock>& blocks, std::string_view first);

// The words the page uses, in the edition's language, UTF-8.
struct ArticleWords {
  // noun, verb, adjective, adverb, pronoun, preposition, conjunction, interjection, numeral,
  // article, masculine, feminine, neuter, plural: the names of the grammar tags.
  std::vector<std::string> grammar;
  std::string synonyms = "Synonyms";
  std::string seeAlso = "See also";
  std::string note = "Note";
  // The two letters of the headword's language ("de", "fr", "nl"): its nouns show their article.
  std::string language;
};
// Splits a UI text of names separated by "|" into ArticleWords::grammar.
std::vector<std::string> splitGrammarNames(std::string_view names);

// The article word a noun takes in language ("der", "la", "het"), from its grammar; empty when the
// language has none or the grammar names no gender.
std::string nounArticle(const ArticleBlock& block, std::string_view language);
// The grammar as a learner reads it: "noun, masculine", "verb, intr".
std::string grammarText(const ArticleBlock& block, const ArticleWords& words);

// The page of a headword's articles.
std::string articleHtml(const std::vector<ArticleBlock>& blocks, const ArticleWords& words);
// The heading of a word of the other direction, over the pages of the words it translates to.
std::string reverseHeadingHtml(std::string_view word);

}  // namespace zembo
