// Importing a teacher's word list or an Anki deck: every shape of file a user brings, the pairs
// stored as added words are, the practice list they make, and the files that change nothing.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTableWidget>

#include <filesystem>
#include <string>
#include <vector>

#include "addwords/wordlistdialog.h"
#include "addwords/wordlistimport.h"
#include "exchange/apkg.h"
#include "platform/messagebox.h"
#include "practice/lists.h"
#include "store/collate.h"
#include "store/store.h"
#include "tests/exchange/packagetools.h"
#include "tests/support/dialogguard.h"
#include "tests/support/dictionaryfixture.h"

namespace zembo {
namespace {

using test::readFile;
using test::readWords;
using test::WordPair;
using test::writeFile;

class WordListImport : public test::DictionaryTest {
 protected:
  void SetUp() override {
    DictionaryTest::SetUp();
    writeSampleDictionary();
    ASSERT_EQ(start(), -1);
    startRecordingMessageBoxes();
  }
  void TearDown() override {
    stopRecordingMessageBoxes();
    DictionaryTest::TearDown();
  }

  // File ▸ Import word list... with file chosen; adjust changes the dialog before OK.
  void importFromMenu(const std::string& file, const std::function<void(WordListDialog*)>& adjust = {}) {
    chooseFile(file);
    test::whenShown<WordListDialog>([this, adjust](WordListDialog* dialog) {
      shown = {dialog->wordColumn()->currentText().toStdString(), dialog->headerRow()->isChecked(),
               dialog->listField()->text().toStdString(), dialog->preview()->rowCount(),
               dialog->preview()->item(0, 0) ? dialog->preview()->item(0, 0)->text().toStdString() : ""};
      if (adjust) adjust(dialog);
      dialog->accept();
    });
    mainWindow->command(cmdImportWordList, commandClicked);
    processEvents();
  }
  // The file chooser will take file, as a user picks it.
  static void chooseFile(const std::string& file) {
    test::whenShown<QFileDialog>([file](QFileDialog* chooser) {
      chooser->selectFile(QDir::current().absoluteFilePath(QString::fromStdString(file)));
      static_cast<QDialog*>(chooser)->accept();
    });
  }
  static std::string lastBox() {
    return recordedMessageBoxes().empty() ? std::string() : recordedMessageBoxes().back().text;
  }
  static std::vector<WordPair> french() { return readWords("language/Fre_Eng.zb"); }
  static std::vector<WordPair> english() { return readWords("language/Eng_Fre.zb"); }
  static std::vector<WordPair> list(const std::string& name) { return readWords("list/" + name + "/Fre_Eng.ls"); }

  struct Shown {
    std::string wordColumn;
    bool headerRow = false;
    std::string listName;
    int previewRows = 0;
    std::string firstCell;
  } shown;
};

// As LibreOffice Calc saves a sheet as "Text CSV": commas, quotes doubled, a line break inside a
// quoted cell, CRLF line ends, and a header row.
const char* const calcCsv =
    "French,English\r\n"
    "souris,\"mouse, rat\"\r\n"
    "chien,dog\r\n"
    "chat,\"tomcat\n\"\"puss\"\"\"\r\n"
    "\"pomme de terre\",potato\r\n";

TEST_F(WordListImport, ASpreadsheetsCsvAddsItsPairsBothWaysAndBecomesAList) {
  writeFile("Vocabulaire.csv", calcCsv);
  importFromMenu("Vocabulaire.csv");
  EXPECT_EQ(shown.wordColumn, "French");
  EXPECT_TRUE(shown.headerRow);
  EXPECT_EQ(shown.listName, "Vocabulaire");
  EXPECT_EQ(shown.previewRows, 4);
  EXPECT_EQ(shown.firstCell, "souris");
  // "chien / dog" was there; "chat" gains the translations it lacked; the rest are new.
  EXPECT_EQ(french(), (std::vector<WordPair>{{"chat", "cat, tomcat, \"puss\""},
                                             {"chien", "dog"},
                                             {"maison", "house, home"},
                                             {"pomme de terre", "potato"},
                                             {"souris", "mouse, rat"}}));
  const std::vector<WordPair> en = english();
  for (const WordPair& reverse : {WordPair{"mouse", "souris"}, WordPair{"rat", "souris"}, WordPair{"tomcat", "chat"},
                                  WordPair{"potato", "pomme de terre"}})
    EXPECT_NE(std::find(en.begin(), en.end(), reverse), en.end()) << reverse.word;
  EXPECT_EQ(std::count_if(en.begin(), en.end(), [](const WordPair& p) { return p.word == "dog"; }), 1);
  // Only what is new is logged, as the add-words window logs it, for a later import to keep.
  const std::vector<WordPair> logged = readWords("new/French_English.zb");
  EXPECT_EQ(logged, (std::vector<WordPair>{
                        {"souris", "mouse, rat"}, {"chat", "tomcat, \"puss\""}, {"pomme de terre", "potato"}}));
  EXPECT_EQ(list("Vocabulaire"), (std::vector<WordPair>{{"souris", "mouse, rat"},
                                                        {"chien", "dog"},
                                                        {"chat", "cat, tomcat, \"puss\""},
                                                        {"pomme de terre", "potato"}}));
  EXPECT_STREQ(store.practiceListName, "Vocabulaire");
  EXPECT_NE(lastBox().find("Added to the dictionary: 3\nAlready in the dictionary: 1\n"), std::string::npos)
      << lastBox();
  EXPECT_NE(lastBox().find("\"Vocabulaire\": 4 words"), std::string::npos) << lastBox();
}

TEST_F(WordListImport, TheSameListAgainAddsNothingAndGetsANameOfItsOwn) {
  writeFile("Vocabulaire.csv", calcCsv);
  importFromMenu("Vocabulaire.csv");
  const std::vector<WordPair> before = french();
  importFromMenu("Vocabulaire.csv");
  EXPECT_EQ(shown.listName, "Vocabulaire 2");
  EXPECT_EQ(french(), before);
  EXPECT_EQ(readWords("new/French_English.zb").size(), 3u);
  EXPECT_NE(lastBox().find("Added to the dictionary: 0\nAlready in the dictionary: 4\n"), std::string::npos);
  EXPECT_EQ(list("Vocabulaire 2").size(), 4u);
}

TEST_F(WordListImport, ColumnsHeaderAndListNameAreTheUsersChoice) {
  // No header: the columns are numbered; the translation comes first in this file.
  writeFile("lesson.3.tsv", "hello\tbonjour\tnote\ngoodbye\tau revoir\t\n");
  importFromMenu("lesson.3.tsv", [](WordListDialog* dialog) {
    dialog->wordColumn()->setCurrentIndex(1);
    dialog->translationColumn()->setCurrentIndex(0);
    dialog->listField()->setText("Leçon");
  });
  EXPECT_EQ(shown.wordColumn, "Column 1");
  EXPECT_FALSE(shown.headerRow);
  EXPECT_EQ(shown.listName, "lesson 3");  // a list name may hold no dot
  const std::vector<WordPair> fr = french();
  EXPECT_NE(std::find(fr.begin(), fr.end(), WordPair{"au revoir", "goodbye"}), fr.end());
  EXPECT_TRUE(listFolderExists("Le\xE7on"));
  EXPECT_EQ(store.listCount, 2);
}

TEST_F(WordListImport, LimitsCodePageAndEmptyCellsAreCountedNotStored) {
  writeFile("mixed.csv",
            "word,translation\n"
            "anticonstitutionnellementissimes,too long a word\n"          // 32 bytes
            "long,a translation that needs more than fifty bytes here\n"  // 56 bytes
            "\xD0\xBA\xD0\xBE\xD1\x82,cat\n"                              // Cyrillic: not in 1252
            "caf\xC3\xA9,coffee\xE2\x80\x90\n"                            // a hyphen has an equivalent
            "\"un, deux\",one two\n"
            ",nothing\n"
            "rien,\n");
  importFromMenu("mixed.csv");
  EXPECT_NE(lastBox().find("Added to the dictionary: 1\nAlready in the dictionary: 0\nToo long (a word holds up to 30 "
                           "characters, a translation up to 50): 2\nWith characters the language's code page lacks: 1\n"
                           "Left out (no word or no translation, or a comma in the word): 3\n"),
            std::string::npos)
      << lastBox();
  EXPECT_EQ(french().size(), 4u);
  EXPECT_EQ(french()[0], (WordPair{"caf\xE9", "coffee-"}));
}

TEST_F(WordListImport, ACodePageFileIsReadInTheCodePageChosen) {
  writeFile("latin.csv",
            "\xE9t\xE9;summer\nfran\xE7"
            "ais;French\n");
  importFromMenu("latin.csv");
  EXPECT_EQ(shown.firstCell, "\xC3\xA9t\xC3\xA9");  // the file is no UTF-8: its code page is proposed
  const std::vector<WordPair> fr = french();
  EXPECT_NE(std::find(fr.begin(), fr.end(), WordPair{"\xE9t\xE9", "summer"}), fr.end());
}

TEST_F(WordListImport, AnAnkiTextExportIsReadWithItsHeaderLines) {
  writeFile("deck.txt",
            "#separator:Semicolon\n#html:true\n#columns:Front;Back\n"
            "<b>lapin</b>;rabbit<br>bunny [sound:lapin.mp3]\n"
            "\"loup\";\"wolf&nbsp;pack\"\n");
  importFromMenu("deck.txt");
  EXPECT_EQ(shown.wordColumn, "Front");
  EXPECT_FALSE(shown.headerRow);
  const std::vector<WordPair> fr = french();
  EXPECT_NE(std::find(fr.begin(), fr.end(), WordPair{"lapin", "rabbit, bunny"}), fr.end());
  EXPECT_NE(std::find(fr.begin(), fr.end(), WordPair{"loup", "wolf pack"}), fr.end());
}

TEST_F(WordListImport, AnAnkiPackageOfEitherAgeGivesItsNotesFirstTwoFields) {
  AnkiDeck deck;
  deck.name = "Animaux";
  deck.fieldNames = {"Word", "Translation", "Sound"};
  deck.templates = {{"Card 1", "{{Word}}", "{{Translation}}"}};
  deck.notes = {{{"canard", "duck", "[sound:canard.ogg]"}, stableGuid("canard")},
                {{"cheval", "horse &amp; pony", ""}, stableGuid("cheval")}};
  std::string error;
  ASSERT_TRUE(writeApkg("Animaux.apkg", deck, error, 1700000000000)) << error;
  importFromMenu("Animaux.apkg");
  std::vector<WordPair> fr = french();
  EXPECT_NE(std::find(fr.begin(), fr.end(), WordPair{"canard", "duck"}), fr.end());
  EXPECT_NE(std::find(fr.begin(), fr.end(), WordPair{"cheval", "horse & pony"}), fr.end());

  // Current Anki: the deck in a zstd collection, beside a placeholder that must not be read.
  const std::string collection = test::zipEntry("Animaux.apkg", "collection.anki2");
  ASSERT_TRUE(test::executeSql("placeholder.anki2",
                               "create table notes (id integer primary key, flds text);"
                               "insert into notes values (1, 'Please update to the latest Anki version\x1f');"));
  ASSERT_TRUE(test::writeZip("Current.apkg", {{"collection.anki2", readFile("placeholder.anki2")},
                                              {"collection.anki21b", test::zstdCompress(collection), false},
                                              {"media", "{}"}}));
  importFromMenu("Current.apkg");
  EXPECT_NE(lastBox().find("Already in the dictionary: 2\n"), std::string::npos) << lastBox();
  fr = french();
  EXPECT_EQ(std::count_if(fr.begin(), fr.end(), [](const WordPair& p) { return p.word.rfind("Please", 0) == 0; }), 0);
}

TEST_F(WordListImport, AFileThatIsNoWordListGetsAMessageAndChangesNothing) {
  const std::string dictionary = readFile("language/Fre_Eng.zb");
  struct BadFile {
    const char* name;
    std::string bytes;
    const char* message;
  };
  const BadFile bad[] = {
      {"program.csv",
       std::string("\x7F"
                   "ELF\x02\x01\x01\0\0\0\0\0",
                   12) +
           std::string(200, '\0'),
       "holds no text"},
      {"quotes.csv", "chat,cat\nchien,\"dog\nmaison,house\n", "Line 2: a quote opens a field that never ends."},
      {"notzip.apkg", "this is no zip", "it is not a zip archive"},
      {"one.csv", "chat\nchien\n", "no row with both a word and a translation"},
  };
  for (const BadFile& file : bad) {
    writeFile(file.name, file.bytes);
    chooseFile(file.name);
    mainWindow->command(cmdImportWordList, commandClicked);
    processEvents();
    EXPECT_NE(lastBox().find("The word list cannot be imported:"), std::string::npos) << file.name;
    EXPECT_NE(lastBox().find(file.message), std::string::npos) << file.name << ": " << lastBox();
  }
  ASSERT_TRUE(test::writeZip("nocollection.apkg", {{"media", "{}"}}));
  ASSERT_TRUE(test::writeZip("bomb.apkg", {{"collection.anki2", std::string(8 << 20, '\0')}}));
  ASSERT_TRUE(test::writeZip("escape.apkg", {{"../../outside", "x"}, {"media", "{}"}}));
  for (const char* name : {"nocollection.apkg", "bomb.apkg", "escape.apkg"}) {
    chooseFile(name);
    mainWindow->command(cmdImportWordList, commandClicked);
    processEvents();
    EXPECT_NE(lastBox().find("The word list cannot be imported:"), std::string::npos) << name;
  }
  EXPECT_NE(recordedMessageBoxes()[5].text.find("far more than any word list"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists("../outside"));
  EXPECT_EQ(readFile("language/Fre_Eng.zb"), dictionary);
  EXPECT_FALSE(std::filesystem::exists("new/French_English.zb"));
  EXPECT_FALSE(listFolderExists("program"));
}

TEST_F(WordListImport, ANewTranslationJoinsOnlyARecordSpelledAsTheWord) {
  writeFile("first.csv", "Loup,wolf\n");
  importFromMenu("first.csv");
  // "loup" is found as "Loup" with its translation, but a new one is not given to "Loup".
  writeFile("second.csv", "loup,wolf\nloup,cub\nLoup,grey wolf\n");
  importFromMenu("second.csv");
  EXPECT_NE(lastBox().find("Added to the dictionary: 2\nAlready in the dictionary: 1\n"), std::string::npos)
      << lastBox();
  const std::vector<WordPair> fr = french();
  EXPECT_NE(std::find(fr.begin(), fr.end(), WordPair{"Loup", "wolf, grey wolf"}), fr.end());
  EXPECT_NE(std::find(fr.begin(), fr.end(), WordPair{"loup", "cub"}), fr.end());
  EXPECT_EQ(list("second"), (std::vector<WordPair>{{"Loup", "wolf"}}));
}

TEST_F(WordListImport, ALongListIsSortedInOnceAndEveryWordFoundAfterwards) {
  std::string csv;
  for (int n = 0; n < 3000; ++n) csv += "mot" + std::to_string(n) + ",word " + std::to_string(n) + "\n";
  writeFile("long.csv", csv);
  importFromMenu("long.csv");
  EXPECT_NE(lastBox().find("Added to the dictionary: 3000\n"), std::string::npos) << lastBox();
  EXPECT_EQ(store.wordCount, 3003);
  EXPECT_EQ(store.sortedCount, store.wordCount);
  WordRecord record;
  const int found = findWord(store, "mot2718", store.sortedCount);
  ASSERT_EQ(readWordRecord(found, record), 0);
  EXPECT_EQ(translationOf(record), "word 2718");
  EXPECT_EQ(list("long").size(), 3000u);
}

}  // namespace
}  // namespace zembo
