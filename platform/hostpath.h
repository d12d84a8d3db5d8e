#pragma once
// Paths as the program forms them ("list\\verbs\\Fre_Eng.ls", bytes in a code page) and the
// host's (separators "/", UTF-8 file names). hostPath is the one place where they are mapped.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zembo {

// The code page in which the program forms file names; start-up sets that of the UI language.
struct HostPathState {
  int fileNameCodePage = 1252;
};
extern const HostPathState& hostPaths;
void setFileNameCodePage(int codePage);
// Back to code page 1252, as at process start.
void resetHostPathState();

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

}  // namespace zembo
