#include "lookup/articleview.h"

#include <gtest/gtest.h>

namespace zembo {
namespace {

// Articles as the German dictionary gives them, two of one headword line and one of another.
constexpr const char* hund =
    "Hund /h\xCB\x88\xCA\x8Ant/ <masc, n, sg>\n"
    " [zool.] dog <n>, dawg <n>\n"
    "         Note: used to represent American speech\n"
    "      \"einen Hund abrichten\"  - train a dog\n"
    "      \"Schlafende Hunde soll man nicht wecken.\"  - Let sleeping dogs lie.\n"
    " see: {Hunde}, {Haushund}\n"
    "\n"
    "Hund /h\xCB\x88\xCA\x8Ant/ <masc, n, sg>\n"
    "mine car <n>, tub <n>, corf <n> [Br.] , cocoa pan <n> [coll.]\n"
    "   Synonyms: {F\xC3\xB6rderwagen}, {Grubenwagen}\n"
    "\n"
    " see: {F\xC3\xB6rderwagen}, {Hunde}\n"
    "\n"
    "\n"
    "Hund\xE2\x80\xA6 /h\xCB\x88\xCA\x8Ant/ <adj>\n"
    "canine <adj>\n";

ArticleWords englishWords(std::string language = "de") {
  ArticleWords words;
  words.grammar = splitGrammarNames(
      "noun|verb|adjective|adverb|pronoun|preposition|conjunction|interjection|numeral|article|masculine|feminine|"
      "neuter|plural");
  words.language = std::move(language);
  return words;
}

TEST(ArticleView, ArticlesOfOneHeadwordLineBecomeOneBlockWithNumberedSenses) {
  const std::vector<ArticleBlock> blocks = parseArticles(hund);
  ASSERT_EQ(blocks.size(), 2U);
  const ArticleBlock& noun = blocks[0];
  EXPECT_EQ(noun.headword, "Hund");
  EXPECT_EQ(noun.pronunciation, "h\xCB\x88\xCA\x8Ant");
  EXPECT_EQ(noun.grammar, (std::vector<std::string>{"masc", "n", "sg"}));
  ASSERT_EQ(noun.senses.size(), 2U);
  EXPECT_EQ(noun.senses[0].labels, std::vector<std::string>{"zool."});
  EXPECT_EQ(noun.senses[0].text, "dog, dawg");
  EXPECT_EQ(noun.senses[0].notes, std::vector<std::string>{"used to represent American speech"});
  ASSERT_EQ(noun.senses[0].examples.size(), 2U);
  EXPECT_EQ(noun.senses[0].examples[0].first, "einen Hund abrichten");
  EXPECT_EQ(noun.senses[0].examples[0].second, "train a dog");
  EXPECT_EQ(noun.senses[1].text, "mine car, tub, corf [Br.], cocoa pan [coll.]");
  EXPECT_EQ(noun.senses[1].synonyms, (std::vector<std::string>{"F\xC3\xB6rderwagen", "Grubenwagen"}));
  // A reference of both articles is listed once.
  EXPECT_EQ(noun.references, (std::vector<std::string>{"Hunde", "Haushund", "F\xC3\xB6rderwagen"}));
  EXPECT_EQ(blocks[1].headword, "Hund\xE2\x80\xA6");
  EXPECT_EQ(blocks[1].grammar, std::vector<std::string>{"adj"});
  EXPECT_EQ(blocks[1].senses.at(0).text, "canine");
}

TEST(ArticleView, NumberedSensesOfOneArticleEachStandApart) {
  const std::vector<ArticleBlock> blocks = parseArticles("aller /ale/ <v>\n1. fare\n2. go, ride, travel\n");
  ASSERT_EQ(blocks.size(), 1U);
  ASSERT_EQ(blocks[0].senses.size(), 2U);
  EXPECT_EQ(blocks[0].senses[0].text, "fare");
  EXPECT_EQ(blocks[0].senses[1].text, "go, ride, travel");
  EXPECT_EQ(grammarText(blocks[0], englishWords("fr")), "verb");
}

// The pane numbers first the sense the rows put first: the one that begins with the record's first
// translation, in each block; the others keep their order.
TEST(ArticleView, TheSenseOfTheRecordsFirstTranslationLeads) {
  std::vector<ArticleBlock> blocks = parseArticles("aller /ale/ <v>\n1. fare\n2. go, ride\n3. travel; walk\n");
  leadWithSenseOf(blocks, "travel");
  ASSERT_EQ(blocks.at(0).senses.size(), 3U);
  EXPECT_EQ(blocks[0].senses[0].text, "travel; walk");
  EXPECT_EQ(blocks[0].senses[1].text, "fare");
  EXPECT_EQ(blocks[0].senses[2].text, "go, ride");
  leadWithSenseOf(blocks, "go");
  EXPECT_EQ(blocks[0].senses[0].text, "go, ride");
  // Only a whole first translation leads: "g" and "ride" move nothing, nor does an empty one.
  for (const char* other : {"g", "ride", ""}) {
    leadWithSenseOf(blocks, other);
    EXPECT_EQ(blocks[0].senses[0].text, "go, ride") << other;
  }
  blocks = parseArticles(hund);
  leadWithSenseOf(blocks, "mine car");
  EXPECT_EQ(blocks.at(0).senses.at(0).text, "mine car, tub, corf [Br.], cocoa pan [coll.]");
  EXPECT_EQ(blocks[0].senses.at(1).labels, std::vector<std::string>{"zool."});
  EXPECT_EQ(blocks.at(1).senses.at(0).text, "canine");
}

TEST(ArticleView, AnAbbreviationAfterATagStaysAWordOfItsOwn) {
  const std::vector<ArticleBlock> blocks = parseArticles(
      "Stra\xC3\x9F"
      "e /x/ <fem, n, sg>\navenue <n>Ave,  /\xCB\x88\xC9\x91v/ , alley <n>\n");
  ASSERT_EQ(blocks.size(), 1U);
  EXPECT_EQ(blocks[0].senses.at(0).text, "avenue Ave, /\xCB\x88\xC9\x91v/, alley");
}

TEST(ArticleView, AHeadwordWithoutPronunciationOrGrammarKeepsItsWholeLine) {
  const std::vector<ArticleBlock> blocks = parseArticles("huis\xE2\x80\x90\ndomesticated, house\n");
  ASSERT_EQ(blocks.size(), 1U);
  EXPECT_EQ(blocks[0].headword, "huis\xE2\x80\x90");
  EXPECT_TRUE(blocks[0].pronunciation.empty());
  EXPECT_TRUE(blocks[0].grammar.empty());
  EXPECT_EQ(blocks[0].senses.at(0).text, "domesticated, house");
  EXPECT_TRUE(parseArticles("").empty());
  EXPECT_TRUE(parseArticles("\n\n").empty());
}

TEST(ArticleView, NounsTakeTheArticleOfTheirLanguageAndGender) {
  auto noun = [](const char* headword, std::vector<std::string> grammar) {
    ArticleBlock block;
    block.headword = headword;
    block.grammar = std::move(grammar);
    return block;
  };
  EXPECT_EQ(nounArticle(noun("Hund", {"masc", "n", "sg"}), "de"), "der");
  EXPECT_EQ(nounArticle(noun("Stra\xC3\x9F"
                             "e",
                             {"fem", "n", "sg"}),
                        "de"),
            "die");
  EXPECT_EQ(nounArticle(noun("Haus", {"neut", "n", "sg"}), "de"), "das");
  EXPECT_EQ(nounArticle(noun("Leute", {"n", "pl"}), "de"), "die");
  EXPECT_EQ(nounArticle(noun("maison", {"n", "fem"}), "fr"), "la");
  EXPECT_EQ(nounArticle(noun("chien", {"n", "masc"}), "fr"), "le");
  EXPECT_EQ(nounArticle(noun("arbre", {"n", "masc"}), "fr"), "l'");
  EXPECT_EQ(nounArticle(noun("huis", {"n", "neut"}), "nl"), "het");
  EXPECT_EQ(nounArticle(noun("straat", {"n", "fem"}), "nl"), "de");
  // Not a noun, no gender, or a language without articles: none.
  EXPECT_EQ(nounArticle(noun("gehen", {"v", "intr"}), "de"), "");
  EXPECT_EQ(nounArticle(noun("Ding", {"n"}), "de"), "");
  EXPECT_EQ(nounArticle(noun("hund", {"n", "masc"}), "sv"), "");
}

TEST(ArticleView, GrammarIsNamedInTheEditionsWordsAndUnknownTagsStayAsTheyAre) {
  ArticleBlock block;
  block.grammar = {"masc", "n", "sg"};
  EXPECT_EQ(grammarText(block, englishWords()), "masculine, noun");
  block.grammar = {"v", "intr"};
  EXPECT_EQ(grammarText(block, englishWords()), "verb, intr");
  ArticleWords german = englishWords();
  german.grammar = splitGrammarNames("Substantiv|Verb");
  EXPECT_EQ(grammarText(block, german), "Verb, intr");
  // A tag whose name the edition lacks shows as the tag.
  block.grammar = {"adj"};
  EXPECT_EQ(grammarText(block, german), "adj");
}

TEST(ArticleView, ThePageSetsEverythingForReadingAndEscapesTheText) {
  const std::string page = articleHtml(parseArticles(hund), englishWords());
  EXPECT_NE(page.find("der</span> <b>Hund</b>"), std::string::npos) << page;
  EXPECT_NE(page.find("/h\xCB\x88\xCA\x8Ant/"), std::string::npos);
  EXPECT_NE(page.find("masculine, noun"), std::string::npos);
  EXPECT_NE(page.find("<b>1.</b> "), std::string::npos);
  EXPECT_NE(page.find("<b>2.</b> "), std::string::npos);
  EXPECT_NE(page.find("<i>zool.</i>"), std::string::npos);
  EXPECT_NE(page.find("<i>einen Hund abrichten</i> &#8211; train a dog"), std::string::npos);
  EXPECT_NE(page.find("Note: used to represent American speech"), std::string::npos);
  EXPECT_NE(page.find("Synonyms: F\xC3\xB6rderwagen, Grubenwagen"), std::string::npos);
  EXPECT_NE(page.find("See also: Hunde, Haushund"), std::string::npos);
  // The raw dictd marks are gone.
  EXPECT_EQ(page.find("&lt;n&gt;"), std::string::npos);
  EXPECT_EQ(page.find('{'), std::string::npos);
  const std::string escaped = articleHtml(parseArticles("a<b /x/\nR&D <n>, \"q\"\n"), englishWords());
  EXPECT_NE(escaped.find("R&amp;D, &quot;q&quot;"), std::string::npos) << escaped;
  EXPECT_EQ(escaped.find("R&D"), std::string::npos);
}

}  // namespace
}  // namespace zembo
