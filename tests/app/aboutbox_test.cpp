#include <QLabel>
#include <QTest>

#include "app/aboutbox.h"
#include "app/mainwindow.h"
#include "platform/messagebox.h"
#include "tests/support/dictionaryfixture.h"

namespace zembo {
namespace {

class AboutBoxTest : public test::DictionaryTest {
 protected:
  void SetUp() override {
    DictionaryTest::SetUp();
    writeSampleDictionary();
    std::filesystem::copy_file(std::filesystem::path(ZEMBO_SOURCE_DIR) / "tests/data/short.avi", "dict.avi");
  }
  // Waits until the box has started the given number of plays.
  static bool waitForPlays(const AboutBox& box, int plays, int milliseconds) {
    for (int waited = 0; waited < milliseconds && box.playsStarted() < plays; waited += 20) processEvents(20);
    return box.playsStarted() >= plays;
  }
};

TEST_F(AboutBoxTest, HasTheDialogsFramesAndLines) {
  ASSERT_EQ(start(), -1);
  AboutBox box(mainWindow);
  box.show();
  EXPECT_EQ(box.windowTitle(), "Dictionary");
  EXPECT_EQ(box.size(), QSize(420, 138));
  EXPECT_EQ(box.findChildren<QLabel*>().size(), 4);
  test::DictionaryTest::saveGrab(&box, "about-box");
}

TEST_F(AboutBoxTest, WithoutDelayTheAnimationRestartsAtOnce) {
  ASSERT_EQ(start(), -1);
  setAviDelay(0);
  AboutBox box(mainWindow);
  box.show();
  EXPECT_TRUE(waitForPlays(box, 3, 60000));
}

TEST_F(AboutBoxTest, PauseBetweenPlaysEndsEarlyOnAClick) {
  ASSERT_EQ(start(), -1);
  setAviDelay(600000);  // far longer than any wait below, so that only the click can end it
  AboutBox box(mainWindow);
  box.show();
  for (int waited = 0; waited < 60000 && !box.pausing(); waited += 20) processEvents(20);
  ASSERT_TRUE(box.pausing());
  EXPECT_EQ(box.playsStarted(), 1);
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(300, 20));
  EXPECT_TRUE(waitForPlays(box, 2, 60000));
}

TEST_F(AboutBoxTest, TheAnimationPlaysInAFolderWhoseNameHoldsAccentsAndCyrillic) {
  const std::filesystem::path folder = dir / "Иван" / "Éloïse";
  std::filesystem::create_directories(folder);
  for (const char* name : {"language.ini", "dict.ini", "dict.avi", "language"})
    std::filesystem::rename(name, folder / name);
  std::filesystem::current_path(folder);
  ASSERT_EQ(start(), -1);
  setAviDelay(0);
  AboutBox box(mainWindow);
  box.show();
  EXPECT_TRUE(waitForPlays(box, 2, 8000)) << "the animation never came to its end";
}

TEST_F(AboutBoxTest, MissingAnimationShowsTheBoxWithoutOne) {
  std::filesystem::remove("dict.avi");
  ASSERT_EQ(start(), -1);
  setAviDelay(0);
  AboutBox box(mainWindow);
  box.show();
  processEvents(100);
  // The box is whole and tried the animation once; without a file the loop ends, and no error box.
  EXPECT_EQ(box.findChildren<QLabel*>().size(), 4);
  EXPECT_EQ(box.playsStarted(), 1);
  EXPECT_FALSE(box.pausing());
  EXPECT_TRUE(recordedMessageBoxes().empty());
  box.reject();  // the close box
  EXPECT_FALSE(box.isVisible());
}

}  // namespace
}  // namespace zembo
