#include <sys/stat.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>

#include "lookup/textwindow.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "tests/lookup/lookupfixture.h"

namespace zembo {
namespace {

using test::WordPair;
using test::writeFile;

// The words at and around a position, as a click there takes them.
TEST(WordAtCaret, KeepsApostrophesAndHyphensAndSplitsAtDigits) {
  const std::string text = "Il est aujourd'hui. Un arc-en-ciel abc123def";
  EXPECT_EQ(wordAtCaret(text, text.find("jourd")), "aujourd'hui");
  EXPECT_EQ(wordAtCaret(text, text.find("aujourd")), "aujourd'hui");  // just before the first letter
  EXPECT_EQ(wordAtCaret(text, text.find('.')), "");                   // just after the last letter
  EXPECT_EQ(wordAtCaret(text, text.find("en-ciel")), "arc-en-ciel");
  EXPECT_EQ(wordAtCaret(text, text.find("bc1")), "abc");
  EXPECT_EQ(wordAtCaret(text, text.find("ef")), "def");
  EXPECT_EQ(wordAtCaret(text, text.find('2')), "");
  EXPECT_EQ(wordAtCaret(text, 0), "Il");
  EXPECT_EQ(wordAtCaret(text, 1), "Il");
  EXPECT_EQ(wordAtCaret(text, text.size()), "");
  EXPECT_EQ(wordAtCaret(text, text.size() + 5), "");
}

TEST(WordAtCaret, NeverTakesALeadingBlankOrLineBreak) {
  EXPECT_EQ(wordAtCaret(" chat", 1), "chat");
  EXPECT_EQ(wordAtCaret(" chat", 3), "chat");
  EXPECT_EQ(wordAtCaret(" chat", 0), "");
  EXPECT_EQ(wordAtCaret("\nchat", 2), "chat");
  EXPECT_EQ(wordAtCaret("\r\nchien\r\n", 4), "chien");
}

TEST(WordAtCaret, CutsALongRunToNinetyNineBytes) {
  const std::string run(150, 'a');
  EXPECT_EQ(wordAtCaret(run, 120), std::string(99, 'a'));
  EXPECT_EQ(wordAtCaret("x " + run, 2).size(), 99u);
}

TEST(WordAtCaret, DelimitersAreAsciiPunctuationDigitsAndControls) {
  for (int b = 0; b < 256; ++b) {
    const bool delimiter =
        b <= 0x26 || (b >= 0x28 && b <= 0x2C) || (b >= 0x2E && b <= 0x40) || (b >= 0x5B && b <= 0x60);
    EXPECT_EQ(isWordDelimiter(static_cast<unsigned char>(b)), delimiter) << b;
  }
  // Accented and Cyrillic letters belong to words.
  EXPECT_EQ(wordAtCaret("\xE4\xE0 \xEA\xF2\xEE", 3), "\xEA\xF2\xEE");
  EXPECT_EQ(wordAtCaret("ao{}|~\x7F", 1), "ao{}|~\x7F");
}

TEST(TextForField, OneCharacterPerByteAndACrLfAsOneLineEnd) {
  const QString shown = textForField(std::string("caf\xE9\r\nb\0c\rd", 11), 0);
  EXPECT_EQ(shown, QString::fromUtf8("café\nb c\nd"));  // a lone CR still ends a line
  EXPECT_EQ(textForField("\xE4\xE0", 204), QString::fromUtf8("да"));
}

// Records the proposal of every Open dialog and answers with a scripted file.
QStringList proposals;
QString nextChoice;
QString scriptedChooser(QWidget*, const QString& proposed) {
  proposals << proposed;
  return nextChoice;
}

class TextWindowTest : public test::SearchTest {
 protected:
  void SetUp() override {
    SearchTest::SetUp();
    resetTextWindowState();
    setTextFileChooser(scriptedChooser);
    proposals.clear();
    nextChoice.clear();
  }
  void TearDown() override {
    resetTextWindowState();
    SearchTest::TearDown();
  }
  void openText(const std::vector<WordPair>& french = fruit) {
    writeSampleDictionary();
    test::writeWords("language/Fre_Eng.zb", french);
    ASSERT_EQ(start(), -1);
    reopenText();
  }
  void reopenText() {
    mainWindow->command(cmdTextFileSearch, commandClicked);
    window = qobject_cast<TextWindow*>(mainWindow->openToolWindow());
    ASSERT_NE(window, nullptr);
    processEvents();
  }
  // German words and a Hunspell dictionary that makes "Häuser" of "Haus" and "Züge" of "Zug".
  void writeGermanWithInflections() {
    writeSampleDictionary("Ger_Eng.zb");
    test::writeWords("language/Ger_Eng.zb", {{"Baum", "tree"},
                                             {"Haus", "house"},
                                             {"H\xE4userblock", "block of houses"},
                                             {"Tal", "valley"},
                                             {"Zug", "train"},
                                             {"Zugang", "access"},
                                             {"Zweig", "branch"}});
    writeFile("hunspell/de_DE.aff", "SET UTF-8\nSFX U Y 2\nSFX U aus \xC3\xA4user aus\nSFX U ug \xC3\xBCge ug\n");
    writeFile("hunspell/de_DE.dic", "2\nHaus/U\nZug/U\n");
  }
  void loadFile(const std::string& name, const std::string& content) {
    writeFile(name, content);
    nextChoice = QDir::current().absoluteFilePath(QString::fromStdString(name));
    window->menuItem(cmdOpenTextFile)->trigger();
  }
  // A left click that puts the caret at this position of the text.
  void clickAt(int position) {
    QTextCursor cursor(window->textField()->document());
    cursor.setPosition(position);
    window->textField()->setTextCursor(cursor);
    window->textField()->ensureCursorVisible();
    const QRect caret = window->textField()->cursorRect(cursor);
    QTest::mouseClick(window->textField()->viewport(), Qt::LeftButton, {},
                      QPoint(caret.left() + 1, caret.center().y()));
  }
  std::string searchText() const { return window->searchField()->text().toStdString(); }
  std::string row(int i) const { return window->wordField(i)->text().toStdString(); }
  void close() {
    window->command(cmdDone, commandClicked);
    processEvents();
  }

  static inline const std::vector<WordPair> fruit = {
      {"abricot", "apricot"}, {"ananas", "pineapple"},  {"arc-en-ciel", "rainbow"}, {"aujourd'hui", "today"},
      {"banane", "banana"},   {"cerise", "cherry"},     {"citron", "lemon"},        {"datte", "date"},
      {"figue", "fig"},       {"fraise", "strawberry"}, {"kiwi", "kiwi"},           {"pomme", "apple"}};
  TextWindow* window = nullptr;
};

TEST_F(TextWindowTest, OpensInPlaceOfTheMainWindowWithItsLayout) {
  openText();
  EXPECT_EQ(tools.toolWindowOpen, 1);
  EXPECT_FALSE(mainWindow->isVisible());
  EXPECT_EQ(window->windowTitle(), "Search words in textfile");
  EXPECT_EQ(window->client()->size(), QSize(624, 356));
  EXPECT_EQ(window->textField()->geometry(), QRect(20, 115, 586, 180));
  EXPECT_TRUE(window->textField()->isReadOnly());
  EXPECT_EQ(window->searchField()->geometry(), QRect(20, 300, 215, 25));
  EXPECT_EQ(window->wordField(2)->geometry(), QRect(20, 86, 215, 25));
  EXPECT_EQ(window->translationField(0)->geometry(), QRect(255, 40, 350, 25));
  EXPECT_EQ(window->scrollBar()->geometry(), QRect(235, 40, 20, 69));
  EXPECT_EQ(window->wordField(0)->textMargins(), QMargins());
  EXPECT_EQ(window->textField()->font().family(), window->wordField(0)->font().family());
  EXPECT_EQ(row(0), "abricot");
  EXPECT_EQ(window->translationField(2)->text(), "rainbow");
  EXPECT_EQ(window->scrollBar()->maximum(), (12 - 3) / 10);
  EXPECT_TRUE(window->menuItem(cmdPasteText));
  EXPECT_TRUE(window->searchField()->hasFocus());
  EXPECT_FALSE(window->textLoaded());
  saveGrab(window, "text-window");
}

TEST_F(TextWindowTest, ClickingAWordLooksItUp) {
  openText();
  loadFile("text.txt", "Il fait beau aujourd'hui. Un arc-en-ciel!\r\nUne cerise2figue\r\n");
  EXPECT_TRUE(window->textLoaded());
  EXPECT_TRUE(window->textField()->hasFocus());
  clickAt(17);  // in "aujourd'hui"
  EXPECT_EQ(searchText(), "aujourd'hui");
  EXPECT_EQ(row(0), "aujourd'hui");
  EXPECT_EQ(row(1), "banane");
  clickAt(24);  // just after it, before the full stop
  EXPECT_EQ(searchText(), "aujourd'hui");
  clickAt(35);  // in "arc-en-ciel"
  EXPECT_EQ(searchText(), "arc-en-ciel");
  // After a CR LF line end the caret still points at the byte the word starts with.
  const int line2 = 42;
  clickAt(line2 + 5);
  EXPECT_EQ(searchText(), "cerise");
  clickAt(line2 + 13);
  EXPECT_EQ(searchText(), "figue");
  EXPECT_EQ(window->topIndex(), 8);
  saveGrab(window, "text-window-loaded");
}

// A clicked word lands on its own spelling among the words the collation holds equal.
TEST_F(TextWindowTest, AClickedWordLandsOnItsOwnSpelling) {
  std::vector<WordPair> words = fruit;
  words.insert(words.begin() + 8, {{"Figue", "Figue (name)"}, {"Figue", "Figue (place)"}});
  openText(words);  // "Figue" twice at 8 and 9, "figue" at 10
  loadFile("text.txt", "Figue ou figue");
  clickAt(1);
  EXPECT_EQ(window->topIndex(), 8);
  EXPECT_EQ(window->translationField(0)->text().toStdString(), "Figue (name)");
  clickAt(10);
  EXPECT_EQ(window->topIndex(), 10);
  EXPECT_EQ(window->translationField(0)->text().toStdString(), "fig");
}

TEST_F(TextWindowTest, TheArrowKeysInTheTextLookUpTheWordTheyReach) {
  openText();
  loadFile("text.txt", "kiwi datte");
  clickAt(0);
  EXPECT_EQ(searchText(), "kiwi");
  for (int i = 0; i < 5; ++i) QTest::keyClick(window->textField(), Qt::Key_Right);
  EXPECT_EQ(searchText(), "datte");
}

TEST_F(TextWindowTest, TheSameWordIsLookedUpOnceUntilTheDirectionChanges) {
  openText();
  loadFile("text.txt", "kiwi kiwi");
  clickAt(1);
  EXPECT_EQ(searchText(), "kiwi");
  QTest::keyClick(window->searchField(), Qt::Key_Return);  // empties the search field
  EXPECT_EQ(searchText(), "");
  clickAt(2);
  clickAt(7);  // the same word elsewhere
  EXPECT_EQ(searchText(), "");
  window->command(firstLanguageId + 3, commandClicked);
  EXPECT_STREQ(directions.currentDirection->wordFileName, "Eng_Ger.zb");
  EXPECT_EQ(window->lastCaretWord(), "");
  EXPECT_EQ(row(0), "dog");
  EXPECT_EQ(row(2), "");  // rows past the new file's end are cleared
  clickAt(7);
  EXPECT_EQ(searchText(), "kiwi");
}

TEST_F(TextWindowTest, ReopeningStartsEmptyAndAClickBeforeLoadingDoesNothing) {
  openText();
  clickAt(0);
  EXPECT_EQ(searchText(), "");
  loadFile("text.txt", "pomme");
  clickAt(1);
  EXPECT_EQ(searchText(), "pomme");
  close();
  EXPECT_TRUE(mainWindow->isVisible());
  EXPECT_EQ(tools.toolWindowOpen, 0);
  reopenText();
  EXPECT_FALSE(window->textLoaded());
  EXPECT_EQ(window->textField()->toPlainText(), "");
  EXPECT_EQ(searchText(), "");
  clickAt(0);
  EXPECT_EQ(searchText(), "");
  EXPECT_EQ(window->lastCaretWord(), "");
}

TEST_F(TextWindowTest, PastingReplacesTheFileAndTheDialogStillProposesTheLastFile) {
  openText();
  EXPECT_EQ(proposals.size(), 0);
  loadFile("first.txt", "datte");
  ASSERT_EQ(proposals.size(), 1);
  EXPECT_EQ(proposals[0], "");  // the dialog starts in the home folder
  QApplication::clipboard()->setText(QString::fromUtf8("une pomme épicée"));
  window->menuItem(cmdPasteText)->trigger();
  EXPECT_EQ(window->textField()->toPlainText(), QString::fromUtf8("une pomme épicée"));
  clickAt(6);
  EXPECT_EQ(searchText(), "pomme");
  clickAt(12);
  EXPECT_EQ(searchText(), "épicée");
  nextChoice.clear();  // cancelled: the text stays
  window->menuItem(cmdOpenTextFile)->trigger();
  EXPECT_EQ(proposals[1], QDir::current().absoluteFilePath("first.txt"));
  EXPECT_TRUE(window->textField()->toPlainText().startsWith("une"));
  close();
  reopenText();
  window->menuItem(cmdOpenTextFile)->trigger();
  EXPECT_EQ(proposals[2], QDir::current().absoluteFilePath("first.txt"));  // kept for the whole run
}

TEST_F(TextWindowTest, AFileThatCannotBeOpenedChangesNothing) {
  openText();
  loadFile("text.txt", "kiwi");
  nextChoice = QDir::current().absoluteFilePath("missing.txt");
  window->menuItem(cmdOpenTextFile)->trigger();
  EXPECT_EQ(window->textField()->toPlainText(), "kiwi");
  clickAt(1);
  EXPECT_EQ(searchText(), "kiwi");
}

TEST_F(TextWindowTest, TheOpenDialogFiltersTextFilesAndProposesTheLastOne) {
  QFileDialog dialog;
  prepareOpenTextFileDialog(dialog, {});
  EXPECT_EQ(dialog.nameFilters(), QStringList({"Text Files (*.txt *.TXT)", "All Files (*)"}));
  EXPECT_EQ(dialog.directory().absolutePath(), QDir::homePath());
  EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
  writeFile("story.txt", "x");
  const QString last = QDir::current().absoluteFilePath("story.txt");
  QFileDialog again;
  prepareOpenTextFileDialog(again, last);
  EXPECT_EQ(again.directory().absolutePath(), QDir::current().absolutePath());
  EXPECT_EQ(again.selectedFiles().value(0), last);
}

TEST_F(TextWindowTest, KeysAndScrollBarMoveThreeRowsWithinTheFile) {
  openText(numberedWords(30));
  QTest::keyClick(window->searchField(), Qt::Key_Down);
  EXPECT_EQ(window->topIndex(), 1);
  EXPECT_EQ(row(0), "w001");
  QTest::keyClicks(window->searchField(), "w029");
  EXPECT_EQ(window->topIndex(), 27);  // the last three records fill the rows
  EXPECT_EQ(row(2), "w029");
  QTest::keyClick(window->searchField(), Qt::Key_Down);
  EXPECT_EQ(window->topIndex(), 27);
  window->scrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(window->topIndex(), 24);
  EXPECT_EQ(window->scrollBar()->maximum(), 2);
  EXPECT_EQ(window->scrollBar()->value(), 2);
}

TEST_F(TextWindowTest, DeletedRecordsShowTheirStoredTexts) {
  openText({{"chat", "cat", 1}, {"chien", "dog"}});
  EXPECT_EQ(row(0), "chat");
  EXPECT_EQ(window->translationField(0)->text(), "cat");
  EXPECT_EQ(row(1), "chien");
}

TEST_F(TextWindowTest, DoneStoresThePositionAndShowsTheMainWindow) {
  openText();
  window->move(40, 50);
  processEvents();
  const WindowPos placed = window->normalPosition();
  close();
  EXPECT_EQ(tools.translatePos.left, placed.left);
  EXPECT_EQ(tools.translatePos.top, placed.top);
  exitProgram();
  EXPECT_EQ(readProfileInt("Dictionary", "WinPosTopTranslate", 9999, "win.ini"), placed.top);
}

TEST_F(TextWindowTest, CyrillicTextInTheRussianEditionFindsCyrillicWords) {
  writeSampleDictionary();
  writeFile("language.ini", "[Dictionary]\nLanguage=russiancyr\n");
  // Here the words of the edition's own language are the ones looked up, in its code page.
  writeFile("slovar_cyr.ini", "[language]\nEnglish,english,0\n\n[selected]\n\xD0\xF3\xF1_Eng.zb\n");
  test::writeWords("language/Рус_Eng.zb", {{"\xE4\xE0", "yes"},
                                           {"\xEA\xEE\xF8\xEA\xE0", "cat"},
                                           {"\xF1\xEE\xE1\xE0\xEA\xE0", "dog"},
                                           {"\xF2\xE0\xEA", "so"},
                                           {"\xF3\xF2\xF0\xEE", "morning"},
                                           {"\xFF", "I"}});
  test::writeWords("language/Eng_Рус.zb", {{"yes", "\xE4\xE0"}});
  ASSERT_EQ(start(), -1);
  reopenText();
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Поиск слов в текстовом файле"));
  loadFile("ru.txt", "\xE2\xEE\xF2 \xEA\xEE\xF8\xEA\xE0, \xF1\xEE\xE1\xE0\xEA\xE0.");
  EXPECT_EQ(window->textField()->toPlainText(), QString::fromUtf8("вот кошка, собака."));
  clickAt(6);
  EXPECT_EQ(searchText(), "кошка");
  EXPECT_EQ(window->lastCaretWord(), "\xEA\xEE\xF8\xEA\xE0");
  EXPECT_EQ(row(0), "кошка");
  clickAt(12);
  EXPECT_EQ(row(0), "собака");
  QApplication::clipboard()->setText(QString::fromUtf8("да ≠ нет"));
  window->menuItem(cmdPasteText)->trigger();
  EXPECT_EQ(window->textField()->toPlainText(), QString::fromUtf8("да ? нет"));  // not in the code page
  clickAt(0);
  EXPECT_EQ(row(0), "да");
}

TEST_F(TextWindowTest, ClickingAnInflectedWordShowsItsDictionaryForm) {
  writeGermanWithInflections();
  ASSERT_EQ(start(), -1);
  reopenText();
  loadFile("de.txt", "Die H\xE4user und die Z\xFCge.");
  clickAt(6);
  EXPECT_EQ(searchText(), "Haus");
  EXPECT_EQ(window->lastCaretWord(), "H\xE4user");
  EXPECT_EQ(row(0), "Haus");
  EXPECT_EQ(window->translationField(0)->text(), "house");
  clickAt(20);
  EXPECT_EQ(searchText(), "Zug");
  EXPECT_EQ(row(0), "Zug");
  // Typed into the search field, the same word stays a search for what begins so.
  window->searchField()->clear();
  QTest::keyClicks(window->searchField(), "H");
  QTest::sendKeyEvent(QTest::Click, window->searchField(), Qt::Key_Adiaeresis, QString::fromUtf8("ä"), {});
  QTest::keyClicks(window->searchField(), "user");
  EXPECT_EQ(window->searchField()->text(), QString::fromUtf8("Häuser"));
  EXPECT_EQ(row(0), "H\xC3\xA4userblock");
}

// A clicked word is looked up once: the rows show the index the whole-word lookup found (its
// dictionary form, or the place of a word without entry), and the field that then shows the word
// does not look it up again.
TEST_F(TextWindowTest, AClickedWordShowsTheIndexFoundWithoutASecondLookup) {
  writeGermanWithInflections();
  ASSERT_EQ(start(), -1);
  reopenText();
  const std::string text = "Die H\xE4user am Tal und die Z\xFCge.";
  loadFile("de.txt", text);
  const int lookUps = window->fieldLookUps();
  struct Case {
    const char* at;
    const char* field;
    int topIndex;
    const char* firstRow;
    bool noEntry;
  };
  const Case cases[] = {
      {"user", "Haus", 1, "Haus", false},  // "Häuser", as its dictionary form
      {"am", "am", 0, "Baum", true},       // no entry: the place it would have
      {"Tal", "Tal", 3, "Tal", false},
      {"ge.", "Zug", 4, "Zug", false},  // "Züge", as its dictionary form
  };
  for (const Case& c : cases) {
    clickAt(static_cast<int>(text.find(c.at)));
    EXPECT_EQ(searchText(), c.field) << c.at;
    EXPECT_EQ(window->topIndex(), c.topIndex) << c.at;
    EXPECT_EQ(row(0), c.firstRow) << c.at;
    EXPECT_EQ(window->noEntryNote()->isVisible(), c.noEntry) << c.at;
    EXPECT_EQ(window->fieldLookUps(), lookUps) << c.at;
  }
  QTest::keyClicks(window->searchField(), "w");
  EXPECT_EQ(searchText(), "Zugw");
  EXPECT_EQ(window->fieldLookUps(), lookUps + 1);
  close();
}

TEST_F(TextWindowTest, AClickedWordLosesItsQuotesAndAWordWithoutEntrySaysSo) {
  writeSampleDictionary("Ger_Eng.zb");
  test::writeWords("language/Ger_Eng.zb", {{"Haus", "house"},
                                           {"M\xE4nner", "men"},
                                           {"M\xE4nnerberatungsstelle", "advice centre for men"},
                                           {"Zug", "train"},
                                           {"Zweig", "branch"},
                                           {"Zwiebel", "onion"}});
  ASSERT_EQ(start(), -1);
  reopenText();
  // In Windows-1252, as a German text file may be: „Männer“ und ‘Haus’ – er schläft.
  const std::string text = "\x84M\xE4nner\x93 und \x91Haus\x92 \x96 er schl\xE4\x66t. 'Zug'";
  loadFile("de.txt", text);
  struct Case {
    const char* at;
    const char* field;
    bool noEntry;
  };
  const Case cases[] = {
      {"nner", "M\xC3\xA4nner", false},
      {"aus", "Haus", false},
      {"hl", "schl\xC3\xA4\x66t", true},
      {"ug", "Zug", false},
  };
  for (const Case& c : cases) {
    clickAt(static_cast<int>(text.find(c.at)));
    EXPECT_EQ(searchText(), c.field) << c.at;
    EXPECT_EQ(window->noEntryNote()->isVisible(), c.noEntry) << c.at;
  }
  // A dash alone is no word: the field keeps what it showed.
  clickAt(static_cast<int>(text.find('\x96')));
  EXPECT_EQ(searchText(), "Zug");
  clickAt(static_cast<int>(text.find("hl")));
  EXPECT_TRUE(window->noEntryNote()->isVisible());
  EXPECT_EQ(row(0), "Zug");  // the nearest entry, after the place of "schläft"
  QTest::keyClicks(window->searchField(), "x");
  EXPECT_FALSE(window->noEntryNote()->isVisible());
  close();
}

// 20 MB: the whole text is there, and a click far into it looks up the word it hits. How long that
// takes is measured by bench_textwindow.
TEST_F(TextWindowTest, ALargeTextLoadsWholeAndAClickFarIntoItLooksUpItsWord) {
  openText();
  const std::string line = "Une pomme, une cerise et un kiwi par jour.\r\n";
  std::string text;
  text.reserve(20 << 20);
  while (text.size() < (20u << 20)) text += line;
  text += "datte";
  loadFile("big.txt", text);
  const QTextDocument* document = window->textField()->document();
  const int lines = static_cast<int>(text.size() / line.size());
  ASSERT_EQ(document->blockCount(), lines + 1);
  EXPECT_EQ(document->lastBlock().text(), "datte");
  clickAt(document->findBlockByNumber(lines / 2).position() + static_cast<int>(line.find("cerise")) + 1);
  EXPECT_EQ(searchText(), "cerise");
  EXPECT_EQ(row(0), "cerise");
  clickAt(document->lastBlock().position() + 3);
  EXPECT_EQ(searchText(), "datte");
  EXPECT_EQ(row(0), "datte");
}

}  // namespace
}  // namespace zembo

namespace zembo {
namespace {

TEST_F(TextWindowTest, AfterADirectionSwitchTheWordInTheSearchFieldIsLookedUpAgain) {
  writeSampleDictionary();
  test::writeWords("language/Fre_Eng.zb", fruit);
  std::vector<WordPair> letters;  // "aa", "ab", ... "fe": digits would split a word of the text
  for (int i = 0; i < 30; ++i) letters.push_back({{char('a' + i / 5), char('a' + i % 5)}, "x"});
  test::writeWords("language/Eng_Ger.zb", letters);
  ASSERT_EQ(start(), -1);
  reopenText();
  loadFile("text.txt", "ea");
  clickAt(1);
  EXPECT_EQ(searchText(), "ea");
  EXPECT_EQ(window->topIndex(), 8);  // "figue", the first French word after it
  window->command(firstLanguageId + 3, commandClicked);
  ASSERT_STREQ(directions.currentDirection->wordFileName, "Eng_Ger.zb");
  clickAt(1);
  EXPECT_EQ(window->topIndex(), 20);
  EXPECT_EQ(row(0), "ea");
}

}  // namespace
}  // namespace zembo

namespace zembo {
namespace {

TEST_F(TextWindowTest, HelpOpensAtTheSectionOfTheWindow) {
  std::string filler;
  for (int i = 0; i < 200; ++i) filler += "<p>text</p>";
  writeFile("dict.hlp", "<html><body><h1>Contents</h1>" + filler +
                            "<p><a name=\"Search words in textfile\"></a>Text files</p>" + filler + "</body></html>");
  openText();
  for (QPushButton* button : window->client()->findChildren<QPushButton*>())
    if (button->text() == "Help") QTest::mouseClick(button, Qt::LeftButton);
  processEvents();
  QTextBrowser* help = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* b = qobject_cast<QTextBrowser*>(w)) help = b;
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_GT(help->verticalScrollBar()->value(), 0);
  help->close();
  processEvents();
}

}  // namespace
}  // namespace zembo

namespace zembo {
namespace {

// A user turns to another program and back.
void switchAwayAndBack(QWidget* window) {
  QWidget other;
  other.show();
  other.activateWindow();
  QApplication::setActiveWindow(&other);
  QApplication::processEvents();
  window->activateWindow();
  QApplication::setActiveWindow(window);
  QApplication::processEvents();
}

TEST_F(TextWindowTest, TheFocusComesBackWhereItWasAndARightPressOnARowLeavesIt) {
  openText();
  loadFile("text.txt", "une banane");
  window->activateWindow();
  processEvents();
  QTest::mouseClick(window->wordField(1), Qt::LeftButton);
  EXPECT_EQ(QApplication::focusWidget(), window->wordField(1));
  QTest::mouseClick(window->searchField(), Qt::LeftButton);
  QTest::keyClicks(QApplication::focusWidget(), "ki");
  switchAwayAndBack(window);
  EXPECT_EQ(QApplication::focusWidget(), window->searchField());
  menusOpenedBy([&] { rightClick(window->wordField(0), QPoint(30, 12)); });
  EXPECT_EQ(QApplication::focusWidget(), window->searchField());
  QTest::keyClicks(QApplication::focusWidget(), "w");
  EXPECT_EQ(searchText(), "kiw");
  EXPECT_EQ(row(1), "kiwi");  // the last three of the file
}

TEST_F(TextWindowTest, ACrLfLineEndIsAPlainLineEnd) {
  openText();
  loadFile("text.txt", "une banane\r\nune pomme\r\n");
  EXPECT_EQ(window->textField()->toPlainText(), "une banane\nune pomme\n");
  // End stops before the line end, where a click finds nothing.
  QTextCursor start(window->textField()->document());
  window->textField()->setTextCursor(start);
  QTest::keyClick(window->textField(), Qt::Key_End);
  EXPECT_EQ(window->textField()->textCursor().position(), 10);
  QTest::keyClick(window->textField(), Qt::Key_Right);
  QTest::keyClick(window->textField(), Qt::Key_Right);
  EXPECT_EQ(searchText(), "une");  // the next line's first word
  clickAt(15);
  EXPECT_EQ(searchText(), "pomme");
  window->textField()->selectAll();
  window->textField()->copy();
  EXPECT_EQ(QApplication::clipboard()->text(), "une banane\nune pomme\n");
}

TEST_F(TextWindowTest, AUtf8FileIsReadInTheCodePageOfTheLanguage) {
  openText();
  // "L'été — ab ж": the em dash has a place in the code page, the Cyrillic letter none.
  loadFile("utf8.txt", "\xEF\xBB\xBFL'\xC3\xA9t\xC3\xA9 \xE2\x80\x94 ab \xD0\xB6\r\ncerise");
  EXPECT_EQ(window->textField()->toPlainText(), QString::fromUtf8("L'été — ab ?\ncerise"));
  clickAt(3);
  EXPECT_EQ(window->searchField()->text(), QString::fromUtf8("L'été"));
  clickAt(15);
  EXPECT_EQ(searchText(), "cerise");
  // A file in the code page itself stays as it is, even where its bytes could pass for UTF-8 in part.
  loadFile("cp1252.txt", "L'\xE9t\xE9 \xC3\xA9");
  EXPECT_EQ(window->textField()->toPlainText(), QString::fromUtf8("L'été Ã©"));
}

TEST_F(TextWindowTest, OnlyARegularFileIsOpenedAndAnythingElseSaysSo) {
  openText();
  loadFile("text.txt", "kiwi");
  ASSERT_EQ(::mkfifo("pipe.txt", 0600), 0);
  std::filesystem::create_directory("folder.txt");
  for (const char* name : {"pipe.txt", "folder.txt"}) {
    startRecordingMessageBoxes();
    nextChoice = QDir::current().absoluteFilePath(name);
    window->menuItem(cmdOpenTextFile)->trigger();  // a FIFO would wait for a writer for ever
    ASSERT_EQ(recordedMessageBoxes().size(), 1u) << name;
    EXPECT_NE(recordedMessageBoxes()[0].text.find(name), std::string::npos);
    EXPECT_NE(recordedMessageBoxes()[0].text.find("is not a file"), std::string::npos);
    EXPECT_EQ(window->textField()->toPlainText(), "kiwi");
    stopRecordingMessageBoxes();
  }
  clickAt(1);
  EXPECT_EQ(searchText(), "kiwi");
}

}  // namespace
}  // namespace zembo
