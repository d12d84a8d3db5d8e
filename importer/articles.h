#pragma once
// Turning a dictd article (UTF-8 text) into its headword and its translations, without
// pronunciation, grammar labels, examples, notes and cross-references.

#include <string>
#include <string_view>
#include <vector>

namespace zembo {

struct Article {
  std::string headword;                   // empty when the article does not begin with one
  std::vector<std::string> translations;  // in the article's order, each once
};

Article parseArticle(std::string_view text);

// True when the bytes are well-formed UTF-8.
bool isUtf8(std::string_view text);

}  // namespace zembo
