// What a kill at each step of an import's commit leaves.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "formats/importjournal.h"
#include "importer/folderchanges.h"
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
    EXPECT_TRUE(found == visibleFiles(oldFolder) || found == visibleFiles(newFolder)) << "stopped after step " << stopAt;
    if (WEXITSTATUS(status) == 1) break;
    ++steps;
  }
  EXPECT_GE(steps, 6);
}

}  // namespace
}  // namespace zembo::test
