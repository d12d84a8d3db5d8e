#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "installer/core/script.h"
#include "installer/core/shortcut.h"
#include "tests/installer/installerfixture.h"

namespace zembo {
namespace {

class ShortcutTest : public test::InstallerTest {
 protected:
  void SetUp() override {
    InstallerTest::SetUp();
    installDir = dir / "Mijn woordenboek";
    programFile = "zembo";
    shortcutName = "Zembo woordenboek";
    programGroup = "Zembo";
    shortcutArguments = "/zb Engels";
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
  programGroup.clear();
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
  shortcutArguments = "c:\\x";
  EXPECT_NE(desktopEntryText().find("\"c:\\\\\\\\x\"\n"), std::string::npos);
}

TEST_F(ShortcutTest, AccentedNamesAreWrittenInUtf8) {
  shortcutName = "Fran\xE7" "ais";
  createShortcut();
  const std::string text = test::readFile(dir / "data/applications/Zembo/Français.desktop");
  EXPECT_EQ(keysOf(text)["Name"], "Français");
}

}  // namespace
}  // namespace zembo
