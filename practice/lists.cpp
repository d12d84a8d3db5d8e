#include "practice/lists.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unordered_set>

#include "directions/directions.h"
#include "platform/asciicase.h"
#include "platform/hostpath.h"
#include "platform/safefiles.h"
#include "practice/reviewdeck.h"
#include "practice/updatingwindow.h"
#include "resources/commands.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/store.h"

namespace zembo {

namespace {
ListState listsState;  // the one mutable instance
}  // namespace
const ListState& lists = listsState;

void setListId(int id) { listsState.listId = id; }
void markListModified(bool modified) { listsState.listModified = modified; }
void resetListState() { listsState = {}; }

const char* const controlCharacterWarning = "A list name may not hold control characters.   ";

namespace fs = std::filesystem;

namespace {

std::string listFolder() { return uiTextCopy(textListFolder); }

std::string currentListFolder() { return listFolder() + store.practiceListName; }

// Only what really lies inside the list's own folder goes: regular files, never what a symbolic
// link points at, and nothing at all when the list folder itself is a link to somewhere else.
void removeListFolder(WindowHandle owner) {
  const fs::path folder = hostPath(currentListFolder());
  std::error_code error;
  if (!fs::is_directory(fs::symlink_status(folder, error))) return;
  for (const DirectoryEntry& entry : findFiles(currentListFolder() + "\\*.*")) {
    if (entry.isDirectory) continue;
    const fs::path file = hostPath(currentListFolder() + "\\" + entry.name);
    if (fs::is_regular_file(fs::symlink_status(file, error)) && file.parent_path() == folder) fs::remove(file, error);
  }
  if (!fs::remove(folder, error)) {
    const std::string text = uiTextCopy(textCantDeleteFolder) + " " + store.practiceListName;
    messageBox(owner, text, uiTextCopy(textDeleteList), MB_OK);
  }
}

}  // namespace

void reopenListFile() {
  closeListFile();
  openListFile();
  countListRecords();
}

void ensureListFolder() {
  std::error_code error;
  fs::create_directories(hostPath(listFolder()), error);
}

void makeListFolder() {
  std::error_code error;
  fs::create_directory(hostPath(currentListFolder()), error);
}

ListNameCheck checkListName(std::string_view name) {
  bool blank = true;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::strchr("/\\<>|.\"*?:", c) && c) return ListNameCheck::reservedCharacter;
    if (byte < 0x20 || byte == 0x7F) return ListNameCheck::controlCharacter;
    if (c != ' ') blank = false;
  }
  return blank ? ListNameCheck::blank : ListNameCheck::accepted;
}

std::string freeListName(std::string_view fileStem) {
  std::string base;
  for (const char c : fileStem.substr(0, maxListNameLength - 4))
    base += checkListName(std::string_view(&c, 1)) == ListNameCheck::accepted ? c : ' ';
  base.erase(0, base.find_first_not_of(' '));
  base.erase(base.find_last_not_of(' ') + 1);
  if (base.empty()) base = "list";
  std::string name = base;
  for (int n = 2; listFolderExists(name); ++n) name = base + " " + std::to_string(n);
  return name;
}

void makeListCurrent(std::string_view name) {
  closeListFile();
  setPracticeListName(name);
  makeListFolder();
  int id = firstListId;
  for (const DirectoryEntry& entry : findFiles(listFolder() + "\\*.*")) {
    if (!entry.isDirectory || entry.name[0] == '.') continue;
    if (equalNoCase(entry.name, name)) listsState.listId = id;
    ++id;
  }
  countNamedLists();
  openListFile();
  countListRecords();
}

std::string currentListFilePath() {
  std::string path = listFolder();
  if (store.practiceListName[0]) {
    makeListFolder();
    path += store.practiceListName;
    path += "\\";
  }
  return path + activeListFileName(directions.currentDirection);
}

void emptyListFile() {
  const std::string path = currentListFilePath();
  closeListFile();
  removeFile(path);
  openListFile();
  countListRecords();
}

void copyWordFileToList() {
  const std::string target = currentListFilePath();
  closeStoreFiles();
  errno = 0;
  if (!copyFileReplacing(wordFilePath(), target)) {
    char text[200];
    std::snprintf(text, sizeof text, "Could not copy word list file, error code %d   ", errno);
    messageBox(messageBoxes.mainWindowHandle, text, uiTextCopy(textProgramName), MB_OK | MB_ICONWARNING);
  }
  openWordFile();
  countWordRecords();
}

void compactListFile() {
  UpdatingWindow progress;
  progress.showNow();
  const std::string target = currentListFilePath();
  // The live records go to a new file that then takes the old one's place at once.
  replaceFileSafely(hostPath(target), [](std::FILE* out) {
    WordRecord record;
    for (int i = 0; i < store.listCount; ++i)
      if (readListRecord(i, record) == 0 && record.flags == 0 && std::fwrite(&record, sizeof record, 1, out) != 1)
        return false;
    return true;
  });
  reopenListFile();
  listsState.listModified = false;
}

void dropCardsOfLeftEntries() {
  // Most lists were never reviewed: without a card file there is nothing to drop.
  std::error_code error;
  if (!std::filesystem::exists(cardFilePath(currentListHostPath()), error)) return;
  std::unordered_set<std::string> words;
  for (ListEntry& entry : currentListEntries()) words.insert(std::move(entry.word));
  dropCardsNotIn(currentListHostPath(), words);
}

void deleteCurrentList(WindowHandle owner) {
  if (!store.practiceListName[0]) return;
  closeListFile();
  removeListFolder(owner);
  setPracticeListName("");
  if (countNamedLists() > 0) {
    selectFirstList();
    listsState.listId = firstListId;
  }
  openListFile();
  countListRecords();
}

}  // namespace zembo
