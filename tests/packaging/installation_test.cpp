// The build installed with `cmake --install` into a fresh prefix: where everything lands, whether
// the desktop files validate, and whether the installed commands start their programs.

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/testenv.h"

namespace zembo {
namespace {

namespace fs = std::filesystem;
using test::readFile;

const char appId[] = "org.zembo.zembo";

std::string shellQuoted(const fs::path& path) { return "'" + path.string() + "'"; }

// Runs a shell command with standard input from nowhere; its exit code, or -1 when it did not exit.
int run(const std::string& command) {
  const int status = std::system((command + " </dev/null").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool onPath(const std::string& tool) { return run("command -v " + tool + " >/dev/null 2>&1") == 0; }

bool isProgram(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & S_IXUSR);
}

// Width and height from a PNG's header chunk, or 0 x 0 when the file is no PNG.
std::pair<int, int> pngSize(const fs::path& path) {
  const std::string bytes = readFile(path);
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || bytes.compare(12, 4, "IHDR") != 0)
    return {0, 0};
  auto be32 = [&](std::size_t at) {
    int value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
  };
  return {be32(16), be32(20)};
}

class InstallationTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    prefix = dir / "prefix";
    ASSERT_EQ(run("'" CMAKE_PROGRAM "' --install '" ZEMBO_BUILD_DIR "' --prefix " + shellQuoted(prefix) + " >" +
                  shellQuoted(dir / "install.log") + " 2>&1"),
              0)
        << readFile(dir / "install.log");
    // A runtime folder of its own, so that no other zembo counts as already running.
    fs::create_directory(dir / "runtime", dir);
    fs::permissions(dir / "runtime", fs::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", (dir / "runtime").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (dir / "share").c_str(), 1);
    ::setenv("HOME", (dir / "home").c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    fs::create_directory(dir / "home");
  }

  // Starts a command offscreen and ends it after two seconds: true when it was still running then,
  // that is when the program got past its start-up instead of ending with an error.
  bool keepsRunning(const std::string& command, const fs::path& folder = ".") {
    return run("cd " + shellQuoted(folder) + " && QT_QPA_PLATFORM=offscreen timeout 2 " + command + " >" +
               shellQuoted(dir / "run.log") + " 2>&1") == 124;
  }

  // Runs a validator on an installed file below share/, expecting success; what it said.
  std::string validate(const std::string& validator, const std::string& file) {
    const fs::path path = prefix / "share" / file;
    EXPECT_TRUE(fs::exists(path)) << file;
    EXPECT_EQ(run(validator + " " + shellQuoted(path) + " >" + shellQuoted(dir / "validate.log") + " 2>&1"), 0)
        << readFile(dir / "validate.log");
    return readFile(dir / "validate.log");
  }

  fs::path prefix;
};

TEST_F(InstallationTest, PutsTheProgramsOnThePathAndTheInstallerBesideThem) {
  EXPECT_TRUE(isProgram(prefix / "bin/zembo"));
  EXPECT_TRUE(isProgram(prefix / "bin/zembo-install"));
  EXPECT_TRUE(isProgram(prefix / "bin/zembo-import"));
  EXPECT_TRUE(isProgram(prefix / "libexec/zembo/install"));
  EXPECT_TRUE(isProgram(prefix / "libexec/zembo/run-sample"));
  // coreutils' install keeps its name on a user's PATH.
  EXPECT_FALSE(fs::exists(prefix / "bin/install"));
}

TEST_F(InstallationTest, PutsTheSampleDictionaryAndDistributionUnderShare) {
  const fs::path share = prefix / "share/zembo";
  for (const char* file : {"language.ini", "dict.ini", "dict.hlp", "logo.bmp", "language/Fre_Eng.zb",
                           "language/Eng_Ger.zb", "tables/German.stb", "icons/Fre.ico"})
    EXPECT_TRUE(fs::is_regular_file(share / "data" / file)) << file;
  EXPECT_TRUE(fs::is_directory(share / "data/list"));
  EXPECT_EQ(fs::file_size(share / "data/language/Fre_Eng.zb"),
            fs::file_size(ZEMBO_BUILD_DIR "/data/language/Fre_Eng.zb"));
  for (const char* file : {"install.inf", "taal.cf", "language.ini", "taal/Engels_Nederlands.zb"})
    EXPECT_TRUE(fs::is_regular_file(share / "dist" / file)) << file;
  // The distribution copies zembo into every installation, which must be able to run it.
  EXPECT_TRUE(isProgram(share / "dist/zembo"));
}

TEST_F(InstallationTest, PutsTheIconInEveryHicolorSizeAtThatSize) {
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    EXPECT_EQ(pngSize(prefix / "share/icons/hicolor" / folder / "apps/zembo.png"), std::make_pair(size, size))
        << folder;
  }
}

// GNOME Shell finds an extension in a folder named by its uuid, and loads it only where its
// metadata names the shell's version: GNOME 43 and 44 the legacy shape, 45 and later the other.
TEST_F(InstallationTest, PutsTheGnomeShellExtensionWhereTheShellFindsIt) {
  const fs::path legacy = prefix / "share/gnome-shell/extensions/clipboard@zembo.org";
  const std::string metadata = readFile(legacy / "metadata.json");
  EXPECT_NE(metadata.find("\"uuid\": \"clipboard@zembo.org\""), std::string::npos) << metadata;
  EXPECT_NE(metadata.find("\"shell-version\": [\"43\", \"44\"]"), std::string::npos) << metadata;
  EXPECT_EQ(readFile(legacy / "extension.js").find("export default"), std::string::npos);
  const fs::path modules = prefix / "share/zembo/gnome-shell-extension-45";
  EXPECT_NE(readFile(modules / "metadata.json").find("\"45\""), std::string::npos);
  EXPECT_NE(readFile(modules / "extension.js").find("export default class"), std::string::npos);
}

TEST_F(InstallationTest, MenuEntryStartsTheInstalledStarterWithTheIcon) {
  const std::string entry = readFile(prefix / "share/applications" / (std::string(appId) + ".desktop"));
  EXPECT_NE(entry.find("Exec=\"" + (prefix / "libexec/zembo/run-sample").string() + "\" %f\n"), std::string::npos)
      << entry;
  EXPECT_NE(entry.find("\nIcon=zembo\n"), std::string::npos) << entry;
  const std::string metainfo = readFile(prefix / "share/metainfo" / (std::string(appId) + ".metainfo.xml"));
  EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">" + std::string(appId) + ".desktop</launchable>"),
            std::string::npos);
}

TEST_F(InstallationTest, MenuEntryIsValid) {
  if (!onPath("desktop-file-validate")) GTEST_SKIP() << "desktop-file-validate is not installed (desktop-file-utils)";
  EXPECT_EQ(validate("desktop-file-validate", "applications/" + std::string(appId) + ".desktop"), "");
}

TEST_F(InstallationTest, MetainfoIsValid) {
  if (!onPath("appstreamcli")) GTEST_SKIP() << "appstreamcli is not installed (appstream)";
  validate("appstreamcli validate --no-net", "metainfo/" + std::string(appId) + ".metainfo.xml");
}

TEST_F(InstallationTest, StarterRunsTheInstalledZemboInTheUsersCopyOfTheSample) {
  const fs::path copy = dir / "home/zembo-sample";
  ASSERT_TRUE(keepsRunning(shellQuoted(prefix / "libexec/zembo/run-sample"))) << readFile(dir / "run.log");
  EXPECT_EQ(readFile(copy / "language.ini"), readFile(prefix / "share/zembo/data/language.ini"));
  EXPECT_TRUE(fs::is_regular_file(copy / "language/Ger_Eng.zb"));
  // A second start keeps what the user changed there.
  test::writeFile(copy / "dict.ini", readFile(copy / "dict.ini") + "\n");
  const std::string changed = readFile(copy / "dict.ini");
  ASSERT_TRUE(keepsRunning(shellQuoted(prefix / "libexec/zembo/run-sample"))) << readFile(dir / "run.log");
  EXPECT_EQ(readFile(copy / "dict.ini"), changed);
}

TEST_F(InstallationTest, StarterRunsZemboInAFolderTheUserChose) {
  fs::copy(prefix / "share/zembo/data", dir / "mine", fs::copy_options::recursive);
  ASSERT_TRUE(keepsRunning(shellQuoted(prefix / "libexec/zembo/run-sample") + " " + shellQuoted(dir / "mine")))
      << readFile(dir / "run.log");
  EXPECT_FALSE(fs::exists(dir / "home/zembo-sample"));
}

TEST_F(InstallationTest, StarterWithoutADisplaySaysSo) {
  EXPECT_EQ(run("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                shellQuoted(prefix / "libexec/zembo/run-sample") + " 2>" + shellQuoted(dir / "run.log")),
            1);
  EXPECT_NE(readFile(dir / "run.log").find("found no display"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "home/zembo-sample"));
}

TEST_F(InstallationTest, ZemboInstallInstallsTheDistributionOfTheFolderGiven) {
  const fs::path target = dir / "woordenboek";
  ASSERT_EQ(run(shellQuoted(prefix / "bin/zembo-install") + " " + shellQuoted(prefix / "share/zembo/dist") +
                " --target " + shellQuoted(target) + " --yes 2>" + shellQuoted(dir / "install.err")),
            0)
      << readFile(dir / "install.err");
  EXPECT_TRUE(fs::is_regular_file(target / "zembo.ini"));
  EXPECT_TRUE(fs::is_regular_file(target / "taal/Nederlands_Engels.zb"));
  EXPECT_TRUE(fs::exists(dir / "share/applications/Zembo/Zembo woordenboek.desktop"));
  // The installed dictionary starts with the zembo the distribution carried.
  ASSERT_TRUE(isProgram(target / "zembo"));
  EXPECT_TRUE(keepsRunning("./zembo /zb Engels", target)) << readFile(dir / "run.log");
}

TEST_F(InstallationTest, ZemboInstallStartsInTheCurrentFolderWithoutOne) {
  fs::current_path(prefix / "share/zembo/dist");
  EXPECT_EQ(run(shellQuoted(prefix / "bin/zembo-install") + " --target " + shellQuoted(dir / "woordenboek") +
                " --yes 2>" + shellQuoted(dir / "install.err")),
            0)
      << readFile(dir / "install.err");
  EXPECT_TRUE(fs::is_regular_file(dir / "woordenboek/zembo.ini"));
}

TEST_F(InstallationTest, ZemboInstallRefusesAFolderThatIsNone) {
  EXPECT_EQ(run(shellQuoted(prefix / "bin/zembo-install") + " " + shellQuoted(dir / "nowhere") + " 2>" +
                shellQuoted(dir / "install.err")),
            1);
  EXPECT_NE(readFile(dir / "install.err").find("is not a folder"), std::string::npos);
}

// A packager's build: no tests, and so no need for GoogleTest.
TEST_F(InstallationTest, ConfiguresWithoutTestsOrGoogleTest) {
  const fs::path build = dir / "packager-build";
  ASSERT_EQ(run("'" CMAKE_PROGRAM "' -S '" ZEMBO_SOURCE_DIR "' -B " + shellQuoted(build) +
                " -DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON >" + shellQuoted(dir / "configure.log") +
                " 2>&1"),
            0)
      << readFile(dir / "configure.log");
  EXPECT_FALSE(fs::exists(build / "tests"));
  EXPECT_EQ(readFile(build / "CMakeCache.txt").find("ZEMBO_WERROR:BOOL=ON"), std::string::npos);
}

}  // namespace
}  // namespace zembo
