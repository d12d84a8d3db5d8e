#pragma once
// Files replaced safely: a new version is written beside the old one, flushed to disk and renamed
// over it, so that a crash or a full disk never leaves a user without the old file; and the copies
// of files, which go the same way.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace zembo {

// Copies a file, replacing the target safely (through a temporary file beside it); the copy gets
// the source's permissions.
bool copyFileReplacing(std::string_view fromProgramPath, std::string_view toProgramPath);
// The same between host paths.
bool copyFileTo(const std::filesystem::path& source, const std::filesystem::path& target);
// Gives a copy the permissions of its source, so that a copied program can still be started.
void copyPermissions(std::string_view fromProgramPath, std::string_view toProgramPath);
void copyPermissionsTo(const std::filesystem::path& source, const std::filesystem::path& target);

// Flushes a file to disk and closes it; false when any step failed (a full disk shows here), errno
// then holding the cause of the first.
bool syncAndClose(std::FILE* file);
// Renames a file over another one at once: the target is either the old file or the new one.
bool renameOver(const std::filesystem::path& from, const std::filesystem::path& to);
// Makes the names of a folder's entries durable (after a rename or a removal in it).
void syncFolder(const std::filesystem::path& folder);
// Writes a whole new version of a file through a temporary file in the same folder, flushed to
// disk and renamed over the old one; every file the programs replace goes through here. The
// temporary file is always a new one of its own, and the new version gets the old one's
// permissions (a new file those of the umask). When the writer or any step fails, the old file
// is untouched and the temporary file removed.
// On failure errno holds the cause of the first step that failed.
bool replaceFileSafely(const std::filesystem::path& target, const std::function<bool(std::FILE*)>& writer);

// A lock on a file a program is writing. The temporary file of replaceFileSafely is locked from
// the moment it is made until it has taken its place, so that another program's clean-up
// (removeUnlessHeld) never removes a file that is still being written; a hold keeps the lock on
// the new version beyond that, until the hold ends.
class FileHold {
 public:
  FileHold() = default;
  explicit FileHold(int fd) : fd_(fd) {}
  FileHold(FileHold&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileHold& operator=(FileHold&& other) noexcept;
  ~FileHold();

 private:
  int fd_ = -1;
};
// The same, and the new version stays locked while hold lives.
bool replaceFileSafely(const std::filesystem::path& target, const std::function<bool(std::FILE*)>& writer,
                       FileHold& hold);

// Removes a regular file (never what a link points to) unless a running program holds it;
// true when it was removed.
bool removeUnlessHeld(const std::filesystem::path& file);

// The temporary file of replaceFileSafely is named after its target: the target's name, a dot and
// this many letters or digits.
constexpr std::size_t temporarySuffixLength = 8;
// The name of the file a temporary name was made for; empty when the name is no such name.
std::string_view targetOfTemporaryName(std::string_view name);
// Removes the regular files of a folder whose names are temporary names made for a file that
// belongs to the caller (isOwn gets the target's name) and that no running program holds: what a
// killed run left behind. replaceFileSafely does so for its target's own before each write.
void removeTemporaryFiles(const std::filesystem::path& folder, const std::function<bool(std::string_view)>& isOwn);

}  // namespace zembo
