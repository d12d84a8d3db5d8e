#include "platform/safefiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <random>

#include "platform/hostpath.h"

namespace zembo {

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
// any new file. It is locked at once; a clean-up that removed it before the lock was taken
// leaves it without a name, and another is made.
int createTemporaryBeside(const std::filesystem::path& target, std::string& temp) {
  static std::mt19937_64 random{std::random_device{}()};
  static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = target.string() + ".";
    for (std::size_t i = 0; i < temporarySuffixLength; ++i) temp += letters[random() % (sizeof letters - 1)];
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return fd;
    if (fd < 0) continue;
    struct stat st {};
    if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0) return fd;
    ::close(fd);
  }
  return -1;
}

std::string_view fileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string_view(path) : std::string_view(path).substr(slash + 1);
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
  FileHold released;
  return replaceFileSafely(target, writer, released);
}

bool replaceFileSafely(const std::filesystem::path& target, const std::function<bool(std::FILE*)>& writer,
                       FileHold& hold) {
  // What earlier writes of the same file left when they were killed.
  const std::string targetName(fileNameOf(target.string()));
  removeTemporaryFiles(target.parent_path(), [&targetName](std::string_view name) { return name == targetName; });
  std::string temp;
  const int fd = createTemporaryBeside(target, temp);
  if (fd < 0) return false;
  // The lock lives as long as any descriptor of the open file: this one outlives the close below.
  const int held = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  std::FILE* file = ::fdopen(fd, "wb");
  if (!file) {
    const int error = errno;
    ::close(fd);
    if (held >= 0) ::close(held);
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
    if (held >= 0) ::close(held);
    errno = error;
    return false;
  }
  hold = FileHold(held);
  return true;
}

FileHold& FileHold::operator=(FileHold&& other) noexcept {
  std::swap(fd_, other.fd_);
  return *this;
}

FileHold::~FileHold() {
  if (fd_ >= 0) ::close(fd_);
}

bool removeUnlessHeld(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat opened {};
  struct stat named {};
  // Locked, it is still the file that was opened: a writer's new file of the same name is not.
  const bool removable = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                         ::lstat(file.c_str(), &named) == 0 && named.st_dev == opened.st_dev &&
                         named.st_ino == opened.st_ino;
  const bool removed = removable && ::unlink(file.c_str()) == 0;
  ::close(fd);
  return removed;
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
    if (!target.empty() && isOwn(target)) removeUnlessHeld(entry.path());
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

}  // namespace zembo
