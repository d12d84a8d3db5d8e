// Reading dictd files: base64 numbers, the index, articles by chunks and from plain files.

#include <gtest/gtest.h>

#include "importer/articles.h"
#include "importer/dictd.h"
#include "tests/support/dictdfiles.h"
#include "tests/support/testenv.h"

namespace zembo::test {
namespace {

TEST(Base64Number, ReadsDictdDigits) {
  std::uint64_t value = 0;
  EXPECT_TRUE(decodeBase64Number("B0", value));
  EXPECT_EQ(value, 64u + 52u);
  EXPECT_TRUE(decodeBase64Number(base64Number(123456789), value));
  EXPECT_EQ(value, 123456789u);
  EXPECT_FALSE(decodeBase64Number("B=", value));
  EXPECT_FALSE(decodeBase64Number("", value));
}

class DictdReadingTest : public TempDirTest {};

TEST_F(DictdReadingTest, ArticlesAcrossChunksReadAsInAPlainFile) {
  std::vector<DictdArticle> articles;
  for (int i = 0; i < 200; ++i)
    articles.push_back({"w" + std::to_string(i), "Wort" + std::to_string(i) + "\nword, term\n"});
  writeDictd(dir / "zipped", articles, true, 64);  // most articles cross a chunk boundary
  writeDictd(dir / "plain", articles, false);
  const std::vector<IndexEntry> index = readIndex(dir / "zipped.index");
  ASSERT_EQ(index.size(), 200u);
  DictData zippedData(dir / "zipped.dict.dz", index), plainData(dir / "plain.dict", index);
  ArticleReader zipped(zippedData), plain(plainData);
  for (std::size_t i = index.size(); i-- > 0;) {  // backwards: chunks are found, not streamed
    EXPECT_EQ(zipped.article(index[i].offset, index[i].length), articles[i].text);
    EXPECT_EQ(plain.article(index[i].offset, index[i].length), articles[i].text);
  }
}

TEST(ArticleParsing, HeadwordWithoutPronunciationAndLabels) {
  const Article a = parseArticle("Amérique du Nord /ameʀikdynɔʀ/ <n>\nNorth America\n");
  EXPECT_EQ(a.headword, "Amérique du Nord");
  ASSERT_EQ(a.translations.size(), 1u);
  EXPECT_EQ(a.translations[0], "North America");
}

TEST(ArticleParsing, NumberedSensesSplitAtCommasAndSemicolonsEachTranslationOnce) {
  const Article a = parseArticle("aller /ale/ <v>\n1. fare\n2. go, ride; travel\n3. go\n");
  EXPECT_EQ(a.translations, (std::vector<std::string>{"fare", "go", "ride", "travel"}));
}

// Leaving out a translation an article gave already costs a few comparisons, however many
// translations came before it: an article of a million lines is read in linear time.
TEST(ArticleParsing, RepeatsAreFoundWithoutComparingEachTranslationWithEveryEarlierOne) {
  for (const int count : {10, 1000, 20000}) {
    SCOPED_TRACE(count);
    std::string text = "Wort /x/\n";
    for (int i = 0; i < count; ++i) text += "word" + std::to_string(i) + ", word" + std::to_string(i / 2) + "\n";
    ParsedArticle parsed;
    parseArticle(text, parsed);
    EXPECT_EQ(parsed.translations.size(), static_cast<std::size_t>(count));
    EXPECT_LE(parsed.comparisons, std::size_t{16} * 2 * count);  // at most 16 for each of its translations
  }
}

TEST(Utf8, WellFormedOnly) {
  EXPECT_TRUE(isUtf8("Tür, дом, 3α"));
  EXPECT_FALSE(isUtf8("T\xfcr"));
  EXPECT_FALSE(isUtf8("\xc3"));
  EXPECT_FALSE(isUtf8("\xc0\xaf"));
}

}  // namespace
}  // namespace zembo::test
