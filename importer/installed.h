#pragma once
// The dictd dictionaries installed on the system that a folder of an edition can import: those
// that translate into the edition's own language from a language the importer knows.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "importer/editions.h"

namespace zembo {

struct InstalledDictionary {
  std::filesystem::path index;  // its .index file; the data file lies beside it
  std::string pair;             // the language codes of its name: "fra-nld"
  std::string languageName;     // the language it translates, in the edition's language (UTF-8)
  std::int64_t headwords = 0;
};

// The system's dictd folder: $ZEMBO_DICTD_FOLDER when it is set, else /usr/share/dictd.
std::filesystem::path dictdFolder();

// The dictionaries of a folder (an .index with its .dict.dz or .dict) for the edition, by
// language name; none when the folder cannot be read.
std::vector<InstalledDictionary> installedDictionaries(const std::filesystem::path& folder,
                                                       const FolderEdition& edition);

// The distinct keys of an index file, dictd's own entries left out; -1 when it cannot be read.
std::int64_t countHeadwords(const std::filesystem::path& index);

}  // namespace zembo
