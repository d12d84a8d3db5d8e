// What a kill at each step of an import's commit leaves.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "formats/importjournal.h"
#include "importer/folderchanges.h"
#include "importer/stepclock.h"
#include "tests/importer/importfixture.h"

namespace zembo::test {
namespace {

using Folder = std::map<std::string, std::string>;

// The files zembo reads, without what a killed import left for the next one to remove.
Folder visibleFiles(const Folder& folder) {
  Folder visible;
  for (const auto& [name, bytes] : folder)
    if (name.find(".new") == std::string::npos) visible.emplace(name, bytes);
  return visible;
}

class ImportCommitTest : public ImportTest {
 protected:
  Folder visibleIn(const std::filesystem::path& folder) { return visibleFiles(snapshot(folder)); }
};

// A kill at any step of the import's commit leaves the folder, as zembo finds it on its next
// start, with the old files or with the new ones, never one of each; the next import clears what
// is left.
TEST_F(ImportCommitTest, AKillAtAnyStepLeavesTheOldOrTheNewFiles) {
  const auto oldDict = writeDictionary("freedict-deu-eng", {article("Haus", "house")});
  importInto(oldDict);
  const auto oldFolder = snapshot(dir / "zb");
  std::filesystem::create_directories("dict/other");
  const auto newDict = writeDictionary("other/freedict-deu-eng", {article("Hof", "yard")});
  importInto(newDict);
  const auto newFolder = snapshot(dir / "zb");
  ASSERT_NE(oldFolder, newFolder);
  int steps = 0;
  for (int stopAt = 1;; ++stopAt) {
    importInto(oldDict);
    ASSERT_EQ(snapshot(dir / "zb"), oldFolder);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
      static int left;
      left = stopAt;
      folderChanges.folderChangeStep = [](const char*) {
        if (--left == 0) ::_exit(0);
      };
      try {
        importInto(newDict);
      } catch (...) {
        ::_exit(2);
      }
      ::_exit(1);  // not stopped: every step was taken
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_NE(WEXITSTATUS(status), 2);
    ASSERT_TRUE(finishInterruptedImport(dir / "zb"));  // as zembo's start does
    const auto found = visibleIn(dir / "zb");
    EXPECT_TRUE(found == visibleFiles(oldFolder) || found == visibleFiles(newFolder))
        << "stopped after step " << stopAt;
    if (WEXITSTATUS(status) == 1) break;
    ++steps;
  }
  EXPECT_GE(steps, 6);
}

std::vector<DictdArticle> manyArticles(int count) {
  std::vector<DictdArticle> articles;
  for (int i = 0; i < count; ++i)
    articles.push_back(
        article("Wort" + std::to_string(i), "word " + std::to_string(i) + ", term " + std::to_string(i)));
  return articles;
}

// A user may stop an import at any moment it asks, at the end of each step and inside the long
// loops (reading the articles, joining, sorting, making the reverse records, writing): the folder
// is then byte for byte as it was. From the journal on nobody is asked, and the import completes.
TEST_F(ImportCommitTest, AStopAtAnyMomentBeforeTheCommitLeavesTheFolderAsItWas) {
  const auto oldDict = writeDictionary("freedict-deu-eng", {article("Haus", "house")});
  importInto(oldDict);
  const auto oldFolder = snapshot(dir / "zb");
  std::filesystem::create_directories("dict/other");
  const auto newDict = writeDictionary("other/freedict-deu-eng", manyArticles(70));
  static bool journalWritten;
  folderChanges.folderChangeStep = [](const char* step) {
    if (std::string_view(step) == "journal") journalWritten = true;
  };
  // Each answer takes longer than the loops wait between two questions, so every loop asks.
  int asked = 0, stopAt = 0;
  bool askedAfterJournal = false;
  options.stopRequested = [&] {
    askedAfterJournal |= journalWritten;
    std::this_thread::sleep_for(StepClock::askingInterval + std::chrono::milliseconds(1));
    return ++asked == stopAt;
  };
  int stops = 0;
  for (stopAt = 1;; ++stopAt) {
    asked = 0;
    journalWritten = false;
    try {
      importInto(newDict);
    } catch (const ImportError& error) {
      ASSERT_EQ(error.code, ImportFailure::stopped) << error.what();
      ASSERT_EQ(snapshot(dir / "zb"), oldFolder) << "stopped at question " << stopAt;
      ++stops;
      continue;
    }
    EXPECT_LT(asked, stopAt);  // every question was answered no
    break;
  }
  folderChanges.folderChangeStep = nullptr;
  EXPECT_FALSE(askedAfterJournal);
  EXPECT_EQ(wordsOf("zb/language/Ger_Eng.zb").size(), 70u);
  // More questions than steps: the loops ask too.
  EXPECT_GT(stops, 16) << stops;
}

}  // namespace
}  // namespace zembo::test
