#pragma once
// Planning an import: the dictionary's files, the folder's edition and the language pair, found
// from the names and the folder alone before the dictionary is read; the names of what the import
// writes there; and whether a language that is there already may be replaced.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "importer/editions.h"
#include "importer/importer.h"
#include "platform/hostpath.h"

namespace zembo {

constexpr std::string_view editionFile = "language.ini";

struct DictionaryFiles {
  std::filesystem::path index, data;
  std::string source, target;  // language codes from the name, as in "deu-eng"
};

struct Pair {
  const FolderEdition* edition = nullptr;
  std::string name;  // in the edition's code page
  std::string locale;
  int charset = 0;
  int sourceCodePage = 1252, homeCodePage = 1252;
};

// Works in the folder, with its file names in the edition's code page; the working folder and
// the code page come back however the work ends.
struct InFolder {
  std::filesystem::path previous = std::filesystem::current_path();
  int previousCodePage = hostPaths.fileNameCodePage;
  InFolder(const std::filesystem::path& folder, int codePage) {
    std::filesystem::current_path(folder);
    setFileNameCodePage(codePage);
  }
  ~InFolder() {
    setFileNameCodePage(previousCodePage);
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
  }
};

// What an import reads and where it goes, checked before anything is read or written.
struct Plan {
  DictionaryFiles files;
  bool isNew = false;
  Pair pair;
};

// Throws ImportError where the import would refuse at once.
Plan planImport(const ImportOptions& options);

// The English name of a language code, or the code when the table lacks it.
std::string englishNameOf(std::string_view code);

// The pair's forward and reverse word files ("Ger_Eng.zb", "Eng_Ger.zb").
std::string wordFileName(const Pair& pair);
std::string reverseFileName(const Pair& pair);
// A text of the edition's table (UTF-8) in the edition's code page.
std::string inEdition(std::string_view utf8, const Pair& pair);
// "language\\" names a folder with its separator at the end.
std::string folderName(std::string_view folder);

// Whether the language's word files may be replaced: options.yes, else the terminal's answer
// when the import is interactive.
bool mayReplace(const ImportOptions& options, const Pair& pair, std::int64_t userEntries);

// What the import would write, from the folder's configuration file and the user's entries.
ImportTarget targetOf(const ImportOptions& options, const Pair& pair, bool isNew);

}  // namespace zembo
