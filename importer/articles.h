#pragma once
// Turning a dictd article (UTF-8 text) into its headword and its translations, without
// pronunciation, grammar labels, examples, notes and cross-references.

#include <string>
#include <string_view>
#include <vector>

namespace zembo {

// The parts of an article. They are views into the article's text and into storage, valid while
// the text is and until the next parse into the same ParsedArticle, which reuses its memory.
struct ParsedArticle {
  std::string_view headword;                   // empty when the article does not begin with one
  std::vector<std::string_view> translations;  // in the article's order, each once
  std::string storage;

  ParsedArticle() = default;
  ParsedArticle(const ParsedArticle&) = delete;
  ParsedArticle& operator=(const ParsedArticle&) = delete;
};

void parseArticle(std::string_view text, ParsedArticle& into);

// The same as strings of their own.
struct Article {
  std::string headword;
  std::vector<std::string> translations;
};
Article parseArticle(std::string_view text);

// True when the bytes are well-formed UTF-8.
bool isUtf8(std::string_view text);

}  // namespace zembo
