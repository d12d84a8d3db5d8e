#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "formats/articlefile.h"
#include "formats/entryindex.h"
#include "tests/importer/importfixture.h"

namespace zembo::test {
namespace {

// The articles the file beside a word file holds for a headword (its word-file bytes); "-" when
// it has none, "!" and the error when it cannot be read.
std::string articlesOf(const std::filesystem::path& wordFile, std::string_view key) {
  ArticleFile file;
  std::string error, articles;
  if (!file.open(articleFileOf(wordFile), error)) return "!" + error;
  if (file.find(key, articles, error)) return articles;
  return error.empty() ? "-" : "!" + error;
}

// Every article of a headword is kept as the dictionary gives it, pronunciation, gender,
// examples and references included, in the dictionary's order.
TEST_F(ImportTest, EachHeadwordKeepsItsWholeArticlesBesideTheWordFile) {
  const std::string strasse = "Straße /ʃtɾˈɑːsə/ <fem, n, sg>\n";
  const auto dict = writeDictionary(
      "freedict-deu-eng",
      {{"straße", strasse + "road <n>Rd,  /ˌɛɾdˈeː/\n      \"auf offener Straße\"  - on the open road\n"},
       {"haus", "Haus /haʊ̯s/ <n, sg>\nhouse\n see: {Häuser}\n"},
       {"straße", strasse + "street <n>St\n"},
       {"gehen", "gehen /ɡˈeːən/ <verb>\ngo <v>\n"},
       {"Gehen", "Gehen <n>\nwalking\n"}});
  const ImportReport report = importInto(dict);
  const std::filesystem::path forward = "zb/language/Ger_Eng.zb";
  ASSERT_TRUE(std::filesystem::exists("zb/language/Ger_Eng.art"));
  EXPECT_FALSE(std::filesystem::exists("zb/language/Eng_Ger.art"));  // the reverse file has none of its own
  EXPECT_EQ(articlesOf(forward, "Haus"), "Haus /haʊ̯s/ <n, sg>\nhouse\n see: {Häuser}");
  EXPECT_EQ(articlesOf(forward,
                       "Stra\xDF"
                       "e"),  // the word file's bytes (Windows-1252)
            strasse + "road <n>Rd,  /ˌɛɾdˈeː/\n      \"auf offener Straße\"  - on the open road\n\n" + strasse +
                "street <n>St");
  EXPECT_EQ(articlesOf(forward, "gehen"), "gehen /ɡˈeːən/ <verb>\ngo <v>");
  EXPECT_EQ(articlesOf(forward, "Gehen"), "Gehen <n>\nwalking");
  EXPECT_EQ(articlesOf(forward, "GEHEN"), "-");
  EXPECT_EQ(articlesOf(forward, "Hof"), "-");
  EXPECT_EQ(report.articleHeadwords, 4);
  EXPECT_GT(report.articleBytes, 64u);
  EXPECT_EQ(report.articleFile, (std::filesystem::current_path() / "zb/language/Ger_Eng.art").string());
}

// The import indexes the entries it wrote: the articles' index names the article file, the word
// files' index both word files and the article file, so that zembo trusts them as they are.
TEST_F(ImportTest, TheEntriesAreIndexedForTheFilesWritten) {
  const auto dict =
      writeDictionary("freedict-deu-eng",
                      {{"gehen", "gehen /x/ <v>\ngo <v>, walk <v>\n      \"langsam gehen\"  - walk slowly\n"},
                       {"haus", "Haus /x/ <n>\nhouse <n>\n      \"von zu Hause aus arbeiten\"  - work from home\n"}});
  importInto(dict);
  const std::filesystem::path forward = "zb/language/Ger_Eng.zb", reverse = "zb/language/Eng_Ger.zb";
  EntryIndex articleIndex, wordIndex;
  std::string error;
  ASSERT_TRUE(articleIndex.open(articleIndexOf(forward), error)) << error;
  ASSERT_TRUE(wordIndex.open(wordIndexOf(forward), error)) << error;
  EntryIndexState articleState, wordState;
  ASSERT_TRUE(readWordFileState(articleFileOf(forward), articleState.articles, error)) << error;
  ASSERT_TRUE(readWordFileState(forward, wordState.forward, error)) << error;
  ASSERT_TRUE(readWordFileState(reverse, wordState.reverse, error)) << error;
  wordState.articles = articleState.articles;
  EXPECT_EQ(articleIndex.state(), articleState);
  EXPECT_EQ(wordIndex.state(), wordState);
  const EntryIndex* both[] = {&articleIndex, &wordIndex};
  const std::vector<FoundEntry> found = findEntries(both, "walk slowly", 10);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].headword, "gehen");
  const std::vector<FoundEntry> home = findEntries(both, "work from", 10);
  ASSERT_EQ(home.size(), 1u);
  EXPECT_EQ(home[0].headword, "Haus");
  EXPECT_EQ(findEntries(both, "Haus", 10)[0].direction, 1);  // the reverse file's "house"
}

// An abbreviation made a headword of its own has the articles of the headword it abbreviates,
// also where that headword is too long for the word file (and so has none).
TEST_F(ImportTest, AnAbbreviationGetsTheArticleOfWhatItAbbreviates) {
  const std::string aag =
      "autoimmune autonomic ganglionopathy /ˌɔːtəʊɪmjˈuːn/ (AAG /ˌeɪeɪdʒˈiː/) <n>\n"
      "autoimmune autonome Ganglionopathie <f>";
  const std::string mv = "motor vehicle /mˈəʊtə/ (MV /ˌɛmvˈiː/) <n>\nKraftfahrzeug <n>";
  const auto dict = writeDictionary(
      "freedict-eng-deu", {{"motor vehicle", mv + "\n"}, {"autoimmune autonomic ganglionopathy", aag + "\n"}});
  options.edition = "german";
  importInto(dict, "de");
  EXPECT_EQ(articlesOf("de/sprache/Eng_Deu.zb", "MV"), mv);
  EXPECT_EQ(articlesOf("de/sprache/Eng_Deu.zb", "motor vehicle"), mv);
  EXPECT_EQ(articlesOf("de/sprache/Eng_Deu.zb", "AAG"), aag);
  EXPECT_EQ(articlesOf("de/sprache/Eng_Deu.zb", "autoimmune autonomic ganglionopathy"), "-");
}

// A headword left out of the word file has no articles either; a language the import did not
// write (the sample's own) has no article file, which is no error.
TEST_F(ImportTest, OnlyHeadwordsOfTheWordFileHaveArticles) {
  const auto dict = writeDictionary("freedict-deu-eng", {article("Haus", "house"), article("Brautschau", "")});
  const ImportReport report = importInto(dict);
  EXPECT_EQ(articlesOf("zb/language/Ger_Eng.zb", "Haus"), "Haus /x/ <n>\nhouse");
  EXPECT_EQ(articlesOf("zb/language/Ger_Eng.zb", "Brautschau"), "-");
  EXPECT_EQ(report.articleHeadwords, 1);
  ArticleFile none;
  std::string error;
  EXPECT_FALSE(none.open(articleFileOf("zb/language/Fre_Eng.zb"), error));
  EXPECT_TRUE(error.empty()) << error;
}

// Importing again replaces the article file with the new dictionary's.
TEST_F(ImportTest, ASecondImportReplacesTheArticles) {
  importInto(writeDictionary("freedict-deu-eng", {article("Haus", "house")}));
  std::filesystem::create_directories("dict/other");
  importInto(writeDictionary("other/freedict-deu-eng", {article("Hof", "yard")}));
  EXPECT_EQ(articlesOf("zb/language/Ger_Eng.zb", "Haus"), "-");
  EXPECT_EQ(articlesOf("zb/language/Ger_Eng.zb", "Hof"), "Hof /x/ <n>\nyard");
  EXPECT_FALSE(std::filesystem::exists("zb/language/Ger_Eng.art.new"));
}

}  // namespace
}  // namespace zembo::test
