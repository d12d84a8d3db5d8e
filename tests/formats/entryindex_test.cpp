#include "formats/entryindex.h"

#include <gtest/gtest.h>

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
  // What a search finds, as "direction:headword/rank" joined by blanks.
  static std::string found(const EntryIndex& index, std::string_view typed, std::size_t limit = 50) {
    std::string out;
    for (const FoundEntry& e : index.find(typed, limit))
      out += (out.empty() ? "" : " ") + std::to_string(e.direction) + ":" + e.headword + "/" + std::to_string(e.rank);
    return out;
  }
  static constexpr EntryIndexState state{{100, 7}, {200, 9}};
  // A small German-English language: word-file translations and articles.
  static void writeGerman(const std::string& path = "Ger_Eng.fnd") {
    EntryIndexWriter writer;
    const auto word = [&](int direction, std::string_view headword, std::string_view translations) {
      writer.add(writer.entry(direction, headword), translations, EntryPart::translation);
    };
    word(0, "gehen", "go, walk, leave");
    word(0, "Haus", "house, home");
    word(0, "schleichen", "creep, sneak");
    word(0, "Zuhause", "home");
    word(1, "walk", "gehen, laufen");
    word(1, "slowly", "langsam");
    const std::uint32_t gehen = writer.entry(0, "gehen");
    forEachArticlePart(
        "gehen /\xC9\xA1\xCB\x88\x65\xCB\x90\xC9\x99n/ <v>\n"
        "go <v>, walk <v>\n"
        "         Note: to move on foot\n"
        "      \"langsam gehen\"  - walk slowly\n",
        [&](std::string_view text, EntryPart part) { writer.add(gehen, text, part); });
    const std::uint32_t haus = writer.entry(0, "Haus");
    forEachArticlePart("Haus /haus/ <n>\n [archit.] house <n>\n      \"ein Haus bauen\"  - build a house\n",
                       [&](std::string_view text, EntryPart part) { writer.add(haus, text, part); });
    const std::uint32_t creep = writer.entry(0, "schleichen");
    writer.add(creep, "walk slowly and quietly", EntryPart::sense);
    std::string error;
    ASSERT_TRUE(writer.writeTo(path, state, error)) << error;
  }
};

TEST_F(EntryIndexTest, EveryWordTypedInAnyOrderTheLastAsABeginning) {
  writeGerman();
  EntryIndex index;
  std::string error;
  ASSERT_TRUE(index.open("Ger_Eng.fnd", error)) << error;
  EXPECT_EQ(index.state(), state);
  EXPECT_EQ(index.entryCount(), 6U);
  // "walk" is a translation of gehen, "slowly" only in its example (0 + 2); schleichen has both in
  // a sense's note (1 + 1); equal ranks keep the word files' order; an entry with one word alone
  // is not found.
  EXPECT_EQ(found(index, "walk slowly"), "0:gehen/2 0:schleichen/2");
  EXPECT_EQ(found(index, "slowly WALK"), "0:gehen/2 0:schleichen/2");
  EXPECT_EQ(found(index, "walk slo"), "0:gehen/2 0:schleichen/2");
  EXPECT_EQ(found(index, "walk sl"), "0:gehen/2 0:schleichen/2");
  // A word that is a translation comes before one in a sense, before one in an example.
  EXPECT_EQ(found(index, "walk"), "0:gehen/0 0:schleichen/1");
  EXPECT_EQ(found(index, "house"), "0:Haus/0");
  EXPECT_EQ(found(index, "bauen"), "0:Haus/2");
  EXPECT_EQ(found(index, "home"), "0:Haus/0 0:Zuhause/0");
  EXPECT_EQ(found(index, "h"), "0:Haus/0 0:Zuhause/0");
  // The other direction's translations, folded: "GEHEN" is "gehen".
  EXPECT_EQ(found(index, "GEHEN"), "1:walk/0 0:gehen/2");
  EXPECT_EQ(found(index, "Langsam"), "1:slowly/0 0:gehen/2");
  // Grammar tags and labels are no words of the entry; nor is the headword line.
  EXPECT_EQ(found(index, "archit"), "");
  EXPECT_EQ(found(index, "v"), "");
  EXPECT_EQ(found(index, "haus"), "0:Haus/2");
  EXPECT_EQ(found(index, "walk nothing"), "");
  EXPECT_EQ(found(index, " ,; "), "");
  EXPECT_EQ(found(index, "walk", 1), "0:gehen/0");
}

TEST_F(EntryIndexTest, ManyTermsAcrossBlocksAreEachFound) {
  EntryIndexWriter writer;
  for (int k = 0; k < 3000; ++k) {
    const std::string word = "w" + std::to_string(k * 7919 % 100000);
    writer.add(writer.entry(0, word), "t" + std::to_string(k) + " common", EntryPart::translation);
  }
  std::string error;
  ASSERT_TRUE(writer.writeTo("a.fnd", {}, error)) << error;
  EntryIndex index;
  ASSERT_TRUE(index.open("a.fnd", error)) << error;
  for (int k = 0; k < 3000; k += 97)
    // Only the last word typed is a beginning: "t97 common" is t97 alone.
    ASSERT_EQ(found(index, "t" + std::to_string(k) + " common"), "0:w" + std::to_string(k * 7919 % 100000) + "/0") << k;
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
