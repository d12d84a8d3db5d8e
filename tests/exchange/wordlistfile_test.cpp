// A teacher's word list in each shape it comes in: CSV as spreadsheets write it, tab-separated
// text, Anki's text export; and the files that are none.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/wordlistfile.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using WordListFiles = test::TempDirTest;

TEST(WordLists, ReadCsvWithQuotedCommasQuotesAndLineBreaks) {
  const WordListFile list = parseWordList(
      "word,translation,example\r\n"
      "dog,\"Hund, der\",\"He said \"\"woof\"\".\"\r\n"
      "\"être\",to be,\"Je suis.\r\nTu es.\"\r\n");
  EXPECT_EQ(list.error, "");
  EXPECT_EQ(list.separator, ',');
  EXPECT_TRUE(list.validUtf8);
  EXPECT_EQ(list.rows, (Rows{{"word", "translation", "example"},
                             {"dog", "Hund, der", "He said \"woof\"."},
                             {"être", "to be", "Je suis.\nTu es."}}));
}

TEST(WordLists, ReadLibreOfficesDefaultExport) {
  // Quotes only where a field needs them, empty fields as nothing, no line end after the last row.
  const WordListFile list = parseWordList("Straße,street,\ncafé,\"coffee, café\",n\n,empty word,\nlast,row,x");
  EXPECT_EQ(
      list.rows,
      (Rows{{"Straße", "street", ""}, {"café", "coffee, café", "n"}, {"", "empty word", ""}, {"last", "row", "x"}}));
}

TEST(WordLists, FindTheSemicolonWhenCommasAreInsideTheTranslations) {
  const WordListFile list = parseWordList("Straße;the street, the road\nHaus;house\nBaum;tree, wood\n");
  EXPECT_EQ(list.separator, ';');
  EXPECT_EQ(list.rows, (Rows{{"Straße", "the street, the road"}, {"Haus", "house"}, {"Baum", "tree, wood"}}));
}

TEST(WordLists, ReadTabSeparatedText) {
  const WordListFile list = parseWordList("собака\tdog, hound\tж.\nкошка\tcat\tж.\n\n");
  EXPECT_EQ(list.separator, '\t');
  EXPECT_EQ(list.rows, (Rows{{"собака", "dog, hound", "ж."}, {"кошка", "cat", "ж."}}));
}

TEST(WordLists, ReadOneWordALine) {
  const WordListFile list = parseWordList("dog\ncat\n\nhorse\n");
  EXPECT_EQ(list.rows, (Rows{{"dog"}, {"cat"}, {"horse"}}));
}

TEST(WordLists, FollowTheHeaderOfAnkisTextExport) {
  const WordListFile list = parseWordList(
      "#separator:tab\n#html:true\n#columns:Front\tBack\n#notetype column:3\n"
      "dog\t<b>Hund</b>, der\tBasic\n\"a\ttab\"\tx\tBasic\n");
  EXPECT_EQ(list.error, "");
  EXPECT_EQ(list.separator, '\t');
  EXPECT_TRUE(list.html);
  EXPECT_EQ(list.columns, (std::vector<std::string>{"Front", "Back"}));
  EXPECT_EQ(list.rows, (Rows{{"dog", "<b>Hund</b>, der", "Basic"}, {"a\ttab", "x", "Basic"}}));
}

TEST(WordLists, TakeTheSeparatorAnkiNames) {
  EXPECT_EQ(parseWordList("#separator:Comma\n#html:false\na;b,c\n").rows, (Rows{{"a;b", "c"}}));
  EXPECT_EQ(parseWordList("#separator:semicolon\r\na;b,c\r\n").rows, (Rows{{"a", "b,c"}}));
  EXPECT_EQ(parseWordList("#separator:|\na|b\n").rows, (Rows{{"a", "b"}}));
  EXPECT_FALSE(parseWordList("#separator:comma\na,b\n").html);
}

TEST(WordLists, DropAUtf8ByteOrderMarkAndConvertUtf16) {
  EXPECT_EQ(parseWordList("\xEF\xBB\xBFword;Wort\n").rows, (Rows{{"word", "Wort"}}));
  // "ё,x" and a line end, as UTF-16 with its mark, little- and big-endian.
  EXPECT_EQ(parseWordList(std::string("\xFF\xFE\x51\x04,\0x\0\n\0", 10)).rows, (Rows{{"ё", "x"}}));
  EXPECT_EQ(parseWordList(std::string("\xFE\xFF\x04\x51\0,\0x\0\n", 10)).rows, (Rows{{"ё", "x"}}));
}

TEST(WordLists, SayWhenTheBytesAreNoUtf8) {
  const WordListFile list = parseWordList(
      "Stra\xDF"
      "e;street\n\xEAtre;to be\n");
  EXPECT_EQ(list.error, "");
  EXPECT_FALSE(list.validUtf8);
  EXPECT_EQ(list.rows, (Rows{{"Stra\xDF"
                              "e",
                              "street"},
                             {"\xEAtre", "to be"}}));
  EXPECT_TRUE(isValidUtf8("Straße être собака 😀"));
  EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // a surrogate
  EXPECT_FALSE(isValidUtf8("\xE2\x82"));          // cut short
  EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
}

TEST(WordLists, NameTheLineOfAQuoteThatNeverCloses) {
  const WordListFile list = parseWordList("a,b\nc,\"d\ne,f\ng,h\n");
  EXPECT_EQ(list.error, "line 2: a quote opens a field that never ends");
  EXPECT_TRUE(list.rows.empty());
  EXPECT_EQ(parseWordList("#separator:comma\n#html:false\nx,y\n\"open").error,
            "line 4: a quote opens a field that never ends");
}

TEST(WordLists, TakeAStrayQuoteInsideAFieldAsItIs) {
  EXPECT_EQ(parseWordList("5\" screen,Bildschirm\n\"quoted\"tail,x\n").rows,
            (Rows{{"5\" screen", "Bildschirm"}, {"quotedtail", "x"}}));
}

TEST(WordLists, RefuseBinaryFiles) {
  const std::string message = "the file holds no text (it looks like a program's or a picture's bytes)";
  EXPECT_EQ(parseWordList(std::string("PK\x03\x04\0\0\x08\0", 8)).error, message);
  EXPECT_EQ(parseWordList("\x7F"
                          "ELF\x02\x01\x01\x03\x04\x05\x06\x07\x0E\x0F\x10\x11")
                .error,
            message);
  std::string mostlyText(1000, 'a');
  mostlyText[10] = '\x01';
  EXPECT_EQ(parseWordList(mostlyText).error, "");
}

TEST_F(WordListFiles, AreReadFromDiskWithinTheLimit) {
  test::writeFile("list.csv", "dog,Hund\n");
  EXPECT_EQ(readWordListFile("list.csv", 100).rows, (Rows{{"dog", "Hund"}}));
  EXPECT_EQ(readWordListFile("list.csv", 4).error, "the file is too large for a word list");
  EXPECT_NE(readWordListFile("absent.csv", 100).error, "");
}

}  // namespace
}  // namespace zembo
