// The importer under faults and hostile input: damaged or oversized dictionary files, folders it
// cannot write, and what a killed import leaves.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>

#include "formats/wordrecord.h"
#include "importer/entries.h"
#include "importer/stepclock.h"
#include "tests/importer/importfixture.h"

namespace zembo::test {
namespace {

using Words = std::vector<std::string>;

bool holds(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// The gzip form of data in one member, without a chunk table.
std::string gzipWhole(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, data.size()) + 64, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

std::string dataOf(const std::vector<DictdArticle>& articles) {
  std::string data;
  for (const DictdArticle& a : articles) data += a.text;
  return data;
}

std::vector<DictdArticle> someArticles(int count) {
  std::vector<DictdArticle> articles;
  for (int i = 0; i < count; ++i)
    articles.push_back(article("Wort" + std::to_string(i), "noisy " + std::to_string(i) + ", loud"));
  return articles;
}

class ImportFaultTest : public ImportTest {
 protected:
  // The records of a dictionary as the import reads them; throws ImportError.
  std::vector<std::string> entriesOf(const std::filesystem::path& base, const std::string& dataName) {
    ImportReport report;
    StepClock clock(report);
    std::vector<std::string> out;
    ArticleWriter articles(1252);
    for (const WordRecord& r :
         readEntries(base.string() + ".index", dir / "dict" / dataName, {1252, 1252}, {}, report, articles, {}, clock))
      out.push_back(std::string(wordOf(r)) + "=" + std::string(translationOf(r)));
    return out;
  }
  // Every single-bit flip of a data file either fails the import or reads the same entries.
  void expectEveryFlipCaught(const std::filesystem::path& base, const std::string& dataName, std::size_t from) {
    const std::filesystem::path file = dir / "dict" / dataName;
    const std::string good = readFile(file);
    const Words expected = entriesOf(base, dataName);
    int garbled = 0, caught = 0;
    for (std::size_t bit = from * 8; bit < good.size() * 8; bit += 3) {
      std::string bad = good;
      bad[bit / 8] = static_cast<char>(bad[bit / 8] ^ (1 << (bit % 8)));
      writeFile(file, bad);
      try {
        if (entriesOf(base, dataName) != expected) ++garbled;
      } catch (const ImportError& error) {
        ++caught;
        EXPECT_TRUE(holds(error.what(), dataName)) << error.what();
      }
    }
    writeFile(file, good);
    EXPECT_EQ(garbled, 0) << "of " << garbled + caught << " flips read wrong, not refused";
    EXPECT_GT(caught, 0);
  }
};

TEST_F(ImportFaultTest, EveryFlippedBitOfADictzipIsCaught) {
  const auto articles = someArticles(40);
  const auto base = writeDictionary("freedict-deu-eng", articles);
  writeFile(base.string() + ".dict.dz", dictzip(dataOf(articles), 256));
  expectEveryFlipCaught(base, "freedict-deu-eng.dict.dz", 0);
}

TEST_F(ImportFaultTest, EveryFlippedBitOfAWholeGzipIsCaught) {
  const auto articles = someArticles(40);
  const auto base = writeDictionary("freedict-deu-eng", articles);
  writeFile(base.string() + ".dict.dz", gzipWhole(dataOf(articles)));
  expectEveryFlipCaught(base, "freedict-deu-eng.dict.dz", 0);
}

// dictzip itself ends the deflate stream after the last chunk of its table, before the trailer.
TEST_F(ImportFaultTest, TheStreamsEndMayFollowTheLastChunk) {
  const auto articles = someArticles(40);
  const auto base = writeDictionary("freedict-deu-eng", articles);
  std::string packed = dictzip(dataOf(articles), 256);
  packed.insert(packed.size() - 8, std::string("\x03\x00", 2));
  writeFile(base.string() + ".dict.dz", packed);
  importInto(base);
  EXPECT_EQ(wordsOf("zb/language/Ger_Eng.zb").size(), 40u);
}

TEST_F(ImportFaultTest, AWrongChecksumNamesTheDamagedFile) {
  const auto articles = someArticles(40);
  const auto base = writeDictionary("freedict-deu-eng", articles);
  for (const std::string& packed : {dictzip(dataOf(articles), 256), gzipWhole(dataOf(articles))}) {
    for (std::size_t at : {packed.size() - 8, packed.size() - 1}) {  // the CRC, then the length
      std::string bad = packed;
      bad[at] = static_cast<char>(bad[at] ^ 0x10);
      writeFile(base.string() + ".dict.dz", bad);
      const auto before = snapshot(dir / "zb");
      try {
        importInto(base);
        ADD_FAILURE() << "imported a damaged file";
      } catch (const ImportError& error) {
        EXPECT_TRUE(holds(error.what(), "freedict-deu-eng.dict.dz: damaged")) << error.what();
      }
      EXPECT_EQ(snapshot(dir / "zb"), before);
    }
  }
}

TEST_F(ImportFaultTest, AWholeGzipCutShortIsTruncated) {
  const auto articles = someArticles(400);
  const auto base = writeDictionary("freedict-deu-eng", articles);
  const std::string packed = gzipWhole(dataOf(articles));
  writeFile(base.string() + ".dict.dz", packed.substr(0, packed.size() - 6));
  EXPECT_THROW(importInto(base), ImportError);
}

// A file that inflates far past the articles its index names is refused before it fills memory;
// one with a little more than they need is read.
TEST_F(ImportFaultTest, AGzipFarLargerThanItsIndexNamesIsRefused) {
  const auto articles = someArticles(3);
  const auto base = writeDictionary("freedict-deu-eng", articles);
  writeFile(base.string() + ".dict.dz", gzipWhole(dataOf(articles) + std::string(1000, '\n')));
  importInto(base);
  EXPECT_EQ(wordsOf("zb/language/Ger_Eng.zb").size(), 3u);
  writeFile(base.string() + ".dict.dz", gzipWhole(dataOf(articles) + std::string(48 << 20, '\0')));
  try {
    importInto(base);
    ADD_FAILURE() << "imported a file far larger than its index";
  } catch (const ImportError& error) {
    EXPECT_TRUE(holds(error.what(), "freedict-deu-eng.dict.dz: inflates to more than")) << error.what();
  }
}

TEST_F(ImportFaultTest, AnIndexThatNamesMoreThanTheFileCanHoldIsRefusedAtOnce) {
  const auto base = writeDictionary("freedict-deu-eng", someArticles(3));
  writeFile(base.string() + ".dict.dz", gzipWhole(dataOf(someArticles(3))));
  writeFile(base.string() + ".index", "wort\tA\tBA\nriese\t" + base64Number(std::uint64_t{1} << 50) + "\tBA\n");
  try {
    importInto(base);
    ADD_FAILURE() << "imported";
  } catch (const ImportError& error) {
    EXPECT_TRUE(holds(error.what(), "index line 2 names an article")) << error.what();
  }
}

TEST_F(ImportFaultTest, AFailedImportIntoANewNestedFolderRemovesEveryFolderItMade) {
  const auto dict = writeDictionary("freedict-deu-eng", someArticles(100));
  options.edition = "english";
  std::filesystem::create_directories("kept");
  {
    const FileSizeLimit full(100);  // the word files cannot be written
    EXPECT_THROW(importInto(dict, "kept/a/b/c"), ImportError);
  }
  EXPECT_TRUE(std::filesystem::is_directory("kept"));
  EXPECT_FALSE(std::filesystem::exists("kept/a"));
}

// A folder the import may not write says so, not that the disk were full.
TEST_F(ImportFaultTest, AFolderThatCannotBeWrittenSaysWhy) {
  const auto dict = writeDictionary("freedict-deu-eng", {article("Haus", "house")});
  std::filesystem::create_directories("zb/language/Ger_Eng.zb.new/in the way");
  try {
    importInto(dict);
    ADD_FAILURE() << "imported";
  } catch (const ImportError& error) {
    EXPECT_TRUE(holds(error.what(), std::strerror(EISDIR))) << error.what();
    EXPECT_FALSE(holds(error.what(), "full")) << error.what();
  }
  std::filesystem::remove_all("zb/language/Ger_Eng.zb.new");
  // A folder of another user's, as a read-only one is to anyone but its owner.
  options.dictionary = dict;
  options.folder = dir / "zb";
  const std::string failure = asUnprivilegedUser(dir, [&]() -> std::string {
    try {
      importDictionary(options);
      return "imported into a folder it may not write";
    } catch (const ImportError& error) {
      return holds(error.what(), std::strerror(EACCES)) ? "" : error.what();
    }
  });
  EXPECT_EQ(failure, "");
}

TEST_F(ImportFaultTest, LeftoversOfAKilledImportGoAtTheNextOne) {
  writeFile("zb/language/Ger_Eng.zb.new", "half");
  writeFile("zb/language/Ger_Eng.zb.new.aB3dE6gH", "half");
  writeFile("zb/language/Ita_Eng.zb.new", "half");
  writeFile("zb/dict.ini.new", "half");
  writeFile("zb/dict.ini.new.Zz09Aa11", "half");
  // Not of the import's own naming: a sort's leftover, a user's files.
  const Words kept = {"language/Fre_Eng.zb.aB3dE6gH", "language/Ger_Eng.zb.new.aB3dE6g", "language/notes.new",
                      "language/Ger_Eng.zb.new.aB3d-6gH", "dict.ini.old"};
  for (const std::string& name : kept) writeFile(dir / "zb" / name, "mine");
  importInto(writeDictionary("freedict-deu-eng", {article("Haus", "house")}));
  for (const char* gone : {"language/Ger_Eng.zb.new", "language/Ger_Eng.zb.new.aB3dE6gH", "language/Ita_Eng.zb.new",
                           "dict.ini.new", "dict.ini.new.Zz09Aa11"})
    EXPECT_FALSE(std::filesystem::exists(dir / "zb" / gone)) << gone;
  for (const std::string& name : kept) EXPECT_EQ(readFile(dir / "zb" / name), "mine") << name;
}

// The entries a user added to a language stay when it is imported again, in both directions.
TEST_F(ImportFaultTest, ReplacingALanguageKeepsTheEntriesAUserAdded) {
  importInto(writeDictionary("freedict-deu-eng", {article("Haus", "house")}));
  // As the add-words window logs them: German to English, and English to German.
  WordRecord katze{}, dog{};
  setField(katze.word, sizeof katze.word, "Katze");
  setField(katze.translation, sizeof katze.translation, "cat, puss");
  setField(dog.word, sizeof dog.word, "dog");
  setField(dog.translation, sizeof dog.translation, "Hund");
  writeFile("zb/new/German_English.zb", std::string(reinterpret_cast<const char*>(&katze), sizeof katze));
  writeFile("zb/new/English_German.zb", std::string(reinterpret_cast<const char*>(&dog), sizeof dog));
  importInto(writeDictionary("freedict-deu-eng", {article("Hof", "yard"), article("Hund", "hound")}));
  EXPECT_EQ(wordsOf("zb/language/Ger_Eng.zb"), (Words{"Hof=yard", "Hund=dog, hound", "Katze=cat, puss"}));
  EXPECT_EQ(wordsOf("zb/language/Eng_Ger.zb"),
            (Words{"cat=Katze", "dog=Hund", "hound=Hund", "puss=Katze", "yard=Hof"}));
}

}  // namespace
}  // namespace zembo::test
