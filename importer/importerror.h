#pragma once
// A failure of the import that ends it, as a code with its arguments (file names, line and chunk
// numbers, counts), so that each program says it in its own words: zembo-import in English
// (what() gives that text), zembo in its edition's language. File names are host paths, as the
// file system names them.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zembo {

enum class ImportFailure {
  noIndexFile,           // the index file
  noDataFile,            // the .dict.dz file, the .dict file
  notAFolder,            // the folder (no language.ini)
  unknownEdition,        // the edition given
  namesNoEdition,        // language.ini, its value
  otherEdition,          // the folder, its edition, the edition given
  wrongHomeLanguage,     // the index's file name, the language, the edition, its language, the fitting editions, their
                         // options
  noEditionForLanguage,  // the index's file name, the language, the edition, its language
  unknownLanguage,       // the index's file name
  badLanguageName,       // the name
  unknownLocale,         // the collation locale
  alreadyThere,          // the language, the configuration file's name
  noConfigFile,          // the folder, the configuration file's name
  cannotOpen,            // the file
  cannotRead,            // the file
  cannotReadWhole,       // the file
  cannotMakeFolder,      // the folder, why
  damagedIndexLine,      // the index file, the line
  articleBeyondFile,     // the file, the index line, the article's end, the bytes the file can hold
  notDictzip,            // the file; and so on for the damage below
  damagedHeader,
  damagedChunkTable,
  chunksPastEnd,
  checksumMissing,
  outOfMemory,
  inflatesTooFar,  // the file, the bytes its index names, the most allowed
  endsEarly,
  checksumWrong,
  lengthWrong,
  damagedData,
  bytesFollow,
  damagedChunk,  // the file, the chunk (from 1)
  articlePastEnd,
  notUtf8,         // the file, the index line
  earlierImport,   // the journal, why
  journalRefused,  // the journal, why it is no import's
  cannotWrite,     // the file, why
  cannotRename,    // the file, its place, why
  cannotRemove,    // the file
  stopped,         // a user stopped the import before its commit
};

struct ImportError : std::runtime_error {
  // systemError: the errno behind "why", 0 when none.
  ImportError(ImportFailure code, std::vector<std::string> args, int systemError = 0);
  ImportFailure code;
  std::vector<std::string> args;
  int systemError;
};

// The text with %1, %2 ... replaced by the arguments; a number without one stays as it is.
std::string fillIn(std::string_view text, const std::vector<std::string>& args);

// What zembo-import says about a failure, with %1, %2 ... for its arguments.
const char* englishFailureText(ImportFailure code);

}  // namespace zembo
