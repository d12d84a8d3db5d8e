#pragma once
// A program's folder kept in step with other computers by Syncthing. When two computers changed a
// file before their copies met, Syncthing keeps one under the name and the other beside it as
// NAME.sync-conflict-DATE-TIME-DEVICE.EXT; both computers then hold both. What Syncthing must not
// copy at all (temporaries, the import journal, the entry indexes made again from the word files)
// is named in the folder's .stignore.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zembo {

struct ConflictCopy {
  std::filesystem::path copy;      // "list/verbs/Fre_Eng.log.sync-conflict-20261210-101500-ABCDEFG.tsv"
  std::filesystem::path original;  // "list/verbs/Fre_Eng.log.tsv"
};

// The name a conflict copy stands for ("Fre_Eng.log.tsv"), or none for any other name.
std::optional<std::string> originalOfConflictName(std::string_view name);

// Every conflict copy under folder, the folders Syncthing keeps for itself left out, in the order
// of their paths (so that two computers merge them in the same order).
std::vector<ConflictCopy> findConflictCopies(const std::filesystem::path& folder);

// The patterns of what no other computer needs, as .stignore holds them.
extern const char* const syncIgnorePatterns;
// Writes folder/.stignore: the patterns, after what a user's own file holds above the program's
// part (which is replaced). False when it could not be written.
bool writeSyncIgnore(const std::filesystem::path& folder);

}  // namespace zembo
