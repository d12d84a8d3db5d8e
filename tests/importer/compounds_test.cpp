// The compounds of a headword: the one-word headwords that begin or end with it, letters folded.

#include "importer/compounds.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/codepage.h"

namespace zembo {
namespace {

std::vector<std::string> compoundsOf(const std::vector<std::string>& words, std::string_view word,
                                     std::size_t limit = 100) {
  const CompoundIndex index(1252, words.size(), [&](std::size_t i) { return std::string_view(words[i]); });
  std::vector<std::uint32_t> found;
  index.compoundsOf(word, limit, found);
  std::vector<std::string> out;
  for (const std::uint32_t entry : found) out.push_back(words[entry]);
  std::sort(out.begin(), out.end());
  return out;
}

TEST(CompoundIndex, WordsThatBeginOrEndWithTheWordLettersFolded) {
  const std::vector<std::string> words = {"Schlange",         "Schlangenbiss",   "Giftschlange",   "Warteschlange",
                                          "Schlangen",        "Schlangenei",     "Schlangenleder", "Schlangenlinie",
                                          "schlangenartig",   "Schlange stehen", "Hund",           "Schlanger",
                                          "Unterschlangezeit"};
  // Not "Schlangen" (one letter more), "Schlange stehen" (a phrase) or "Unterschlangezeit" (inside).
  EXPECT_EQ(compoundsOf(words, "Schlange"),
            (std::vector<std::string>{"Giftschlange", "Schlangenbiss", "Schlangenei", "Schlangenleder",
                                      "Schlangenlinie", "Warteschlange", "schlangenartig"}));
  EXPECT_EQ(compoundsOf(words, "SCHLANGE").size(), 7u);
  EXPECT_EQ(compoundsOf(words, "Schlange", 2).size(), 4u);  // up to two of each kind
}

TEST(CompoundIndex, AccentedCapitalsFoldInTheCodePage) {
  const std::vector<std::string> words = {fromUtf8("Überweg", 1252), fromUtf8("überwegsam", 1252),
                                          fromUtf8("Fußgängerüberweg", 1252)};
  EXPECT_EQ(compoundsOf(words, fromUtf8("Überweg", 1252)).size(), 2u);
}

TEST(CompoundIndex, ShortWordsAndPhrasesHaveNone) {
  const std::vector<std::string> words = {"Ohr", "Ohrring", "Ohrenschmerzen", "in Ordnung", "in Ordnungsliebe"};
  EXPECT_TRUE(compoundsOf(words, "Ohr").empty());  // too many words begin with three letters by chance
  EXPECT_TRUE(compoundsOf(words, "in Ordnung").empty());
  EXPECT_TRUE(compoundsOf({}, "Schlange").empty());
}

}  // namespace
}  // namespace zembo
