#include "store/store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "directions/directions.h"
#include "platform/asciicase.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/collate.h"
#include "store/editlog.h"
#include "store/sort.h"

namespace zembo {

namespace {

StoreState storeState;  // the one mutable instance; every other file sees the const view

}  // namespace

const StoreState& store = storeState;

namespace {

constexpr int recordSize = sizeof(WordRecord);

int openForUpdate(const std::string& path, bool create) {
  const int flags = O_RDWR | O_CLOEXEC | (create ? O_CREAT | O_TRUNC : 0);
  return ::open(hostPath(path).c_str(), flags, 0644);
}

std::int64_t recordsInFile(int fd) {
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0) return 0;
  return static_cast<std::int64_t>(static_cast<unsigned long long>(st.st_size) / recordSize);
}

// The records the file holds now, and a fresh mapping of them. The count callers see is an int,
// so a file with more records than that is reported, and the caller refuses it.
bool countAndMap(int fd, RecordMap& map, std::int64_t& fileRecords) {
  fileRecords = recordsInFile(fd);
  if (fileRecords > INT_MAX) {
    unmapRecordFile(map);
    return false;
  }
  mapRecordFile(map, fd, static_cast<std::uint64_t>(fileRecords) * recordSize);
  return true;
}

void reportTooManyRecords(const std::string& path, const char* consequence) {
  char text[500];
  std::snprintf(text, sizeof text, "%s holds more records than the program can handle   %s", path.c_str(), consequence);
  messageBox(messageBoxes.mainWindowHandle, text, uiTextCopy(textProgramName), MB_OK | MB_ICONWARNING);
}

// Reads come from the mapping; pread only serves what it cannot (a file gone shorter under it).
int readRecord(int fd, const RecordMap& map, std::int64_t fileRecords, int count, int index, WordRecord& record) {
  if (fd < 0 || index < 0 || index > count) return -1;
  WordRecord read;
  const auto offset = static_cast<std::uint64_t>(index) * recordSize;
  if (index >= fileRecords || !readFromMap(map, offset, &read, recordSize))
    if (::pread(fd, &read, recordSize, static_cast<off_t>(offset)) != recordSize) return -1;
  record = read;
  return 0;
}

// Writing past the count would leave a gap of zero records in the file, so the index may be at
// most the count (which appends).
int writeRecord(int fd, RecordMap& map, std::int64_t& fileRecords, int count, int index, const WordRecord& record) {
  if (fd < 0 || index < 0 || index > count) return -1;
  if (::pwrite(fd, &record, recordSize, static_cast<off_t>(index) * recordSize) != recordSize) return -1;
  if (index >= fileRecords) {
    fileRecords = index + 1;
    growRecordMap(map, fd, static_cast<std::uint64_t>(fileRecords) * recordSize);
  }
  return 0;
}

// The record a write replaces, found again in a file that was replaced under its name; the count
// (an append) when it is not there.
int findAgain(const WordFile& file, const WordRecord& replaced) {
  WordRecord record;
  for (int i = 0; i < file.wordCount; ++i)
    if (readWordRecord(file, i, record) == 0 && sameRecord(record, replaced)) return i;
  return file.wordCount;
}

std::int64_t nextEditTime() {
  const auto now =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch())
          .count();
  storeState.lastEditTime = std::max<std::int64_t>(now, storeState.lastEditTime + 1);
  return storeState.lastEditTime;
}

// A change that is not logged is only lost to a merge, never to the file: it goes unreported.
void logEdit(const DictionaryDirection& direction, const WordRecord* before, const WordRecord& after) {
  RecordEdit edit;
  edit.id = newEditId();
  edit.time = nextEditTime();
  edit.added = before == nullptr;
  if (before) edit.before = *before;
  edit.after = after;
  const std::filesystem::path log = hostPath(editLogPath(direction));
  if (appendEditLog(log, edit)) return;
  std::error_code noFolder;
  std::filesystem::create_directory(log.parent_path(), noFolder);
  appendEditLog(log, edit);
}

void closeFile(int& fd, RecordMap& map, std::int64_t& fileRecords) {
  unmapRecordFile(map);
  fileRecords = 0;
  if (fd >= 0) ::close(fd);
  fd = -1;
}

std::string listFolderPattern() { return uiTextCopy(textListFolder) + "\\*.*"; }

// A file opened for another direction owes nothing of the old one's; one that owes no sort is in
// order as a whole.
void takeDirection(WordFile& file, const DictionaryDirection& direction) {
  if (file.direction != &direction) file.needsSort = 0;
  file.direction = &direction;
}

void trustOrder(WordFile& file) {
  if (!file.needsSort) file.sortedCount = file.wordCount;
}

}  // namespace

std::string wordFilePath(const DictionaryDirection& direction) {
  return uiTextCopy(textLanguageFolder) + activeWordFileName(&direction);
}

std::string wordFilePath() { return wordFilePath(*directions.currentDirection); }

std::string listFilePath() {
  return uiTextCopy(textListFolder) + storeState.practiceListName + "\\" +
         activeListFileName(directions.currentDirection);
}

int openWordFile() {
  const std::string path = wordFilePath();
  closeFile(storeState.wordFile, storeState.wordMap, storeState.wordFileRecords);
  takeDirection(storeState, *directions.currentDirection);
  storeState.wordFile = openForUpdate(path, false);
  if (storeState.wordFile < 0) {
    char text[400];
    std::snprintf(text, sizeof text, "Can't open %s   \n\nProgram aborted", path.c_str());
    messageBox(messageBoxes.mainWindowHandle, text, uiTextCopy(textProgramName), MB_OK | MB_ICONWARNING);
    exitProcess(1);
  }
  openListFile();
  return 0;
}

int openListFile() {
  if (!storeState.practiceListName[0]) {
    if (countNamedLists() > 0) selectFirstList();
  }
  if (!storeState.practiceListName[0]) return 0;
  const std::string path = listFilePath();
  closeFile(storeState.listFile, storeState.listMap, storeState.listFileRecords);
  storeState.listFile = openForUpdate(path, false);
  if (storeState.listFile < 0) storeState.listFile = openForUpdate(path, true);
  return storeState.listFile >= 0 ? 0 : -1;
}

// The program cannot go on without its word file, and must never rewrite one it cannot count.
void countWordRecords() {
  if (!countAndMap(storeState.wordFile, storeState.wordMap, storeState.wordFileRecords)) {
    reportTooManyRecords(wordFilePath(), "\n\nProgram aborted");
    exitProcess(1);
  }
  storeState.wordCount = static_cast<int>(storeState.wordFileRecords);
  trustOrder(storeState);
  countListRecords();
}

// A practice list file that is too large is left alone: no list is open.
void countListRecords() {
  storeState.listCount = 0;
  if (!storeState.practiceListName[0] || storeState.listFile < 0) return;
  if (!countAndMap(storeState.listFile, storeState.listMap, storeState.listFileRecords)) {
    reportTooManyRecords(listFilePath(), "");
    closeListFile();
    return;
  }
  storeState.listCount = static_cast<int>(storeState.listFileRecords);
}

int readWordRecord(int index, WordRecord& record) { return readWordRecord(storeState, index, record); }
int readListRecord(int index, WordRecord& record) {
  return readRecord(storeState.listFile, storeState.listMap, storeState.listFileRecords, storeState.listCount, index,
                    record);
}
int writeWordRecord(int index, const WordRecord& record) { return writeWordRecord(storeState, index, record); }
int writeListRecord(int index, const WordRecord& record) {
  if (storeState.listFile >= 0 && replacedUnderName(storeState.listFile, listFilePath())) {
    WordRecord before;
    const bool change = index < storeState.listCount && readListRecord(index, before) == 0;
    openListFile();
    countListRecords();
    int found = storeState.listCount;
    WordRecord listed;
    for (int i = 0; change && i < storeState.listCount && found == storeState.listCount; ++i)
      if (readListRecord(i, listed) == 0 && sameRecord(listed, before)) found = i;
    index = found;
  }
  return writeRecord(storeState.listFile, storeState.listMap, storeState.listFileRecords, storeState.listCount, index,
                     record);
}
int appendWordRecord(const WordRecord& record) { return appendWordRecord(storeState, record); }
void markUnsorted() { markUnsorted(storeState); }

bool loadStoreCollation(WindowHandle parent) {
  return loadCollation(storeState.collation, *directions.currentDirection, parent);
}

void refreshStoreCollation() {
  const DictionaryDirection& d = *storeState.direction;
  storeState.collation.hasSortTable = d.hasSortTable;
  storeState.collation.locale.open(d.localeName);
  checkLocaleName(d.localeName);
  loadSortTable(storeState.collation, d);
}

int sortWordFile() { return sortWordFile(storeState); }
int mergeWordFile() { return mergeWordFile(storeState); }

int readWordRecord(const WordFile& file, int index, WordRecord& record) {
  return readRecord(file.wordFile, file.wordMap, file.wordFileRecords, file.wordCount, index, record);
}

int writeWordRecord(WordFile& file, int index, const WordRecord& record) {
  WordRecord before;
  const bool change = index < file.wordCount && readWordRecord(file, index, before) == 0;
  bool movedToEnd = false;
  if (file.direction && replacedUnderName(file.wordFile, wordFilePath(*file.direction))) {
    if (reopenWordFile(file) != 0) return -1;
    index = change ? findAgain(file, before) : file.wordCount;
    movedToEnd = change && index == file.wordCount;
    if (index == file.wordCount) markUnsorted(file);
  }
  if (writeRecord(file.wordFile, file.wordMap, file.wordFileRecords, file.wordCount, index, record) != 0) return -1;
  if (movedToEnd) ++file.wordCount;  // a caller that appends counts its record itself
  if (file.direction) logEdit(*file.direction, change ? &before : nullptr, record);
  return 0;
}

int appendWordRecord(WordFile& file, const WordRecord& record) {
  if (writeWordRecord(file, file.wordCount, record) != 0) return -1;
  ++file.wordCount;
  return 0;
}

void markUnsorted(WordFile& file) { file.needsSort = 1; }

int openWordFile(WordFile& file, const DictionaryDirection& direction, const WordCollation& collation) {
  closeWordFile(file);
  takeDirection(file, direction);
  file.collation = collation;
  loadCollation(file.collation, direction);
  return reopenWordFile(file);
}

void closeWordFile(WordFile& file) { closeFile(file.wordFile, file.wordMap, file.wordFileRecords); }

int reopenWordFile(WordFile& file) {
  if (&file == &store) {
    reopenStore();
    return 0;
  }
  if (!file.direction) return -1;
  closeWordFile(file);
  file.wordFile = openForUpdate(wordFilePath(*file.direction), false);
  if (file.wordFile < 0 || !countAndMap(file.wordFile, file.wordMap, file.wordFileRecords)) {
    closeWordFile(file);
    return -1;
  }
  file.wordCount = static_cast<int>(file.wordFileRecords);
  trustOrder(file);
  return 0;
}

void reopenStore() {
  closeStoreFiles();
  openWordFile();
  countWordRecords();
}

void closeStoreFiles() {
  closeWordFile(storeState);
  closeListFile();
}

void closeListFile() { closeFile(storeState.listFile, storeState.listMap, storeState.listFileRecords); }

void resetStoreState() {
  closeStoreFiles();
  storeState = {};
}

void setPracticeListName(std::string_view name) {
  const std::size_t n = std::min(name.size(), sizeof storeState.practiceListName - 1);
  std::memcpy(storeState.practiceListName, name.data(), n);
  storeState.practiceListName[n] = '\0';
}

int appendListRecord(const WordRecord& record) {
  if (writeListRecord(storeState.listCount, record) != 0) return -1;
  ++storeState.listCount;
  return 0;
}

bool replacedUnderName(int fd, const std::string& path) {
  struct stat opened {
  }, named{};
  if (fd < 0 || ::fstat(fd, &opened) != 0) return false;
  // A name that is gone for a moment (between two steps of a replacement) keeps the file open.
  if (::stat(hostPath(path).c_str(), &named) != 0) return false;
  return opened.st_ino != named.st_ino || opened.st_dev != named.st_dev;
}

int countNamedLists() { return storeState.namedListCount = countListFolders() - 2; }

int countListFolders() {
  int folders = 0;
  for (const DirectoryEntry& entry : findFiles(listFolderPattern())) folders += entry.isDirectory;
  return folders;
}

int selectFirstList() {
  for (const DirectoryEntry& entry : findFiles(listFolderPattern()))
    if (entry.isDirectory && entry.name[0] != '.') {
      setPracticeListName(entry.name);
      return 400;
    }
  return 0;
}

int listFolderExists() { return listFolderExists(storeState.practiceListName) ? 1 : 0; }

bool listFolderExists(std::string_view name) {
  for (const DirectoryEntry& entry : findFiles(listFolderPattern()))
    if (entry.isDirectory && entry.name[0] != '.' && equalNoCase(entry.name, name)) return true;
  return false;
}

}  // namespace zembo
