#include "platform/wordfold.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zembo {
namespace {

TEST(WordFold, CaseAndAccentsFoldAndAnythingElseBreaksWords) {
  EXPECT_EQ(foldedWords("Walk  Slowly!"), "walk slowly");
  EXPECT_EQ(foldedWords("Être, ÉLÈVE; naïve"), "etre eleve naive");
  EXPECT_EQ(foldedWords("Straße Bücher"), "straße bucher");
  EXPECT_EQ(foldedWords("Собака ЁЖ"), "собака еж");
  // A combining mark stays inside its word; digits are words; an apostrophe or a hyphen breaks.
  EXPECT_EQ(foldedWords("ha\xCA\x8A\xCC\xAFs K-9 l'eau"), "ha\xCA\x8As k 9 l eau");
  EXPECT_EQ(foldedWords("  ,;  "), "");
}

TEST(WordFold, BytesThatAreNoUtf8BreakWordsAndLoseNothingElse) {
  std::vector<std::string> words;
  forEachFoldedWord(std::string("ab\xFF"
                                "cd\xC3",
                                6),
                    [&words](std::string_view w) { words.emplace_back(w); });
  EXPECT_EQ(words, (std::vector<std::string>{"ab", "cd"}));
}

}  // namespace
}  // namespace zembo
