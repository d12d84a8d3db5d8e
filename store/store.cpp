#include "store/store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "directions/directions.h"
#include "platform/asciicase.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/collate.h"
#include "store/sort.h"

namespace zembo {

int wordFile = -1;
int wordCount = 0;
int listFile = -1;
int listCount = 0;
WordRecord currentRecord{};
char practiceListName[150] = "";
int namedListCount = 0;

RecordMap wordMap;
RecordMap listMap;
std::int64_t wordFileRecords = 0;
std::int64_t listFileRecords = 0;

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
  messageBox(mainWindowHandle, text, uiTextCopy(textProgramName), MB_OK | MB_ICONWARNING);
}

// Reads come from the mapping; pread only serves what it cannot (a file gone shorter under it).
int readRecord(int fd, const RecordMap& map, std::int64_t fileRecords, int count, int index) {
  if (fd < 0 || index < 0 || index > count) return -1;
  WordRecord record;
  const auto offset = static_cast<std::uint64_t>(index) * recordSize;
  if (index >= fileRecords || !readFromMap(map, offset, &record, recordSize))
    if (::pread(fd, &record, recordSize, static_cast<off_t>(offset)) != recordSize) return -1;
  currentRecord = record;
  return 0;
}

// Writing past the count would leave a gap of zero records in the file, so the index may be at
// most the count (which appends).
int writeRecord(int fd, RecordMap& map, std::int64_t& fileRecords, int count, int index) {
  if (fd < 0 || index < 0 || index > count) return -1;
  if (::pwrite(fd, &currentRecord, recordSize, static_cast<off_t>(index) * recordSize) != recordSize) return -1;
  if (index >= fileRecords) {
    fileRecords = index + 1;
    growRecordMap(map, fd, static_cast<std::uint64_t>(fileRecords) * recordSize);
  }
  return 0;
}

void closeFile(int& fd, RecordMap& map, std::int64_t& fileRecords) {
  unmapRecordFile(map);
  fileRecords = 0;
  if (fd >= 0) ::close(fd);
  fd = -1;
}

std::string listFolderPattern() { return uiTextCopy(textListFolder) + "\\*.*"; }

}  // namespace

std::string wordFilePath() { return uiTextCopy(textLanguageFolder) + activeWordFileName(currentDirection); }

std::string listFilePath() {
  return uiTextCopy(textListFolder) + practiceListName + "\\" + activeListFileName(currentDirection);
}

int openWordFile() {
  const std::string path = wordFilePath();
  closeFile(wordFile, wordMap, wordFileRecords);
  wordFile = openForUpdate(path, false);
  if (wordFile < 0) {
    char text[400];
    std::snprintf(text, sizeof text, "Can't open %s   \n\nProgram aborted", path.c_str());
    messageBox(mainWindowHandle, text, uiTextCopy(textProgramName), MB_OK | MB_ICONWARNING);
    exitProcess(1);
  }
  openListFile();
  return 0;
}

int openListFile() {
  if (!practiceListName[0]) {
    namedListCount = countListFolders() - 2;
    if (namedListCount > 0) selectFirstList();
  }
  if (!practiceListName[0]) return 0;
  const std::string path = listFilePath();
  closeFile(listFile, listMap, listFileRecords);
  listFile = openForUpdate(path, false);
  if (listFile < 0) listFile = openForUpdate(path, true);
  return listFile >= 0 ? 0 : -1;
}

// The program cannot go on without its word file, and must never rewrite one it cannot count.
void countWordRecords() {
  if (!countAndMap(wordFile, wordMap, wordFileRecords)) {
    reportTooManyRecords(wordFilePath(), "\n\nProgram aborted");
    exitProcess(1);
  }
  wordCount = static_cast<int>(wordFileRecords);
  countListRecords();
}

// A practice list file that is too large is left alone: no list is open.
void countListRecords() {
  listCount = 0;
  if (!practiceListName[0] || listFile < 0) return;
  if (!countAndMap(listFile, listMap, listFileRecords)) {
    reportTooManyRecords(listFilePath(), "");
    closeListFile();
    return;
  }
  listCount = static_cast<int>(listFileRecords);
}

int readWordRecord(int index) { return readRecord(wordFile, wordMap, wordFileRecords, wordCount, index); }
int readListRecord(int index) { return readRecord(listFile, listMap, listFileRecords, listCount, index); }
int writeWordRecord(int index) { return writeRecord(wordFile, wordMap, wordFileRecords, wordCount, index); }
int writeListRecord(int index) { return writeRecord(listFile, listMap, listFileRecords, listCount, index); }

void closeStoreFiles() {
  closeFile(wordFile, wordMap, wordFileRecords);
  closeListFile();
}

void closeListFile() { closeFile(listFile, listMap, listFileRecords); }

int countListFolders() {
  int folders = 0;
  for (const DirectoryEntry& entry : findFiles(listFolderPattern())) folders += entry.isDirectory;
  return folders;
}

int selectFirstList() {
  for (const DirectoryEntry& entry : findFiles(listFolderPattern()))
    if (entry.isDirectory && entry.name[0] != '.') {
      const std::size_t n = std::min(entry.name.size(), sizeof practiceListName - 1);
      std::memcpy(practiceListName, entry.name.data(), n);
      practiceListName[n] = '\0';
      return 400;
    }
  return 0;
}

int listFolderExists() {
  for (const DirectoryEntry& entry : findFiles(listFolderPattern()))
    if (entry.isDirectory && entry.name[0] != '.' && equalNoCase(entry.name, practiceListName)) return 1;
  return 0;
}

void resetStoreState() {
  closeStoreFiles();
  wordCount = listCount = 0;
  wordFileRecords = listFileRecords = 0;
  currentRecord = WordRecord{};
  practiceListName[0] = '\0';
  namedListCount = 0;
  std::memset(sortTable, 0, sizeof sortTable);
  needsSort = 0;
  sortProgress = nullptr;
}

}  // namespace zembo
