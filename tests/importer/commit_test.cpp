// What a kill at each step of an import's commit leaves.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <functional>
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
  // An import in a child process stopped at a step of its changes: killed there (exit), or kept
  // running there (pause) until the test kills it.
  pid_t importStoppedAt(const std::filesystem::path& dict, int stopAt, bool keepRunning) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
      static int left;
      static bool pauseThere;
      left = stopAt;
      pauseThere = keepRunning;
      watchFolderChangeSteps([](const char*) {
        if (--left != 0) return;
        if (!pauseThere) ::_exit(0);
        for (;;) ::pause();
      });
      try {
        importInto(dict);
      } catch (...) {
        ::_exit(2);
      }
      ::_exit(1);
    }
    return child;
  }
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
      watchFolderChangeSteps([](const char*) {
        if (--left == 0) ::_exit(0);
      });
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
    ASSERT_NE(completeInterruptedImport(dir / "zb", nullptr), JournalEnd::renameFailed);  // as zembo's start does
    const auto found = visibleIn(dir / "zb");
    EXPECT_TRUE(found == visibleFiles(oldFolder) || found == visibleFiles(newFolder))
        << "stopped after step " << stopAt;
    if (WEXITSTATUS(status) == 1) break;
    ++steps;
  }
  EXPECT_GE(steps, 6);
}

// Runs f in a child process; false when it has not ended within seconds (it waits for ever).
bool endsWithin(int seconds, const std::function<void()>& f) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::alarm(static_cast<unsigned>(seconds));
    f();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Anyone who may write the folder may write a journal: one naming files outside it, or files of
// it that no import writes, is refused by zembo's start and by the import alike, and nothing is
// renamed.
TEST_F(ImportCommitTest, AJournalNamingFilesNoImportWritesIsRefused) {
  std::filesystem::create_directories("zb/language");
  const std::string outside = (dir / "victim.txt").string();
  const struct {
    std::string line;
    std::filesystem::path file;  // what it names, beside which a new version waits
  } cases[] = {
      {"../victim.txt", dir / "victim.txt"},
      {outside, dir / "victim.txt"},
      {"language/../../victim.txt", dir / "victim.txt"},
      {"language/notes.txt", dir / "zb/language/notes.txt"},
      {"list/Ger_Eng.zb", dir / "zb/list/Ger_Eng.zb"},
      {"language/sub/Ger_Eng.zb", dir / "zb/language/sub/Ger_Eng.zb"},
      {"language/.art", dir / "zb/language/.art"},
      {"list/Ger_Eng.art", dir / "zb/list/Ger_Eng.art"},
      {"notes.ini", dir / "zb/notes.ini"},
  };
  const auto dict = writeDictionary("freedict-deu-eng", {article("Haus", "house")});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    writeFile(c.file, "mine");
    writeFile(c.file.string() + ".new", "planted");
    // A line that is an import's own does not make the others good.
    writeFile("zb/zembo-import.journal", "language/Ger_Eng.zb\n" + c.line + "\n");
    std::string why;
    EXPECT_EQ(completeInterruptedImport(dir / "zb", &why), JournalEnd::refused);
    EXPECT_NE(why.find(c.line), std::string::npos) << why;
    EXPECT_THROW(importInto(dict), ImportError);
    EXPECT_EQ(readFile(c.file), "mine");
    EXPECT_EQ(readFile(c.file.string() + ".new"), "planted");
    EXPECT_TRUE(std::filesystem::exists("zb/zembo-import.journal"));
    std::filesystem::remove("zb/zembo-import.journal");
    std::filesystem::remove(c.file.string() + ".new");
  }
  // The files an import writes are carried out.
  writeFile("zb/language/Ger_Eng.zb.new", "new words");
  writeFile("zb/language/Ger_Eng.art.new", "new articles");
  writeFile("zb/dict.ini.new", "new configuration");
  writeFile("zb/zembo-import.journal", "language/Ger_Eng.zb\nlanguage/Ger_Eng.art\ndict.ini\n");
  EXPECT_EQ(completeInterruptedImport(dir / "zb", nullptr), JournalEnd::completed);
  EXPECT_EQ(readFile("zb/language/Ger_Eng.zb"), "new words");
  EXPECT_EQ(readFile("zb/language/Ger_Eng.art"), "new articles");
  EXPECT_EQ(readFile("zb/dict.ini"), "new configuration");
  EXPECT_FALSE(std::filesystem::exists("zb/zembo-import.journal"));
}

// Only a regular file of a journal's size is read as a journal, and nothing waits on one that
// is a pipe.
TEST_F(ImportCommitTest, AJournalThatIsNoRegularFileIsRefusedWithoutWaiting) {
  writeFile("elsewhere.journal", "language/Ger_Eng.zb\n");
  writeFile("zb/language/Ger_Eng.zb.new", "planted");
  const std::filesystem::path journal = dir / "zb/zembo-import.journal";
  const std::vector<std::pair<const char*, std::function<void()>>> kinds = {
      {"a FIFO", [&] { ASSERT_EQ(::mkfifo(journal.c_str(), 0600), 0); }},
      {"a link", [&] { std::filesystem::create_symlink(dir / "elsewhere.journal", journal); }},
      {"a folder", [&] { std::filesystem::create_directory(journal); }},
      {"too large", [&] { writeFile(journal, std::string(maxImportJournalSize + 1, '\n')); }},
  };
  for (const auto& [kind, make] : kinds) {
    SCOPED_TRACE(kind);
    make();
    EXPECT_TRUE(endsWithin(20, [&] {
      if (completeInterruptedImport(dir / "zb", nullptr) != JournalEnd::refused) ::_exit(3);
    }));
    EXPECT_EQ(readFile("zb/language/Ger_Eng.zb.new"), "planted");
    std::filesystem::remove(journal);
  }
}

// The new versions of an import killed before its commit are removed by zembo's start (not only
// by the next import); those of an import still running are its own and stay.
TEST_F(ImportCommitTest, ZembosStartRemovesWhatAKilledImportLeftButNotWhatARunningOneHolds) {
  const auto oldDict = writeDictionary("freedict-deu-eng", {article("Haus", "house")});
  importInto(oldDict);
  const auto before = snapshot(dir / "zb");
  const auto newDict = writeDictionary("freedict-deu-eng", {article("Hof", "yard")});
  for (const bool running : {false, true}) {
    SCOPED_TRACE(running ? "running" : "killed");
    // The word files, the article file, the entry indexes and dict.ini written.
    const pid_t child = importStoppedAt(newDict, 6, running);
    if (running) {
      // Stopped inside the step: wait until its files are there.
      for (int i = 0; i < 2000 && !std::filesystem::exists("zb/dict.ini.new"); ++i) ::usleep(5000);
    }
    if (!running) ::waitpid(child, nullptr, 0);
    ASSERT_TRUE(std::filesystem::exists("zb/language/Ger_Eng.zb.new"));
    ASSERT_TRUE(std::filesystem::exists("zb/dict.ini.new"));
    ASSERT_TRUE(std::filesystem::exists("zb/language/Ger_Eng.art.new"));
    ASSERT_TRUE(std::filesystem::exists("zb/language/Ger_Eng.fnd.new"));
    ASSERT_TRUE(std::filesystem::exists("zb/language/Ger_Eng.fnw.new"));
    // Temporaries of a journal, a sort, an article file and a configuration rewrite, killed before
    // their renames.
    for (const char* name : {"zembo-import.journal.aB3dE6gH", "language/Ger_Eng.zb.Zz09Aa11",
                             "language/Ger_Eng.art.new.Yy98Xx76", "dict.ini.Qq12Ww34"})
      writeFile(dir / "zb" / name, "half");
    EXPECT_EQ(completeInterruptedImport(dir / "zb", nullptr), JournalEnd::none);
    EXPECT_FALSE(std::filesystem::exists("zb/language/Ger_Eng.zb.Zz09Aa11"));
    EXPECT_FALSE(std::filesystem::exists("zb/language/Ger_Eng.art.new.Yy98Xx76"));
    EXPECT_EQ(std::filesystem::exists("zb/language/Ger_Eng.art.new"), running);
    EXPECT_EQ(std::filesystem::exists("zb/language/Ger_Eng.fnw.new"), running);
    EXPECT_FALSE(std::filesystem::exists("zb/dict.ini.Qq12Ww34"));
    EXPECT_EQ(std::filesystem::exists("zb/language/Ger_Eng.zb.new"), running);
    EXPECT_EQ(std::filesystem::exists("zb/dict.ini.new"), running);
    EXPECT_FALSE(std::filesystem::exists("zb/zembo-import.journal.aB3dE6gH"));
    if (running) {
      ::kill(child, SIGKILL);
      ::waitpid(child, nullptr, 0);
      EXPECT_EQ(completeInterruptedImport(dir / "zb", nullptr), JournalEnd::none);
    }
    EXPECT_EQ(snapshot(dir / "zb"), before);
  }
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
  watchFolderChangeSteps([](const char* step) {
    if (std::string_view(step) == "journal") journalWritten = true;
  });
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
  resetFolderChangeState();
  EXPECT_FALSE(askedAfterJournal);
  EXPECT_EQ(wordsOf("zb/language/Ger_Eng.zb").size(), 70u);
  // More questions than steps: the loops ask too.
  EXPECT_GT(stops, 16) << stops;
}

}  // namespace
}  // namespace zembo::test
