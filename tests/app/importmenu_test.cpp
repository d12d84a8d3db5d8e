// Importing a dictionary from the main window's File menu, as a user does it: the list of the
// dictionaries installed for the edition, the import under its progress window, the question
// before a language is replaced, and the importer's message when the dictionary is damaged.

#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <cstdlib>
#include <functional>
#include <map>

#include "app/importdialog.h"
#include "app/mainwindow.h"
#include "directions/directions.h"
#include "platform/collation.h"
#include "platform/messagebox.h"
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
  EXPECT_TRUE(recordedMessageBoxes().empty());
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

  // Yes replaces its words and makes German the current language.
  whenShown<ImportDialog>([](ImportDialog* dialog) { importRow(dialog, 0); });
  clickImportInFileMenu();
  EXPECT_EQ(recordedMessageBoxes().size(), 2u);
  EXPECT_EQ(languageItems(), (QStringList{"French\tEnglish", "German\tEnglish", "English\tFrench", "English\tGerman"}));
  EXPECT_STREQ(directions.currentDirection->sourceName, "German");
  EXPECT_EQ(store.wordCount, 2);
  EXPECT_EQ(
      readFile("dict.ini"),
      "# test dictionary\n[language]\nFrench,french,0\nGerman,german,0\n\n[selected]\nGer_Eng.zb\n\n[AddNew]\non\n");
}

TEST_F(ImportMenuTest, ADamagedDictionaryFromAnotherFolderShowsTheImportersMessageAndChangesNothing) {
  std::filesystem::create_directory(dir / "elsewhere");
  test::writeDictd(dir / "elsewhere" / "freedict-ita-eng", {article("casa", "house")});
  writeFile("elsewhere/freedict-ita-eng.dict.dz", "not a dictionary at all");
  startRecordingMessageBoxes();
  const auto before = folderBytes();
  const std::string collation = collationLocaleName();
  fileToChoose = dir / "elsewhere" / "freedict-ita-eng.index";
  setDictionaryFileChooser(chooseAsAUserWould);
  whenShown<ImportDialog>([](ImportDialog* dialog) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
      if (button->text() == "&Other file...") QTest::mouseClick(button, Qt::LeftButton);
  });
  clickImportInFileMenu();
  EXPECT_EQ(offeredFolder, dir / "dictd");
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "Error");
  EXPECT_NE(recordedMessageBoxes()[0].text.find("freedict-ita-eng.dict.dz"), std::string::npos)
      << recordedMessageBoxes()[0].text;
  EXPECT_EQ(folderBytes(), before);
  EXPECT_EQ(languageItems().size(), 4);
  EXPECT_STREQ(directions.currentDirection->sourceName, "French");
  EXPECT_EQ(store.wordCount, 3);
  // The importer set the dictionary's collation; lookups go on in the current direction's.
  EXPECT_EQ(collationLocaleName(), collation);
}

}  // namespace
}  // namespace zembo
