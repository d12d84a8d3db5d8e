#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "installer/core/paths.h"
#include "installer/core/script.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "tests/installer/installerfixture.h"

namespace zembo {
namespace {

using test::readFile;
using test::writeFile;

class ScriptTest : public test::InstallerTest {
 protected:
  // The distribution in "dist", the installation in "target".
  void SetUp() override {
    InstallerTest::SetUp();
    std::filesystem::create_directories("dist");
    std::filesystem::create_directories("target");
    setSourceDir(dir / "dist");
    test::changeScript(&ScriptState::installDir, dir / "target");
  }
  void writeScript(const std::string& text) { writeFile("dist/install.inf", text); }
};

TEST_F(ScriptTest, HeaderKeysMatchByTheirBeginningsWithoutRegardToCase) {
  writeScript(
      "# title Not this one\n"
      "\n"
      "Title First\r\n"
      "mkdir taal\n"
      "TITLES Engels\n"
      "dir d:\\My Dict\n"
      "zbarg /zb Engels\n"
      "debug 0\n"
      "titleWithoutBlank\n");
  readHeader();
  EXPECT_EQ(script.installTitle, "Engels");  // later lines of a key win
  EXPECT_EQ(script.defaultDir, "d:\\My Dict");
  EXPECT_EQ(script.shortcutArguments, "/zb Engels");
  EXPECT_EQ(script.stepDisplay, 0);
  EXPECT_FALSE(std::filesystem::exists("target/taal"));  // commands wait for Start
}

TEST_F(ScriptTest, DebugKeepsTheStepTextsOnUnlessItSaysZero) {
  writeScript("debug 1\n");
  readHeader();
  EXPECT_EQ(script.stepDisplay, 1);
  writeScript("debug yes\n");
  readHeader();
  EXPECT_EQ(script.stepDisplay, 1);
}

TEST_F(ScriptTest, ALineOverNinetyNineCharactersIsReadInPieces) {
  writeScript("title " + std::string(120, 'x') + "\n");
  readHeader();
  EXPECT_EQ(script.installTitle, std::string(93, 'x'));
}

TEST_F(ScriptTest, AMissingScriptIsFatal) {
  EXPECT_THROW(
      {
        try {
          readHeader();
        } catch (const ProcessExit& e) {
          EXPECT_EQ(e.code, 1);
          throw;
        }
      },
      ProcessExit);
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text, "Can't open INSTALL.INF");
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "Error");
  EXPECT_EQ(recordedMessageBoxes()[0].type & MB_ICONMASK, MB_ICONERROR);
  EXPECT_THROW(runScript(), ProcessExit);
}

TEST_F(ScriptTest, CommandsMakeFoldersCopyFilesAndNoteWhatComesAfter) {
  writeFile("dist/a.txt", "A");
  writeFile("dist/b.txt", "B");
  writeFile("dist/c.txt", "C");
  writeFile("dist/Eng.zb", "E");
  writeFile("dist/Fre.ZB", "F");
  writeFile("dist/sound/one.wav", "1");
  writeFile("dist/sound/two.wav", "2");
  std::filesystem::create_directories("dist/sound/folder");
  writeScript(
      "mkdir taal\n"
      "mkdir snd\n"
      "COPY a.txt a.txt\n"
      "copyx b.txt taal\\b.txt\n"
      "# copy c.txt c.txt\n"
      "copy c.txt\n"
      "xcopy *.zb taal\n"
      "sndcopy sound snd\n"
      "sndcopy nothing snd\n"
      "avidelay 1500\n"
      "icongroup Talen\n"
      "iconexe zembo\n"
      "display leesmij.txt\n"
      "title Not a command\n");
  runScript();
  EXPECT_EQ(readFile("target/a.txt"), "A");
  EXPECT_EQ(readFile("target/taal/b.txt"), "B");
  EXPECT_FALSE(std::filesystem::exists("target/c.txt"));
  EXPECT_EQ(readFile("target/taal/Eng.zb"), "E");
  EXPECT_EQ(readFile("target/taal/Fre.ZB"), "F");
  EXPECT_EQ(readFile("target/snd/one.wav"), "1");
  EXPECT_EQ(readFile("target/snd/two.wav"), "2");
  EXPECT_FALSE(std::filesystem::exists("target/snd/folder"));
  EXPECT_EQ(readProfileString("Dictionary", "DutchAviDelay", "", "win.ini"), "1500");
  EXPECT_EQ(script.programGroup, "Talen");
  EXPECT_EQ(script.programFile, "zembo");
  EXPECT_EQ(script.finalTextFile, "leesmij.txt");
  EXPECT_EQ(script.installTitle, "");
  // Without "iconname" and "mkwlist" there is no menu entry and no word list to build.
  EXPECT_EQ(script.makeShortcut, 0);
  EXPECT_EQ(script.makeWordLists, 0);
  EXPECT_TRUE(recordedMessageBoxes().empty());
}

TEST_F(ScriptTest, IconnameAndMkwlistAskForTheMenuEntryAndTheWordLists) {
  writeScript("iconname Engels\nmkwlist\n");
  runScript();
  EXPECT_EQ(script.makeShortcut, 1);
  EXPECT_EQ(script.shortcutName, "Engels");
  EXPECT_EQ(script.makeWordLists, 1);
}

TEST_F(ScriptTest, CopyExpandsAnSzddFileAndCopiesAnyOtherAsItIs) {
  const std::string text = "zembo.ini en de woordenlijsten, ingepakt met compress.\n";
  writeFile("dist/leesmij.tx_", test::szddOfLiterals(text));
  writeFile("dist/plain.txt", test::szddOfLiterals(text).substr(1));
  writeScript("copy leesmij.tx_ leesmij.txt\ncopy plain.txt plain.txt\n");
  runScript();
  EXPECT_EQ(readFile("target/leesmij.txt"), text);
  EXPECT_EQ(readFile("target/plain.txt"), test::szddOfLiterals(text).substr(1));
}

TEST_F(ScriptTest, ATruncatedSzddFileIsFatalAndNamesTheFile) {
  writeFile("dist/leesmij.tx_", test::szddOfLiterals(std::string(234, 'x')).substr(0, 111));
  writeScript("copy leesmij.tx_ leesmij.txt\n");
  EXPECT_THROW(runScript(), ProcessExit);
  EXPECT_NE(test::lastMessage().find("leesmij.tx_"), std::string::npos) << test::lastMessage();
  EXPECT_NE(test::lastMessage().find("234"), std::string::npos) << test::lastMessage();
  EXPECT_FALSE(std::filesystem::exists("target/leesmij.txt"));
}

// The cause of a failed copy is the one of the call that failed, not of a later one.
TEST_F(ScriptTest, AFullDiskIsReportedAsSuch) {
  writeFile("dist/big.txt", std::string(20000, 'b'));
  writeScript("copy big.txt big.txt\n");
  {
    const test::FileSizeLimit full(4096);
    EXPECT_THROW(runScript(), ProcessExit);
  }
  EXPECT_NE(test::lastMessage().find(std::strerror(EFBIG)), std::string::npos) << test::lastMessage();
  EXPECT_FALSE(std::filesystem::exists("target/big.txt"));
}

TEST_F(ScriptTest, TheTargetFolderIsMadeOneLevelDeepOrRefused) {
  EXPECT_TRUE(checkInstallDir(programPath("new")));
  EXPECT_TRUE(std::filesystem::is_directory("new"));
  EXPECT_EQ(script.installDir, dir / "new");
  EXPECT_TRUE(checkInstallDir(programPath("target") + "/"));
  EXPECT_EQ(script.installDir, dir / "target");
  EXPECT_TRUE(recordedMessageBoxes().empty());

  EXPECT_FALSE(checkInstallDir(programPath("a/b")));
  EXPECT_FALSE(std::filesystem::exists("a"));
  writeFile("file", "x");
  EXPECT_FALSE(checkInstallDir(programPath("file")));
  EXPECT_FALSE(checkInstallDir(""));
  ASSERT_EQ(recordedMessageBoxes().size(), 3u);
  for (const RecordedMessageBox& box : recordedMessageBoxes()) {
    EXPECT_EQ(box.text, "Invalid Directory");
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONERROR);
  }
  EXPECT_EQ(script.installDir, dir / "target");
}

TEST_F(ScriptTest, TildeAndDrivesMeanTheHomeFolder) {
  const std::filesystem::path home = dir / "home";
  EXPECT_EQ(localDirectory("~"), home);
  EXPECT_EQ(localDirectory("~/zembo"), home / "zembo");
  EXPECT_EQ(localDirectory("~\\zembo"), home / "zembo");
  EXPECT_EQ(localDirectory("c:\\"), home);
  EXPECT_EQ(localDirectory("d:\\My Dict"), home / "My Dict");
  EXPECT_EQ(localDirectory("/opt/zembo"), "/opt/zembo");
  EXPECT_EQ(localDirectory("woordenboek"), "woordenboek");
  EXPECT_TRUE(checkInstallDir("D:\\My Dict"));
  EXPECT_TRUE(std::filesystem::is_directory("home/My Dict"));
}

// A leading backslash is the root, as a drive is the home folder: never a name inside the
// folder the installer runs in.
TEST_F(ScriptTest, ALeadingBackslashIsTheRoot) {
  EXPECT_EQ(localDirectory("\\tmp\\x\\target"), "/tmp/x/target");
  EXPECT_EQ(localDirectory("\\"), "/");
  std::string windowsForm = (dir / "made").string();
  std::replace(windowsForm.begin(), windowsForm.end(), '/', '\\');
  EXPECT_TRUE(checkInstallDir(windowsForm));
  EXPECT_EQ(script.installDir, dir / "made");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "made"));
}

TEST_F(ScriptTest, ARelativeTargetBecomesAbsolute) {
  EXPECT_TRUE(checkInstallDir("woordenboek"));
  EXPECT_EQ(script.installDir, dir / "woordenboek");
}

// A word file the installer puts in place of an imported one takes the import's articles and
// their indexes with it: they would belong to words the new file may not have. Other files keep
// theirs.
TEST_F(ScriptTest, AReplacedWordFileLosesTheArticlesOfTheImportedOne) {
  writeFile("dist/Ger_Eng.zb", "G");
  writeFile("dist/Fre.ZB", "F");
  writeFile("dist/notes.txt", "N");
  writeFile("target/taal/Ger_Eng.zb", "imported words");
  writeFile("target/taal/Ger_Eng.art", "imported articles");
  writeFile("target/taal/Ger_Eng.fnd", "the index of its articles");
  writeFile("target/taal/Ger_Eng.fnw", "the index of its translations");
  writeFile("target/taal/Fre.art", "imported articles");
  writeFile("target/taal/notes.art", "not a word file's");
  writeFile("target/taal/Ita_Eng.art", "of a word file the script leaves alone");
  writeScript("xcopy *.zb taal\ncopy notes.txt taal\\notes.txt\n");
  runScript();
  EXPECT_EQ(readFile("target/taal/Ger_Eng.zb"), "G");
  EXPECT_FALSE(std::filesystem::exists("target/taal/Ger_Eng.art"));
  EXPECT_FALSE(std::filesystem::exists("target/taal/Ger_Eng.fnd"));
  EXPECT_FALSE(std::filesystem::exists("target/taal/Ger_Eng.fnw"));
  EXPECT_FALSE(std::filesystem::exists("target/taal/Fre.art"));
  EXPECT_EQ(readFile("target/taal/notes.art"), "not a word file's");
  EXPECT_EQ(readFile("target/taal/Ita_Eng.art"), "of a word file the script leaves alone");
  EXPECT_TRUE(recordedMessageBoxes().empty());
}

TEST_F(ScriptTest, ArticlesThatCannotBeRemovedStopTheInstallationBeforeTheWordFileIsReplaced) {
  writeFile("dist/Ger_Eng.zb", "G");
  writeFile("target/taal/Ger_Eng.zb", "imported words");
  writeFile("target/taal/Ger_Eng.art/in the way", "x");  // a folder that holds a file cannot be removed
  writeScript("xcopy *.zb taal\n");
  EXPECT_THROW(runScript(), ProcessExit);
  EXPECT_NE(test::lastMessage().find("Can't remove "), std::string::npos) << test::lastMessage();
  EXPECT_NE(test::lastMessage().find("Ger_Eng.art"), std::string::npos) << test::lastMessage();
  EXPECT_EQ(readFile("target/taal/Ger_Eng.zb"), "imported words");
}

TEST_F(ScriptTest, PathsThatLeaveTheirFolderAreRefusedBeforeAnythingIsWritten) {
  writeFile("dist/leesmij.txt", "L");
  writeFile("secret.txt", "S");
  for (const char* line : {"mkdir ..\\made-outside", "copy leesmij.txt ..\\copied-outside.txt", "xcopy *.txt ..\\..",
                           "copy ..\\secret.txt stolen.txt", "copy /etc/hostname stolen.txt", "mkdir c:\\outside",
                           "sndcopy ..\\.. sounds", "icongroup ..\\..", "iconname ..\\..\\..\\evil", "display ../x"}) {
    writeScript(std::string("mkdir taal\ncopy leesmij.txt leesmij.txt\n") + line + "\n");
    EXPECT_THROW(runScript(), ProcessExit) << line;
    EXPECT_NE(test::lastMessage().find(line), std::string::npos) << test::lastMessage();
    EXPECT_FALSE(std::filesystem::exists("target/taal")) << line;
    EXPECT_FALSE(std::filesystem::exists("target/leesmij.txt")) << line;
  }
  EXPECT_FALSE(std::filesystem::exists("made-outside"));
  EXPECT_FALSE(std::filesystem::exists("copied-outside.txt"));
  EXPECT_FALSE(std::filesystem::exists("target/stolen.txt"));
}

TEST_F(ScriptTest, EveryFailedStepIsFatalWithItsReason) {
  writeScript("copy missing.txt missing.txt\n");
  EXPECT_THROW(runScript(), ProcessExit);
  EXPECT_NE(test::lastMessage().find("missing.txt"), std::string::npos) << test::lastMessage();
  writeFile("dist/a.txt", "A");
  writeScript("copy a.txt nofolder\\a.txt\n");
  EXPECT_THROW(runScript(), ProcessExit);
  EXPECT_NE(test::lastMessage().find("No such file or directory"), std::string::npos) << test::lastMessage();
  writeFile("target/taal", "a file in the way");
  writeScript("mkdir taal\n");
  EXPECT_THROW(runScript(), ProcessExit);
  EXPECT_NE(test::lastMessage().find("Can't make the folder"), std::string::npos) << test::lastMessage();
  writeFile("dist/sound/one.wav", "1");
  writeScript("sndcopy sound nofolder\n");
  EXPECT_THROW(runScript(), ProcessExit);
  for (const RecordedMessageBox& box : recordedMessageBoxes()) EXPECT_EQ(box.caption, "Error");
}

TEST_F(ScriptTest, LeftoversOfAnInterruptedCopyAreRemoved) {
  writeFile("dist/a.txt", "A");
  writeFile("target/a.txt.qEzTuE7x", "half");
  writeFile("target/a.txt.notmine", "keep");
  writeFile("target/a.txt.qEzTuE", "keep");
  writeFile("target/a.txt.qEzTuE7x9", "keep");
  writeFile("target/b.txt.qEzTuE7x", "keep");
  writeScript("copy a.txt a.txt\n");
  runScript();
  EXPECT_FALSE(std::filesystem::exists("target/a.txt.qEzTuE7x"));
  for (const char* kept : {"a.txt.notmine", "a.txt.qEzTuE", "a.txt.qEzTuE7x9", "b.txt.qEzTuE7x"})
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path("target") / kept)) << kept;
}

TEST_F(ScriptTest, TheDistributionItselfIsNoTarget) {
  EXPECT_FALSE(checkInstallDir(programPath("dist")));
  EXPECT_FALSE(checkInstallDir(programPath("dist") + "/../dist/"));
  ASSERT_EQ(recordedMessageBoxes().size(), 2u);
  EXPECT_NE(test::lastMessage().find("distribution"), std::string::npos);
}

TEST_F(ScriptTest, AHomeOutsideEveryCodePageStaysAsItIs) {
  const std::filesystem::path home = dir / "\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82-\xC3\xA9 \xE2\x82\xAC";  // Тест-é €
  std::filesystem::create_directories(home);
  ::setenv("HOME", home.c_str(), 1);
  setSourceDir(home / "dist");
  std::filesystem::create_directories(script.sourceDir);
  writeFile(script.sourceDir / "install.inf", "mkdir taal\ncopy leesmij.txt taal\\leesmij.txt\n");
  writeFile(script.sourceDir / "leesmij.txt", "L");
  ASSERT_TRUE(checkInstallDir("~/zembo")) << test::lastMessage();
  EXPECT_EQ(script.installDir, home / "zembo");
  runScript();
  EXPECT_EQ(readFile(home / "zembo/taal/leesmij.txt"), "L");
  enterInstallDir();
  EXPECT_EQ(std::filesystem::current_path(), home / "zembo");
}

TEST_F(ScriptTest, AFolderThatCannotBeEnteredIsFatal) {
  test::changeScript(&ScriptState::installDir, dir / "gone");
  EXPECT_THROW(enterInstallDir(), ProcessExit);
  EXPECT_EQ(std::filesystem::current_path(), dir);
}

}  // namespace
}  // namespace zembo
