#include "platform/profile.h"

#include <sys/stat.h>

#include "tests/support/testenv.h"

namespace zembo {
namespace {

using test::readFile;
using test::writeFile;

class ProfileTest : public test::TempDirTest {};

TEST_F(ProfileTest, FindsSectionsAndKeysWithoutRegardToAsciiCase) {
  writeFile("a.ini", "[Dictionary]\r\nLanguage = English \r\n[Other]\nlanguage=french\n");
  EXPECT_EQ(readProfileString("dictionary", "LANGUAGE", "x", "a.ini"), "English");
  EXPECT_EQ(readProfileString("OTHER", "Language", "x", "a.ini"), "french");
  // Only A-Z fold: an accented letter in a key must match exactly.
  writeFile("b.ini", "[S]\n\xC9t\xE9=1\n");
  EXPECT_EQ(readProfileInt("s", "\xC9t\xE9", 7, "b.ini"), 1);
  EXPECT_EQ(readProfileInt("s", "\xE9t\xE9", 7, "b.ini"), 7);
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(readProfileString("S", "k", "dflt", "none.ini"), "dflt");
  writeFile("a.ini", "[S]\nk=v\n");
  EXPECT_EQ(readProfileString("T", "k", "dflt", "a.ini"), "dflt");
  EXPECT_EQ(readProfileString("S", "j", "dflt", "a.ini"), "dflt");
  EXPECT_EQ(readProfileInt("S", "j", 9999, "a.ini"), 9999);
}

TEST_F(ProfileTest, ValueIsCutToTheCallersBuffer) {
  writeFile("a.ini", "[S]\nk=abcdefghij\n");
  char buffer[5];
  EXPECT_EQ(readProfileString("S", "k", "", buffer, sizeof buffer, "a.ini"), 4);
  EXPECT_STREQ(buffer, "abcd");
  EXPECT_EQ(readProfileString("S", "missing", "0123456789", buffer, sizeof buffer, "a.ini"), 4);
  EXPECT_STREQ(buffer, "0123");
}

TEST_F(ProfileTest, IntegersComeFromTheLeadingDigits) {
  writeFile("a.ini", "[S]\na=42\nb=-17\nc=12abc\nd=abc\ne=\nf=- 5\ng=99999999999\n");
  EXPECT_EQ(readProfileInt("S", "a", 1, "a.ini"), 42);
  EXPECT_EQ(readProfileInt("S", "b", 1, "a.ini"), -17);
  EXPECT_EQ(readProfileInt("S", "c", 1, "a.ini"), 12);
  EXPECT_EQ(readProfileInt("S", "d", 1, "a.ini"), 0);
  EXPECT_EQ(readProfileInt("S", "e", 1, "a.ini"), 0);
  EXPECT_EQ(readProfileInt("S", "f", 1, "a.ini"), 0);
  EXPECT_EQ(readProfileInt("S", "g", 1, "a.ini"), 2147483647);
}

TEST_F(ProfileTest, NegativeWindowPositionSurvivesWriteAndRead) {
  ASSERT_TRUE(writeProfileString("Dictionary", "WinPosLeftMain", "-1280", "win.ini"));
  EXPECT_EQ(readProfileInt("Dictionary", "WinPosLeftMain", 9999, "win.ini"), -1280);
}

TEST_F(ProfileTest, WinIniLivesInTheUsersConfigFolder) {
  ASSERT_TRUE(writeProfileString("Dictionary", "StayOnTop", "1", "win.ini"));
  EXPECT_EQ(readFile(dir / "config" / "zembo" / "win.ini"), "[Dictionary]\nStayOnTop=1\n");
  EXPECT_EQ(readProfileInt("dictionary", "stayontop", 0, "WIN.INI"), 1);
}

TEST_F(ProfileTest, WritesCreateSectionAndKeyAndKeepEveryOtherLine) {
  const std::string before =
      "; a comment\r\n[First]\r\nalpha = 1\r\n\r\n[Second]\r\nbeta=2\r\n  odd line without equals\r\n";
  writeFile("a.ini", before);
  // A new key goes after the section's last line that is not blank.
  ASSERT_TRUE(writeProfileString("first", "gamma", "3", "a.ini"));
  EXPECT_EQ(
      readFile("a.ini"),
      "; a comment\r\n[First]\r\nalpha = 1\r\ngamma=3\r\n\r\n[Second]\r\nbeta=2\r\n  odd line without equals\r\n");
  // Replacing a value keeps the key as the file spells it.
  ASSERT_TRUE(writeProfileString("FIRST", "ALPHA", "10", "a.ini"));
  EXPECT_EQ(readFile("a.ini"),
            "; a comment\r\n[First]\r\nalpha=10\r\ngamma=3\r\n\r\n[Second]\r\nbeta=2\r\n  odd line without equals\r\n");
  // A new section comes last, after a blank line.
  ASSERT_TRUE(writeProfileString("Third", "delta", "4", "a.ini"));
  EXPECT_EQ(readFile("a.ini"),
            "; a comment\r\n[First]\r\nalpha=10\r\ngamma=3\r\n\r\n[Second]\r\nbeta=2\r\n  odd line without equals\r\n"
            "\r\n[Third]\r\ndelta=4\r\n");
  EXPECT_EQ(readProfileInt("Second", "beta", 0, "a.ini"), 2);
}

TEST_F(ProfileTest, LastLineWithoutLineEndGetsOneBeforeAnAddedKey) {
  writeFile("a.ini", "[S]\nk=v");
  ASSERT_TRUE(writeProfileString("S", "n", "w", "a.ini"));
  EXPECT_EQ(readFile("a.ini"), "[S]\nk=v\nn=w\n");
}

TEST_F(ProfileTest, JunkLinesAndAHeaderWithoutBracketAreNoSections) {
  writeFile("a.ini", "junk before\n[S]\nk=1\n[Broken\nk=2\n===\n");
  // "[Broken" opens no section, so k=2 still belongs to [S] but k=1 comes first.
  EXPECT_EQ(readProfileInt("S", "k", 0, "a.ini"), 1);
  EXPECT_EQ(readProfileString("Broken", "k", "none", "a.ini"), "none");
  ASSERT_TRUE(writeProfileString("S", "k", "5", "a.ini"));
  EXPECT_EQ(readFile("a.ini"), "junk before\n[S]\nk=5\n[Broken\nk=2\n===\n");
}

TEST_F(ProfileTest, VeryLongLinesReadWhole) {
  const std::string longValue(5000, 'x');
  writeFile("a.ini", "[S]\nk=" + longValue + "\nnext=1\n");
  EXPECT_EQ(readProfileString("S", "k", "", "a.ini"), longValue);
  EXPECT_EQ(readProfileInt("S", "next", 0, "a.ini"), 1);
}

TEST_F(ProfileTest, QuotedValuesLoseTheirQuotes) {
  writeFile("a.ini", "[S]\nk=\"  spaced  \"\n");
  EXPECT_EQ(readProfileString("S", "k", "", "a.ini"), "  spaced  ");
}

TEST_F(ProfileTest, WriteIntoUnwritableFolderFailsAndKeepsTheFile) {
  // Root writes everywhere, so the test runs as an unprivileged user.
  const std::string failure = test::asUnprivilegedUser(dir, [] {
    writeFile("ro/a.ini", "[S]\nk=v\n");
    std::filesystem::permissions("ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const bool written = writeProfileString("S", "k", "w", "ro\\a.ini");
    std::filesystem::permissions("ro", std::filesystem::perms::owner_all);
    if (written) return std::string("the write succeeded");
    if (readFile("ro/a.ini") != "[S]\nk=v\n") return std::string("the file changed");
    return std::string();
  });
  EXPECT_EQ(failure, "");
}

TEST_F(ProfileTest, SettingsFileThatIsAFolderReadsAsMissingAndCannotBeWritten) {
  std::filesystem::create_directory("a.ini");
  std::filesystem::create_directories(profilePath("win.ini"));
  for (const char* name : {"a.ini", "win.ini"}) {
    EXPECT_EQ(readProfileString("S", "k", "default", name), "default");
    EXPECT_EQ(readProfileInt("S", "n", 7, name), 7);
    EXPECT_FALSE(writeProfileString("S", "k", "v", name));
  }
  EXPECT_TRUE(std::filesystem::is_directory("a.ini"));
  EXPECT_TRUE(std::filesystem::is_directory(profilePath("win.ini")));
}

TEST_F(ProfileTest, SettingsFileThatIsNoPlainFileNeitherBlocksNorIsReplaced) {
  ASSERT_EQ(::mkfifo("a.ini", 0600), 0);
  EXPECT_EQ(readProfileString("S", "k", "default", "a.ini"), "default");
  EXPECT_FALSE(writeProfileString("S", "k", "v", "a.ini"));
  EXPECT_TRUE(std::filesystem::is_fifo("a.ini"));
}

}  // namespace
}  // namespace zembo
