#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include "app/mainwindow.h"
#include "directions/directions.h"
#include "lookup/charsetwindow.h"
#include "lookup/searchwindow.h"
#include "lookup/soundfiles.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "platform/qt/painting.h"
#include "store/store.h"
#include "tests/support/dictionaryfixture.h"
#include "windowkit/helpwindow.h"
#include "windowkit/qttext.h"
#include "windowkit/uifont.h"

namespace zembo {
namespace {

using test::readFile;
using test::writeFile;

class MainWindowTest : public test::DictionaryTest {
 protected:
  void SetUp() override {
    DictionaryTest::SetUp();
    writeSampleDictionary();
  }
  int winIni(const char* key, int otherwise = -12345) {
    return readProfileInt("Dictionary", key, otherwise, "win.ini");
  }
};

TEST_F(MainWindowTest, ClientAreaHasTheOriginalSizeAndButtons) {
  ASSERT_EQ(start(), -1);
  EXPECT_EQ(mainWindow->client()->size(), QSize(559, 326));
  QStringList texts;
  for (QPushButton* b : mainWindow->client()->findChildren<QPushButton*>()) {
    texts << b->text();
    EXPECT_EQ(b->size(), QSize(120, 30));
    EXPECT_EQ(b->y(), 280);
  }
  EXPECT_EQ(texts, (QStringList{"Add words", "Create practice list", "Start practice", "Search"}));
  test::DictionaryTest::saveGrab(mainWindow, "main-window");
}

TEST_F(MainWindowTest, GradientRunsFromGreenToDarkGreenUnderADarkTopLine) {
  ASSERT_EQ(start(), -1);
  const QImage picture = grab(mainWindow->client());
  const int h = mainWindow->client()->height();
  EXPECT_EQ(picture.pixelColor(5, 0), QColor(25, 25, 25));
  EXPECT_EQ(picture.pixelColor(5, 1), QColor(0, 200, 0));
  EXPECT_EQ(picture.pixelColor(5, h / 2), QColor(0, 200 - 3 * (h / 2 * 63 / h), 0));
  EXPECT_EQ(picture.pixelColor(5, h - 1), QColor(0, 200 - 3 * ((h - 1) * 63 / h), 0));
  QImage low(100, 50, QImage::Format_RGB32);
  QPainter painter(&low);
  paintMainBackground(painter, 100, 50, 8);
  painter.end();
  EXPECT_EQ(low.pixelColor(3, 30), QColor(0, 104, 0));
}

TEST_F(MainWindowTest, NamesAreDrawnInTheirRectangles) {
  ASSERT_EQ(start(), -1);
  const QImage shown = grab(mainWindow->client());
  // The window's strips of the two names, pixel for pixel as the raised names in their rectangles.
  QImage expected(shown.size(), shown.format());
  QPainter painter(&expected);
  paintMainBackground(painter, expected.width(), expected.height(), screenColourDepth());
  drawRaisedText(painter, winRect(140, 102, 560, 160), toQString("French", uiFonts.fontBig.charset),
                 uiFonts.fontBig.font);
  drawRaisedText(painter, winRect(140, 172, 560, 230), toQString("English", uiFonts.fontBig.charset),
                 uiFonts.fontBig.font);
  painter.end();
  const QRect names = winRect(100, 98, 560, 232);
  EXPECT_EQ(shown.copy(names), expected.copy(names));
  // The other direction shows other names there.
  mainWindow->command(firstLanguageId + 2, commandClicked);
  EXPECT_NE(grab(mainWindow->client()).copy(names), shown.copy(names));
}

TEST_F(MainWindowTest, IconClickSwitchesToTheReverseDirectionOutsideNothing) {
  ASSERT_EQ(start(), -1);
  ASSERT_STREQ(directions.currentDirection->wordFileName, "Fre_Eng.zb");
  QTest::mouseClick(mainWindow->client(), Qt::LeftButton, {}, QPoint(92, 120));
  EXPECT_STREQ(directions.currentDirection->wordFileName, "Fre_Eng.zb");
  QTest::mouseClick(mainWindow->client(), Qt::LeftButton, {}, QPoint(60, 107));
  EXPECT_STREQ(directions.currentDirection->wordFileName, "Eng_Fre.zb");
  EXPECT_EQ(tools.checkedLanguageId, 202);
  EXPECT_EQ(store.wordCount, 4);
  EXPECT_NE(readFile("dict.ini").find("[selected]\nEng_Fre.zb\n"), std::string::npos);
  QTest::mouseClick(mainWindow->client(), Qt::LeftButton, {}, QPoint(91, 208));
  EXPECT_STREQ(directions.currentDirection->wordFileName, "Fre_Eng.zb");
  EXPECT_EQ(tools.checkedLanguageId, 200);
  int checked = 0;
  for (QAction* item : mainWindow->languageMenu()->actions()) checked += item->isChecked();
  EXPECT_EQ(checked, 1);
}

TEST_F(MainWindowTest, LanguageMenuChangesTheDirectionAndItsFile) {
  ASSERT_EQ(start(), -1);
  mainWindow->languageMenu()->actions()[4]->trigger();  // English to German
  EXPECT_STREQ(directions.currentDirection->wordFileName, "Eng_Ger.zb");
  EXPECT_EQ(store.wordCount, 2);
  EXPECT_EQ(
      readFile("dict.ini"),
      "# test dictionary\n[language]\nFrench,french,0\nGerman,german,0\n\n[selected]\nEng_Ger.zb\n\n[AddNew]\non\n");
  EXPECT_TRUE(mainWindow->languageMenu()->actions()[4]->isChecked());
  EXPECT_FALSE(mainWindow->languageMenu()->actions()[0]->isChecked());
}

TEST_F(MainWindowTest, StayOnTopTwiceEndsUncheckedAndIsWrittenAsZero) {
  ASSERT_EQ(start(), -1);
  mainWindow->menuItem(cmdStayOnTop)->trigger();
  EXPECT_EQ(tools.stayOnTop, 1);
  EXPECT_TRUE(mainWindow->isMenuItemChecked(cmdStayOnTop));
  EXPECT_TRUE(mainWindow->windowFlags() & Qt::WindowStaysOnTopHint);
  mainWindow->menuItem(cmdStayOnTop)->trigger();
  EXPECT_EQ(tools.stayOnTop, 0);
  EXPECT_FALSE(mainWindow->isMenuItemChecked(cmdStayOnTop));
  exitProgram();
  EXPECT_EQ(winIni("StayOnTop"), 0);
}

TEST_F(MainWindowTest, SpeakingWordsIsOnUntilSwitchedOffAndIsWrittenAsZero) {
  ASSERT_EQ(start(), -1);
  EXPECT_TRUE(soundFiles.wordsSpoken);
  EXPECT_TRUE(mainWindow->isMenuItemChecked(cmdSpeakWords));
  mainWindow->menuItem(cmdSpeakWords)->trigger();
  EXPECT_FALSE(soundFiles.wordsSpoken);
  EXPECT_FALSE(mainWindow->isMenuItemChecked(cmdSpeakWords));
  exitProgram();
  EXPECT_EQ(winIni("SpeakWords"), 0);
}

TEST_F(MainWindowTest, SpeakingSwitchedOffInWinIniStartsOff) {
  writeFile("config/zembo/win.ini", "[Dictionary]\nSpeakWords=0\n");
  ASSERT_EQ(start(), -1);
  EXPECT_FALSE(soundFiles.wordsSpoken);
  EXPECT_FALSE(mainWindow->isMenuItemChecked(cmdSpeakWords));
  mainWindow->menuItem(cmdSpeakWords)->trigger();
  EXPECT_TRUE(soundFiles.wordsSpoken);
  exitProgram();
  EXPECT_EQ(winIni("SpeakWords"), 1);
}

TEST_F(MainWindowTest, FreshWinIniGetsTheSettingsAfterOneRun) {
  ASSERT_EQ(start(), -1);
  const QPoint centred = mainWindow->pos();
  exitProgram();
  EXPECT_EQ(winIni("WinPosLeftMain"), centred.x());
  EXPECT_EQ(winIni("WinPosTopMain"), centred.y());
  EXPECT_EQ(winIni("ClipSearch"), 0);
  EXPECT_EQ(winIni("StayOnTop"), 0);
  EXPECT_EQ(winIni("WinPosTopSearch"), -12345);  // never placed, never written
  EXPECT_EQ(winIni("ListID"), -12345);           // no practice list
}

TEST_F(MainWindowTest, SavedSettingsAreReadAtCreation) {
  writeFile("config/zembo/win.ini",
            "[Dictionary]\nWinPosLeftMain=-40\nWinPosTopMain=33\nStayOnTop=1\nClipSearch=1\nEnglishAviDelay=250\n"
            "WinPosLeftSearch=7\nWinPosTopSearch=8\n");
  std::filesystem::create_directories("list/verbs");
  ASSERT_EQ(start(), -1);
  EXPECT_EQ(mainWindow->pos(), QPoint(-40, 33));
  EXPECT_EQ(tools.stayOnTop, 1);
  EXPECT_TRUE(mainWindow->isMenuItemChecked(cmdStayOnTop));
  EXPECT_EQ(tools.clipboardSearchOn, 1);
  EXPECT_EQ(tools.aviDelay, 250);
  EXPECT_EQ(tools.searchPos.left, 7);
  exitProgram();
  EXPECT_EQ(winIni("WinPosLeftMain"), -40);
  EXPECT_EQ(winIni("WinPosTopSearch"), 8);
  EXPECT_EQ(readProfileString("Dictionary", "PracticeList", "", "win.ini"), "verbs");
  EXPECT_EQ(winIni("ListID"), 400);
}

TEST_F(MainWindowTest, SavedPositionsOffEveryScreenAreCentred) {
  writeFile("config/zembo/win.ini",
            "[Dictionary]\nWinPosLeftMain=5000\nWinPosTopMain=40\n"
            "WinPosLeftSearch=10\nWinPosTopSearch=-99999999999\n");
  ASSERT_EQ(start(), -1);
  const QRect screen = QApplication::primaryScreen()->availableGeometry();
  EXPECT_LT(mainWindow->x(), screen.right() - 100);
  EXPECT_GE(mainWindow->y(), screen.top());
  mainWindow->command(cmdSearch, commandClicked);
  auto* search = qobject_cast<SearchWindow*>(mainWindow->openToolWindow());
  ASSERT_NE(search, nullptr);
  EXPECT_GE(search->y(), screen.top());
  EXPECT_LT(search->y(), screen.bottom());
  // The picker above it stays on the screen too.
  search->menuItem(cmdCharsetOn)->trigger();
  ASSERT_TRUE(charsets.charsetWindow);
  EXPECT_GE(charsets.charsetWindow->y(), 0);
  EXPECT_LT(charsets.charsetWindow->y(), screen.bottom());
  search->command(cmdDone, commandClicked);
  processEvents();
}

TEST_F(MainWindowTest, CtrlXInAFieldOfAnotherWindowEndsTheProgram) {
  ASSERT_EQ(start(), -1);
  QWidget other;
  auto* field = new QLineEdit(&other);
  other.show();
  field->setFocus();
  field->setText("text");
  QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
  EXPECT_TRUE(mainWindow->destroyed());
  EXPECT_EQ(field->text(), "text");  // the field did not cut
  EXPECT_EQ(winIni("StayOnTop"), 0);
}

TEST_F(MainWindowTest, OtherKeysReachTheFieldsAsUsual) {
  ASSERT_EQ(start(), -1);
  QWidget other;
  auto* field = new QLineEdit(&other);
  other.show();
  field->setFocus();
  QTest::keyClicks(field, "ax");
  EXPECT_EQ(field->text(), "ax");
  QTest::keyClick(field, Qt::Key_X, Qt::AltModifier);  // no accelerator on Alt+X
  QTest::keyClick(field, Qt::Key_F2);
  EXPECT_FALSE(mainWindow->destroyed());
  EXPECT_EQ(tools.toolWindowOpen, 0);
}

TEST_F(MainWindowTest, EmptyPracticeListAsksToCreateOneAndNoChangesNothing) {
  ASSERT_EQ(start(), -1);
  startRecordingMessageBoxes({IDNO});
  QTest::keyClick(mainWindow, Qt::Key_P, Qt::AltModifier);
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  const RecordedMessageBox& box = recordedMessageBoxes()[0];
  EXPECT_EQ(box.text, "Practice list (French-English) is empty.      \n\nCreate new practice list?");
  EXPECT_EQ(box.caption, "Dictionary");
  EXPECT_EQ(box.type, MB_YESNO | MB_ICONWARNING);
  EXPECT_EQ(box.owner, mainWindow);
  EXPECT_EQ(tools.toolWindowOpen, 0);
  EXPECT_TRUE(mainWindow->isVisible());
  // The list folder is made at start; No makes no list in it.
  EXPECT_TRUE(std::filesystem::is_empty("list"));
}

TEST_F(MainWindowTest, HelpOpensTheHelpFileAtItsContentsOrAKeyword) {
  std::string filler;
  for (int i = 0; i < 200; ++i) filler += "<p>text</p>";
  writeFile("dict.hlp", "<html><body><h1>Contents</h1>" + filler + "<p><a name=\"add words\"></a>Adding words</p>" +
                            filler + "</body></html>");
  ASSERT_EQ(start(), -1);
  QTest::keyClick(mainWindow, Qt::Key_F1);
  auto* help = qobject_cast<QTextBrowser*>(QApplication::activeWindow() ? QApplication::activeWindow() : nullptr);
  if (!help)
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* b = qobject_cast<QTextBrowser*>(w)) help = b;
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(help->toPlainText().startsWith("Contents"));
  EXPECT_EQ(help->verticalScrollBar()->value(), 0);
  showHelp("dict.hlp", "add words");
  processEvents();
  EXPECT_GT(help->verticalScrollBar()->value(), 0);
  std::filesystem::remove("dict.hlp");
  showHelp("dict.hlp");
  EXPECT_TRUE(help->toPlainText().contains("cannot be found"));
}

}  // namespace
}  // namespace zembo
