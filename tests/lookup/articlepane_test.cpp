#include <QClipboard>
#include <QMenuBar>
#include <QTextBrowser>

#include <map>

#include "lookup/articlepane.h"
#include "lookup/articles.h"
#include "lookup/textwindow.h"
#include "platform/profile.h"
#include "tests/lookup/lookupfixture.h"

namespace zembo {
namespace {

// The German articles of the test dictionary's Ger_Eng.zb, as the article file would give them.
const std::map<std::string, std::string, std::less<>> germanArticles = {
    {"Haus", "Haus /h\xCB\x88\x61\xCA\x8As/ <neut, n, sg>\nhouse <n>\n      \"ein Haus bauen\"  - build a house\n"},
    {"Hund",
     "Hund /h\xCB\x88\xCA\x8Ant/ <masc, n, sg>\n [zool.] dog <n>, dawg <n>\n\nHund /h\xCB\x88\xCA\x8Ant/ <masc, n, "
     "sg>\nmine car <n>\n"},
};

class GermanArticles : public ArticleReader {
 public:
  bool find(std::string_view key, std::string& text, std::string&) const override {
    const auto found = germanArticles.find(key);
    if (found == germanArticles.end()) return false;
    text = found->second;
    return true;
  }
};

// Ger_Eng.zb has the articles above; no other word file has any.
int opened = 0;
std::unique_ptr<ArticleReader> openGermanArticles(const std::string& wordFilePath, std::string&) {
  ++opened;
  if (wordFilePath != "language\\Ger_Eng.zb") return nullptr;
  return std::make_unique<GermanArticles>();
}

class ArticlePaneTest : public test::SearchTest {
 protected:
  void openSearchOn(const char* wordFile) {
    setArticleOpener(openGermanArticles);
    opened = 0;
    writeSampleDictionary(wordFile);
    // Katze has no article.
    test::writeWords("language/Ger_Eng.zb", {{"Haus", "house"}, {"Hund", "dog"}, {"Katze", "cat"}});
    ASSERT_EQ(start(), -1);
    QTest::keyClick(mainWindow, Qt::Key_S, Qt::AltModifier);
    search = qobject_cast<SearchWindow*>(mainWindow->openToolWindow());
    ASSERT_NE(search, nullptr);
    processEvents();
  }
  QTextBrowser* pane() const { return search->articlePane()->browser(); }
  std::string paneText() const { return pane()->toPlainText().toStdString(); }
  bool paneMenuShown() const {
    for (QAction* popup : search->menuBar()->actions())
      if (popup->menu() && popup->menu()->actions().contains(search->menuItem(cmdArticlePaneOn)))
        return popup->isVisible();
    return false;
  }
  int winIni(const char* key) { return readProfileInt("Dictionary", key, -12345, "win.ini"); }
};

TEST_F(ArticlePaneTest, ALanguageWithoutArticlesShowsTheWindowAsItWas) {
  openSearchOn("Fre_Eng.zb");
  EXPECT_EQ(opened, 1);
  EXPECT_FALSE(pane()->isVisible());
  EXPECT_FALSE(paneMenuShown());
  EXPECT_EQ(search->client()->size(), QSize(624, 356));
  EXPECT_EQ(search->size().width(), 624);
}

TEST_F(ArticlePaneTest, ThePaneStandsBesideTheRowsAndFollowsEveryKeystroke) {
  openSearchOn("Ger_Eng.zb");
  ASSERT_TRUE(pane()->isVisible());
  EXPECT_TRUE(paneMenuShown());
  EXPECT_TRUE(search->isMenuItemChecked(cmdArticlePaneOn));
  // The rows stand where they always stood; the window is wider by the pane.
  EXPECT_EQ(search->client()->size(), QSize(624 + tools.articlePaneWidth, 356));
  EXPECT_EQ(search->searchField()->geometry(), QRect(20, 300, 215, 25));
  EXPECT_EQ(search->translationField(0)->geometry(), QRect(255, 40, 350, 25));
  EXPECT_GE(pane()->geometry().left(), 605);
  // The top row is Haus as the window opens.
  EXPECT_EQ(rowWord(0), "Haus");
  EXPECT_NE(paneText().find("das Haus"), std::string::npos) << paneText();
  EXPECT_NE(paneText().find("ein Haus bauen"), std::string::npos);
  // Among the last rows the word found stands below the top row: the pane shows it all the same.
  type("Hu");
  EXPECT_EQ(rowWord(1), "Hund");
  EXPECT_NE(paneText().find("der Hund"), std::string::npos) << paneText();
  EXPECT_NE(paneText().find("2. mine car"), std::string::npos);
  EXPECT_EQ(paneText().find("Haus"), std::string::npos);
  key(Qt::Key_Up);
  EXPECT_NE(paneText().find("das Haus"), std::string::npos);
  saveGrab(search, "article-pane");
  // A word without articles says so.
  search->searchField()->clear();
  type("K");
  EXPECT_EQ(paneText(), "No article for this word.");
}

TEST_F(ArticlePaneTest, ARowAUserClicksIntoShowsItsEntry) {
  openSearchOn("Ger_Eng.zb");
  ASSERT_EQ(rowWord(1), "Hund");
  QTest::mouseClick(search->translationField(1), Qt::LeftButton);
  processEvents();
  EXPECT_NE(paneText().find("der Hund"), std::string::npos) << paneText();
  QTest::mouseClick(search->wordField(0), Qt::LeftButton);
  processEvents();
  EXPECT_NE(paneText().find("das Haus"), std::string::npos) << paneText();
}

TEST_F(ArticlePaneTest, AWordCopiedElsewhereShowsItsEntry) {
  openSearchOn("Ger_Eng.zb");
  QWidget other;
  other.show();
  search->menuItem(cmdClipboardOn)->trigger();
  QApplication::setActiveWindow(&other);
  QApplication::clipboard()->setText("\"Hund,\"");
  processEvents();
  EXPECT_EQ(search->searchField()->text(), "Hund");
  EXPECT_NE(paneText().find("der Hund"), std::string::npos) << paneText();
  search->menuItem(cmdClipboardOff)->trigger();
}

TEST_F(ArticlePaneTest, TheReverseDirectionShowsTheArticlesOfTheWordsATranslationLists) {
  openSearchOn("Eng_Ger.zb");
  ASSERT_TRUE(pane()->isVisible());
  EXPECT_EQ(rowWord(0), "dog");
  EXPECT_NE(paneText().find("dog\nder Hund"), std::string::npos) << paneText();
  type("h");
  EXPECT_EQ(rowWord(1), "house");
  EXPECT_NE(paneText().find("house\ndas Haus"), std::string::npos) << paneText();
}

TEST_F(ArticlePaneTest, ThePaneFollowsTheDirectionAndOpensItsArticlesOnce) {
  openSearchOn("Ger_Eng.zb");
  ASSERT_TRUE(pane()->isVisible());
  const int french = firstLanguageId, german = firstLanguageId + 1;
  ASSERT_STREQ(directions.directionList->wordFileName, "Fre_Eng.zb");
  search->command(french, commandClicked);
  processEvents();
  EXPECT_FALSE(pane()->isVisible());
  EXPECT_FALSE(paneMenuShown());
  EXPECT_EQ(search->client()->size(), QSize(624, 356));
  search->command(german, commandClicked);
  processEvents();
  EXPECT_TRUE(pane()->isVisible());
  EXPECT_NE(paneText().find("das Haus"), std::string::npos) << paneText();
  const int before = opened;
  // Eng_Ger reads the same articles: nothing is opened again.
  for (const DictionaryDirection* d = directions.directionList; d; d = d->next)
    if (std::string(d->wordFileName) == "Eng_Ger.zb") search->command(d->menuId, commandClicked);
  processEvents();
  EXPECT_EQ(opened, before);
  EXPECT_TRUE(articles.reverse);
  EXPECT_NE(paneText().find("der Hund"), std::string::npos) << paneText();
  // A window that opens reads the file afresh: an import may have replaced it meanwhile.
  closeSearch();
  QTest::keyClick(mainWindow, Qt::Key_S, Qt::AltModifier);
  search = qobject_cast<SearchWindow*>(mainWindow->openToolWindow());
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(opened, before + 1);
  EXPECT_TRUE(pane()->isVisible());
}

TEST_F(ArticlePaneTest, HiddenAndResizedPaneIsRememberedInWinIni) {
  openSearchOn("Ger_Eng.zb");
  search->resize(search->width() + 50, search->height());
  processEvents();
  const int width = tools.articlePaneWidth;
  EXPECT_EQ(search->client()->width(), 624 + width);
  EXPECT_EQ(pane()->geometry().right(), search->client()->width() - 9);
  search->menuItem(cmdArticlePaneOff)->trigger();
  processEvents();
  EXPECT_FALSE(pane()->isVisible());
  EXPECT_EQ(search->client()->size(), QSize(624, 356));
  EXPECT_TRUE(search->isMenuItemChecked(cmdArticlePaneOff));
  exitProgram();
  EXPECT_EQ(winIni("ArticlePane"), 0);
  EXPECT_EQ(winIni("ArticlePaneWidth"), width);

  closeEverything();
  setArticleOpener(openGermanArticles);
  ASSERT_EQ(start(), -1);
  EXPECT_EQ(tools.articlePaneOn, 0);
  EXPECT_EQ(tools.articlePaneWidth, width);
  QTest::keyClick(mainWindow, Qt::Key_S, Qt::AltModifier);
  search = qobject_cast<SearchWindow*>(mainWindow->openToolWindow());
  ASSERT_NE(search, nullptr);
  EXPECT_FALSE(search->articlePane()->browser()->isVisible());
  search->menuItem(cmdArticlePaneOn)->trigger();
  processEvents();
  EXPECT_TRUE(search->articlePane()->browser()->isVisible());
  EXPECT_EQ(search->client()->width(), 624 + width);
}

TEST_F(ArticlePaneTest, TheTextFileWindowShowsTheSamePane) {
  setArticleOpener(openGermanArticles);
  writeSampleDictionary("Ger_Eng.zb");
  ASSERT_EQ(start(), -1);
  mainWindow->command(cmdTextFileSearch, commandClicked);
  auto* text = qobject_cast<TextWindow*>(mainWindow->openToolWindow());
  ASSERT_NE(text, nullptr);
  processEvents();
  ASSERT_TRUE(text->articlePane()->browser()->isVisible());
  QTest::keyClicks(text->searchField(), "Hund");
  EXPECT_NE(text->articlePane()->browser()->toPlainText().toStdString().find("der Hund"), std::string::npos);
}

}  // namespace
}  // namespace zembo
