#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>

#include "app/mainwindow.h"
#include "app/startup.h"
#include "directions/directions.h"
#include "platform/messagebox.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/store.h"
#include "tests/support/dictionaryfixture.h"

namespace zembo {
namespace {

using test::readFile;
using test::writeFile;
using test::writeWords;

// Text N of an edition's texts, as the edition's own code page has it.
std::string edition(int base, int n) {
  char buffer[300];
  loadString(base + n, buffer, sizeof buffer);
  return buffer;
}

class StartupTest : public test::DictionaryTest {};

TEST_F(StartupTest, NoOrUnknownLanguageEndsWithItsMessage) {
  writeSampleDictionary();
  std::filesystem::remove("language.ini");
  EXPECT_EQ(start(), 1);
  writeFile("language.ini", "[Dictionary]\nLanguage=klingon\n");
  EXPECT_EQ(start(), 1);
  ASSERT_EQ(recordedMessageBoxes().size(), 2u);
  for (const RecordedMessageBox& box : recordedMessageBoxes()) {
    EXPECT_EQ(box.text, "No valid language found in language.ini   \n\nTry installing the program again.");
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.type, MB_OK | MB_ICONWARNING);
    EXPECT_EQ(box.owner, nullptr);
  }
  EXPECT_EQ(mainWindow, nullptr);
}

TEST_F(StartupTest, LanguageValueInAnyCaseFindsItsResources) {
  writeSampleDictionary();
  writeFile("language.ini", "[dictionary]\nlanguage=ENGLISH\n");
  ASSERT_EQ(start(), -1);
  EXPECT_EQ(uiLanguage.uiBase, 500);
  ASSERT_NE(mainWindow, nullptr);
  EXPECT_EQ(mainWindow->windowTitle(), "Dictionary");
  // File, Language, Help: the menu of ENGLISH_ZEMBO with the language pop-up inserted.
  ASSERT_EQ(mainWindow->menuBar()->actions().size(), 3);
  EXPECT_EQ(mainWindow->menuBar()->actions()[0]->text(), "&File");
  EXPECT_EQ(mainWindow->menuBar()->actions()[1]->text(), "&Language");
}

TEST_F(StartupTest, MissingConfigurationFileOrPairsEndWithTheIniMessage) {
  writeSampleDictionary();
  writeFile("dict.ini", "[language]\n\nFrench,french,0\n");
  EXPECT_EQ(start(), 1);
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text.substr(0, 36), "INI file not found, Program aborted.");
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "Dictionary");
  EXPECT_EQ(recordedMessageBoxes()[0].owner, nullptr);
}

TEST_F(StartupTest, MissingWordFileOfTheStartDirectionEndsTheProgram) {
  writeSampleDictionary("Ger_Eng.zb");
  std::filesystem::remove("language/Ger_Eng.zb");
  EXPECT_EQ(start(), 1);
  ASSERT_FALSE(recordedMessageBoxes().empty());
  EXPECT_EQ(recordedMessageBoxes().back().text, "Can't open language\\Ger_Eng.zb   \n\nProgram aborted");
  EXPECT_EQ(recordedMessageBoxes().back().caption, "Dictionary");
  EXPECT_NE(recordedMessageBoxes().back().owner, nullptr);  // the main window exists by then
}

// A journal that names a file no import writes (here by an absolute path) is not carried out:
// zembo starts, says where the journal is, and the file it names keeps its bytes.
TEST_F(StartupTest, AJournalNamingAFileNoImportWritesIsRefusedWithAMessage) {
  writeSampleDictionary();
  const std::filesystem::path victim = std::filesystem::current_path() / "elsewhere" / "victim.txt";
  writeFile(victim, "mine");
  writeFile(victim.string() + ".new", "planted");
  writeFile("zembo-import.journal", victim.string() + "\n");
  ASSERT_EQ(start(), -1);
  EXPECT_EQ(readFile(victim), "mine");
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text, edition(uiLanguage.uiBase, textImportJournalRefused) + "\n" +
                                                (std::filesystem::current_path() / "zembo-import.journal").string());
}

TEST_F(StartupTest, RecordModeOnlyForTheWholeWordRecord) {
  EXPECT_EQ(parseCommandLine("record"), "");
  EXPECT_EQ(startup.recordMode, 1);
  resetStartupState();
  parseCommandLine("Record");
  EXPECT_EQ(startup.recordMode, 1);
  resetStartupState();
  parseCommandLine("record now");
  EXPECT_EQ(startup.recordMode, 0);
  EXPECT_EQ(parseCommandLine("/zb French"), "French");
  EXPECT_EQ(parseCommandLine("//zb Fre/other"), "Fre");
  EXPECT_EQ(parseCommandLine("/x/zb French"), "");  // only the first piece counts
  EXPECT_EQ(parseCommandLine("zb"), "");
}

TEST_F(StartupTest, RecordButtonOnlyInRecordMode) {
  writeSampleDictionary();
  ASSERT_EQ(start("record"), -1);
  int buttons = 0;
  bool record = false;
  for (QPushButton* b : mainWindow->findChildren<QPushButton*>()) {
    ++buttons;
    record = record || b->text() == "Record";
  }
  EXPECT_EQ(buttons, 5);
  EXPECT_TRUE(record);
}

TEST_F(StartupTest, DirectionArgumentChoosesTheFirstSourceThatBeginsWithIt) {
  writeSampleDictionary("Eng_Ger.zb");
  ASSERT_EQ(start("/zb Fre"), -1);
  EXPECT_STREQ(directions.currentDirection->wordFileName, "Fre_Eng.zb");
  EXPECT_EQ(directions.currentDirection->selected, 1);
  EXPECT_EQ(tools.checkedLanguageId, 200);
}

TEST_F(StartupTest, DirectionArgumentMatchingTheCurrentDirectionChangesNothing) {
  writeSampleDictionary("Fre_Eng.zb");
  ASSERT_EQ(start("/zb Eng"), -1);
  EXPECT_STREQ(directions.currentDirection->wordFileName, "Fre_Eng.zb");
}

TEST_F(StartupTest, LanguageMenuListsForwardDirectionsThenTwins) {
  writeSampleDictionary("Eng_Fre.zb");
  ASSERT_EQ(start(), -1);
  const QList<QAction*> items = mainWindow->languageMenu()->actions();
  ASSERT_EQ(items.size(), 5);
  const int ids[] = {200, 201, -1, 202, 203};
  const char* texts[] = {"French\tEnglish", "German\tEnglish", "", "English\tFrench", "English\tGerman"};
  for (int i = 0; i < 5; ++i) {
    if (ids[i] < 0) {
      EXPECT_TRUE(items[i]->isSeparator());
      continue;
    }
    EXPECT_EQ(items[i]->data().toInt(), ids[i]);
    EXPECT_EQ(items[i]->text(), texts[i]);
    EXPECT_EQ(items[i]->isChecked(), ids[i] == 202);
  }
  EXPECT_EQ(tools.checkedLanguageId, 202);
}

TEST_F(StartupTest, NothingIsCheckedWhenTheSelectionNamesNoDirection) {
  writeSampleDictionary("Nothing.zb");
  ASSERT_EQ(start(), -1);
  for (QAction* item : mainWindow->languageMenu()->actions()) EXPECT_FALSE(item->isChecked());
  EXPECT_STREQ(directions.currentDirection->wordFileName, "Eng_Fre.zb");  // the first twin
}

TEST_F(StartupTest, SavedPracticeListThatIsGoneIsForgotten) {
  writeSampleDictionary();
  std::filesystem::create_directories("list/verbs");
  writeFile("config/zembo/win.ini", "[Dictionary]\nPracticeList=nouns\nListID=403\n");
  ASSERT_EQ(start(), -1);
  EXPECT_STREQ(store.practiceListName, "verbs");  // the first named list instead
  EXPECT_EQ(lists.listId, 400);
}

TEST_F(StartupTest, SettingsFilesThatAreFoldersCountAsMissing) {
  writeSampleDictionary();
  std::filesystem::create_directories("config/zembo/win.ini");
  ASSERT_EQ(start(), -1);
  EXPECT_NE(mainWindow, nullptr);
  mainWindow->destroyWindow();
  delete mainWindow;
  releaseSingleInstance();
  std::filesystem::remove("language.ini");
  std::filesystem::create_directory("language.ini");
  EXPECT_EQ(start(), 1);
  ASSERT_FALSE(recordedMessageBoxes().empty());
  EXPECT_EQ(recordedMessageBoxes().back().text.rfind("No valid language found in language.ini", 0), 0u);
}

// A Dutch installation whose long name differs in case from the shipped files' names.
TEST_F(StartupTest, WordFilesAreFoundWhenTheirNamesDifferOnlyInAsciiCase) {
  writeFile("language.ini", "[Dictionary]\nLanguage=dutch\n");
  writeFile(test::programPath(edition(1500, 53)),
            edition(1500, 56) + "\nFrans,french,0,frans\n\n" + edition(1500, 57) + "\nfrans_Nederlands.zb\n");
  writeWords(test::programPath(edition(1500, 1) + "Frans_Nederlands.zb"), {{"chat", "kat"}});
  writeWords(test::programPath(edition(1500, 1) + "Nederlands_Frans.zb"), {{"kat", "chat"}, {"hond", "chien"}});
  ASSERT_EQ(start(), -1);
  EXPECT_EQ(store.wordCount, 1);
  mainWindow->languageMenu()->actions().back()->trigger();  // the twin, after the separator
  EXPECT_EQ(store.wordCount, 2);
}

// The folders users really have: the program's own folder is named in letters that the
// edition's code page may not hold.
const char* const unusualFolders[] = {"Иван/zembo", "Тест-é €"};

class UnusualFolderTest : public test::DictionaryTest,
                          public ::testing::WithParamInterface<std::tuple<int, const char*>> {};

TEST_P(UnusualFolderTest, EveryEditionStartsThere) {
  const UiLanguage& language = uiLanguages[std::get<0>(GetParam())];
  const int b = language.base;
  const std::filesystem::path folder = dir / std::get<1>(GetParam());
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  const std::string pair = "Spa_" + edition(b, 52).substr(0, 3) + ".zb";
  const std::string twin = edition(b, 52).substr(0, 3) + "_Spa.zb";
  writeFile("language.ini", std::string("[Dictionary]\nLanguage=") + language.iniValue + "\n");
  writeFile(test::programPath(edition(b, 53), language.codePage),
            edition(b, 56) + "\nSpanish,spanish,0\n\n" + edition(b, 57) + "\n" + pair + "\n");
  writeWords(test::programPath(edition(b, 1) + pair, language.codePage), {{"casa", "x"}});
  writeWords(test::programPath(edition(b, 1) + twin, language.codePage), {{"x", "casa"}, {"y", "z"}});
  const int code = start();
  std::filesystem::current_path(dir);
  ASSERT_EQ(code, -1) << (recordedMessageBoxes().empty() ? "" : recordedMessageBoxes().back().text);
  EXPECT_EQ(uiLanguage.uiBase, b);
  EXPECT_EQ(store.wordCount, 1);
}

INSTANTIATE_TEST_SUITE_P(Editions, UnusualFolderTest,
                         ::testing::Combine(::testing::Range(0, uiLanguageCount),
                                            ::testing::Values(unusualFolders[0], unusualFolders[1])),
                         [](const ::testing::TestParamInfo<std::tuple<int, const char*>>& edition) {
                           const bool nested = std::get<1>(edition.param) == unusualFolders[0];
                           return std::string(uiLanguages[std::get<0>(edition.param)].iniValue) +
                                  (nested ? "_Nested" : "_Blanks");
                         });

TEST(DisplayPlatform, WaylandWithXWaylandChoosesX11UnlessTheUserChose) {
  const std::string chosen = std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
  unsetenv("QT_QPA_PLATFORM");
  setenv("WAYLAND_DISPLAY", "wayland-0", 1);
  setenv("DISPLAY", ":0", 1);
  chooseDisplayPlatform();
  EXPECT_STREQ(std::getenv("QT_QPA_PLATFORM"), "xcb");
  setenv("QT_QPA_PLATFORM", "wayland", 1);
  chooseDisplayPlatform();
  EXPECT_STREQ(std::getenv("QT_QPA_PLATFORM"), "wayland");
  unsetenv("QT_QPA_PLATFORM");
  unsetenv("DISPLAY");  // Wayland alone: nothing to choose
  chooseDisplayPlatform();
  EXPECT_EQ(std::getenv("QT_QPA_PLATFORM"), nullptr);
  setenv("QT_QPA_PLATFORM", chosen.c_str(), 1);
}

// The real program in processes of its own: the second start finds the first one's lock.
TEST_F(StartupTest, SecondInstanceEndsAtOnceWithCodeOne) {
  writeSampleDictionary();
  QProcess first;
  first.setWorkingDirectory(QString::fromStdString(dir.string()));
  first.start(ZEMBO_BINARY, {});
  ASSERT_TRUE(first.waitForStarted());
  // Wait until it holds the lock, as long as a start takes on a slow machine.
  for (int i = 0; i < 2400 && std::filesystem::is_empty(dir / "runtime"); ++i) processEvents(25);
  ASSERT_FALSE(std::filesystem::is_empty(dir / "runtime"));
  QProcess second;
  second.setWorkingDirectory(QString::fromStdString(dir.string()));
  second.start(ZEMBO_BINARY, {});
  ASSERT_TRUE(second.waitForFinished(60000));
  EXPECT_EQ(second.exitCode(), 1);
  EXPECT_EQ(first.state(), QProcess::Running);
  first.kill();
  first.waitForFinished();
}

}  // namespace
}  // namespace zembo
