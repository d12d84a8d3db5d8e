// Reading the notes of a deck package: the collections of every Anki version, and the packages
// that are broken or built to harm.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "exchange/apkg.h"
#include "tests/exchange/packagetools.h"
#include "tests/exchange/sampledecks.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

namespace fs = std::filesystem;
using PackageImport = test::TempDirTest;
using Notes = std::vector<std::vector<std::string>>;

constexpr std::uint64_t limit = 4 << 20;

// A collection as current Anki keeps it (schema 18 keeps the notes table of schema 11).
std::string collectionOf(const Notes& notes, const std::string& file) {
  std::string sql =
      "create table notes (id integer primary key, guid text not null, mid integer not null, "
      "mod integer not null, usn integer not null, tags text not null, flds text not null, "
      "sfld integer not null, csum integer not null, flags integer not null, data text not null);"
      "create table notetypes (id integer primary key not null, name text not null);";
  for (std::size_t n = 0; n < notes.size(); ++n) {
    std::string joined;
    for (std::size_t f = 0; f < notes[n].size(); ++f) joined += (f ? "\x1f" : "") + notes[n][f];
    sql += "insert into notes values (" + std::to_string(1000 - n) + ", 'g" + std::to_string(n) + "', 1, 0, 0, '', '" +
           joined + "', '', 0, 0, '');";
  }
  EXPECT_TRUE(test::executeSql(file, sql));
  return test::readFile(file);
}

const Notes placeholder = {{"Please update to the latest Anki version, then import the .colpkg/.apkg file again.", ""}};

TEST_F(PackageImport, ReadsTheSchema11PackageWrittenForOlderVersions) {
  std::string error;
  ASSERT_TRUE(writeApkg("deck.apkg", test::sampleDeck("Cyrillic"), error, test::sampleExportTime)) << error;
  const ApkgRead read = readApkg("deck.apkg", limit);
  EXPECT_EQ(read.error, "");
  ASSERT_EQ(read.notes.size(), 2u);
  EXPECT_EQ(read.notes[0][0], "собака");
  EXPECT_EQ(read.notes[1][5], "[sound:ёж.ogg]");
}

TEST_F(PackageImport, TakesTheZstdCollectionOfCurrentAnkiNotItsPlaceholder) {
  // Rows are read in the order of their ids: the notes are inserted with falling ones.
  const Notes notes = {{"Straße", "street"}, {"être", "to be"}, {"собака", "dog"}};
  const std::string current = collectionOf(notes, "current.db");
  const std::string old = collectionOf(placeholder, "old.db");
  ASSERT_TRUE(test::writeZip("current.apkg", {{"collection.anki2", old},
                                              {"collection.anki21b", test::zstdCompress(current), false},
                                              {"meta", std::string("\x08\x03", 2), false},
                                              {"media", test::zstdCompress(""), false}}));
  const ApkgRead read = readApkg("current.apkg", limit);
  EXPECT_EQ(read.error, "");
  EXPECT_EQ(read.notes, (Notes{{"собака", "dog"}, {"être", "to be"}, {"Straße", "street"}}));
}

TEST_F(PackageImport, TakesTheAnki21CollectionBeforeTheAnki2One) {
  ASSERT_TRUE(test::writeZip("legacy2.apkg", {{"collection.anki2", collectionOf(placeholder, "old.db")},
                                              {"collection.anki21", collectionOf({{"word", "Wort"}}, "new.db")}}));
  EXPECT_EQ(readApkg("legacy2.apkg", limit).notes, (Notes{{"word", "Wort"}}));
}

TEST_F(PackageImport, RefusesAFileThatIsNoZip) {
  test::writeFile("words.apkg", "word\tWort\n");
  const ApkgRead read = readApkg("words.apkg", limit);
  EXPECT_EQ(read.error, "the file is no zip archive, so no Anki package");
  EXPECT_TRUE(read.notes.empty());
  EXPECT_EQ(readApkg("absent.apkg", limit).error, "the file cannot be read");
}

TEST_F(PackageImport, RefusesAZipWithoutACollection) {
  ASSERT_TRUE(test::writeZip("photos.apkg", {{"media", "{}"}, {"0", "bytes"}, {"collection.anki2/", ""}}));
  EXPECT_EQ(readApkg("photos.apkg", limit).error, "the zip archive holds no Anki collection");
}

TEST_F(PackageImport, RefusesACollectionThatIsNoDatabase) {
  ASSERT_TRUE(test::writeZip("junk.apkg", {{"collection.anki2", std::string(5000, 'x')}}));
  EXPECT_NE(readApkg("junk.apkg", limit).error, "");
  ASSERT_TRUE(test::writeZip("cut.apkg",
                             {{"collection.anki21b", test::zstdCompress(std::string(9000, 'y')).substr(0, 9), false}}));
  EXPECT_EQ(readApkg("cut.apkg", limit).error, "the package's collection is cut short");
}

// Sets the uncompressed size an archive of one entry declares for it, in its local header and in
// the central directory alike, as a zip bomb's maker does.
void declareSize(const fs::path& archive, std::uint32_t size) {
  std::string bytes = test::readFile(archive);
  const auto put = [&bytes, size](std::size_t at) {
    for (int i = 0; i < 4; ++i) bytes[at + std::size_t(i)] = char(size >> (8 * i) & 0xFF);
  };
  ASSERT_EQ(bytes.substr(0, 4), "PK\x03\x04");
  put(22);
  const std::size_t central = bytes.find("PK\x01\x02");
  ASSERT_NE(central, std::string::npos);
  put(central + 24);
  test::writeFile(archive, bytes);
}

// Bytes that no compressor shrinks.
std::string noise(std::size_t size) {
  std::string bytes(size, '\0');
  std::uint64_t state = 88172645463325252u;
  for (char& byte : bytes) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    byte = char(state);
  }
  return bytes;
}

TEST_F(PackageImport, RefusesAnEntryThatDeclaresTwoGigabytes) {
  ASSERT_TRUE(test::writeZip("bomb.apkg", {{"collection.anki2", std::string(1 << 16, '\0')}}));
  declareSize("bomb.apkg", 0x80000000u);
  const ApkgRead read = readApkg("bomb.apkg", limit);
  EXPECT_TRUE(read.error == "the package's collection would unpack to more than 4 MB" ||
              read.error.rfind("the package is damaged", 0) == 0)
      << read.error;
  EXPECT_TRUE(read.notes.empty());
}

TEST_F(PackageImport, RefusesACompressibleEntryBeyondTheLimitOrAnyRealRatio) {
  ASSERT_TRUE(test::writeZip("zeros.apkg", {{"collection.anki2", std::string(8 << 20, '\0')}}));
  EXPECT_EQ(readApkg("zeros.apkg", limit).error, "the package's collection would unpack to more than 4 MB");
  EXPECT_EQ(readApkg("zeros.apkg", 100 << 20).error, "the package's collection is packed beyond belief");
}

TEST_F(PackageImport, StopsReadingAnEntryPastTheSizeItDeclared) {
  ASSERT_TRUE(test::writeZip("liar.apkg", {{"collection.anki2", std::string(3 << 20, 'a')}}));
  declareSize("liar.apkg", 2000);
  const ApkgRead read = readApkg("liar.apkg", limit);
  EXPECT_NE(read.error, "");
  EXPECT_TRUE(read.notes.empty());
}

TEST_F(PackageImport, StopsUnpackingAZstdCollectionAtTheLimit) {
  ASSERT_TRUE(test::writeZip("big.apkg", {{"collection.anki21b", test::zstdCompress(noise(6 << 20)), false}}));
  EXPECT_EQ(readApkg("big.apkg", limit).error, "the package's collection would unpack to more than 4 MB");
  ASSERT_TRUE(
      test::writeZip("zbomb.apkg", {{"collection.anki21b", test::zstdCompress(std::string(64 << 20, '\0')), false}}));
  EXPECT_EQ(readApkg("zbomb.apkg", 1ull << 32).error, "the package's collection is packed beyond belief");
}

TEST_F(PackageImport, NeverWritesWhereTheNamesInsideTheZipPoint) {
  const fs::path temporary = dir / "tmp";
  fs::create_directories(temporary);
  const std::string previous = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
  setenv("TMPDIR", temporary.c_str(), 1);
  fs::create_directories("inside");
  fs::current_path("inside");
  const std::string absolute = (dir / "absolute.txt").string();
  ASSERT_TRUE(test::writeZip("evil.apkg", {{"../escaped.txt", "x"},
                                           {absolute, "x"},
                                           {"a/../../up.txt", "x"},
                                           {"../collection.anki2", "x"},
                                           {"collection.anki2", collectionOf({{"safe", "sicher"}}, "../c.db")}}));
  const ApkgRead read = readApkg("evil.apkg", limit);
  EXPECT_EQ(read.error, "");
  EXPECT_EQ(read.notes, (Notes{{"safe", "sicher"}}));
  EXPECT_FALSE(fs::exists(dir / "escaped.txt"));
  EXPECT_FALSE(fs::exists(dir / "up.txt"));
  EXPECT_FALSE(fs::exists(absolute));
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
  EXPECT_TRUE(fs::is_empty(temporary));
  // Its only collection is named for the folder above: there is none.
  ASSERT_TRUE(test::writeZip("evil2.apkg", {{"../collection.anki2", collectionOf({{"a"}}, "../d.db")}}));
  EXPECT_EQ(readApkg("evil2.apkg", limit).error, "the zip archive holds no Anki collection");
  EXPECT_TRUE(fs::is_empty(temporary));
  if (previous.empty()) {
    unsetenv("TMPDIR");
  } else {
    setenv("TMPDIR", previous.c_str(), 1);
  }
}

}  // namespace
}  // namespace zembo
