#pragma once
// Turning a dictd article (UTF-8 text) into its headword, the abbreviations given with it and its
// translations, without pronunciation, grammar labels, examples, notes, definitions,
// cross-references and the abbreviations given with a translation ("road <n>Rd,  /.../" is "road"). A comma inside one
// translation (between digits, or inside parentheses) becomes U+201A, which reads as a comma but does not separate the
// translations of a word file's field.

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace zembo {

// The parts of an article. They are views into the article's text and into storage, valid while
// the text is and until the next parse into the same ParsedArticle, which reuses its memory.
struct ParsedArticle {
  std::string_view headword;                    // empty when the article does not begin with one
  std::vector<std::string_view> abbreviations;  // given on the headword line: headwords of their own
  std::vector<std::string_view> translations;   // in the article's order, each once
  bool specialist = false;                      // every sense carries a label such as [techn.] or [ugs.] before it
  bool offRegister = false;     // every sense is labelled colloquial, regional or dated ([ugs.], [Ös.])
  int examples = 0;             // its example lines and references: how much the dictionary says of it
  int sentences = 0;            // of those, the example sentences with their translation
  std::size_t comparisons = 0;  // of two translations, while repeats are left out: what an article costs
  std::string storage;
  std::vector<std::size_t> senseStarts;  // where each sense line's translations begin, while parsing
  // The translations of a long article so far, to find a repeat at once however long it is.
  struct CountedEqual {
    std::size_t* count;
    bool operator()(std::string_view a, std::string_view b) const { return ++*count, a == b; }
  };
  std::unordered_set<std::string_view, std::hash<std::string_view>, CountedEqual> seen{0, std::hash<std::string_view>{},
                                                                                       CountedEqual{&comparisons}};

  ParsedArticle() = default;
  ParsedArticle(const ParsedArticle&) = delete;
  ParsedArticle& operator=(const ParsedArticle&) = delete;
};

// The FreeDict+WikDict dictionaries follow each sense line with a definition in the dictionary's
// own language, numbered senses or not; the others give every sense line translations.
enum class ArticleShape { plain, definitionsAfterSenses };

void parseArticle(std::string_view text, ParsedArticle& into, ArticleShape shape = ArticleShape::plain);

// The same as strings of their own.
struct Article {
  std::string headword;
  std::vector<std::string> abbreviations;
  std::vector<std::string> translations;
  bool specialist = false;
};
Article parseArticle(std::string_view text, ArticleShape shape = ArticleShape::plain);

// True when the bytes are well-formed UTF-8.
bool isUtf8(std::string_view text);

}  // namespace zembo
