#include <QPushButton>

#include "directions/directions.h"
#include "lookup/charsetwindow.h"
#include "tests/lookup/lookupfixture.h"

namespace zembo {
namespace {

using test::writeFile;

class CharsetWindowTest : public test::SearchTest {
 protected:
  QList<QPushButton*> buttons() const { return charsets.charsetWindow->findChildren<QPushButton*>(); }
};

TEST_F(CharsetWindowTest, DefaultCharactersWithoutAFile) {
  const std::string chars = charsetCharacters("Klingon");
  ASSERT_EQ(chars.size(), 66u);
  EXPECT_EQ(chars.front(), '\xC0');
  EXPECT_EQ(chars[32], '\xBF');
  EXPECT_EQ(chars[33], '\xE0');
  EXPECT_EQ(chars.back(), '\xA7');
}

TEST_F(CharsetWindowTest, FileLinesGiveTheButtonRows) {
  openSearch({{"chat", "cat"}});
  writeFile("charset/French.chs", "0123456789");
  search->menuItem(cmdCharsetOn)->trigger();
  ASSERT_TRUE(charsets.charsetWindow);
  EXPECT_EQ(buttons().size(), 10);
  EXPECT_EQ(charsets.charsetWindow->width(), 5 * 19 + 5);
  EXPECT_EQ(buttons()[5]->geometry(), QRect(0, 23, 19, 23));
  EXPECT_EQ(buttons()[4]->geometry(), QRect(76, 0, 19, 23));
  EXPECT_EQ(charsets.charsetWindow->windowTitle(), "Character set");
  saveGrab(charsets.charsetWindow, "charset-window");
  // Nine characters and a line feed: ten buttons, the last for the line feed.
  writeFile("charset/French.chs", "abcdefghi\n");
  search->menuItem(cmdCharsetOn)->trigger();
  EXPECT_EQ(charsets.charsetWindow->characters(), "abcdefghi\n");
  EXPECT_EQ(charsets.charsetWindow->width(), 100);
  // Seven: three in the first row, four in the second, the last partly outside.
  writeFile("charset/French.chs", "abcdefg");
  search->menuItem(cmdCharsetOn)->trigger();
  EXPECT_EQ(buttons().size(), 7);
  EXPECT_EQ(charsets.charsetWindow->width(), 62);
  EXPECT_EQ(buttons()[6]->geometry(), QRect(57, 23, 19, 23));
  search->menuItem(cmdCharsetOff)->trigger();
  EXPECT_FALSE(charsets.charsetWindow);
  EXPECT_TRUE(search->isMenuItemChecked(cmdCharsetOff));
}

TEST_F(CharsetWindowTest, StandsCentredAboveItsOwnerAndNeverOffTheScreen) {
  openSearch({{"chat", "cat"}});
  writeFile("charset/French.chs", "\xE0\xE9\xE8\xEA");
  search->move(200, 300);
  search->menuItem(cmdCharsetOn)->trigger();
  const QRect owner = search->frameGeometry();
  EXPECT_EQ(charsets.charsetWindow->x(), owner.left() + (owner.width() - charsets.charsetWindow->width()) / 2);
  EXPECT_EQ(charsets.charsetWindow->y(), owner.top() - 70);
  search->move(0, 10);
  search->menuItem(cmdCharsetOn)->trigger();
  EXPECT_EQ(charsets.charsetWindow->y(), 0);
}

TEST_F(CharsetWindowTest, HasACaptionButNoCloseBoxAndAClosedPickerTurnsTheMenuOff) {
  openSearch({{"chat", "cat"}});
  search->menuItem(cmdCharsetOn)->trigger();
  ASSERT_TRUE(charsets.charsetWindow);
  // Window managers put a close box on every frame they draw, so the picker draws its own caption.
  EXPECT_TRUE(charsets.charsetWindow->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(charsets.charsetWindow->height(), 70);
  EXPECT_EQ(charsets.charsetWindow->windowTitle(), "Character set");
  const QImage picture = grab(charsets.charsetWindow);
  EXPECT_NE(picture.pixel(charsets.charsetWindow->width() / 2, 3),
            picture.pixel(charsets.charsetWindow->width() / 2, 60));
  // A window manager may close it all the same.
  charsets.charsetWindow->close();
  processEvents(50);
  EXPECT_FALSE(charsets.charsetWindow);
  EXPECT_TRUE(search->isMenuItemChecked(cmdCharsetOff));
  EXPECT_FALSE(search->isMenuItemChecked(cmdCharsetOn));
  EXPECT_FALSE(search->charsetWindowOn());
}

TEST_F(CharsetWindowTest, ClickTypesIntoTheSearchFieldAndLooksItUp) {
  openSearch({{"abricot", "apricot"},
              {"\xE9"
               "cole",
               "school"},
              {"\xE9t\xE9", "summer"},
              {"zoo", "zoo"}});
  writeFile("charset/French.chs", "\xE0\xE9\xE8\xEA");
  search->menuItem(cmdCharsetOn)->trigger();
  QTest::mouseClick(buttons()[1], Qt::LeftButton);
  EXPECT_EQ(search->searchField()->text(), "é");
  EXPECT_EQ(search->topIndex(), 0);  // fewer than ten records
  QTest::keyClicks(search->searchField(), "t");
  EXPECT_EQ(search->searchField()->text(), "ét");
}

TEST_F(CharsetWindowTest, FollowsTheLanguageOfTheFocusedColumn) {
  writeSampleDictionary();
  writeFile("dict.ini", "[language]\nRussian,russian,204\n\n[selected]\nRus_Eng.zb\n");
  test::writeWords("language/Rus_Eng.zb", {{"\xE4\xE0", "yes"}});
  test::writeWords("language/Eng_Rus.zb", {{"yes", "\xE4\xE0"}});
  writeFile("charset/Russian.chs", "\xE0\xE1\xE2\xE3");
  writeFile("charset/English.chs", "ab");
  ASSERT_EQ(start(), -1);
  mainWindow->command(cmdSearch, commandClicked);
  search = qobject_cast<SearchWindow*>(mainWindow->openToolWindow());
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(rowWord(0), "да");
  search->menuItem(cmdCharsetOn)->trigger();
  EXPECT_EQ(charsets.charsetWindow->characters(), "\xE0\xE1\xE2\xE3");
  EXPECT_EQ(buttons()[0]->text(), "а");
  search->translationField(0)->setFocus();
  search->fieldFocused(search->translationField(0), true);
  EXPECT_EQ(charsets.charsetLanguage, "English");
  EXPECT_EQ(charsets.charsetWindow->characters(), "ab");
  EXPECT_EQ(charsets.charsetReceiver, search->translationField(0));
  search->fieldFocused(search->wordField(0), false);
  EXPECT_EQ(charsets.charsetCode, 204);
  EXPECT_EQ(charsets.charsetWindow->characters(), "\xE0\xE1\xE2\xE3");
  closeSearch();
  EXPECT_FALSE(charsets.charsetWindow);
}

}  // namespace
}  // namespace zembo
