#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <algorithm>

#include "platform/hostpath.h"
#include "platform/lzexpand.h"
#include "platform/safefiles.h"
#include "platform/textfile.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

using test::readFile;
using test::writeFile;

class FilesTest : public test::TempDirTest {};

TEST_F(FilesTest, HostPathTurnsSeparatorsAndCodePageBytes) {
  EXPECT_EQ(hostPath("list\\verbs\\Fre_Eng.ls").string(), "list/verbs/Fre_Eng.ls");
  EXPECT_EQ(hostPath("sound\\Fran\xE7"
                     "ais\\caf\xE9.wav",
                     1252)
                .string(),
            "sound/Français/café.wav");
  // A name written in 1251 lands as a UTF-8 file name and is found again under its bytes.
  const std::string russian = "list\\\xD1\xEB\xEE\xE2\xE0";  // Слова
  std::filesystem::create_directories(hostPath(russian, 1251));
  EXPECT_TRUE(std::filesystem::is_directory("list/Слова"));
  const int previous = hostPaths.fileNameCodePage;
  setFileNameCodePage(1251);
  const auto entries = findFiles("list\\*.*");
  setFileNameCodePage(previous);
  EXPECT_TRUE(std::any_of(entries.begin(), entries.end(),
                          [](const DirectoryEntry& e) { return e.name == "\xD1\xEB\xEE\xE2\xE0" && e.isDirectory; }));
}

TEST_F(FilesTest, NamesThatDifferOnlyInAsciiCaseFindTheExistingEntry) {
  writeFile("taal/Frans_Nederlands.zb", "x");
  EXPECT_EQ(hostPath("TAAL\\FRANS_Nederlands.zb").string(), "taal/Frans_Nederlands.zb");
  std::FILE* file = openFile("taal\\frans_nederlands.ZB", "rb");
  ASSERT_NE(file, nullptr);
  std::fclose(file);
  EXPECT_TRUE(fileExists("Taal\\Frans_NEDERLANDS.zb"));
  EXPECT_EQ(findFiles("TAAL\\*.zb").size(), 1u);
  // New names are created as formed, also inside a folder found by its other case.
  EXPECT_EQ(hostPath("TAAL\\New.zb").string(), "taal/New.zb");
  EXPECT_EQ(hostPath("Nowhere\\Frans_Nederlands.zb").string(), "Nowhere/Frans_Nederlands.zb");
}

TEST_F(FilesTest, NamesInsideAnotherFolderAreMatchedThereNotInTheWorkingFolder) {
  writeFile("dist/Taal/Frans.zb", "x");
  writeFile("taal/Engels.zb", "x");
  EXPECT_EQ(hostPathIn(dir / "dist", "taal\\FRANS.zb"), dir / "dist/Taal/Frans.zb");
  EXPECT_EQ(hostPathIn(dir / "dist", "taal\\Engels.zb"), dir / "dist/Taal/Engels.zb");
  // A plain host name is never matched against what the working folder holds.
  EXPECT_EQ(hostName("TAAL\\x").string(), "TAAL/x");
}

TEST_F(FilesTest, TheExactNameWinsAndOnlyAsciiLettersFoldTheirCase) {
  writeFile("a.txt", "lower");
  writeFile("A.txt", "upper");
  EXPECT_EQ(hostPath("A.txt").string(), "A.txt");
  EXPECT_EQ(hostPath("a.txt").string(), "a.txt");
  writeFile("sound/café.wav", "x");
  EXPECT_EQ(hostPath("SOUND\\CAF\xE9.wav", 1252).string(), "sound/café.wav");
  EXPECT_EQ(hostPath("sound\\caf\xC9.wav", 1252).string(), "sound/cafÉ.wav");
}

TEST_F(FilesTest, EnumerationCountsDotEntriesAndTellsFoldersFromFiles) {
  std::filesystem::create_directories("list/verbs");
  std::filesystem::create_directories("list/.hidden");
  writeFile("list/notes.txt", "x");
  const auto entries = findFiles("list\\*.*");
  ASSERT_EQ(entries.size(), 5u);  // . .. verbs .hidden notes.txt
  int folders = 0;
  for (const auto& e : entries) {
    folders += e.isDirectory;
    EXPECT_EQ(e.isHidden, e.name[0] == '.');
    if (e.name == "notes.txt") {
      EXPECT_FALSE(e.isDirectory);
    }
  }
  EXPECT_EQ(folders, 4);
  EXPECT_TRUE(findFiles("missing\\*.*").empty());
}

TEST_F(FilesTest, PatternsMatchLikeAFileSearch) {
  EXPECT_TRUE(matchesFilePattern("Fre_Eng.zb", "*.zb"));
  EXPECT_TRUE(matchesFilePattern("Fre_Eng.ZB", "*.zb"));
  EXPECT_FALSE(matchesFilePattern("Fre_Eng.zbx", "*.zb"));
  EXPECT_TRUE(matchesFilePattern("README", "*.*"));
  EXPECT_TRUE(matchesFilePattern("a1.wav", "a?.wav"));
  EXPECT_FALSE(matchesFilePattern("ab1.wav", "a?.wav"));
  EXPECT_TRUE(matchesFilePattern("abc", "a*c"));
  EXPECT_TRUE(matchesFilePattern("aXbXc", "a*b*c"));
  writeFile("taal/a.zb", "");
  writeFile("taal/b.txt", "");
  const auto zb = findFiles("taal\\*.zb");
  ASSERT_EQ(zb.size(), 1u);
  EXPECT_EQ(zb[0].name, "a.zb");
}

TEST_F(FilesTest, TextModeReadsCrLfAsOneLineEnd) {
  writeFile("t.txt", "one\r\ntwo\nthree\r\rfour");
  std::FILE* f = openFile("t.txt", "rt");
  ASSERT_NE(f, nullptr);
  char line[100];
  std::vector<std::string> lines;
  while (readTextLine(f, line, sizeof line)) lines.push_back(line);
  std::fclose(f);
  EXPECT_EQ(lines, (std::vector<std::string>{"one\n", "two\n", "three\r\rfour"}));
}

TEST_F(FilesTest, LongLinesComeInPiecesOfBufferSizeMinusOne) {
  writeFile("t.txt", std::string(98, 'a') + "\r\n" + std::string(150, 'b') + "\n");
  std::FILE* f = openFile("t.txt", "rt");
  char line[100];
  ASSERT_TRUE(readTextLine(f, line, sizeof line));
  EXPECT_EQ(std::string(line), std::string(98, 'a') + "\n");  // the CR LF fits as one character
  ASSERT_TRUE(readTextLine(f, line, sizeof line));
  EXPECT_EQ(std::string(line), std::string(99, 'b'));
  ASSERT_TRUE(readTextLine(f, line, sizeof line));
  EXPECT_EQ(std::string(line), std::string(51, 'b') + "\n");
  EXPECT_FALSE(readTextLine(f, line, sizeof line));
  std::fclose(f);
  removeLineEnd(line);
}

TEST_F(FilesTest, CopyReplacesTheTarget) {
  writeFile("a.bin", std::string("new\0data", 8));
  writeFile("b.bin", "old content that is longer");
  EXPECT_TRUE(copyFileReplacing("a.bin", "b.bin"));
  EXPECT_EQ(readFile("b.bin"), std::string("new\0data", 8));
  EXPECT_FALSE(copyFileReplacing("missing.bin", "b.bin"));
  EXPECT_EQ(readFile("b.bin"), std::string("new\0data", 8));
}

TEST_F(FilesTest, CopiesKeepTheSourcesPermissions) {
  writeFile("program", "#!/bin/sh\n");
  std::filesystem::permissions("program", std::filesystem::perms(0755));
  writeFile("packed", test::szddOfLiterals("#!/bin/sh\n"));
  std::filesystem::permissions("packed", std::filesystem::perms(0750));
  ASSERT_TRUE(copyFileReplacing("program", "copy"));
  ASSERT_TRUE(expandCopy("packed", "expanded"));
  EXPECT_EQ(std::filesystem::status("copy").permissions(), std::filesystem::perms(0755));
  EXPECT_EQ(std::filesystem::status("expanded").permissions(), std::filesystem::perms(0750));
}

TEST_F(FilesTest, FailedSafeReplacementKeepsTheOldFileAndLeavesNoTemporary) {
  writeFile("data.zb", "old");
  EXPECT_FALSE(replaceFileSafely("data.zb", [](std::FILE* f) {
    std::fputs("half", f);
    return false;
  }));
  EXPECT_EQ(readFile("data.zb"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 1);
  EXPECT_TRUE(replaceFileSafely("data.zb", [](std::FILE* f) { return std::fputs("new", f) >= 0; }));
  EXPECT_EQ(readFile("data.zb"), "new");
}

TEST_F(FilesTest, SafeReplacementKeepsThePermissionsOfTheReplacedFile) {
  const auto writeNew = [](std::FILE* f) { return std::fputs("new", f) >= 0; };
  for (const auto mode : {std::filesystem::perms(0444), std::filesystem::perms(0600), std::filesystem::perms(0751)}) {
    writeFile("data.zb", "old");
    std::filesystem::permissions("data.zb", mode);
    ASSERT_TRUE(replaceFileSafely("data.zb", writeNew));
    EXPECT_EQ(std::filesystem::status("data.zb").permissions(), mode);
    EXPECT_EQ(readFile("data.zb"), "new");
    std::filesystem::remove("data.zb");
  }
  // A file made new gets what the umask leaves of read and write for all.
  const mode_t mask = ::umask(027);
  ASSERT_TRUE(replaceFileSafely("fresh.zb", writeNew));
  ::umask(mask);
  EXPECT_EQ(std::filesystem::status("fresh.zb").permissions(), std::filesystem::perms(0640));
}

TEST_F(FilesTest, SafeReplacementWritesNoFileButItsOwnTemporary) {
  // Whatever waits beside the target, links included, is left as it was.
  writeFile("precious", "keep me");
  writeFile("data.zb", "old");
  std::filesystem::create_symlink("precious", "data.zb.tmp");
  std::filesystem::create_symlink("precious", "tmp.ini");
  for (int i = 0; i < 20; ++i)
    ASSERT_TRUE(replaceFileSafely("data.zb", [](std::FILE* f) { return std::fputs("new", f) >= 0; }));
  EXPECT_EQ(readFile("precious"), "keep me");
  EXPECT_EQ(readFile("data.zb"), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 4);
}

// The temporary files beside a file, by name.
std::vector<std::string> temporariesOf(const std::string& target) {
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator("."))
    if (targetOfTemporaryName(entry.path().filename().string()) == target) found.push_back(entry.path().filename());
  return found;
}

// A child process that writes a file through replaceFileSafely and stops inside its writer, the
// temporary file made and locked, until it is killed.
pid_t writerStoppedInside(const std::string& target) {
  int ready[2];
  if (::pipe(ready) != 0) return -1;
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    replaceFileSafely(target, [&](std::FILE* out) {
      std::fputs("half", out);
      std::fflush(out);
      (void)!::write(ready[1], "r", 1);
      for (;;) ::pause();
      return true;
    });
    ::_exit(0);
  }
  char c;
  (void)!::read(ready[0], &c, 1);
  ::close(ready[0]);
  ::close(ready[1]);
  return child;
}

void kill(pid_t child) {
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
}

// A kill while writing leaves the temporary file beside its target; the next write of the same
// file removes it. A temporary that a running writer holds is never removed, neither by that nor
// by a program's clean-up.
TEST_F(FilesTest, AKilledWritersTemporaryGoesAtTheNextWriteARunningWritersStays) {
  writeFile("Fre_Eng.cards.tsv", "cards");
  const pid_t running = writerStoppedInside("Fre_Eng.cards.tsv");
  ASSERT_GT(running, 0);
  const std::vector<std::string> held = temporariesOf("Fre_Eng.cards.tsv");
  ASSERT_EQ(held.size(), 1u);
  removeTemporaryFiles(".", [](std::string_view target) { return target == "Fre_Eng.cards.tsv"; });
  EXPECT_TRUE(std::filesystem::exists(held[0]));
  ASSERT_TRUE(replaceFileSafely("Fre_Eng.cards.tsv", [](std::FILE* out) { return std::fputs("new", out) >= 0; }));
  EXPECT_EQ(temporariesOf("Fre_Eng.cards.tsv"), held);
  kill(running);
  EXPECT_EQ(temporariesOf("Fre_Eng.cards.tsv"), held);  // killed: nothing removes it but the next write
  ASSERT_TRUE(replaceFileSafely("Fre_Eng.cards.tsv", [](std::FILE* out) { return std::fputs("newer", out) >= 0; }));
  EXPECT_TRUE(temporariesOf("Fre_Eng.cards.tsv").empty());
  EXPECT_EQ(readFile("Fre_Eng.cards.tsv"), "newer");
}

TEST_F(FilesTest, ExpandCopyReplacesATargetSafely) {
  writeFile("packed.tx_", test::szddOfLiterals("expanded text"));
  writeFile("out.txt", "old");
  ASSERT_TRUE(expandCopy("packed.tx_", "out.txt"));
  EXPECT_EQ(readFile("out.txt"), "expanded text");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 2);
}

// A file cut short expands without an error of the decompressor's own: its header's length tells.
TEST_F(FilesTest, ShortExpansionIsAnErrorAndLeavesTheTargetAsItWas) {
  const std::string packed = test::szddOfLiterals(std::string(234, 'x'));
  writeFile("packed.tx_", packed.substr(0, 111));
  writeFile("out.txt", "old");
  EXPECT_FALSE(expandCopy("packed.tx_", "out.txt"));
  EXPECT_EQ(readFile("out.txt"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 2);
  writeFile("packed.tx_", packed);
  EXPECT_TRUE(expandCopy("packed.tx_", "out.txt"));
  EXPECT_EQ(readFile("out.txt"), std::string(234, 'x'));
}

TEST_F(FilesTest, SyncAndCloseReportsAFullDisk) {
  // /dev/full takes the buffered write but fails the flush, as a full disk does.
  std::FILE* full = std::fopen("/dev/full", "w");
  if (!full) GTEST_SKIP() << "no /dev/full";
  ASSERT_GE(std::fputs("x", full), 0);
  EXPECT_FALSE(syncAndClose(full));
}

TEST_F(FilesTest, ExpandCopyExpandsSzddAndCopiesAnythingElse) {
  const std::string text = "The quick brown fox jumps over the lazy dog.";
  writeFile("packed.tx_", test::szddOfLiterals(text));
  writeFile("plain.txt", text);
  EXPECT_TRUE(isLzCompressed("packed.tx_"));
  EXPECT_FALSE(isLzCompressed("plain.txt"));
  EXPECT_TRUE(expandCopy("packed.tx_", "out1.txt"));
  EXPECT_EQ(readFile("out1.txt"), text);
  EXPECT_TRUE(expandCopy("plain.txt", "out2.txt"));
  EXPECT_EQ(readFile("out2.txt"), text);
  EXPECT_FALSE(expandCopy("missing", "out3.txt"));
  EXPECT_FALSE(std::filesystem::exists("out3.txt"));
}

}  // namespace
}  // namespace zembo
