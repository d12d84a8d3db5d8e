#include <QApplication>
#include <QMenu>
#include <QTextBrowser>

#include "app/aboutbox.h"
#include "app/mainwindow.h"
#include "directions/directions.h"
#include "platform/messagebox.h"
#include "store/store.h"
#include "tests/support/dictionaryfixture.h"

namespace zembo {
namespace {

// The sample dictionary that the README's run command starts on.
class SampleDictionaryTest : public test::DictionaryTest {
 protected:
  void SetUp() override {
    DictionaryTest::SetUp();
    std::filesystem::copy(ZEMBO_SAMPLE_DIR, dir, std::filesystem::copy_options::recursive);
  }
};

TEST_F(SampleDictionaryTest, StartsOnFrenchToEnglishWithBothPairs) {
  ASSERT_EQ(start(), -1);
  EXPECT_STREQ(directions.currentDirection->wordFileName, "Fre_Eng.zb");
  EXPECT_GT(store.wordCount, 300);
  EXPECT_EQ(directions.directionCount, 4);
  EXPECT_EQ(mainWindow->languageMenu()->actions().size(), 5);
  EXPECT_FALSE(mainWindow->windowIcon().isNull());
  saveGrab(mainWindow, "sample-main");
  // Every direction's word file is there and the German one has its sort table.
  for (int id = 200; id < 204; ++id) {
    mainWindow->command(id, commandClicked);
    EXPECT_GT(store.wordCount, 300) << directions.currentDirection->wordFileName;
    if (std::string(directions.currentDirection->sourceName) == "German") {
      EXPECT_EQ(directions.currentDirection->hasSortTable, 1);
      saveGrab(mainWindow, "sample-main-german");
    }
  }
  mainWindow->command(cmdHelp, commandClicked);
  QTextBrowser* help = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* browser = qobject_cast<QTextBrowser*>(w)) help = browser;
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_GT(help->toPlainText().size(), 2000);
  saveGrab(help, "sample-help");
  // The sample's animation plays in the About box.
  AboutBox about(mainWindow);
  about.show();
  processEvents(700);
  EXPECT_GE(about.playsStarted(), 1);
  EXPECT_TRUE(recordedMessageBoxes().empty());
  saveGrab(&about, "sample-about");
}

}  // namespace
}  // namespace zembo
