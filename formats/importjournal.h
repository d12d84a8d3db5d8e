#pragma once
// The commit of an import: the new versions of its files ("name.new") take their places one by
// one, and a kill between two of them would leave a word file of the new dictionary beside one of
// the old. So the list of them is written first, as a journal in the folder, and whoever finds a
// journal (the next import, zembo's start) completes its commit: the files are then the old ones
// (no journal yet) or the new ones. A journal is trusted only as far as it names files an import
// writes: anyone who may write the folder may write a journal too.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zembo {

constexpr const char* importJournalName = "zembo-import.journal";
// The suffix of a file's new version while an import writes it.
constexpr const char* newVersionSuffix = ".new";
// A journal names a handful of files: one larger than this is no journal an import wrote.
constexpr std::size_t maxImportJournalSize = std::size_t{64} * 1024;

// Writes the journal naming the files (relative to the folder) whose new versions take their
// places; false when it cannot be written whole.
bool writeImportJournal(const std::filesystem::path& folder, const std::vector<std::filesystem::path>& files);

enum class JournalEnd {
  none,          // no journal
  completed,     // every new version it named took its place; the journal is gone
  renameFailed,  // a rename failed: the journal stays for the next try
  refused,       // not a journal an import wrote: nothing renamed, the journal left as it is
};

// Whether a journal line (a path relative to the folder, with "/" separators) names a file that
// an import writes.
using ImportFileCheck = std::function<bool(std::string_view line)>;

// Renames every new version the journal names that is still there over its file, then removes
// the journal. The journal is read only when it is a regular file of at most maxImportJournalSize
// bytes (never waiting on a pipe or a device) and carried out only when every line names a file
// that isImportFile accepts; otherwise why says what was wrong with it.
JournalEnd finishInterruptedImport(const std::filesystem::path& folder, const ImportFileCheck& isImportFile,
                                   std::string* why = nullptr);

}  // namespace zembo
