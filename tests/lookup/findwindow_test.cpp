#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QTreeWidget>

#include <filesystem>

#include "formats/articlefile.h"
#include "lookup/articlepane.h"
#include "lookup/entrysearch.h"
#include "lookup/findwindow.h"
#include "tests/lookup/lookupfixture.h"

namespace zembo {
namespace {

using test::readFile;
using test::writeFile;

// German with its articles, as an import leaves it but without the indexes, which the first
// search makes.
class FindTest : public test::SearchTest {
 protected:
  void SetUp() override {
    test::SearchTest::SetUp();
    writeSampleDictionary("Ger_Eng.zb");
    test::writeWords(
        "language/Ger_Eng.zb",
        {{"gehen", "go, walk, leave"}, {"Haus", "house, home"}, {"schleichen", "creep, sneak"}, {"Zuhause", "home"}});
    test::writeWords("language/Eng_Ger.zb",
                     {{"go", "gehen"}, {"home", "Haus, Zuhause"}, {"slowly", "langsam"}, {"walk", "gehen"}});
    ArticleWriter articles(1252);
    articles.add("gehen", "gehen /g/ <v>\ngo <v>, walk <v>\n      \"langsam gehen\"  - walk slowly\n");
    articles.add("Haus", "Haus /h/ <n>\nhouse <n>\n      \"von zu Hause aus arbeiten\"  - work from home\n");
    articles.add("schleichen", "schleichen <v>\ncreep <v>\n   Note: walk slowly and quietly\n");
    std::string error;
    ASSERT_TRUE(articles.writeTo("language/Ger_Eng.art", error)) << error;
  }
  void openFind() {
    ASSERT_EQ(start(), -1);
    QTest::keyClick(mainWindow, Qt::Key_S, Qt::AltModifier);
    search = qobject_cast<SearchWindow*>(mainWindow->openToolWindow());
    ASSERT_NE(search, nullptr);
    search->command(cmdFindInEntries, commandClicked);  // the Find menu (Ctrl+F under a desktop)
    processEvents();
    find = search->findWindow();
    ASSERT_NE(find, nullptr);
    ASSERT_TRUE(find->isVisible());
  }
  // The rows found for what is typed, as "word = translation (direction)" joined by "; ", a "~"
  // before a row that holds only some of the words.
  std::string rowsFor(const char* typed) {
    find->field()->clear();
    QTest::keyClicks(find->field(), typed);
    std::string rows;
    for (int k = 0; k < find->results()->topLevelItemCount(); ++k) {
      const QTreeWidgetItem* row = find->results()->topLevelItem(k);
      if (!rows.empty()) rows += "; ";
      if (row->foreground(0).color() == QColor(128, 128, 128)) rows += "~";
      rows += row->text(0).toStdString() + " = " + row->text(1).toStdString() + " (" + row->text(2).toStdString() + ")";
    }
    return rows;
  }
  std::string status() const { return find->status()->text().toStdString(); }
  // Opens the row that holds word, as a double click does.
  void openRow(const char* word) {
    const QList<QTreeWidgetItem*> rows = find->results()->findItems(word, Qt::MatchExactly);
    ASSERT_EQ(rows.size(), 1);
    find->results()->setCurrentItem(rows[0]);
    emit find->results()->itemActivated(rows[0], 0);
    processEvents();
  }
  static std::filesystem::file_time_type modified(const char* path) { return std::filesystem::last_write_time(path); }

  FindWindow* find = nullptr;
};

TEST_F(FindTest, TranslationsNotesAndExamplesFindTheirEntriesBestFirst) {
  openFind();
  // gehen shows "walk" and has "slowly" in an example; schleichen has both in a note; the English
  // entries hold German words.
  EXPECT_EQ(rowsFor("walk slowly"),
            "gehen = go, walk, leave (German - English); schleichen = creep, sneak (German - English)");
  EXPECT_EQ(status(), "Entries that hold all the words: 2");
  EXPECT_FALSE(entrySearchNeedsPreparing());  // checked once, and not again until a file changes
  // The first search made both indexes beside the word file.
  EXPECT_TRUE(std::filesystem::exists("language/Ger_Eng.fnd"));
  EXPECT_TRUE(std::filesystem::exists("language/Ger_Eng.fnw"));
  // An example's words, the last one begun.
  EXPECT_EQ(rowsFor("work from ho"), "Haus = house, home (German - English); ~Zuhause = home (German - English)");
  // Either language: German words stand in the other direction's translations and the examples.
  EXPECT_EQ(rowsFor("LANGSAM"), "slowly = langsam (English - German); gehen = go, walk, leave (German - English)");
  EXPECT_EQ(rowsFor("quietly zebra"), "~schleichen = creep, sneak (German - English)");
  EXPECT_EQ(status(), "No entry holds all the words; these hold some of them.");
  EXPECT_EQ(rowsFor("zebra"), "");
  EXPECT_EQ(status(), "No entry holds these words.");
}

TEST_F(FindTest, AnOpenedRowShowsItsWordInTheSearchWindowInItsDirection) {
  openFind();
  rowsFor("work from");
  openRow("Haus");
  EXPECT_EQ(search->searchField()->text(), "Haus");
  EXPECT_EQ(rowWord(1), "Haus");
  EXPECT_NE(search->articlePane()->browser()->toPlainText().indexOf("work from home"), -1);
  // Enter in the field opens the first row; a row of the other direction switches to it.
  find->field()->clear();
  QTest::keyClicks(find->field(), "langsam");
  QTest::keyClick(find->field(), Qt::Key_Return);
  processEvents();
  EXPECT_STREQ(directions.currentDirection->wordFileName, "Eng_Ger.zb");
  EXPECT_EQ(search->searchField()->text(), "slowly");
  EXPECT_EQ(rowWord(2), "slowly");
  EXPECT_EQ(rowTranslation(2), "langsam");
  // From the other direction, the same search finds the same entries.
  EXPECT_EQ(rowsFor("work from"), "Haus = house, home (German - English)");
}

TEST_F(FindTest, CorrectedAndAddedWordsAreFoundAtTheNextSearch) {
  openFind();
  EXPECT_EQ(rowsFor("dwelling"), "");
  const auto articleIndexMade = modified("language/Ger_Eng.fnd");
  // A translation corrected in the search window, and a word added at the end of the file.
  WordRecord haus;
  ASSERT_EQ(readWordRecord(1, haus), 0);
  setField(haus.translation, sizeof haus.translation, "house, dwelling");
  ASSERT_EQ(writeWordRecord(1, haus), 0);
  EXPECT_EQ(rowsFor("dwelling"), "Haus = house, dwelling (German - English)");
  ASSERT_EQ(appendWordRecord(test::makeRecord({"Wohnung", "flat, dwelling"})), 0);
  markUnsorted();
  EXPECT_EQ(rowsFor("dwell"), "Haus = house, dwelling (German - English); Wohnung = flat, dwelling (German - English)");
  // The other direction's file changed by another program.
  test::writeWords("language/Eng_Ger.zb", {{"dwelling", "Wohnung"}, {"go", "gehen"}});
  EXPECT_EQ(rowsFor("wohnung"), "dwelling = Wohnung (English - German)");
  // Only the small index was made again: the articles did not change.
  EXPECT_EQ(modified("language/Ger_Eng.fnd"), articleIndexMade);
}

TEST_F(FindTest, AnIndexThatDoesNotMatchItsFilesIsMadeAgain) {
  // Indexes made for other files, a damaged one, and one of another language copied in.
  ArticleWriter other(1252);
  other.add("Katze", "Katze <n>\ncat <n>\n");
  std::string error;
  ASSERT_TRUE(other.writeTo("other.art", error)) << error;
  {
    EntryIndexWriter articles;
    indexArticle(articles, "Katze", "Katze <n>\ncat <n>\n");
    ASSERT_TRUE(articles.writeTo("language/Ger_Eng.fnd", {}, error)) << error;
    EntryIndexWriter words;
    words.add(words.entry(0, "Katze"), "cat", EntryPart::wordFile);
    ASSERT_TRUE(words.writeTo("language/Ger_Eng.fnw", {}, error)) << error;
  }
  openFind();
  EXPECT_EQ(rowsFor("cat"), "");
  EXPECT_EQ(rowsFor("walk"),
            "gehen = go, walk, leave (German - English); schleichen = creep, sneak (German - English)");
  // Damaged while zembo runs (a failed copy): the next change of a file checks the indexes again.
  std::string damaged = readFile("language/Ger_Eng.fnw");
  damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x55);
  writeFile("language/Ger_Eng.fnw", damaged);
  resetEntrySearchState();
  EXPECT_EQ(rowsFor("walk"),
            "gehen = go, walk, leave (German - English); schleichen = creep, sneak (German - English)");
  // An article file replaced (a new import of another version) makes the articles' index again.
  std::filesystem::copy_file("other.art", "language/Ger_Eng.art", std::filesystem::copy_options::overwrite_existing);
  EXPECT_EQ(rowsFor("cat"), "Katze =  (German - English)");  // no word file holds Katze: the article's alone
  EXPECT_EQ(rowsFor("walk"), "gehen = go, walk, leave (German - English)");
}

TEST_F(FindTest, AnIndexThatCannotBeWrittenIsReportedAndNothingIsFound) {
  std::filesystem::create_directory("language/Ger_Eng.fnw");  // in the way of the index
  openFind();
  startRecordingMessageBoxes();
  EXPECT_EQ(rowsFor("walk"), "");
  ASSERT_FALSE(recordedMessageBoxes().empty());
  EXPECT_NE(recordedMessageBoxes()[0].text.find("The entries cannot be indexed:"), std::string::npos);
  EXPECT_NE(recordedMessageBoxes()[0].text.find("Ger_Eng.fnw"), std::string::npos) << recordedMessageBoxes()[0].text;
  std::filesystem::remove("language/Ger_Eng.fnw");
  EXPECT_EQ(rowsFor("walk"),
            "gehen = go, walk, leave (German - English); schleichen = creep, sneak (German - English)");
}

}  // namespace
}  // namespace zembo
