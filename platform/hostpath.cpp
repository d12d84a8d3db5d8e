#include "platform/hostpath.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/asciicase.h"
#include "platform/codepage.h"

namespace zembo {

namespace {
HostPathState hostPathsState;  // the one mutable instance
}  // namespace
const HostPathState& hostPaths = hostPathsState;

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
        if (other.empty())
          resolving = false;  // nothing further down can exist
        else
          name = other;
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
    } else if (p < pattern.size() && (pattern[p] == '?' || asciiLower(static_cast<unsigned char>(pattern[p])) ==
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

void setFileNameCodePage(int codePage) { hostPathsState.fileNameCodePage = codePage; }
void resetHostPathState() { hostPathsState = {}; }

}  // namespace zembo
