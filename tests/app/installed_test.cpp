// zembo on a dictionary that the installer put on the computer: the sample distribution installed
// unattended, then started there as the menu entry starts it.

#include <sys/wait.h>

#include <QMenu>
#include <cstdlib>

#include "app/mainwindow.h"
#include "directions/directions.h"
#include "resources/uilanguage.h"
#include "store/store.h"
#include "tests/support/dictionaryfixture.h"
#include "windowkit/qttext.h"

namespace zembo {
namespace {

class InstalledDictionaryTest : public test::DictionaryTest {
 protected:
  void SetUp() override {
    DictionaryTest::SetUp();
    ::setenv("XDG_DATA_HOME", (dir / "share").c_str(), 1);
    const std::string command = "cd '" SAMPLE_DISTRIBUTION "' && '" INSTALL_PROGRAM "' --target '" +
                                (dir / "woordenboek").string() + "' --yes </dev/null 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::filesystem::current_path(dir / "woordenboek");
  }
};

TEST_F(InstalledDictionaryTest, OpensTheDutchEditionWithBothDirectionsOfEachLanguage) {
  // The menu entry's command line.
  const std::string entry = test::readFile(dir / "share/applications/Zembo/Zembo woordenboek.desktop");
  EXPECT_NE(entry.find("/zb Engels"), std::string::npos);
  ASSERT_EQ(start("/zb Engels"), -1);
  EXPECT_EQ(uiLanguage.uiBase, 1500);
  EXPECT_EQ(mainWindow->windowTitle(), "Woordenboek");
  ASSERT_EQ(directions.directionCount, 4);
  EXPECT_STREQ(directions.currentDirection->sourceName, "Engels");
  EXPECT_STREQ(activeWordFileName(directions.currentDirection), "Engels_Nederlands.zb");
  const char* files[] = {"Engels_Nederlands.zb", "Frans_Nederlands.zb", "Nederlands_Engels.zb", "Nederlands_Frans.zb"};
  // Each direction paints its own pair of names where the names stand.
  const QRect names(100, 98, 460, 134);
  QImage previous;
  for (int id = 0; id < 4; ++id) {
    mainWindow->command(firstLanguageId + id, commandClicked);
    EXPECT_STREQ(activeWordFileName(directions.currentDirection), files[id]);
    EXPECT_GT(store.wordCount, 200) << files[id];
    const QImage shown = grab(mainWindow->client()).copy(names);
    EXPECT_NE(shown, previous) << files[id];
    previous = shown;
  }
  saveGrab(mainWindow, "installed-dutch");
  EXPECT_TRUE(std::filesystem::exists("woordenboek.hlp"));
  EXPECT_TRUE(std::filesystem::exists("dict.avi"));
  // The icons the distribution ships are the ones the directions name.
  EXPECT_TRUE(std::filesystem::exists(
      test::programPath("icons\\" + std::string(activeSourceIconName(directions.currentDirection)))));
  EXPECT_TRUE(std::filesystem::exists(
      test::programPath("icons\\" + std::string(activeTargetIconName(directions.currentDirection)))));
}

}  // namespace
}  // namespace zembo
