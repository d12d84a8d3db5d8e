// Where a user's typing lands in the search window: keys go to the field that has the focus, as
// the window system delivers them, and the window decides where the focus goes back to.

#include <QClipboard>
#include <QPushButton>
#include <QTimer>

#include "directions/directions.h"
#include "lookup/charsetwindow.h"
#include "store/sort.h"
#include "tests/lookup/lookupfixture.h"

namespace zembo {
namespace {

using test::readWords;
using test::WordPair;

const std::vector<WordPair> words = {{"abricot", "apricot"}, {"chat", "cat"},   {"chien", "dog"}, {"maison", "house"},
                                     {"malade", "ill"},      {"tante", "aunt"}, {"zoo", "zoo"}};

class SearchFocusTest : public test::SearchTest {
 protected:
  void SetUp() override {
    SearchTest::SetUp();
    openSearch(words);
    search->activateWindow();
    processEvents();
  }
  // Typing as a user types: into whatever field has the focus.
  static QWidget* focused() { return QApplication::focusWidget(); }
  void typeAtFocus(const char* text) {
    ASSERT_NE(focused(), nullptr);
    QTest::keyClicks(focused(), text);
  }
  void keyAtFocus(Qt::Key key) {
    ASSERT_NE(focused(), nullptr);
    QTest::keyClick(focused(), key);
  }
  // A user turns to another program and back.
  void switchAwayAndBack() {
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    processEvents();
    search->activateWindow();
    QApplication::setActiveWindow(search);
    processEvents();
  }
  // The right-click menu of the background, with the direction at this place chosen.
  void switchDirectionByRightClick(int item) {
    QTimer chooser;
    QObject::connect(&chooser, &QTimer::timeout, [item] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu || !menu->isVisible()) return;
      menu->actions()[item]->trigger();
      menu->close();
    });
    chooser.start(20);
    rightClick(search->client(), QPoint(300, 330));
    processEvents(100);
    // The sorting window has gone: the window manager activates the search window again.
    search->activateWindow();
    QApplication::setActiveWindow(search);
    processEvents();
  }
  // The row menu of a field, closed by choosing an item (its position) or by Escape (-1).
  void rowMenu(EntryField* field, int item) {
    QTimer chooser;
    QObject::connect(&chooser, &QTimer::timeout, [item] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu || !menu->isVisible()) return;
      if (item < 0)
        QTest::keyClick(menu, Qt::Key_Escape);
      else
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions()[item]).center());
    });
    chooser.start(20);
    rightClick(field, QPoint(30, 12));
    processEvents(50);
    // The menu has gone: the window manager gives the window its activation back, and with it the
    // focus to the field the window last gave it.
    search->activateWindow();
    QApplication::setActiveWindow(search);
    processEvents();
  }
};

TEST_F(SearchFocusTest, AfterAStoredEditAndADirectionSwitchTypingGoesToTheSearchField) {
  QTest::mouseClick(search->wordField(0), Qt::LeftButton);
  ASSERT_EQ(focused(), search->wordField(0));
  keyAtFocus(Qt::Key_End);
  typeAtFocus("s");
  keyAtFocus(Qt::Key_Return);
  EXPECT_EQ(readWords("language/Fre_Eng.zb")[0].word, "abricots");
  EXPECT_EQ(store.needsSort, 1);
  const auto englishBefore = readWords("language/Eng_Fre.zb");
  switchDirectionByRightClick(3);  // English to French, after the owed sort
  ASSERT_STREQ(directions.currentDirection->wordFileName, "Eng_Fre.zb");
  EXPECT_EQ(focused(), search->searchField());
  typeAtFocus("ab");
  EXPECT_EQ(search->searchField()->text(), "ab");
  keyAtFocus(Qt::Key_Return);
  EXPECT_EQ(readWords("language/Eng_Fre.zb")[0].word, englishBefore[0].word);
  EXPECT_EQ(readWords("language/Eng_Fre.zb")[0].translation, englishBefore[0].translation);
}

TEST_F(SearchFocusTest, ComingBackToTheWindowTheFocusIsWhereItWasTheSearchFieldToo) {
  QTest::mouseClick(search->wordField(3), Qt::LeftButton);
  QTest::mouseClick(search->searchField(), Qt::LeftButton);
  typeAtFocus("ma");
  switchAwayAndBack();
  EXPECT_EQ(focused(), search->searchField());
  typeAtFocus("i");
  EXPECT_EQ(search->searchField()->text(), "mai");
  EXPECT_EQ(rowWord(3), "maison");
  // A row field keeps it just as well.
  QTest::mouseClick(search->translationField(1), Qt::LeftButton);
  switchAwayAndBack();
  EXPECT_EQ(focused(), search->translationField(1));
}

TEST_F(SearchFocusTest, ThePickersCharactersGoToTheFieldThatHadTheFocusLast) {
  test::writeFile("charset/French.chs", "\xE0\xE9\xE8\xEA");
  search->menuItem(cmdCharsetOn)->trigger();
  ASSERT_TRUE(charsets.charsetWindow);
  const auto buttons = charsets.charsetWindow->findChildren<QPushButton*>();
  QTest::mouseClick(search->wordField(5), Qt::LeftButton);
  QTest::mouseClick(search->searchField(), Qt::LeftButton);
  typeAtFocus("tant");
  QTest::mouseClick(buttons[1], Qt::LeftButton);  // é
  EXPECT_EQ(search->searchField()->text(), "tanté");
  EXPECT_EQ(rowWord(5), "tante");
  QTest::mouseClick(search->wordField(5), Qt::LeftButton);
  QTest::mouseClick(buttons[0], Qt::LeftButton);  // à, at the caret the click left
  EXPECT_EQ(search->wordField(5)->text().count(QChar(0xE0)), 1);
}

TEST_F(SearchFocusTest, ARightPressLeavesTheFocusWhereItWas) {
  QTest::mouseClick(search->searchField(), Qt::LeftButton);
  rowMenu(search->wordField(4), 1);  // Copy
  EXPECT_EQ(QApplication::clipboard()->text(), "malade");
  EXPECT_EQ(focused(), search->searchField());
  typeAtFocus("chat");
  keyAtFocus(Qt::Key_Return);
  EXPECT_EQ(readWords("language/Fre_Eng.zb")[4].word, "malade");
  EXPECT_EQ(search->searchField()->text(), "");
  // Escape closes the menu the same way; a row that had the focus keeps it.
  QTest::mouseClick(search->translationField(2), Qt::LeftButton);
  rowMenu(search->wordField(4), -1);
  EXPECT_EQ(focused(), search->translationField(2));
  EXPECT_EQ(charsets.charsetReceiver, search->translationField(2));
  rowMenu(search->translationField(6), -1);
  switchAwayAndBack();
  EXPECT_EQ(focused(), search->translationField(2));
}

}  // namespace
}  // namespace zembo
