#include "store/store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "directions/directions.h"
#include "platform/asciicase.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "resources/uitext.h"

namespace zembo {

int wordFile = -1;
int wordCount = 0;
int listFile = -1;
int listCount = 0;
WordRecord currentRecord{};
char practiceListName[150] = "";
int namedListCount = 0;

namespace {

constexpr int recordSize = sizeof(WordRecord);

int openForUpdate(const std::string& path, bool create) {
  const int flags = O_RDWR | O_CLOEXEC | (create ? O_CREAT | O_TRUNC : 0);
  return ::open(hostPath(path).c_str(), flags, 0644);
}

int countRecords(int fd) {
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0) return 0;
  return static_cast<int>(static_cast<unsigned long long>(st.st_size) / recordSize);
}

int readRecord(int fd, int count, int index) {
  if (fd < 0 || index < 0 || index > count) return -1;
  WordRecord record;
  if (::pread(fd, &record, recordSize, static_cast<off_t>(index) * recordSize) != recordSize) return -1;
  currentRecord = record;
  return 0;
}

// Writing past the count would leave a gap of zero records in the file, so the index may be at
// most the count (which appends).
int writeRecord(int fd, int count, int index) {
  if (fd < 0 || index < 0 || index > count) return -1;
  return ::pwrite(fd, &currentRecord, recordSize, static_cast<off_t>(index) * recordSize) == recordSize ? 0 : -1;
}

void closeFile(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

std::string listFolderPattern() { return uiTextCopy(2) + "\\*.*"; }

}  // namespace

std::string wordFilePath() { return uiTextCopy(1) + activeWordFileName(currentDirection); }

std::string listFilePath() {
  return uiTextCopy(2) + practiceListName + "\\" + activeListFileName(currentDirection);
}

int openWordFile() {
  const std::string path = wordFilePath();
  closeFile(wordFile);
  wordFile = openForUpdate(path, false);
  if (wordFile < 0) {
    char text[400];
    std::snprintf(text, sizeof text, "Can't open %s   \n\nProgram aborted", path.c_str());
    messageBox(mainWindowHandle, text, uiTextCopy(0), MB_OK | MB_ICONWARNING);
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
  closeFile(listFile);
  listFile = openForUpdate(path, false);
  if (listFile < 0) listFile = openForUpdate(path, true);
  return listFile >= 0 ? 0 : -1;
}

void countWordRecords() {
  wordCount = countRecords(wordFile);
  countListRecords();
}

void countListRecords() { listCount = practiceListName[0] ? countRecords(listFile) : 0; }

int readWordRecord(int index) { return readRecord(wordFile, wordCount, index); }
int readListRecord(int index) { return readRecord(listFile, listCount, index); }
int writeWordRecord(int index) { return writeRecord(wordFile, wordCount, index); }
int writeListRecord(int index) { return writeRecord(listFile, listCount, index); }

void closeStoreFiles() {
  closeFile(wordFile);
  closeFile(listFile);
}

void closeListFile() { closeFile(listFile); }

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

}  // namespace zembo
