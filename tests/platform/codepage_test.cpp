#include "platform/codepage.h"

#include <gtest/gtest.h>

#include "platform/asciicase.h"

namespace zembo {
namespace {

TEST(CodePage, CharsetCodesMapToTheirPages) {
  EXPECT_EQ(codePageOfCharset(0), 1252);
  EXPECT_EQ(codePageOfCharset(500), 1252);
  EXPECT_EQ(codePageOfCharset(204), 1251);
  EXPECT_EQ(codePageOfCharset(238), 1250);
  EXPECT_EQ(codePageOfCharset(161), 1253);
  EXPECT_EQ(codePageOfCharset(162), 1254);
  EXPECT_EQ(codePageOfCharset(177), 1255);
  EXPECT_EQ(codePageOfCharset(178), 1256);
  EXPECT_EQ(codePageOfCharset(186), 1257);
  EXPECT_EQ(codePageOfCharset(163), 1258);
  EXPECT_EQ(codePageOfCharset(222), 874);
}

TEST(CodePage, WesternAndCyrillicRoundTrips) {
  EXPECT_EQ(toUtf8("caf\xE9", 1252), "café");
  EXPECT_EQ(fromUtf8("café", 1252), "caf\xE9");
  EXPECT_EQ(toUtf8("\x80", 1252), "€");
  EXPECT_EQ(toUtf8("\xD0\xF3\xF1\xF1\xEA\xE8\xE9", 1251), "Русский");
  EXPECT_EQ(fromUtf8("Русский", 1251), "\xD0\xF3\xF1\xF1\xEA\xE8\xE9");
  EXPECT_EQ(fromUtf8("ёЁ", 1251), "\xB8\xA8");
  EXPECT_EQ(fromUtf8("łś", 1250), "\xB3\x9C");
}

TEST(CodePage, CharacterOutsideThePageBecomesQuestionMark) {
  EXPECT_EQ(fromUtf8("Жé", 1252), "?\xE9");
  EXPECT_EQ(fromUtf8("é", 1251), "?");
  EXPECT_EQ(fromUtf8("a😀b", 1252), "a?b");
  EXPECT_EQ(fromUtf16(u"a\U0001F600b", 1252), "a?b");
  EXPECT_EQ(fromUtf8("\xFF\xFE", 1252), "??");  // not UTF-8 at all
}

TEST(CodePage, EveryByteSurvivesARoundTrip) {
  for (int cp : {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(fromUtf16(toUtf16(all, cp), cp), all) << cp;
  }
}

TEST(AsciiCase, OnlyAsciiLettersFold) {
  EXPECT_TRUE(equalNoCase("Fre_Eng.ZB", "fre_eng.zb"));
  EXPECT_FALSE(equalNoCase("\xC9", "\xE9"));  // É and é are different bytes
  EXPECT_FALSE(equalNoCase("abc", "abcd"));
  EXPECT_TRUE(equalNoCaseN("[selected]xyz", "[SELECTED]", 10));
  EXPECT_FALSE(equalNoCaseN("[select", "[SELECTED]", 10));
  EXPECT_LT(compareNoCase("apple", "Banana"), 0);
  EXPECT_GT(compareNoCase("apple", "APP"), 0);
  EXPECT_EQ(compareNoCase("[", "["), 0);
  // '[' (0x5B) lies between 'Z' and 'a': folding to lower case puts it before every letter.
  EXPECT_LT(compareNoCase("[", "a"), 0);
  EXPECT_LT(compareNoCase("[", "A"), 0);
  EXPECT_TRUE(startsWithNoCase("COPYX a b", "copy"));
}

}  // namespace
}  // namespace zembo
