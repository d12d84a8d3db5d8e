#pragma once
// The letters of words as a search compares them: case and accents folded ("Straße" is "straße",
// "Être" is "etre"), everything that is not a letter or digit a break between words. UTF-8 in, the
// words out; the same text always gives the same words, so an index and a query agree.

#include <functional>
#include <string>
#include <string_view>

namespace zembo {

// Calls word for each word of utf8 in its order, folded, as UTF-8. A byte sequence that is no
// UTF-8 breaks words as a blank does.
void forEachFoldedWord(std::string_view utf8, const std::function<void(std::string_view word)>& word);

// The folded form of a whole text's words joined by blanks: "Walk  Slowly!" is "walk slowly".
std::string foldedWords(std::string_view utf8);

}  // namespace zembo
