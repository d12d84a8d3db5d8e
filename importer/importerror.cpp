#include "importer/importerror.h"

namespace zembo {

std::string fillIn(std::string_view text, const std::vector<std::string>& args) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    const bool placeholder = text[at] == '%' && at + 1 < text.size() && text[at + 1] >= '1' && text[at + 1] <= '9';
    const std::size_t k = placeholder ? static_cast<std::size_t>(text[at + 1] - '1') : 0;
    if (placeholder && k < args.size()) {
      out += args[k];
      ++at;
    } else {
      out += text[at];
    }
  }
  return out;
}

const char* englishFailureText(ImportFailure code) {
  switch (code) {
    case ImportFailure::noIndexFile:
      return "%1: no such file";
    case ImportFailure::noDataFile:
      return "%1: no such file (nor %2)";
    case ImportFailure::notAFolder:
      return "%1 is not a zembo folder (it has no language.ini); give --edition to make a new one there";
    case ImportFailure::unknownEdition:
      return "unknown edition %1";
    case ImportFailure::namesNoEdition:
      return "%1: names no edition (Language=%2)";
    case ImportFailure::otherEdition:
      return "%1 is a folder of the %2 edition, not of %3";
    case ImportFailure::wrongHomeLanguage:
      return "%1 translates into %2, but the home language of the %3 edition is %4: import it into a folder of the "
             "%5 edition (%6)";
    case ImportFailure::noEditionForLanguage:
      return "%1 translates into %2, but the home language of the %3 edition is %4: no edition has %2 as its own "
             "language";
    case ImportFailure::unknownLanguage:
      return "the language of %1 is not in the importer's table: give --name and --locale (and --charset)";
    case ImportFailure::badLanguageName:
      return "the language name %1 cannot name files: it needs three letters or more, no , \\ / or :";
    case ImportFailure::unknownLocale:
      return "unknown collation locale %1";
    case ImportFailure::alreadyThere:
      return "%1 is in %2 already; give --yes to replace it";
    case ImportFailure::noConfigFile:
      return "%1 has no %2: not a zembo folder";
    case ImportFailure::cannotOpen:
      return "%1: cannot be opened";
    case ImportFailure::cannotRead:
      return "%1: cannot be read";
    case ImportFailure::cannotReadWhole:
      return "%1: cannot be read whole";
    case ImportFailure::cannotMakeFolder:
      return "cannot make the folder %1: %2";
    case ImportFailure::damagedIndexLine:
      return "%1:%2: damaged index line";
    case ImportFailure::articleBeyondFile:
      return "%1: index line %2 names an article that ends at byte %3, past the %4 bytes this file can hold";
    case ImportFailure::notDictzip:
      return "%1: not a dictzip file";
    case ImportFailure::damagedHeader:
      return "%1: damaged gzip header";
    case ImportFailure::damagedChunkTable:
      return "%1: damaged chunk table";
    case ImportFailure::chunksPastEnd:
      return "%1: truncated: its chunks run past the end of the file";
    case ImportFailure::checksumMissing:
      return "%1: truncated: its checksum is missing";
    case ImportFailure::outOfMemory:
      return "%1: cannot be inflated (out of memory)";
    case ImportFailure::inflatesTooFar:
      return "%1: inflates to more than the %2 bytes its index names (past %3): it holds far more than its articles";
    case ImportFailure::endsEarly:
      return "%1: truncated: its compressed data ends early";
    case ImportFailure::checksumWrong:
      return "%1: damaged: its checksum (CRC-32) does not match its text";
    case ImportFailure::lengthWrong:
      return "%1: damaged: its length does not match its text";
    case ImportFailure::damagedData:
      return "%1: damaged compressed data";
    case ImportFailure::bytesFollow:
      return "%1: damaged: bytes follow its compressed data";
    case ImportFailure::damagedChunk:
      return "%1: damaged compressed data in chunk %2";
    case ImportFailure::articlePastEnd:
      return "%1: an article lies past the end of the file";
    case ImportFailure::notUtf8:
      return "%1: the article of index line %2 is not UTF-8";
    case ImportFailure::earlierImport:
      return "%1: an earlier import cannot be completed: %2";
    case ImportFailure::journalRefused:
      return "%1: not a journal of an import (%2); nothing was renamed: remove it to import";
    case ImportFailure::cannotWrite:
      return "cannot write %1: %2";
    case ImportFailure::cannotRename:
      return "cannot rename %1 to %2: %3; the next import completes it";
    case ImportFailure::cannotRemove:
      return "cannot remove %1";
    case ImportFailure::stopped:
      return "the import was stopped; the folder is as it was";
  }
  return "%1";
}

ImportError::ImportError(ImportFailure failure, std::vector<std::string> arguments, int error)
    : std::runtime_error(fillIn(englishFailureText(failure), arguments)),
      code(failure),
      args(std::move(arguments)),
      systemError(error) {}

}  // namespace zembo
