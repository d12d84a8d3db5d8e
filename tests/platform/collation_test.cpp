#include "platform/collation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace zembo {
namespace {

TEST(Collation, CLocaleFoldsOnlyAsciiLetters) {
  ASSERT_TRUE(setCollationLocale("C"));
  EXPECT_EQ(collateNoCase("Apple", "apple"), 0);
  EXPECT_LT(collateNoCase("apple", "banana"), 0);
  EXPECT_GT(collateNoCase("\xE9t\xE9", "zoo"), 0);  // bytes above 127 sort after z
}

TEST(Collation, FrenchSortsAccentsWithTheirLetter) {
  ASSERT_TRUE(setCollationLocale("french"));
  EXPECT_EQ(collationCodePage(), 1252);
  EXPECT_LT(collateNoCase("\xE9t\xE9", "zoo"), 0);        // été before zoo
  EXPECT_GT(collateNoCase("\xE9t\xE9", "ete"), 0);        // accents still count
  EXPECT_EQ(collateNoCase("\xC9T\xC9", "\xE9t\xE9"), 0);  // case does not
  EXPECT_LT(collateNoCase("cote", "c\xF4t\xE9"), 0);
  EXPECT_NE(collateNoCase("well-known", "wellknown"), 0);  // punctuation is not ignored
}

TEST(Collation, RussianDecodesCyrillicAndPutsYoBesideYe) {
  ASSERT_TRUE(setCollationLocale("RUSSIAN"));
  EXPECT_EQ(collationCodePage(), 1251);
  const std::string ye = "\xE5\xEB\xEA\xE0";         // елка
  const std::string yo = "\xB8\xEB\xEA\xE0";         // ёлка
  const std::string zh = "\xE6\xE0\xF0";             // жар
  const std::string a = "\xE0\xE7\xE1\xF3\xEA\xE0";  // азбука
  EXPECT_LT(collateNoCase(a, ye), 0);
  EXPECT_LT(collateNoCase(ye, zh), 0);
  EXPECT_LT(collateNoCase(yo, zh), 0);  // ё is not sorted after я as its byte would be
  EXPECT_NE(collateNoCase(ye, yo), 0);
  EXPECT_EQ(collateNoCase("\xC5\xCB\xCA\xC0", ye), 0);  // ЕЛКА = елка
}

TEST(Collation, NamesVariantsAndIcuNames) {
  EXPECT_TRUE(setCollationLocale("norwegian-bokmal"));
  EXPECT_EQ(collationLocaleName(), "nb");
  EXPECT_TRUE(setCollationLocale("Dutch"));
  EXPECT_EQ(collationLocaleName(), "nl");
  EXPECT_TRUE(setCollationLocale("pt_BR"));
  EXPECT_EQ(collationLocaleName(), "pt_BR");
  EXPECT_TRUE(setCollationLocale("polish"));
  EXPECT_EQ(collationCodePage(), 1250);
}

TEST(Collation, UnknownNameFailsAndKeepsTheLocaleInForce) {
  ASSERT_TRUE(setCollationLocale("swedish"));
  EXPECT_FALSE(setCollationLocale("0"));
  EXPECT_FALSE(setCollationLocale("klingon"));
  EXPECT_FALSE(setCollationLocale(""));
  EXPECT_FALSE(setCollationLocale("xx_YY"));
  EXPECT_EQ(collationLocaleName(), "sv");
  // Swedish puts ö after z.
  EXPECT_GT(collateNoCase("\xF6l", "zon"), 0);
}

TEST(Collation, SortKeysGiveTheOrderOfTheComparison) {
  for (const char* locale : {"C", "french", "german", "russian"}) {
    ASSERT_TRUE(setCollationLocale(locale));
    std::vector<std::string> words = {"apple",
                                      "Apple",
                                      "\xE9t\xE9",
                                      "ete",
                                      "zoo",
                                      "a-b",
                                      "ab",
                                      "",
                                      "\xDF",
                                      "ss",
                                      "\xE5\xEB\xEA\xE0",
                                      "\xB8\xEB\xEA\xE0",
                                      "Z",
                                      "[x"};
    CollationKeyMaker maker;
    std::string ka, kb;
    for (const auto& a : words)
      for (const auto& b : words) {
        maker.makeKey(a, ka);
        maker.makeKey(b, kb);
        const int byKey = ka < kb ? -1 : ka > kb ? 1 : 0;
        const int byCompare = collateNoCase(a, b);
        EXPECT_EQ(byKey, byCompare < 0 ? -1 : byCompare > 0 ? 1 : 0) << locale << " " << a << " " << b;
      }
  }
}

}  // namespace
}  // namespace zembo
