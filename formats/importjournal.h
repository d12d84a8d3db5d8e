#pragma once
// The commit of an import: the new versions of its files ("name.new") take their places one by
// one, and a kill between two of them would leave a word file of the new dictionary beside one of
// the old. So the list of them is written first, as a journal in the folder, and whoever finds a
// journal (the next import, zembo's start) completes its commit: the files are then the old ones
// (no journal yet) or the new ones.

#include <filesystem>
#include <string>
#include <vector>

namespace zembo {

constexpr const char* importJournalName = "zembo-import.journal";
// The suffix of a file's new version while an import writes it.
constexpr const char* newVersionSuffix = ".new";

// Writes the journal naming the files (relative to the folder) whose new versions take their
// places; false when it cannot be written whole.
bool writeImportJournal(const std::filesystem::path& folder, const std::vector<std::filesystem::path>& files);
// Renames every new version the journal names that is still there over its file, then removes
// the journal; false when a rename failed (the journal then stays for the next try).
bool finishInterruptedImport(const std::filesystem::path& folder);

}  // namespace zembo
