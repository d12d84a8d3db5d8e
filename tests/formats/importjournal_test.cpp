#include "formats/importjournal.h"

#include <filesystem>
#include <set>
#include <string>

#include "tests/support/testenv.h"

namespace zembo {
namespace {

using namespace std::string_literals;
using test::readFile;
using test::writeFile;

// The files this test's imports write: a word file and the configuration file.
const ImportFileCheck isImportFile = [](std::string_view line) {
  static const std::set<std::string_view> files = {"language/Ger_Eng.zb", "taal.cf"};
  return files.count(line) > 0;
};

class ImportJournalTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    writeOldAndNewFiles();
  }
  // Both files in their old versions, each with a new version beside it.
  static void writeOldAndNewFiles() {
    writeFile("language/Ger_Eng.zb", "old words");
    writeFile("language/Ger_Eng.zb.new", "new words");
    writeFile("taal.cf", "old config");
    writeFile("taal.cf.new", "new config");
  }
  // Whether anything of the journal is in the folder: it, or a temporary file of it.
  static bool anyJournal() {
    for (const auto& entry : std::filesystem::directory_iterator("."))
      if (entry.path().filename().string().rfind(importJournalName, 0) == 0) return true;
    return false;
  }
};

TEST_F(ImportJournalTest, AWrittenJournalIsCompletedAndGone) {
  EXPECT_EQ(finishInterruptedImport(".", isImportFile), JournalEnd::none);
  ASSERT_TRUE(writeImportJournal(".", {"language/Ger_Eng.zb", "taal.cf"}));
  EXPECT_EQ(readFile(importJournalName), "language/Ger_Eng.zb\ntaal.cf\n");
  // A kill after the first rename: the second new version is still there, the first is not.
  std::filesystem::rename("language/Ger_Eng.zb.new", "language/Ger_Eng.zb");
  EXPECT_EQ(finishInterruptedImport(".", isImportFile), JournalEnd::completed);
  EXPECT_EQ(readFile("language/Ger_Eng.zb"), "new words");
  EXPECT_EQ(readFile("taal.cf"), "new config");
  EXPECT_FALSE(std::filesystem::exists("taal.cf.new"));
  EXPECT_FALSE(std::filesystem::exists(importJournalName));
  EXPECT_EQ(finishInterruptedImport(".", isImportFile), JournalEnd::none);
}

// Journals as a kill, a full disk or someone else may leave them: one that names only files an
// import writes is carried out, whatever its last line end; any other is refused whole, with
// nothing renamed, and stays for a user to see.
TEST_F(ImportJournalTest, DamagedJournalsAreCarriedOutOnlyWhenEveryLineNamesAnImportFile) {
  const struct {
    std::string journal;
    JournalEnd end;
    std::string why;
  } cases[] = {
      {"", JournalEnd::completed, ""},
      {"\n\ntaal.cf\n\n", JournalEnd::completed, ""},
      {"taal.cf\nlanguage/Ger_Eng.zb", JournalEnd::completed, ""},  // its last line end not written
      {"taal.cf\nlanguage/Ger_E", JournalEnd::refused, "it names language/Ger_E, which no import writes"},
      {"taal.cf\n../etc/passwd\n", JournalEnd::refused, "it names ../etc/passwd, which no import writes"},
      {"taal.cf\r\nlanguage/Ger_Eng.zb\r\n", JournalEnd::refused, "it names taal.cf\r, which no import writes"},
      {"taal.cf\0\n"s, JournalEnd::refused, "it names taal.cf\0, which no import writes"s},
      {std::string(maxImportJournalSize + 1, '\n'), JournalEnd::refused,
       "it is larger than any journal an import writes"},
  };
  for (const auto& c : cases) {
    writeOldAndNewFiles();
    writeFile(importJournalName, c.journal);
    std::string why;
    EXPECT_EQ(finishInterruptedImport(".", isImportFile, &why), c.end) << testing::PrintToString(c.journal);
    EXPECT_EQ(why, c.why);
    const bool carriedOut = c.end == JournalEnd::completed;
    EXPECT_EQ(std::filesystem::exists(importJournalName), !carriedOut);
    EXPECT_EQ(readFile("taal.cf"),
              carriedOut && c.journal.find("taal.cf\n") != std::string::npos ? "new config" : "old config");
    EXPECT_EQ(readFile("language/Ger_Eng.zb"),
              carriedOut && c.journal.find("Ger_Eng.zb") != std::string::npos ? "new words" : "old words");
  }
}

TEST_F(ImportJournalTest, AJournalThatIsNoRegularFileIsNeverRead) {
  std::filesystem::create_symlink("taal.cf", importJournalName);
  std::string why;
  EXPECT_EQ(finishInterruptedImport(".", isImportFile, &why), JournalEnd::refused);
  EXPECT_EQ(why, "it is a link");
  std::filesystem::remove(importJournalName);
  std::filesystem::create_directory(importJournalName);
  EXPECT_EQ(finishInterruptedImport(".", isImportFile, &why), JournalEnd::refused);
  EXPECT_EQ(why, "it is not a regular file");
  EXPECT_EQ(readFile("taal.cf"), "old config");
}

TEST_F(ImportJournalTest, ARenameThatFailsKeepsTheJournalForTheNextTry) {
  ASSERT_TRUE(writeImportJournal(".", {"taal.cf"}));
  std::filesystem::remove("taal.cf");
  writeFile("taal.cf/in the way", "x");  // a folder with something in it cannot be renamed over
  EXPECT_EQ(finishInterruptedImport(".", isImportFile), JournalEnd::renameFailed);
  EXPECT_TRUE(std::filesystem::exists(importJournalName));
  EXPECT_EQ(readFile("taal.cf.new"), "new config");
  std::filesystem::remove_all("taal.cf");
  EXPECT_EQ(finishInterruptedImport(".", isImportFile), JournalEnd::completed);
  EXPECT_EQ(readFile("taal.cf"), "new config");
}

TEST_F(ImportJournalTest, AJournalThatCannotBeWrittenWholeIsNotLeft) {
  const test::FileSizeLimit full(8);
  EXPECT_FALSE(writeImportJournal(".", {"language/Ger_Eng.zb", "taal.cf"}));
  EXPECT_FALSE(anyJournal());
}

}  // namespace
}  // namespace zembo
