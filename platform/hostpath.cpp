#include "platform/hostpath.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

#include "platform/asciicase.h"
#include "platform/codepage.h"

namespace zembo {

HostPathState hostPaths;

namespace {

bool entryExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// The name of an entry of the folder that differs from name only in ASCII case; empty when none.
// UTF-8 bytes of other letters are compared as they are.
std::string entryInOtherCase(const std::string& folder, const std::string& name) {
  std::string found;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return found;
  while (const dirent* entry = ::readdir(dir))
    if (equalNoCase(entry->d_name, name) && (found.empty() || std::strcmp(entry->d_name, found.c_str()) < 0))
      found = entry->d_name;
  ::closedir(dir);
  return found;
}

// File names were case-insensitive where the program comes from, and the configuration files rely
// on that: a component that does not exist as formed takes an existing entry's spelling. The
// components are looked up inside base (the working folder when it is empty).
std::string resolveAsciiCase(const std::string& base, const std::string& path) {
  const auto inBase = [&base](const std::string& p) { return base.empty() || p.starts_with('/') ? p : base + "/" + p; };
  if (path.empty() || entryExists(inBase(path))) return path;
  std::string resolved;
  std::size_t at = 0;
  if (path[0] == '/') {
    resolved = "/";
    at = 1;
  }
  bool resolving = true;
  while (at <= path.size()) {
    const std::size_t end = std::min(path.find('/', at), path.size());
    std::string name = path.substr(at, end - at);
    if (resolving && !name.empty() && name != "." && name != "..") {
      if (!entryExists(inBase(resolved + name))) {
        const std::string folder = resolved.empty() ? (base.empty() ? std::string() : base) : inBase(resolved);
        const std::string other = entryInOtherCase(folder, name);
        if (other.empty()) resolving = false;  // nothing further down can exist
        else name = other;
      }
    }
    resolved += name;
    if (end < path.size()) resolved += '/';
    at = end + 1;
  }
  return resolved;
}

std::string withHostSeparators(std::string_view programPath, int codePage) {
  std::string bytes(programPath);
  for (char& c : bytes)
    if (c == '\\') c = '/';
  return toUtf8(bytes, codePage);
}

}  // namespace

std::filesystem::path hostPath(std::string_view programPath, int codePage) {
  return std::filesystem::path(resolveAsciiCase({}, withHostSeparators(programPath, codePage)));
}

std::filesystem::path hostPathIn(const std::filesystem::path& folder, std::string_view programPath, int codePage) {
  return folder / resolveAsciiCase(folder.string(), withHostSeparators(programPath, codePage));
}

std::filesystem::path hostName(std::string_view programName, int codePage) {
  return std::filesystem::path(withHostSeparators(programName, codePage));
}

std::string programName(const std::filesystem::path& hostName, int codePage) {
  return fromUtf8(hostName.string(), codePage);
}

std::FILE* openFile(std::string_view programPath, const char* mode) {
  return std::fopen(hostPath(programPath).c_str(), mode);
}

bool removeFile(std::string_view programPath) { return std::remove(hostPath(programPath).c_str()) == 0; }

bool fileExists(std::string_view programPath) {
  struct stat st {};
  return ::stat(hostPath(programPath).c_str(), &st) == 0;
}

bool matchesFilePattern(std::string_view name, std::string_view pattern) {
  if (pattern == "*.*" || pattern == "*") return true;
  // Iterative wildcard match with one backtracking point, as file searches match.
  std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || asciiLower(static_cast<unsigned char>(pattern[p])) ==
                                         asciiLower(static_cast<unsigned char>(name[n])))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && (pattern[p] == '*' || (pattern[p] == '.' && p + 1 == pattern.size()))) ++p;
  return p == pattern.size();
}

std::vector<DirectoryEntry> findFiles(std::string_view programPattern) {
  std::string folder(programPattern), pattern(programPattern);
  const std::size_t cut = folder.find_last_of("\\/");
  if (cut == std::string::npos) {
    folder = ".";
  } else {
    pattern = folder.substr(cut + 1);
    folder.resize(cut);
    if (folder.empty()) folder = "/";
  }
  std::vector<DirectoryEntry> entries;
  const std::filesystem::path hostFolder = hostPath(folder);
  DIR* dir = ::opendir(hostFolder.c_str());
  if (!dir) return entries;
  while (const dirent* entry = ::readdir(dir)) {
    DirectoryEntry e;
    e.name = programName(entry->d_name);
    if (!matchesFilePattern(e.name, pattern)) continue;
    bool isDir = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat st {};
      isDir = ::stat((hostFolder / entry->d_name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    e.isDirectory = isDir;
    e.isHidden = entry->d_name[0] == '.';
    entries.push_back(std::move(e));
  }
  ::closedir(dir);
  return entries;
}

bool syncAndClose(std::FILE* file) {
  int error = 0;
  const auto step = [&error](bool done) {
    if (!done && !error) error = errno ? errno : EIO;
  };
  errno = 0;
  step(std::fflush(file) == 0);
  step(::fsync(fileno(file)) == 0);
  step(std::fclose(file) == 0);
  errno = error;
  return error == 0;
}

bool renameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return false;
  // Make the new name itself durable.
  syncFolder(to.parent_path());
  return true;
}

void syncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  const int error = errno;
  ::fsync(fd);
  ::close(fd);
  errno = error;
}

namespace {

// A name beside the target that no entry has yet, created new and exclusive: never through an
// existing name or a link someone planted there. Mode 0666 leaves the umask to decide, as for
// any new file.
int createTemporaryBeside(const std::filesystem::path& target, std::string& temp) {
  static std::mt19937_64 random{std::random_device{}()};
  static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = target.string() + ".";
    for (std::size_t i = 0; i < temporarySuffixLength; ++i) temp += letters[random() % (sizeof letters - 1)];
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The new version keeps the owner (where we may set it) and the permissions of the old one.
void takeOverPermissions(int fd, const std::filesystem::path& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0) return;
  if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) (void)!::fchown(fd, st.st_uid, st.st_gid);
  ::fchmod(fd, st.st_mode & 07777);
}

}  // namespace

bool replaceFileSafely(const std::filesystem::path& target, const std::function<bool(std::FILE*)>& writer) {
  std::string temp;
  const int fd = createTemporaryBeside(target, temp);
  if (fd < 0) return false;
  std::FILE* file = ::fdopen(fd, "wb");
  if (!file) {
    const int error = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    errno = error;
    return false;
  }
  errno = 0;
  const bool written = writer(file);
  // The cause is kept from the step that failed: the steps after it set errno too.
  int error = written ? 0 : (errno ? errno : EIO);
  // Only now, so that a writer may still open the file by name for writing.
  takeOverPermissions(fd, target);
  const bool closed = syncAndClose(file);
  if (!error && !closed) error = errno ? errno : EIO;
  if (!error && !renameOver(temp, target)) error = errno;
  if (error) {
    ::unlink(temp.c_str());
    errno = error;
    return false;
  }
  return true;
}

std::string_view targetOfTemporaryName(std::string_view name) {
  if (name.size() < temporarySuffixLength + 2) return {};
  const std::size_t dot = name.size() - temporarySuffixLength - 1;
  const std::string_view suffix = name.substr(dot + 1);
  const bool letters = std::all_of(suffix.begin(), suffix.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  });
  return name[dot] == '.' && letters ? name.substr(0, dot) : std::string_view();
}

void removeTemporaryFiles(const std::filesystem::path& folder, const std::function<bool(std::string_view)>& isOwn) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder.empty() ? "." : folder, error)) {
    const std::string name = entry.path().filename().string();
    const std::string_view target = targetOfTemporaryName(name);
    if (!target.empty() && isOwn(target) && entry.is_regular_file(error)) std::filesystem::remove(entry.path(), error);
  }
}

bool copyFileReplacing(std::string_view fromProgramPath, std::string_view toProgramPath) {
  return copyFileTo(hostPath(fromProgramPath), hostPath(toProgramPath));
}

bool copyFileTo(const std::filesystem::path& source, const std::filesystem::path& target) {
  std::FILE* in = std::fopen(source.c_str(), "rb");
  if (!in) return false;
  const bool ok = replaceFileSafely(target, [in](std::FILE* out) {
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
      if (std::fwrite(buffer, 1, n, out) != n) return false;
    return !std::ferror(in);
  });
  std::fclose(in);
  if (ok) copyPermissionsTo(source, target);
  return ok;
}

void copyPermissions(std::string_view fromProgramPath, std::string_view toProgramPath) {
  copyPermissionsTo(hostPath(fromProgramPath), hostPath(toProgramPath));
}

void copyPermissionsTo(const std::filesystem::path& source, const std::filesystem::path& target) {
  struct stat st {};
  if (::stat(source.c_str(), &st) == 0) ::chmod(target.c_str(), st.st_mode & 07777);
}

void setFileNameCodePage(int codePage) { hostPaths.fileNameCodePage = codePage; }

}  // namespace zembo
