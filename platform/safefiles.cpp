#include "platform/safefiles.h"

#include <fcntl.h>
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

}  // namespace zembo
