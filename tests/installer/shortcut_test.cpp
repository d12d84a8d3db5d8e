#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "installer/core/script.h"
#include "installer/core/shortcut.h"
#include "platform/messagebox.h"
#include "tests/installer/installerfixture.h"

namespace zembo {
namespace {

class ShortcutTest : public test::InstallerTest {
 protected:
  void SetUp() override {
    InstallerTest::SetUp();
    test::changeScript(&ScriptState::installDir, dir / "Mijn woordenboek");
    test::changeScript(&ScriptState::programFile, "zembo");
    test::changeScript(&ScriptState::shortcutName, "Zembo woordenboek");
    test::changeScript(&ScriptState::programGroup, "Zembo");
    test::changeScript(&ScriptState::shortcutArguments, "/zb Engels");
  }
};

std::map<std::string, std::string> keysOf(const std::string& text) {
  std::map<std::string, std::string> keys;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line))
    if (const std::size_t eq = line.find('='); eq != std::string::npos) keys[line.substr(0, eq)] = line.substr(eq + 1);
  return keys;
}

TEST_F(ShortcutTest, TheMenuEntryStartsZemboInTheInstallationFolder) {
  createShortcut();
  const std::filesystem::path entry = dir / "data/applications/Zembo/Zembo woordenboek.desktop";
  ASSERT_TRUE(std::filesystem::exists(entry));
  const std::string text = test::readFile(entry);
  EXPECT_EQ(text.substr(0, 16), "[Desktop Entry]\n");
  auto keys = keysOf(text);
  EXPECT_EQ(keys["Type"], "Application");
  EXPECT_EQ(keys["Name"], "Zembo woordenboek");
  EXPECT_EQ(keys["Exec"], "\"" + (dir / "Mijn woordenboek/zembo").string() + "\" /zb Engels");
  EXPECT_EQ(keys["Path"], (dir / "Mijn woordenboek").string());
  EXPECT_EQ(keys["Terminal"], "false");
}

TEST_F(ShortcutTest, WithoutAGroupOrDataHomeTheEntryGoesWhereTheDesktopLooks) {
  test::changeScript(&ScriptState::programGroup, "");
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(shortcutPath(), dir / "home/.local/share/applications/Zembo woordenboek.desktop");
  createShortcut();
  EXPECT_TRUE(std::filesystem::exists(shortcutPath()));
}

TEST_F(ShortcutTest, ArgumentsAreQuotedAsTheDesktopEntryFormatRequires) {
  EXPECT_EQ(quoteExecArgument("/zb"), "/zb");
  EXPECT_EQ(quoteExecArgument("a b"), "\"a b\"");
  EXPECT_EQ(quoteExecArgument("say \"hi\" $HOME `x` \\"), "\"say \\\"hi\\\" \\$HOME \\`x\\` \\\\\"");
  EXPECT_EQ(quoteExecArgument("100%"), "100%%");
  EXPECT_EQ(quoteExecArgument(""), "\"\"");
  // In the file a backslash of the quoted argument is written twice once more.
  test::changeScript(&ScriptState::shortcutArguments, "c:\\x");
  EXPECT_NE(desktopEntryText().find("\"c:\\\\\\\\x\"\n"), std::string::npos);
}

TEST_F(ShortcutTest, AccentedNamesAreWrittenInUtf8) {
  test::changeScript(&ScriptState::shortcutName,
                     "Fran\xE7"
                     "ais");
  createShortcut();
  const std::string text = test::readFile(dir / "data/applications/Zembo/Français.desktop");
  EXPECT_EQ(keysOf(text)["Name"], "Français");
}

// Runs a shell command; true when it exits 0.
bool succeeds(const std::string& command) { return std::system(command.c_str()) == 0; }
bool haveTool(const std::string& name) { return succeeds("command -v " + name + " >/dev/null 2>&1"); }

TEST_F(ShortcutTest, AnEntryForAFolderWithAPercentSignIsValidAndLaunches) {
  test::changeScript(&ScriptState::installDir, dir / "100% woordenboek");
  std::filesystem::create_directories(script.installDir);
  // A stand-in for zembo that notes where it was started and with what. The note appears whole
  // under its name or not at all: gio does not wait for the program, so the test may look at any time.
  test::writeFile(script.installDir / "zembo",
                  "#!/bin/sh\necho \"$PWD $*\" > \"$PWD/starting\" && mv \"$PWD/starting\" \"$PWD/started\"\n");
  std::filesystem::permissions(script.installDir / "zembo", std::filesystem::perms::owner_all);
  createShortcut();
  const std::filesystem::path entry = shortcutPath();
  ASSERT_TRUE(std::filesystem::exists(entry));
  if (haveTool("desktop-file-validate")) {
    EXPECT_TRUE(succeeds("desktop-file-validate '" + entry.string() + "'"));
  }
  if (!haveTool("gio")) GTEST_SKIP() << "no gio to launch the entry with";
  ASSERT_TRUE(succeeds("timeout 20 gio launch '" + entry.string() + "' >/dev/null 2>&1")) << test::readFile(entry);
  for (int i = 0; i < 400 && !std::filesystem::exists(script.installDir / "started"); ++i) ::usleep(50000);
  EXPECT_EQ(test::readFile(script.installDir / "started"), script.installDir.string() + " /zb Engels\n");
}

TEST_F(ShortcutTest, TheIconIsTheShippedPictureOrTheThemesName) {
  EXPECT_EQ(keysOf(desktopEntryText())["Icon"], "zembo");
  test::writeFile(script.installDir / "zembo.png", "png");
  EXPECT_EQ(keysOf(desktopEntryText())["Icon"], (script.installDir / "zembo.png").string());
}

TEST_F(ShortcutTest, AnEntryOutsideTheApplicationsFolderIsRefused) {
  for (const char* group : {"..\\..", "/tmp", "Zembo\\..\\.."}) {
    test::changeScript(&ScriptState::programGroup, group);
    EXPECT_THROW(createShortcut(), ProcessExit) << group;
  }
  test::changeScript(&ScriptState::programGroup, "Zembo");
  test::changeScript(&ScriptState::shortcutName, "..\\..\\evil");
  EXPECT_THROW(createShortcut(), ProcessExit);
  EXPECT_FALSE(std::filesystem::exists(dir / "data"));
}

TEST_F(ShortcutTest, AnEntryThatCannotBeWrittenIsFatal) {
  test::writeFile(dir / "data", "a file where the data folder should be");
  EXPECT_THROW(createShortcut(), ProcessExit);
  EXPECT_NE(test::lastMessage().find("menu entry"), std::string::npos) << test::lastMessage();
}

}  // namespace
}  // namespace zembo
