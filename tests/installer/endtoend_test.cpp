// The built installer on the assembled sample distribution, as a packager runs it.

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/collation.h"
#include "tests/installer/installerfixture.h"

namespace zembo {
namespace {

using test::readFile;

class EndToEndTest : public test::InstallerTest {
 protected:
  // Runs install in the sample distribution with standard input from nowhere; its exit code.
  int install(const std::string& arguments, const std::filesystem::path& from = SAMPLE_DISTRIBUTION,
              const std::string& runAs = "") {
    const std::string command = "cd '" + from.string() + "' && timeout 60 " + runAs + " '" INSTALL_PROGRAM "' " +
                                arguments + " </dev/null 2>'" + (dir / "stderr.txt").string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

const std::string expectedConfig =
    "# --- zembo.ini -------------------------------------------------\n"
    "\n"
    "[toevoegen]\n"
    "on\n"
    "\n"
    "[selected]\n"
    "Engels_Nederlands.zb\n"
    "\n"
    "[taal]\n"
    "Engels,english,0,Engels\n"
    "Frans,french,0,Frans\n"
    "\n"
    "# --- EOF --------------------------------------------------------\n";

void expectReverseOf(const std::filesystem::path& to, const std::filesystem::path& from) {
  const auto toList = test::readWordList(to);
  const auto fromList = test::readWordList(from);
  ASSERT_GT(fromList.size(), 200u);
  ASSERT_GT(toList.size(), 200u);
  for (std::size_t i = 1; i < toList.size(); ++i) {
    EXPECT_LT(collateNoCase(toList[i - 1].first, toList[i].first), 0) << toList[i].first;
  }
}

TEST_F(EndToEndTest, TheSampleDistributionInstallsUnattended) {
  ASSERT_EQ(install("--target '" + (dir / "woordenboek").string() + "'"), 0) << readFile(dir / "stderr.txt");
  const std::filesystem::path target = dir / "woordenboek";
  EXPECT_EQ(readFile(target / "zembo.ini"), expectedConfig);
  EXPECT_EQ(readFile(target / "language.ini"), "[Dictionary]\nLanguage=dutch\n");
  for (const char* list : {"Engels_Nederlands.zb", "Frans_Nederlands.zb"})
    EXPECT_EQ(readFile(target / "taal" / list), readFile(std::filesystem::path(SAMPLE_DISTRIBUTION) / "taal" / list));
  setCollationLocale("dutch");
  expectReverseOf(target / "taal/Nederlands_Engels.zb", target / "taal/Engels_Nederlands.zb");
  expectReverseOf(target / "taal/Nederlands_Frans.zb", target / "taal/Frans_Nederlands.zb");
  const auto english = test::readWordList(target / "taal/Nederlands_Engels.zb");
  EXPECT_NE(std::find(english.begin(), english.end(), test::Entry{"stad", "city, town"}), english.end());
  const auto french = test::readWordList(target / "taal/Nederlands_Frans.zb");
  EXPECT_NE(std::find(french.begin(), french.end(),
                      test::Entry{"zus",
                                  "s\x9C"
                                  "ur"}),
            french.end());
  EXPECT_FALSE(std::filesystem::exists(target / "taal.cf"));
  EXPECT_FALSE(std::filesystem::exists(target / "taal/temp.zb"));
  EXPECT_TRUE(std::filesystem::is_directory(target / "lijst"));
  EXPECT_EQ(readFile(dir / "config/zembo/win.ini").find("DutchAviDelay=2000"), std::string("[Dictionary]\n").size());

  const std::string entry = readFile(dir / "data/applications/Zembo/Zembo woordenboek.desktop");
  EXPECT_NE(entry.find("\nExec=" + (target / "zembo").string() + " /zb Engels\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nPath=" + target.string() + "\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nIcon=" + (target / "zembo.png").string() + "\n"), std::string::npos) << entry;
  // Both final messages were answered by themselves.
  EXPECT_NE(readFile(dir / "stderr.txt").find("Install: De woordenlijst is klaar."), std::string::npos);
}

TEST_F(EndToEndTest, InstallingAgainChangesNothingInTheConfiguration) {
  const std::string target = "'" + (dir / "woordenboek").string() + "'";
  ASSERT_EQ(install("--target " + target), 0);
  ASSERT_EQ(install("--target " + target + " --yes"), 0);
  EXPECT_EQ(readFile(dir / "woordenboek/zembo.ini"), expectedConfig);
}

TEST_F(EndToEndTest, FailuresEndWithExitCodeOne) {
  EXPECT_EQ(install("--target '" + (dir / "missing/woordenboek").string() + "'"), 1);
  EXPECT_NE(readFile(dir / "stderr.txt").find("Error: Invalid Directory"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
  std::filesystem::create_directories(dir / "empty");
  EXPECT_EQ(install("--target '" + (dir / "woordenboek").string() + "'", dir / "empty"), 1);
  EXPECT_NE(readFile(dir / "stderr.txt").find("Error: Can't open INSTALL.INF"), std::string::npos);
  EXPECT_EQ(install("--unknown"), 2);
}

TEST_F(EndToEndTest, AnEmptyTargetIsAUsageError) {
  EXPECT_EQ(install("--target ''"), 2);
  EXPECT_NE(readFile(dir / "stderr.txt").find("usage"), std::string::npos);
}

TEST_F(EndToEndTest, TheDistributionIsNoTarget) {
  const std::filesystem::path copy = dir / "dist";
  std::filesystem::copy(SAMPLE_DISTRIBUTION, copy, std::filesystem::copy_options::recursive);
  EXPECT_EQ(install("--target '" + copy.string() + "'", copy), 1);
  EXPECT_NE(readFile(dir / "stderr.txt").find("distribution"), std::string::npos) << readFile(dir / "stderr.txt");
  EXPECT_TRUE(std::filesystem::exists(copy / "taal.cf"));
  EXPECT_FALSE(std::filesystem::exists(copy / "zembo.ini"));
}

TEST_F(EndToEndTest, HomeAndDistributionMayHoldAnyCharacter) {
  const std::filesystem::path home = dir / "\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82-\xC3\xA9 \xE2\x82\xAC";  // Тест-é €
  std::filesystem::create_directories(home);
  std::filesystem::copy(SAMPLE_DISTRIBUTION, home / "dist", std::filesystem::copy_options::recursive);
  ASSERT_EQ(install("--target '~/zembo' --yes", home / "dist", "env HOME='" + home.string() + "'"), 0)
      << readFile(dir / "stderr.txt");
  EXPECT_EQ(readFile(home / "zembo/zembo.ini"), expectedConfig);
  EXPECT_GT(test::readWordList(home / "zembo/taal/Nederlands_Frans.zb").size(), 200u);
  const std::string entry = readFile(dir / "data/applications/Zembo/Zembo woordenboek.desktop");
  EXPECT_NE(entry.find("\nPath=" + (home / "zembo").string() + "\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nIcon=" + (home / "zembo/zembo.png").string() + "\n"), std::string::npos) << entry;
}

TEST_F(EndToEndTest, ATargetThatCannotBeWrittenOrEnteredIsRefusedBeforeAnythingHappens) {
  // Permissions bind only an unprivileged user: as root the installer runs as nobody.
  const bool root = ::getuid() == 0;
  const std::string runAs = root ? "setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/nonexistent" : "";
  std::filesystem::permissions(
      dir, std::filesystem::perms::all & ~std::filesystem::perms::group_write & ~std::filesystem::perms::others_write);
  for (const auto& [name, mode] : {std::pair{"readonly", 0555}, std::pair{"closed", 0666}}) {
    const std::filesystem::path target = dir / name;
    std::filesystem::create_directory(target);
    std::filesystem::permissions(target, static_cast<std::filesystem::perms>(mode));
    EXPECT_EQ(install("--target '" + target.string() + "'", SAMPLE_DISTRIBUTION, runAs), 1) << name;
    EXPECT_NE(readFile(dir / "stderr.txt").find("cannot be entered and written"), std::string::npos)
        << readFile(dir / "stderr.txt");
    std::filesystem::permissions(target, std::filesystem::perms::owner_all);
    EXPECT_TRUE(std::filesystem::is_empty(target)) << name;
  }
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(SAMPLE_DISTRIBUTION) / "taal.cf"));
}

}  // namespace
}  // namespace zembo
