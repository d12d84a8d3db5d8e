#pragma once
// Paths as the program forms them ("list\\verbs\\Fre_Eng.ls", bytes in a code page) and the
// host's (separators "/", UTF-8 file names). hostPath is the one place where they are mapped.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zembo {

// The code page in which the program forms file names; start-up sets that of the UI language.
struct HostPathState {
  int fileNameCodePage = 1252;
};
extern HostPathState hostPaths;
void setFileNameCodePage(int codePage);


std::filesystem::path hostPath(std::string_view programPath, int codePage = hostPaths.fileNameCodePage);
// The same for a program path inside a host folder: the ASCII case of its components is matched
// there, not in the working folder.
std::filesystem::path hostPathIn(const std::filesystem::path& folder, std::string_view programPath,
                                 int codePage = hostPaths.fileNameCodePage);
// A name as the host spells it, without looking for an existing entry (for names of new files and
// folders outside the program's folders).
std::filesystem::path hostName(std::string_view programName, int codePage = hostPaths.fileNameCodePage);
// The other way: a host name (UTF-8) as bytes of the code page.
std::string programName(const std::filesystem::path& hostName, int codePage = hostPaths.fileNameCodePage);

// fopen on a program path.
std::FILE* openFile(std::string_view programPath, const char* mode);
bool removeFile(std::string_view programPath);
bool fileExists(std::string_view programPath);

struct DirectoryEntry {
  std::string name;  // bytes in fileNameCodePage
  bool isDirectory = false;
  bool isHidden = false;  // a name beginning with "."
};

// The entries of a folder matching a pattern such as "list\\*.*" or "*.zb", in the order the file
// system returns them, "." and ".." included; an empty list when the folder cannot be read.
// "*" and "?" match as in a Windows file search, without regard to ASCII case; "*.*" matches all.
std::vector<DirectoryEntry> findFiles(std::string_view programPattern);
bool matchesFilePattern(std::string_view name, std::string_view pattern);

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

// The temporary file of replaceFileSafely is named after its target: the target's name, a dot and
// this many letters or digits.
constexpr std::size_t temporarySuffixLength = 8;
// The name of the file a temporary name was made for; empty when the name is no such name.
std::string_view targetOfTemporaryName(std::string_view name);
// Removes the regular files of a folder whose names are temporary names made for a file that
// belongs to the caller (isOwn gets the target's name): what a killed run left behind.
void removeTemporaryFiles(const std::filesystem::path& folder, const std::function<bool(std::string_view)>& isOwn);

}  // namespace zembo
