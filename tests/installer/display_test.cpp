// What the installer's core tells its display while it works.

#include <algorithm>
#include <filesystem>

#include "installer/core/languages.h"
#include "installer/core/script.h"
#include "installer/core/wordlists.h"
#include "platform/messagebox.h"
#include "tests/installer/fakedisplay.h"
#include "tests/installer/installerfixture.h"

namespace zembo {
namespace {

class DisplayTest : public test::InstallerTest {
 protected:
  void SetUp() override {
    InstallerTest::SetUp();
    std::filesystem::create_directories("taal");
    test::changeRegistering(&LanguageState::languageTitle, "Engels");
    test::changeRegistering(&LanguageState::fromListName, "Engels_Nederlands.zb");
    test::changeRegistering(&LanguageState::toListName, "Nederlands_Engels.zb");
  }
  // Enough records for every counter to change many times.
  static void writeLongFromList() {
    std::vector<test::Entry> from;
    for (int i = 0; i < 3000; ++i) from.push_back({"w" + std::to_string(i), "v" + std::to_string(i)});
    test::writeWordList("taal/Engels_Nederlands.zb", from);
  }
  test::FakeDisplay display;
};

TEST_F(DisplayTest, TheBuilderShowsItsHeadlineBarAndStepsOnMovingRows) {
  test::writeWordList("taal/Engels_Nederlands.zb", {{"house", "huis, woning"}, {"home", "huis, thuis"}});
  buildReverseList();
  EXPECT_EQ(display.linesOf("headline"), std::vector<std::string>{"headline 30,100,480,140 Engels"});
  EXPECT_EQ(display.linesOf("bar"),
            (std::vector<std::string>{"bar 30,155,380,175 0 0%", "bar 30,155,380,175 64 10%",
                                      "bar 30,155,380,175 117 25%", "bar 30,155,380,175 205 50%",
                                      "bar 30,155,380,175 292 75%", "bar 30,155,380,175 379 100%"}));
  EXPECT_EQ(display.linesOf("step"),
            (std::vector<std::string>{"step 30,170,480,200 Reading FROM wordlist", "step 300,170,480,200 Done.",
                                      "step 30,195,480,225 Writing TEMP wordlist", "step 300,195,480,225 Done.",
                                      "step 30,220,480,250 Reading TO wordlist", "step 300,220,480,250 Done.",
                                      "step 30,245,400,275 Sorting TO wordlist", "step 300,245,480,275 Done.",
                                      "step 30,270,480,300 Writing TO wordlist", "step 300,270,480,300 Done."}));
  // Each counter stands on the row of its step.
  const std::vector<std::string> counters = display.linesOf("counter");
  ASSERT_FALSE(counters.empty());
  EXPECT_EQ(counters.front(), "counter 210,170,290,186 0");
  EXPECT_EQ(display.waitCursors, 0);
  EXPECT_EQ(drawing.headlineRow, 150);
  EXPECT_EQ(drawing.progressRow, 205);
  EXPECT_EQ(drawing.stepRow, 170 + 5 * 25);
  // The final message belongs to the window.
  EXPECT_EQ(recordedMessageBoxes().back().owner, &display);
}

TEST_F(DisplayTest, WithoutStepTextsOnlyTheHeadlineAndTheBarAreShown) {
  test::writeWordList("taal/Engels_Nederlands.zb", {{"house", "huis"}});
  test::changeScript(&ScriptState::stepDisplay, 0);
  buildReverseList();
  EXPECT_TRUE(display.linesOf("step").empty());
  EXPECT_TRUE(display.linesOf("counter").empty());
  EXPECT_EQ(display.linesOf("bar").size(), 6u);
  EXPECT_EQ(drawing.stepRow, 170);
}

TEST_F(DisplayTest, CountersAreThrottledButTheLastValueOfALoopIsShown) {
  writeLongFromList();
  buildReverseList();
  const std::vector<std::string> counters = display.linesOf("counter");
  // Every 100th record of five loops would be 150 drawings; a fast machine draws a few.
  EXPECT_LT(counters.size(), 100u);
  EXPECT_NE(std::find(counters.begin(), counters.end(), "counter 210,170,290,186 2900"), counters.end());
}

// A run's counters do not wait for the drawing of the run before it.
TEST_F(DisplayTest, EachRunAfterAResetShowsItsFirstCounterAtOnce) {
  writeLongFromList();
  for (int run = 0; run < 2; ++run) {
    resetDrawingRows();
    display.shown.clear();
    buildReverseList();
    const std::vector<std::string> counters = display.linesOf("counter");
    ASSERT_FALSE(counters.empty());
    EXPECT_EQ(counters.front(), "counter 210,170,290,186 0") << "run " << run;
  }
}

TEST_F(DisplayTest, ACopyShowsItsTargetAndAFatalErrorRestoresTheArrow) {
  test::writeFile("install.inf", "copy leesmij.txt leesmij.txt\n");
  test::writeFile("leesmij.txt", "hallo\n");
  test::changeScript(&ScriptState::installDir, dir / "doel");
  std::filesystem::create_directories("doel");
  runScript();
  EXPECT_EQ(display.linesOf("path"), std::vector<std::string>{"path " + (dir / "doel/leesmij.txt").string()});
  display.showWaitCursor();
  EXPECT_THROW(reportError("Input file missing"), ProcessExit);
  EXPECT_EQ(display.waitCursors, 0);
  EXPECT_EQ(recordedMessageBoxes().back().owner, &display);
}

}  // namespace
}  // namespace zembo
