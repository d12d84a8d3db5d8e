#include "importer/folderchanges.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "formats/importjournal.h"
#include "importer/dictd.h"
#include "importer/editions.h"
#include "platform/hostpath.h"
#include "platform/safefiles.h"

namespace zembo {

namespace {

FolderChangeState folderChangeState;  // the one mutable instance

std::filesystem::path newVersionOf(const std::filesystem::path& file) { return file.string() + newVersionSuffix; }

void stepTaken(const char* step) {
  if (folderChangeState.folderChangeStep) folderChangeState.folderChangeStep(step);
}

std::string here(const std::filesystem::path& path) { return (std::filesystem::current_path() / path).string(); }

bool endsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// A file an import writes in the word folder: a word file ("Ger_Eng.zb"), the articles of one
// ("Ger_Eng.art") or the indexes of its entries ("Ger_Eng.fnd", "Ger_Eng.fnw"), with a name before
// the extension.
bool isWordFolderFile(std::string_view name) {
  return (name.size() > 3 && endsWith(name, ".zb")) ||
         (name.size() > 4 && (endsWith(name, ".art") || endsWith(name, ".fnd") || endsWith(name, ".fnw")));
}

// A new version an import writes, or a temporary file of one: "X.new" or "X.new.XXXXXXXX", where
// X is a name the caller owns.
bool isImportLeftover(std::string_view name, const std::function<bool(std::string_view)>& isOwn) {
  const std::string_view target = targetOfTemporaryName(name);
  if (!target.empty()) name = target;
  if (!endsWith(name, newVersionSuffix)) return false;
  return isOwn(name.substr(0, name.size() - std::strlen(newVersionSuffix)));
}

void removeLeftoversIn(const std::filesystem::path& folder, const std::function<bool(std::string_view)>& isOwn) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    // A running import holds its new versions: only a killed one's go.
    if (isImportLeftover(name, isOwn)) removeUnlessHeld(entry.path());
  }
}

// Completes an earlier import's commit; throws ImportError when it cannot.
void completeEarlierImport() {
  std::string why;
  switch (finishInterruptedImport(".", isImportFile, &why)) {
    case JournalEnd::none:
    case JournalEnd::completed:
      return;
    case JournalEnd::renameFailed:
      throw ImportError(ImportFailure::earlierImport, {here(importJournalName), std::strerror(errno)}, errno);
    case JournalEnd::refused:
      throw ImportError(ImportFailure::journalRefused, {here(importJournalName), why});
  }
}

}  // namespace

const FolderChangeState& folderChanges = folderChangeState;

void watchFolderChangeSteps(void (*watcher)(const char* step)) { folderChangeState.folderChangeStep = watcher; }

void resetFolderChangeState() { folderChangeState = {}; }

bool isImportFile(std::string_view line) {
  const std::size_t slash = line.find('/');
  if (slash == std::string_view::npos)
    return line == "language.ini" || std::any_of(std::begin(folderEditions), std::end(folderEditions),
                                                 [&](const FolderEdition& e) { return line == e.configFile; });
  const std::string_view folder = line.substr(0, slash), name = line.substr(slash + 1);
  const bool wordFolder =
      std::any_of(std::begin(folderEditions), std::end(folderEditions),
                  [&](const FolderEdition& e) { return folder == e.wordFolder.substr(0, e.wordFolder.size() - 1); });
  return wordFolder && name.find('/') == std::string_view::npos && name.front() != '.' && isWordFolderFile(name);
}

// What killed imports left in a folder: new versions of the word files in the word folder and of
// the named files beside it, their temporary files, and the journal's.
void removeLeftoversOf(const std::filesystem::path& folder, const std::filesystem::path& wordFolder,
                       const std::function<bool(std::string_view)>& isOwnFile) {
  // The word files are this program's own, in the word folder.
  removeLeftoversIn(folder / wordFolder, isWordFolderFile);
  removeLeftoversIn(folder, isOwnFile);
  removeTemporaryFiles(folder, [](std::string_view name) { return name == importJournalName; });
}

JournalEnd completeInterruptedImport(const std::filesystem::path& folder, std::string* why) {
  const JournalEnd end = finishInterruptedImport(folder, isImportFile, why);
  // A journal still there needs its new versions for the next try, or was not written by an import.
  if (end != JournalEnd::none && end != JournalEnd::completed) return end;
  for (const FolderEdition& edition : folderEditions) {
    const std::filesystem::path wordFolder(edition.wordFolder.substr(0, edition.wordFolder.size() - 1));
    removeLeftoversOf(folder, wordFolder, [](std::string_view name) { return isImportFile(name); });
    // And those of a killed sort or configuration rewrite.
    removeTemporaryFiles(folder / wordFolder, isWordFolderFile);
  }
  removeTemporaryFiles(folder, [](std::string_view name) { return isImportFile(name); });
  return end;
}

void removeImportLeftovers(const std::filesystem::path& wordFolder, const std::vector<std::string>& ownFiles) {
  completeEarlierImport();
  removeLeftoversOf(".", wordFolder, [&ownFiles](std::string_view name) {
    return std::find(ownFiles.begin(), ownFiles.end(), name) != ownFiles.end();
  });
}

FolderChanges::~FolderChanges() {
  if (committed_) return;
  std::error_code ignored;
  for (auto it = made_.rbegin(); it != made_.rend(); ++it) std::filesystem::remove(*it, ignored);
}

void FolderChanges::makeFolder(const std::filesystem::path& folder) {
  std::error_code error;
  if (std::filesystem::create_directory(folder, error))
    made_.push_back(folder);
  else if (!std::filesystem::is_directory(folder))
    throw ImportError(ImportFailure::cannotMakeFolder, {here(folder), error.message()}, error.value());
}

void FolderChanges::write(const std::filesystem::path& file, const std::function<bool(std::FILE*)>& writer) {
  const std::filesystem::path next = newVersionOf(file);
  // One left by an import that was killed is replaced, and stays if this one fails too.
  if (!std::filesystem::exists(next)) made_.push_back(next);
  FileHold hold;
  if (!replaceFileSafely(next, writer, hold))
    throw ImportError(ImportFailure::cannotWrite, {here(next), std::strerror(errno)}, errno);
  holds_.push_back(std::move(hold));
  if (!std::filesystem::exists(file)) made_.push_back(file);
  written_.push_back(file);
  stepTaken("written");
}

std::filesystem::path FolderChanges::newVersion(const std::filesystem::path& file) { return newVersionOf(file); }

void FolderChanges::writeText(const std::filesystem::path& file, const std::string& text) {
  write(file, [&](std::FILE* out) { return std::fwrite(text.data(), 1, text.size(), out) == text.size(); });
}

void FolderChanges::commit() {
  for (const std::filesystem::path& file : written_) {
    std::error_code ignored;
    if (std::filesystem::exists(file))
      std::filesystem::permissions(newVersionOf(file), std::filesystem::status(file).permissions(), ignored);
  }
  if (!writeImportJournal(".", written_))
    throw ImportError(ImportFailure::cannotWrite, {here(importJournalName), std::strerror(errno)}, errno);
  // From here on the new versions are the folder's: a kill is completed by whoever comes next.
  committed_ = true;
  stepTaken("journal");
  for (const std::filesystem::path& file : written_) {
    const std::filesystem::path next = newVersionOf(file);
    if (!renameOver(next, file))
      throw ImportError(ImportFailure::cannotRename, {here(next), file.string(), std::strerror(errno)}, errno);
    stepTaken("renamed");
  }
  if (finishInterruptedImport(".", isImportFile) != JournalEnd::completed)
    throw ImportError(ImportFailure::cannotRemove, {here(importJournalName)});
  stepTaken("journal removed");
}

}  // namespace zembo
