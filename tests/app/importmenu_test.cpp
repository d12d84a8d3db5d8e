// Importing a dictionary from the main window's File menu, as a user does it: the list of the
// dictionaries installed for the edition, the import under its progress window, the question
// before a language is replaced, and the importer's message when the dictionary is damaged.

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <cstdlib>
#include <functional>
#include <map>

#include "app/importdialog.h"
#include "app/importingwindow.h"
#include "app/mainwindow.h"
#include "directions/directions.h"
#include "importer/articles.h"
#include "importer/folderchanges.h"
#include "platform/codepage.h"
#include "platform/collation.h"
#include "platform/messagebox.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "store/store.h"
#include "tests/support/dialogguard.h"
#include "tests/support/dictdfiles.h"
#include "tests/support/dictionaryfixture.h"

namespace zembo {
namespace {

using test::DictdArticle;
using test::readFile;
using test::writeFile;

DictdArticle article(const std::string& headword, const std::string& translations) {
  return {headword, headword + "\n" + translations + "\n"};
}

using test::whenShown;

// The folder "Other file..." offered its chooser, and the file the chooser then gives.
std::filesystem::path offeredFolder;
std::filesystem::path fileToChoose;

std::filesystem::path chooseAsAUserWould(QWidget*, const std::filesystem::path& folder) {
  offeredFolder = folder;
  return fileToChoose;
}

class ImportMenuTest : public test::DictionaryTest {
 protected:
  void SetUp() override {
    DictionaryTest::SetUp();
    writeSampleDictionary();
    const auto dictd = dir / "dictd";
    std::filesystem::create_directory(dictd);
    test::writeDictd(dictd / "freedict-ita-eng", {article("casa", "house"), article("gatto", "cat"),
                                                  article("cane", "dog"), article("cane", "hound")});
    test::writeDictd(dictd / "freedict-deu-eng", {article("Katze", "cat"), article("Haus", "house; building")});
    // Not for the English edition, of a language the importer does not know, without its data.
    test::writeDictd(dictd / "freedict-fra-nld", {article("chat", "kat")});
    test::writeDictd(dictd / "freedict-xyz-eng", {article("xa", "x")});
    writeFile("dictd/freedict-spa-eng.index", "casa\tA\tK\n");
    ::setenv("ZEMBO_DICTD_FOLDER", dictd.c_str(), 1);
    ASSERT_EQ(start(), -1);
  }
  void TearDown() override {
    resetImportingWindowState();
    resetImportDialogState();
    resetFolderChangeState();
    ::unsetenv("ZEMBO_DICTD_FOLDER");
    DictionaryTest::TearDown();
  }

  // File ▸ Import dictionary..., clicked with the mouse; the dialog is driven by what was
  // scheduled before.
  void clickImportInFileMenu() {
    QMenuBar* bar = mainWindow->menuBar();
    QAction* file = bar->actions().first();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
    QMenu* menu = file->menu();
    QTRY_VERIFY(menu->isVisible());
    QAction* item = nullptr;
    for (QAction* a : menu->actions())
      if (a->text() == "&Import dictionary...") item = a;
    ASSERT_NE(item, nullptr);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    processEvents();
  }

  // In the dialog: a click on the row, then on Import.
  static void importRow(ImportDialog* dialog, int row) {
    QListWidget* list = dialog->list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
      if (button->text() == "&Import") QTest::mouseClick(button, Qt::LeftButton);
  }

  // In the dialog: "Other file...", and the file chosen through the chooser a test sets.
  void importOtherFile(const std::filesystem::path& index) {
    fileToChoose = index;
    setDictionaryFileChooser(chooseAsAUserWould);
    whenShown<ImportDialog>([](ImportDialog* dialog) {
      for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == "&Other file...") QTest::mouseClick(button, Qt::LeftButton);
    });
    clickImportInFileMenu();
  }

  // The language menu's items, as a user reads them.
  static QStringList languageItems() {
    QStringList items;
    for (QAction* a : mainWindow->languageMenu()->actions())
      if (!a->isSeparator()) items << a->text();
    return items;
  }

  // Every file of the dictionary folder with its bytes; the test's dictionaries and the user's
  // settings are not the folder's.
  std::map<std::string, std::string> folderBytes() {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
      const std::string name = std::filesystem::relative(entry.path(), dir).string();
      if (entry.is_regular_file() && !name.starts_with("dictd") && !name.starts_with("runtime") &&
          !name.starts_with("config"))
        files[name] = readFile(entry.path());
    }
    return files;
  }
};

TEST_F(ImportMenuTest, TheListShowsTheEditionsDictionariesAndAnImportIsInTheLanguageMenuAtOnce) {
  QStringList listed;
  whenShown<ImportDialog>([&](ImportDialog* dialog) {
    for (int i = 0; i < dialog->list()->count(); ++i) listed << dialog->list()->item(i)->text();
    importRow(dialog, 1);
  });
  clickImportInFileMenu();
  EXPECT_EQ(listed, (QStringList{"German (deu-eng), 2 headwords", "Italian (ita-eng), 3 headwords"}));
  EXPECT_EQ(languageItems(), (QStringList{"French\tEnglish", "German\tEnglish", "Italian\tEnglish", "English\tFrench",
                                          "English\tGerman", "English\tItalian"}));
  // The new pair is the current one, with its words, and the folder keeps the choice.
  EXPECT_STREQ(directions.currentDirection->sourceName, "Italian");
  EXPECT_EQ(store.wordCount, 3);
  EXPECT_NE(readFile("dict.ini").find("Italian,italian,0\n\n[selected]\nIta_Eng.zb\n"), std::string::npos);
  // The import ends with the summary zembo-import prints.
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  const RecordedMessageBox& summary = recordedMessageBoxes()[0];
  EXPECT_EQ(summary.caption, "Import dictionary");
  EXPECT_TRUE(summary.text.starts_with("Italian: 3 headwords, imported in ")) << summary.text;
  EXPECT_NE(summary.text.find(" seconds\nrecords written: 3 from Italian to English, 4 from English to Italian\n"),
            std::string::npos)
      << summary.text;
  // Italian has no icon: a plain label with its code stands in the icon's square.
  const QImage shown = mainWindow->grab().toImage();
  const QPoint labelAt = mainWindow->client()->mapTo(mainWindow, QPoint(61, 108));
  EXPECT_EQ(shown.pixelColor(labelAt), QColor(255, 255, 240));
  saveGrab(mainWindow, "import-menu-after");
}

TEST_F(ImportMenuTest, ReplacingALanguageAsksAndNoLeavesTheFolderByteForByte) {
  startRecordingMessageBoxes({IDNO, IDYES});
  const auto before = folderBytes();
  whenShown<ImportDialog>([](ImportDialog* dialog) { importRow(dialog, 0); });
  clickImportInFileMenu();
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text,
            "German is in the dictionary already.\n\nReplace its words with those of the new dictionary? Words you "
            "added yourself are kept.");
  EXPECT_EQ(recordedMessageBoxes()[0].type, MB_YESNO | MB_ICONWARNING);
  EXPECT_EQ(folderBytes(), before);
  EXPECT_STREQ(directions.currentDirection->sourceName, "French");

  // Yes replaces its words and makes German the current language; a summary follows.
  whenShown<ImportDialog>([](ImportDialog* dialog) { importRow(dialog, 0); });
  clickImportInFileMenu();
  ASSERT_EQ(recordedMessageBoxes().size(), 3u);
  EXPECT_TRUE(recordedMessageBoxes()[2].text.starts_with("German: 2 headwords")) << recordedMessageBoxes()[2].text;
  EXPECT_EQ(languageItems(), (QStringList{"French\tEnglish", "German\tEnglish", "English\tFrench", "English\tGerman"}));
  EXPECT_STREQ(directions.currentDirection->sourceName, "German");
  EXPECT_EQ(store.wordCount, 2);
  EXPECT_EQ(
      readFile("dict.ini"),
      "# test dictionary\n[language]\nFrench,french,0\nGerman,german,0\n\n[selected]\nGer_Eng.zb\n\n[AddNew]\non\n");
}

// Files chosen through "Other file...": first shown as the list shows a dictionary, then refused
// with a message in the edition's words that names the file as the file system does (a folder in
// Cyrillic letters too) and, for a dictionary of another language, says what a user can do.
TEST_F(ImportMenuTest, AnotherFileIsShownFirstAndARefusalNamesItAndChangesNothing) {
  const auto folder = dir / "Schäden Папка";
  std::filesystem::create_directory(folder);
  test::writeDictd(folder / "freedict-ita-eng", {article("casa", "house")});
  writeFile(folder / "freedict-ita-eng.dict.dz", "not a dictionary at all");
  struct Case {
    std::filesystem::path index;
    std::string shown, message;
  };
  const Case cases[] = {
      {folder / "freedict-ita-eng.index", "Italian (ita-eng), 1 headwords",
       (folder / "freedict-ita-eng.dict.dz").string() + " is damaged or cut short and cannot be imported."},
      {dir / "dictd" / "freedict-fra-nld.index", "French (fra-nld), 1 headwords",
       "freedict-fra-nld.index translates into: Dutch, but the language of this dictionary is: English. Only "
       "dictionaries into this language can be imported: choose one from the list."},
  };
  const auto before = folderBytes();
  const std::string collation = collationLocaleName();
  for (const Case& c : cases) {
    startRecordingMessageBoxes();
    static QString asked;
    answerImportQuestionWith([](QDialog& question) {
      asked = question.findChild<QLabel*>()->text();
      for (QPushButton* button : question.findChildren<QPushButton*>())
        if (button->text() == "Import") QTest::mouseClick(button, Qt::LeftButton);
      return question.result();
    });
    importOtherFile(c.index);
    EXPECT_EQ(offeredFolder, dir / "dictd");
    EXPECT_EQ(asked.toStdString(), c.shown + "\n\nImport this dictionary?");
    ASSERT_EQ(recordedMessageBoxes().size(), 1u);
    EXPECT_EQ(recordedMessageBoxes()[0].caption, "Error");
    EXPECT_EQ(recordedMessageBoxes()[0].text, c.message);
    EXPECT_EQ(recordedMessageBoxes()[0].type, MB_OK | MB_ICONWARNING | MB_UTF8);
  }
  EXPECT_EQ(folderBytes(), before);
  EXPECT_EQ(languageItems().size(), 4);
  EXPECT_STREQ(directions.currentDirection->sourceName, "French");
  EXPECT_EQ(store.wordCount, 3);
  // The importer set the dictionary's collation; lookups go on in the current direction's.
  EXPECT_EQ(collationLocaleName(), collation);
  // Cancel in the question imports nothing.
  startRecordingMessageBoxes();
  answerImportQuestionWith([](QDialog& question) {
    for (QPushButton* button : question.findChildren<QPushButton*>())
      if (button->text() == "Cancel") QTest::mouseClick(button, Qt::LeftButton);
    return question.result();
  });
  importOtherFile(dir / "dictd" / "freedict-ita-eng.index");
  EXPECT_TRUE(recordedMessageBoxes().empty());
  EXPECT_EQ(folderBytes(), before);
}

// Cancel, Esc and the close box stop an import while it reads and writes: nothing is said and the
// folder is byte for byte as it was. Once the journal is written Cancel is disabled, Esc does
// nothing, and the import completes.
TEST_F(ImportMenuTest, CancelEscAndTheCloseBoxStopTheImportUntilItsCommit) {
  using Act = void (*)(ImportingWindow&);
  const Act acts[] = {
      [](ImportingWindow& window) { QTest::mouseClick(window.cancelButton(), Qt::LeftButton); },
      [](ImportingWindow& window) { QTest::keyClick(&window, Qt::Key_Escape); },
      [](ImportingWindow& window) { window.close(); },
  };
  const auto before = folderBytes();
  startRecordingMessageBoxes();
  for (const Act act : acts) {
    static Act acting;
    acting = act;
    actWhenImportAsksToStop([](ImportingWindow& window) { acting(window); });
    whenShown<ImportDialog>([](ImportDialog* dialog) { importRow(dialog, 1); });
    clickImportInFileMenu();
    EXPECT_EQ(folderBytes(), before);
    EXPECT_TRUE(recordedMessageBoxes().empty());
    EXPECT_EQ(languageItems().size(), 4);
    EXPECT_STREQ(directions.currentDirection->sourceName, "French");
  }
  // From the journal on: Esc at each step of the commit, and the import goes on.
  actWhenImportAsksToStop(nullptr);
  static bool cancelEnabledInCommit;
  cancelEnabledInCommit = false;
  watchFolderChangeSteps([](const char* step) {
    if (std::string_view(step) == "written") return;  // before the journal
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* importing = dynamic_cast<ImportingWindow*>(window); importing && importing->isVisible()) {
        QTest::keyClick(importing, Qt::Key_Escape);
        importing->close();
        cancelEnabledInCommit |= importing->cancelButton()->isEnabled();
      }
  });
  whenShown<ImportDialog>([](ImportDialog* dialog) { importRow(dialog, 1); });
  clickImportInFileMenu();
  EXPECT_STREQ(directions.currentDirection->sourceName, "Italian");
  EXPECT_EQ(recordedMessageBoxes().size(), 1u);  // the summary
  EXPECT_FALSE(cancelEnabledInCommit);
}

// Every failure the import can report is said in each edition's words (none of them in the
// English of zembo-import, but the English edition's), its file names as the file system names them.
TEST_F(ImportMenuTest, EveryFailureIsSaidInTheEditionsLanguage) {
  const std::string file = (dir / "Schäden Папка" / "freedict-fra-eng.dict.dz").string();
  for (const UiLanguage& edition : uiLanguages) {
    setUiBase(edition.base);
    for (int code = 0; code <= static_cast<int>(ImportFailure::cannotRemove); ++code) {
      const ImportError error(static_cast<ImportFailure>(code), {file, "2", "3", "4", "5", "6"});
      const std::string text = importFailureText(error);
      SCOPED_TRACE(std::string(edition.iniValue) + " " + std::to_string(code) + ": " + text);
      EXPECT_EQ(text.find("--"), std::string::npos);  // no advice for the command line
      EXPECT_TRUE(isUtf8(text));
      if (edition.base != uiLanguageBase("english")) {
        EXPECT_NE(text, error.what());
      }
      const auto failure = static_cast<ImportFailure>(code);
      if (failure != ImportFailure::unknownEdition && failure != ImportFailure::badLanguageName &&
          failure != ImportFailure::alreadyThere && failure != ImportFailure::unknownLocale &&
          failure != ImportFailure::wrongHomeLanguage && failure != ImportFailure::noEditionForLanguage &&
          failure != ImportFailure::unknownLanguage) {
        EXPECT_NE(text.find(file), std::string::npos);
      }
    }
  }
}

}  // namespace
}  // namespace zembo
