// What Syncthing left beside the files is merged when zembo starts and, while it runs, once the
// copy stands still and no tool window works on the files; the learner is told in the edition's
// language.

#include <filesystem>
#include <string>

#include "app/mainwindow.h"
#include "app/syncwatch.h"
#include "lookup/searchwindow.h"
#include "platform/messagebox.h"
#include "resources/commands.h"
#include "resources/uilanguage.h"
#include "store/collate.h"
#include "store/store.h"
#include "tests/support/dictionaryfixture.h"

namespace zembo {
namespace {

namespace fs = std::filesystem;
using test::readWords;
using test::WordPair;
using test::writeFile;
using test::writeWords;

const char* const copyStamp = ".sync-conflict-20261210-101500-BBBBBBB";

class SyncWatchTest : public test::DictionaryTest {};

TEST_F(SyncWatchTest, CopiesLeftWhileZemboWasClosedAreMergedAtStartAndTheLearnerIsToldInTheEditionsLanguage) {
  const UiLanguage& german = *uiLanguageOfBase(uiLanguageBase("german"));
  test::writeEditionDictionary(german);
  const std::string log = "new/Spanish_" + test::editionText(german.base, 52), copy = log + copyStamp + ".zb";
  writeWords(log + ".zb", {{"casa", "house"}});
  writeWords(copy, {{"casa", "house"}, {"perro", "dog"}});
  startRecordingMessageBoxes();
  ASSERT_EQ(start(), -1);
  EXPECT_EQ(readWords(log + ".zb"), (std::vector<WordPair>{{"casa", "house"}, {"perro", "dog"}}));
  EXPECT_FALSE(fs::exists(copy));
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  const RecordedMessageBox& box = recordedMessageBoxes()[0];
  EXPECT_EQ(box.text,
            "Mit den Änderungen eines anderen Computers zusammengeführt:\n0 Wiederholungen, 1 neue Einträge, 0 "
            "Korrekturen, 0 Einträge in Lernlisten; von 0 anderen Dateien wurde die neuere behalten.");
  EXPECT_EQ(box.type & MB_UTF8, MB_UTF8);
}

TEST_F(SyncWatchTest, ACopyArrivingWhileZemboRunsIsMergedOnceNoToolWindowIsOpenAndTheWordFileIsOpenedAgain) {
  writeSampleDictionary();
  ASSERT_EQ(start(), -1);
  startRecordingMessageBoxes();
  SyncWatch watch(mainWindow, 20);
  mainWindow->command(cmdSearch, commandClicked);
  ASSERT_NE(qobject_cast<SearchWindow*>(mainWindow->openToolWindow()), nullptr);
  // The other computer added "lapin" to the word file both changed.
  const std::string copy = std::string("language/Fre_Eng") + copyStamp + ".zb";
  writeWords(copy, {{"chat", "cat"}, {"chien", "dog"}, {"lapin", "rabbit"}, {"maison", "house, home"}});
  processEvents(200);
  EXPECT_TRUE(fs::exists(copy)) << "the search window works on the file: the merge waits";
  EXPECT_TRUE(recordedMessageBoxes().empty());

  mainWindow->openToolWindow()->command(cmdDone, commandClicked);
  processEvents(200);
  EXPECT_FALSE(fs::exists(copy));
  EXPECT_EQ(readWords("language/Fre_Eng.zb"),
            (std::vector<WordPair>{{"chat", "cat"}, {"chien", "dog"}, {"lapin", "rabbit"}, {"maison", "house, home"}}));
  EXPECT_EQ(store.wordCount, 4) << "the store reads the merged file";
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_NE(recordedMessageBoxes()[0].text.find("Merged with what another computer changed:"), std::string::npos);
}

}  // namespace
}  // namespace zembo
