#include "sync/conflicts.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/safefiles.h"

namespace zembo {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view marker = ".sync-conflict-";

bool digits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool deviceShortId(std::string_view text) {
  return text.size() == 7 &&
         std::all_of(text.begin(), text.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

// Syncthing's own folders and what it keeps there.
bool syncthingsOwn(const fs::path& name) {
  const std::string n = name.string();
  return n == ".stfolder" || n == ".stversions" || n.starts_with(".syncthing.");
}

constexpr std::string_view ownPartBegins = "// zembo: begin\n";
constexpr std::string_view ownPartEnds = "// zembo: end\n";

}  // namespace

std::optional<std::string> originalOfConflictName(std::string_view name) {
  const std::size_t at = name.find(marker);
  // A copy of a copy is left for a user to look at.
  if (at == std::string_view::npos || at == 0 || name.find(marker, at + 1) != std::string_view::npos)
    return std::nullopt;
  // DATE-TIME-DEVICE, then the extension (with its dot) or nothing.
  const std::string_view rest = name.substr(at + marker.size());
  if (rest.size() < 8 + 1 + 6 + 1 + 7) return std::nullopt;
  const std::string_view date = rest.substr(0, 8), time = rest.substr(9, 6), device = rest.substr(16, 7);
  const std::string_view extension = rest.substr(23);
  if (!digits(date) || rest[8] != '-' || !digits(time) || rest[15] != '-' || !deviceShortId(device) ||
      (!extension.empty() && extension[0] != '.'))
    return std::nullopt;
  return std::string(name.substr(0, at)) + std::string(extension);
}

std::vector<ConflictCopy> findConflictCopies(const fs::path& folder) {
  std::vector<ConflictCopy> copies;
  std::error_code error;
  fs::recursive_directory_iterator it(folder, error), end;
  for (; !error && it != end; it.increment(error)) {
    const fs::path name = it->path().filename();
    if (syncthingsOwn(name)) {
      if (it->is_directory(error)) it.disable_recursion_pending();
      continue;
    }
    if (!it->is_regular_file(error) || it->is_symlink(error)) continue;
    if (const auto original = originalOfConflictName(name.string()))
      copies.push_back({it->path(), it->path().parent_path() / *original});
  }
  std::sort(copies.begin(), copies.end(), [](const ConflictCopy& a, const ConflictCopy& b) { return a.copy < b.copy; });
  return copies;
}

const char* const syncIgnorePatterns =
    "// The temporary files of a file being replaced, and the import's journal\n"
    "(?d)*.zb.????????\n"
    "(?d)*.ls.????????\n"
    "(?d)*.tsv.????????\n"
    "(?d)*.edits.????????\n"
    "(?d)*.ini.????????\n"
    "(?d)*.art.????????\n"
    "(?d)zembo-import.journal\n"
    "// The entry indexes, made again from the word files on each computer\n"
    "(?d)*.fnd\n"
    "(?d)*.fnw\n"
    "// Locks\n"
    "(?d)*.lock\n";

bool writeSyncIgnore(const fs::path& folder) {
  const fs::path file = folder / ".stignore";
  std::string kept;
  if (std::ifstream in{file, std::ios::binary}) {
    std::ostringstream text;
    text << in.rdbuf();
    kept = text.str();
    const std::size_t begin = kept.find(ownPartBegins);
    const std::size_t endAt = kept.find(ownPartEnds, begin == std::string::npos ? 0 : begin);
    if (begin != std::string::npos)
      kept.erase(begin, endAt == std::string::npos ? std::string::npos : endAt + ownPartEnds.size() - begin);
    if (!kept.empty() && kept.back() != '\n') kept += '\n';
  }
  const std::string text = kept + std::string(ownPartBegins) + syncIgnorePatterns + std::string(ownPartEnds);
  return replaceFileSafely(
      file, [&](std::FILE* out) { return std::fwrite(text.data(), 1, text.size(), out) == text.size(); });
}

}  // namespace zembo
