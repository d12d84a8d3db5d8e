#include "formats/entryindex.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/testenv.h"

namespace zembo {
namespace {

using test::readFile;
using test::writeFile;

class EntryIndexTest : public test::TempDirTest {
 protected:
  // What a search finds, as "direction:headword/rank" joined by blanks, "!N" after an entry that
  // lacks N of the words.
  static std::string found(std::span<const EntryIndex* const> indexes, std::string_view typed, std::size_t limit = 50) {
    std::string out;
    for (const FoundEntry& e : findEntries(indexes, typed, limit))
      out += (out.empty() ? "" : " ") + std::to_string(e.direction) + ":" + e.headword + "/" + std::to_string(e.rank) +
             (e.missing ? "!" + std::to_string(e.missing) : "");
    return out;
  }
  static std::string found(const EntryIndex& index, std::string_view typed, std::size_t limit = 50) {
    const EntryIndex* one = &index;
    return found(std::span(&one, 1), typed, limit);
  }
  static constexpr EntryIndexState articleState{{}, {}, {300, 5}};
  // A small German-English language: the articles' index, and the word files' index numbered
  // after it.
  void writeGerman() {
    EntryIndexWriter articles;
    indexArticle(articles, "gehen",
                 "gehen /\xC9\xA1\xCB\x88\x65\xCB\x90\xC9\x99n/ <v>\n"
                 "go <v>, walk <v>\n"
                 "         Note: to move on foot\n"
                 "      \"langsam gehen\"  - walk slowly\n");
    indexArticle(articles, "Haus",
                 "Haus /haus/ <n>\n [archit.] house <n>\n      \"ein Haus bauen\"  - build a house\n");
    indexArticle(articles, "schleichen", "schleichen <v>\ncreep <v>\n   Note: walk slowly and quietly\n");
    std::string error;
    ASSERT_TRUE(articles.writeTo("Ger_Eng.fnd", articleState, error)) << error;
    ASSERT_TRUE(articleIndex.open("Ger_Eng.fnd", error)) << error;

    EntryIndexWriter words;
    words.numberEntriesOf(articleIndex);
    const auto word = [&](int direction, std::string_view headword, std::string_view translations) {
      words.add(words.entry(direction, headword), translations, EntryPart::wordFile);
    };
    word(0, "gehen", "go, walk, leave");
    word(0, "Haus", "house, home");
    word(0, "schleichen", "creep, sneak");
    word(0, "Zuhause", "home");
    word(1, "walk", "gehen, laufen");
    word(1, "slowly", "langsam");
    wordState = {{100, 7}, {200, 9}, articleState.articles};
    ASSERT_TRUE(words.writeTo("Ger_Eng.fnw", wordState, error)) << error;
    ASSERT_TRUE(wordIndex.open("Ger_Eng.fnw", error)) << error;
  }
  std::string find(std::string_view typed, std::size_t limit = 50) const {
    const EntryIndex* both[] = {&articleIndex, &wordIndex};
    return found(both, typed, limit);
  }
  EntryIndex articleIndex, wordIndex;
  EntryIndexState wordState;
};

TEST_F(EntryIndexTest, EveryWordTypedInAnyOrderTheLastAsABeginning) {
  writeGerman();
  EXPECT_EQ(articleIndex.state(), articleState);
  EXPECT_EQ(wordIndex.state(), wordState);
  EXPECT_EQ(articleIndex.entryCount(), 3U);
  EXPECT_EQ(wordIndex.entryCount(), 6U);  // the articles' three first, numbered alike
  // "walk" is a translation gehen's word file shows, "slowly" only in its example (0 + 3);
  // schleichen has both in a sense's note (2 + 2).
  EXPECT_EQ(find("walk slowly"), "0:gehen/3 0:schleichen/4");
  EXPECT_EQ(find("slowly WALK"), "0:gehen/3 0:schleichen/4");
  EXPECT_EQ(find("walk slo"), "0:gehen/3 0:schleichen/4");
  EXPECT_EQ(find("walk sl"), "0:gehen/3 0:schleichen/4");
  // A word the word file shows comes before one in a sense, before one in an example.
  EXPECT_EQ(find("walk"), "0:gehen/0 0:schleichen/2");
  EXPECT_EQ(find("house"), "0:Haus/0");
  EXPECT_EQ(find("bauen"), "0:Haus/3");
  // Equal ranks: the entry with more translations in both indexes (Haus: its word file's two and
  // its article's one) first.
  EXPECT_EQ(find("home"), "0:Haus/0 0:Zuhause/0");
  EXPECT_EQ(find("h"), "0:Haus/0 0:Zuhause/0");
  // The other direction's translations, folded: "GEHEN" is "gehen".
  EXPECT_EQ(find("GEHEN"), "1:walk/0 0:gehen/3");
  EXPECT_EQ(find("Langsam"), "1:slowly/0 0:gehen/3");
  // Grammar tags and labels are no words of the entry; nor is the headword line.
  EXPECT_EQ(find("archit"), "");
  EXPECT_EQ(find("v"), "");
  EXPECT_EQ(find("haus"), "0:Haus/3");
  EXPECT_EQ(find(" ,; "), "");
  EXPECT_EQ(find("walk", 1), "0:gehen/0");
  // Entries that hold only some of the words follow those that hold all of them.
  EXPECT_EQ(find("walk nothing"), "0:gehen/0!1 0:schleichen/2!1");
  EXPECT_EQ(find("home build"), "0:Haus/3 0:Zuhause/0!1");
  // Each index alone finds what it holds.
  EXPECT_EQ(found(articleIndex, "walk"), "0:gehen/1 0:schleichen/2");
  EXPECT_EQ(found(wordIndex, "walk"), "0:gehen/0");
}

TEST_F(EntryIndexTest, ManyTermsAcrossBlocksAreEachFound) {
  EntryIndexWriter writer;
  for (int k = 0; k < 3000; ++k) {
    const std::string word = "w" + std::to_string(k * 7919 % 100000);
    writer.add(writer.entry(0, word), "t" + std::to_string(k) + " common", EntryPart::wordFile);
  }
  std::string error;
  ASSERT_TRUE(writer.writeTo("a.fnd", {}, error)) << error;
  EntryIndex index;
  ASSERT_TRUE(index.open("a.fnd", error)) << error;
  for (int k = 0; k < 3000; k += 97)
    // Only the last word typed is a beginning: "t97 common" is t97 alone; the others lack it.
    ASSERT_EQ(found(index, "t" + std::to_string(k) + " common", 2),
              "0:w" + std::to_string(k * 7919 % 100000) + "/0 0:w" + std::to_string(k == 0 ? 7919 : 0) + "/0!1")
        << k;
  EXPECT_EQ(index.find("common", 5000).size(), 3000U);
  EXPECT_EQ(index.find("t29", 5000).size(), 111U);  // t29, t290 to t299, t2900 to t2999
}

TEST_F(EntryIndexTest, ADamagedOrForeignFileIsRefusedAndAMissingOneIsNoError) {
  writeGerman();
  const std::string good = readFile("Ger_Eng.fnd");
  EntryIndex index;
  std::string error;
  EXPECT_FALSE(index.open("none.fnd", error));
  EXPECT_EQ(error, "");
  for (std::size_t at : {std::size_t{0}, std::size_t{20}, std::size_t{100}, good.size() - 1}) {
    std::string damaged = good;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x10);
    writeFile("d.fnd", damaged);
    EXPECT_FALSE(index.open("d.fnd", error)) << at;
    EXPECT_EQ(error.rfind("d.fnd: ", 0), 0U) << error;
    EXPECT_FALSE(index.isOpen());
  }
  writeFile("d.fnd", good.substr(0, good.size() - 3));
  EXPECT_FALSE(index.open("d.fnd", error));
  EXPECT_NE(error.find("cut short"), std::string::npos) << error;
}

TEST_F(EntryIndexTest, AWordFilesStateIsItsSizeAndChecksum) {
  writeFile("Ger_Eng.zb", "abc");
  WordFileState first;
  std::string error;
  ASSERT_TRUE(readWordFileState("Ger_Eng.zb", first, error)) << error;
  EXPECT_EQ(first.size, 3U);
  EXPECT_EQ(first.crc, 0x352441C2U);  // the CRC-32 of "abc"
  writeFile("Ger_Eng.zb", "abd");
  WordFileState changed;
  ASSERT_TRUE(readWordFileState("Ger_Eng.zb", changed, error));
  EXPECT_NE(changed, first);
  EXPECT_FALSE(readWordFileState("missing.zb", changed, error));
  EXPECT_NE(error.find("missing.zb"), std::string::npos);
}

}  // namespace
}  // namespace zembo
