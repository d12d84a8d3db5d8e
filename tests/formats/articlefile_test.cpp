#include "formats/articlefile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/testenv.h"

namespace zembo {
namespace {

using test::readFile;
using test::writeFile;

class ArticleFileTest : public test::TempDirTest {
 protected:
  // Writes the file with the headwords given, in the order given.
  static void writeArticles(const std::vector<std::pair<std::string, std::string>>& entries,
                            const std::string& path = "Ger_Eng.art") {
    ArticleWriter writer(1252);
    for (const auto& [key, text] : entries) writer.add(key, text);
    std::string error;
    ASSERT_TRUE(writer.writeTo(path, error)) << error;
  }
  // What find says of key, "-" when it finds nothing and "!" with the error when it fails.
  static std::string lookUp(const ArticleFile& file, std::string_view key) {
    std::string articles, error;
    if (file.find(key, articles, error)) return articles;
    return error.empty() ? "-" : "!" + error;
  }
  // Many headwords whose articles fill several chunks: "w00000" ... with a long article each.
  static std::vector<std::pair<std::string, std::string>> manyHeadwords(int count) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (int k = count - 1; k >= 0; --k) {  // in no sorted order
      char key[16];
      std::snprintf(key, sizeof key, "w%05d", k);
      std::string text = std::string(key) + " /ipa/ <n>\n   sense " + std::to_string(k * 7919 % 1000) + "\n";
      for (int line = 0; line < 8; ++line) text += "   example " + std::to_string((k + line) * 104729 % 100000) + "\n";
      entries.emplace_back(key, text);
    }
    return entries;
  }
  static void flipByteAt(const std::string& path, std::size_t at) {
    std::string bytes = readFile(path);
    ASSERT_LT(at, bytes.size());
    bytes[at] = static_cast<char>(bytes[at] ^ 0x5a);
    writeFile(path, bytes);
  }
};

TEST_F(ArticleFileTest, FileOfAWordFileIsBesideIt) {
  EXPECT_EQ(articleFileOf("language/Ger_Eng.zb"), std::filesystem::path("language/Ger_Eng.art"));
}

TEST_F(ArticleFileTest, FindsFirstLastAndMissingKeys) {
  writeArticles({{"Haus", "Haus /haʊ̯s/ <n, sg>\n   house\n"},
                 {"gehen", "gehen /ɡeːən/ <verb>\n   go\n"},
                 {"Gehen", "Gehen <n>\n   walking\n"},
                 {"\xe4rgern", "\xc3\xa4rgern <verb>\n   annoy\n"},  // a code page's byte as the key
                 {"Abend", "Abend <m>\n   evening\n"}});
  ArticleFile file;
  std::string error;
  ASSERT_TRUE(file.open("Ger_Eng.art", error)) << error;
  EXPECT_TRUE(file.isOpen());
  EXPECT_EQ(lookUp(file, "Abend"), "Abend <m>\n   evening");               // the first key
  EXPECT_EQ(lookUp(file, "\xe4rgern"), "\xc3\xa4rgern <verb>\n   annoy");  // the last key
  EXPECT_EQ(lookUp(file, "Haus"), "Haus /haʊ̯s/ <n, sg>\n   house");
  // Keys that collate alike but are spelled differently have articles of their own.
  EXPECT_EQ(lookUp(file, "gehen"), "gehen /ɡeːən/ <verb>\n   go");
  EXPECT_EQ(lookUp(file, "Gehen"), "Gehen <n>\n   walking");
  EXPECT_EQ(lookUp(file, "GEHEN"), "-");
  EXPECT_EQ(lookUp(file, "Aal"), "-");  // before the first
  EXPECT_EQ(lookUp(file, "zzz"), "-");  // after the last
  EXPECT_EQ(lookUp(file, "Hau"), "-");  // a prefix of a key
  EXPECT_EQ(lookUp(file, ""), "-");
  file.close();
  EXPECT_FALSE(file.isOpen());
  EXPECT_EQ(lookUp(file, "Haus"), "-");
}

TEST_F(ArticleFileTest, ArticlesOfOneHeadwordAreJoinedByAnEmptyLineInTheirOrder) {
  ArticleWriter writer(1252);
  const std::vector<std::string_view> zug = {"Zug <m>\n   train\n", "Zug <m>\n   draught\n\n"};
  writer.add("Zug", zug);
  writer.add("Zug", "Zug <m>\n   move\n");  // the same key again comes after
  std::string error;
  ASSERT_TRUE(writer.writeTo("a.art", error)) << error;
  EXPECT_EQ(writer.entries(), 2U);
  ArticleFile file;
  ASSERT_TRUE(file.open("a.art", error)) << error;
  EXPECT_EQ(lookUp(file, "Zug"), "Zug <m>\n   train\n\nZug <m>\n   draught\n\nZug <m>\n   move");
}

TEST_F(ArticleFileTest, EveryKeyOfManyChunksIsFound) {
  const auto entries = manyHeadwords(6000);
  writeArticles(entries);
  EXPECT_GT(std::filesystem::file_size("Ger_Eng.art"), 3 * articleChunkSize / 10);
  ArticleFile file;
  std::string error;
  ASSERT_TRUE(file.open("Ger_Eng.art", error)) << error;
  // Back and forth between the chunks, so that the chunk kept is not always the one needed.
  for (std::size_t k = 0; k < entries.size(); k += 37) {
    ASSERT_EQ(lookUp(file, entries[k].first), entries[k].second.substr(0, entries[k].second.size() - 1));
    ASSERT_EQ(lookUp(file, entries[entries.size() - 1 - k].first),
              entries[entries.size() - 1 - k].second.substr(0, entries[entries.size() - 1 - k].second.size() - 1));
  }
  EXPECT_EQ(lookUp(file, "w00000x"), "-");  // between two keys
  EXPECT_EQ(lookUp(file, "w99999"), "-");
}

TEST_F(ArticleFileTest, KeysTheArticlesDoNotBeginWithAndMarksInTheText) {
  writeArticles({{"zijn", "zĳn /zɛin/ <verb>\n   be\n"},  // the word file's spelling, not the article's
                 {"Stra\xdf"
                  "e",
                  "Straße /ʃtʁaːsə/ <f>\n   street\n"},
                 {"Haus", "Hausa <n>\n   Hausa\n"},
                 {"Abc",
                  "Abc <n>\n   a\x1e"
                  "b\x1f"
                  "c\n"}});
  ArticleFile file;
  std::string error;
  ASSERT_TRUE(file.open("Ger_Eng.art", error)) << error;
  EXPECT_EQ(lookUp(file, "zijn"), "zĳn /zɛin/ <verb>\n   be");
  EXPECT_EQ(lookUp(file, "z\xc4\xb3n"), "-");
  EXPECT_EQ(lookUp(file,
                   "Stra\xdf"
                   "e"),
            "Straße /ʃtʁaːsə/ <f>\n   street");
  EXPECT_EQ(lookUp(file, "Haus"), "Hausa <n>\n   Hausa");
  EXPECT_EQ(lookUp(file, "Hausa"), "-");
  EXPECT_EQ(lookUp(file, "Abc"), "Abc <n>\n   a b c");  // the entries' marks become blanks
  EXPECT_EQ(articleHeadword("Haus /haʊ̯s/ <n, sg>\n   house"), "Haus");
  EXPECT_EQ(articleHeadword("zu Hause <adv>"), "zu Hause");
  EXPECT_EQ(articleHeadword("Haus ohne Aufzug/Lift\n   walk-up"), "Haus ohne Aufzug/Lift");
}

// More than 256 chunks take two bytes for a chunk's number in the key directory; the articles of
// a key in chunks far apart come in their order.
TEST_F(ArticleFileTest, AKeyInChunksFarApartOfAFileOfManyChunks) {
  ArticleWriter writer(1252);
  writer.add("gehen", "gehen <verb>\n   go\n");
  const std::string filler = "   " + std::string(articleChunkSize, 'x') + "\n";
  for (int k = 0; k < 300; ++k) writer.add("w" + std::to_string(k), "w" + std::to_string(k) + " <n>\n" + filler);
  writer.add("gehen", "gehen <verb>\n   walk\n");
  std::string error;
  ASSERT_TRUE(writer.writeTo("a.art", error)) << error;
  ArticleFile file;
  ASSERT_TRUE(file.open("a.art", error)) << error;
  EXPECT_EQ(lookUp(file, "gehen"), "gehen <verb>\n   go\n\ngehen <verb>\n   walk");
  EXPECT_EQ(lookUp(file, "w299"), "w299 <n>\n" + filler.substr(0, filler.size() - 1));
  EXPECT_EQ(lookUp(file, "w300"), "-");
}

TEST_F(ArticleFileTest, AnEmptyFileFindsNothing) {
  writeArticles({});
  ArticleFile file;
  std::string error;
  ASSERT_TRUE(file.open("Ger_Eng.art", error)) << error;
  EXPECT_EQ(lookUp(file, "Haus"), "-");
}

TEST_F(ArticleFileTest, AMissingFileIsNoError) {
  ArticleFile file;
  std::string error = "left from before";
  EXPECT_FALSE(file.open("language/Eng_Ger.art", error));
  EXPECT_TRUE(error.empty()) << error;
  EXPECT_FALSE(file.isOpen());
}

TEST_F(ArticleFileTest, AFlippedByteInAChunkIsReportedForItsHeadwordsOnly) {
  const auto entries = manyHeadwords(6000);
  writeArticles(entries);
  const std::size_t size = std::filesystem::file_size("Ger_Eng.art");
  flipByteAt("Ger_Eng.art", size - 100);  // inside the last chunk, which holds the last added
  ArticleFile file;
  std::string error;
  ASSERT_TRUE(file.open("Ger_Eng.art", error)) << error;  // the index is whole
  const std::string last = lookUp(file, "w00000");
  EXPECT_EQ(last.rfind("!Ger_Eng.art: the articles of chunk ", 0), 0U) << last;
  EXPECT_NE(last.find("damaged"), std::string::npos) << last;
  // The other chunks are read as before.
  EXPECT_EQ(lookUp(file, "w05999").substr(0, 6), "w05999");
  EXPECT_EQ(lookUp(file, "w00000").substr(0, 1), "!");  // and the damage is reported again
}

TEST_F(ArticleFileTest, EveryFlippedBitOfAChunkIsRefused) {
  ArticleWriter writer(1252);
  writer.add("Haus", "Haus /haʊ̯s/ <n, sg>\n   house; home\n   ein Haus bauen - to build a house\n");
  std::string error;
  ASSERT_TRUE(writer.writeTo("a.art", error)) << error;
  const std::string bytes = readFile("a.art");
  // The header, one chunk's entry, the key directory (two bucket starts, one key of two bytes).
  const std::size_t chunkStart = 64 + 24 + 2 * 4 + 2;
  std::string good;
  {
    ArticleFile file;
    ASSERT_TRUE(file.open("a.art", error)) << error;
    ASSERT_TRUE(file.find("Haus", good, error)) << error;
  }
  // Most flips break the zstd frame; those that still unpack (one literal for another) give other
  // text, which the chunk's checksum refuses. A few (a bit the frame's header leaves unused) may
  // flip unnoticed, and they change nothing: no flip ever shows other text.
  int broken = 0, unpackedButRefused = 0, unnoticed = 0;
  for (std::size_t bit = chunkStart * 8; bit < bytes.size() * 8; ++bit) {
    std::string damaged = bytes;
    damaged[bit / 8] = static_cast<char>(damaged[bit / 8] ^ (1 << (bit % 8)));
    writeFile("b.art", damaged);
    ArticleFile file;
    ASSERT_TRUE(file.open("b.art", error)) << error;
    std::string articles;
    if (file.find("Haus", articles, error)) {
      ASSERT_EQ(articles, good) << bit;
      ++unnoticed;
      continue;
    }
    ASSERT_EQ(error.rfind("b.art: the articles of chunk 1 are damaged", 0), 0U) << error;
    ++(error.find("(checksum)") != std::string::npos ? unpackedButRefused : broken);
  }
  EXPECT_GT(broken, 0);
  EXPECT_GT(unpackedButRefused, 0);
  EXPECT_LT(unnoticed, 8);
}

TEST_F(ArticleFileTest, ACutFileIsRefusedAtOpen) {
  writeArticles(manyHeadwords(3000));
  const std::string bytes = readFile("Ger_Eng.art");
  for (const std::size_t keep : {bytes.size() - 1, bytes.size() / 2, std::size_t{100}, std::size_t{10}}) {
    writeFile("cut.art", bytes.substr(0, keep));
    ArticleFile file;
    std::string error;
    EXPECT_FALSE(file.open("cut.art", error)) << keep;
    EXPECT_EQ(error.rfind("cut.art: ", 0), 0U) << error;
    EXPECT_TRUE(error.find("cut short") != std::string::npos || error.find("too short") != std::string::npos) << error;
    EXPECT_FALSE(file.isOpen());
  }
}

TEST_F(ArticleFileTest, AWrongMagicIsRefused) {
  writeArticles({{"Haus", "Haus\n   house\n"}});
  flipByteAt("Ger_Eng.art", 2);
  ArticleFile file;
  std::string error;
  EXPECT_FALSE(file.open("Ger_Eng.art", error));
  EXPECT_EQ(error, "Ger_Eng.art: not an article file");
  writeFile("words.art", std::string(200, 'x'));
  EXPECT_FALSE(file.open("words.art", error));
  EXPECT_EQ(error, "words.art: not an article file");
}

TEST_F(ArticleFileTest, ADamagedHeaderOrIndexIsRefused) {
  writeArticles(manyHeadwords(3000));
  const std::string bytes = readFile("Ger_Eng.art");
  const std::size_t chunks = static_cast<unsigned char>(bytes[12]) + 256U * static_cast<unsigned char>(bytes[13]);
  ASSERT_GT(chunks, 2U);
  // A byte of the header's counts, of the chunk table, of the key directory's buckets, of its keys.
  for (const std::size_t at : {std::size_t{13}, std::size_t{64 + 3}, 64 + 24 + std::size_t{9}, 64 + 24 * chunks + 2,
                               bytes.size() / 2 > 64 + 24 * chunks + 600 ? 64 + 24 * chunks + 600 : 0}) {
    std::string damaged = bytes;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x10);
    writeFile("d.art", damaged);
    ArticleFile file;
    std::string error;
    EXPECT_FALSE(file.open("d.art", error)) << at;
    EXPECT_EQ(error.rfind("d.art: its ", 0), 0U) << error;
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;
  }
}

TEST_F(ArticleFileTest, AnotherVersionIsNamed) {
  writeArticles({{"Haus", "Haus\n   house\n"}});
  std::string bytes = readFile("Ger_Eng.art");
  bytes[8] = 1;
  // The header's own checksum (CRC-32), made again so that only the version differs.
  const std::uint32_t crc = [&] {
    std::uint32_t c = 0xffffffffU;
    for (std::size_t k = 0; k < 60; ++k) {
      c ^= static_cast<unsigned char>(bytes[k]);
      for (int bit = 0; bit < 8; ++bit) c = (c >> 1) ^ (0xedb88320U & (0U - (c & 1U)));
    }
    return ~c;
  }();
  for (int k = 0; k < 4; ++k) bytes[60 + k] = static_cast<char>((crc >> (8 * k)) & 0xff);
  writeFile("v.art", bytes);
  ArticleFile file;
  std::string error;
  EXPECT_FALSE(file.open("v.art", error));
  EXPECT_EQ(error, "v.art: an article file of version 1, this program reads version 2");
}

TEST_F(ArticleFileTest, AWriteThatFailsLeavesTheOldFile) {
  writeArticles({{"Haus", "Haus\n   house\n"}});
  ArticleWriter writer(1252);
  writer.add("Haus", "Haus\n");
  std::string error;
  EXPECT_FALSE(writer.writeTo("missing/Ger_Eng.art", error));
  EXPECT_EQ(error.rfind("missing/Ger_Eng.art: ", 0), 0U) << error;
  ArticleFile file;
  ASSERT_TRUE(file.open("Ger_Eng.art", error)) << error;
  EXPECT_EQ(lookUp(file, "Haus"), "Haus\n   house");
}

}  // namespace
}  // namespace zembo
