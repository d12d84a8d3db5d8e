#pragma once
// What the import makes in a folder: every file is written beside its place first ("name.new")
// and takes its place only when all of them are whole. Until then a failure removes what was
// made, newest first, so that the folder is as it was. The commit goes through a journal
// (formats/importjournal.h): a kill while the files take their places is completed later, so the
// folder holds either the old files or the new ones.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/importjournal.h"
#include "platform/safefiles.h"

namespace zembo {

class FolderChanges {
 public:
  // The paths given below are relative to the working folder, which is the folder that changes.
  FolderChanges() = default;
  FolderChanges(const FolderChanges&) = delete;
  FolderChanges& operator=(const FolderChanges&) = delete;
  // Without commit, removes what was made.
  ~FolderChanges();

  // Makes a folder unless it is there; throws ImportError when it cannot.
  void makeFolder(const std::filesystem::path& folder);
  // Writes a file's new version beside it; throws ImportError when it cannot.
  void write(const std::filesystem::path& file, const std::function<bool(std::FILE*)>& writer);
  void writeText(const std::filesystem::path& file, const std::string& text);
  // Where write put a file's new version until the commit.
  static std::filesystem::path newVersion(const std::filesystem::path& file);
  // Every new version takes its place, with the old file's permissions; throws ImportError when
  // the journal cannot be written (nothing changed) or a rename failed (the next import or start
  // completes it).
  void commit();

 private:
  std::vector<std::filesystem::path> made_, written_;
  // The new versions stay locked while the import runs: a clean-up elsewhere leaves them alone.
  std::vector<FileHold> holds_;
  bool committed_ = false;
};

// Completes an import killed during its commit, then removes what imports killed before their
// commit left in the folder: new versions and temporary files of the word files in the word
// folder and of the named files beside the folder's own. Throws ImportError when a journal there
// cannot be completed or names files no import writes (nothing is then renamed).
void removeImportLeftovers(const std::filesystem::path& wordFolder, const std::vector<std::string>& ownFiles);

// Whether a journal line names a file an import writes: a word file ("language/Ger_Eng.zb") or
// its articles ("language/Ger_Eng.art") in the word folder of an edition, or an edition's
// configuration file or language.ini beside it.
bool isImportFile(std::string_view line);

// What zembo's start does with the folder it works in: completes an import killed during its
// commit when its journal names only files an import writes (why says what was wrong otherwise),
// then removes what killed imports left that no running one holds. A journal that stays (a rename
// failed, or it was refused) keeps the new versions too.
JournalEnd completeInterruptedImport(const std::filesystem::path& folder, std::string* why);

struct FolderChangeState {
  // Called with the name of each step the changes take (a file written, the journal, a rename);
  // tests end the process there to see what a kill at that moment leaves.
  void (*folderChangeStep)(const char* step) = nullptr;
};
// Read anywhere; written only by importer/folderchanges.cpp.
extern const FolderChangeState& folderChanges;
// Lets watcher hear the name of each step the changes take from now on (nullptr: nobody hears).
void watchFolderChangeSteps(void (*watcher)(const char* step));
// Nobody hears the steps, as at the start.
void resetFolderChangeState();

}  // namespace zembo
