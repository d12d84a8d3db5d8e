#pragma once
// The configuration file of the folder's edition as an import reads and rewrites it: the
// language's line (name, locale, character set) in place of any line it had, or a new file for a
// new folder.

#include <string>
#include <vector>

#include "importer/importerror.h"
#include "importer/plan.h"

namespace zembo {

// The configuration file's lines, read whole; throws ImportError when it cannot be read.
std::vector<std::string> readConfigFile(const std::string& configFile);
// Whether the lines hold a line of the pair's language.
bool holdsLanguage(const std::vector<std::string>& lines, const Pair& pair);
// The configuration file of a new folder.
std::string newConfigText(const Pair& pair);
// The configuration file with the language's line in place of any line it had. Whether a line
// there may go was settled before the dictionary was read.
std::string configWithLanguage(const ImportOptions& options, const Pair& pair, ImportReport& report);
// The refusal of an import whose language is there already.
ImportError alreadyThere(const DictionaryFiles& files, const FolderEdition& edition);

}  // namespace zembo
