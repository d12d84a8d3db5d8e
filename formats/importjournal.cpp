#include "formats/importjournal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "platform/safefiles.h"

namespace zembo {

namespace {

// The journal's bytes, read only from a regular file of a journal's size: a pipe, a device or a
// link planted under its name is not opened for reading at all. False with why set otherwise.
bool readJournal(const std::filesystem::path& journal, std::string& text, std::string& why) {
  const int fd = ::open(journal.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    why = errno == ELOOP ? "it is a link" : std::strerror(errno);
    return false;
  }
  struct stat st {};
  bool read = false;
  if (::fstat(fd, &st) != 0)
    why = std::strerror(errno);
  else if (!S_ISREG(st.st_mode))
    why = "it is not a regular file";
  else if (static_cast<std::size_t>(st.st_size) > maxImportJournalSize)
    why = "it is larger than any journal an import writes";
  else {
    text.resize(static_cast<std::size_t>(st.st_size));
    const ssize_t n = ::read(fd, text.data(), text.size());
    read = n == static_cast<ssize_t>(text.size());
    if (!read) why = n < 0 ? std::strerror(errno) : "it could not be read whole";
  }
  ::close(fd);
  return read;
}

// The journal's lines, each a file of the folder; false with why set when one names another file.
bool journalFiles(const std::string& text, const ImportFileCheck& isImportFile, std::vector<std::string>& files,
                  std::string& why) {
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    if (line.empty()) continue;
    if (!isImportFile(line)) {
      why = "it names " + line + ", which no import writes";
      return false;
    }
    files.push_back(line);
  }
  return true;
}

}  // namespace

bool writeImportJournal(const std::filesystem::path& folder, const std::vector<std::filesystem::path>& files) {
  std::string text;
  for (const std::filesystem::path& file : files) text += file.string() + "\n";
  return replaceFileSafely(folder / importJournalName, [&text](std::FILE* out) {
    return std::fwrite(text.data(), 1, text.size(), out) == text.size();
  });
}

JournalEnd finishInterruptedImport(const std::filesystem::path& folder, const ImportFileCheck& isImportFile,
                                   std::string* why) {
  const std::filesystem::path journal = folder / importJournalName;
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(journal, error))) return JournalEnd::none;
  std::string text, reason;
  std::vector<std::string> files;
  if (!readJournal(journal, text, reason) || !journalFiles(text, isImportFile, files, reason)) {
    if (why) *why = reason;
    return JournalEnd::refused;
  }
  bool finished = true;
  for (const std::string& line : files) {
    const std::filesystem::path file = folder / line;
    const std::filesystem::path next = file.string() + newVersionSuffix;
    if (std::filesystem::exists(next, error) && !renameOver(next, file)) finished = false;
  }
  if (!finished) return JournalEnd::renameFailed;
  std::filesystem::remove(journal, error);
  // The journal's removal is made durable too: one found again later would commit files of another import.
  syncFolder(folder);
  return error ? JournalEnd::renameFailed : JournalEnd::completed;
}

}  // namespace zembo
