#pragma once
// Importing a dictd dictionary into a zembo folder: its articles become the forward word file of
// a language pair (foreign word, its translations joined by ", "), the reverse word file is made
// from it as the installer makes one, and the language's line is entered in the edition's
// configuration file. Everything is read and checked before the folder is changed.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "importer/dictd.h"

namespace zembo {

// Told how far an import has come (0 to 100) and the step it is in, in English.
using ImportProgress = std::function<void(int percent, const std::string& step)>;

struct ImportOptions {
  std::filesystem::path dictionary;  // with or without its extension
  std::filesystem::path folder;
  std::string name;          // UTF-8; empty: from the table of languages
  std::string locale;        // empty: from the table
  int charset = -1;          // -1: from the table
  std::string edition;       // for a new folder, or to check an existing one
  bool yes = false;          // replace a language that is already there without asking
  bool interactive = false;  // else ask on the terminal; without either, refuse
  ImportProgress progress;   // empty: nobody is told
  bool showSteps = false;    // the report ends with the seconds of each step
  // Asked now and then until the commit begins, on the thread that runs the import: true stops
  // it (ImportError ImportFailure::stopped) and leaves the folder as it was. Empty: never asked.
  std::function<bool()> stopRequested;
  // Told once the import can no longer be stopped: its journal is about to be written.
  std::function<void()> committing;
};

// Why an entry of the dictionary was not written.
enum class SkipCause { headwordTooLong, headwordOutsideCodePage, noTranslation, noTranslationFits };
constexpr int skipCauseCount = 4;

struct ImportReport {
  std::int64_t entriesRead = 0;                  // articles, each counted once
  std::int64_t merged = 0;                       // articles whose headword came before
  std::string languageName, homeLanguageName;    // the pair's two languages as the folder names them, UTF-8
  std::int64_t headwords = 0;                    // of the forward word file
  std::int64_t written = 0;                      // records of the forward word file
  std::int64_t reverseWritten = 0;               // records of the reverse word file
  std::int64_t translationsDropped = 0;          // outside the code page or longer than a whole field
  std::int64_t translationsOutsideCodePage = 0;  // of those dropped: a character without an equivalent
  std::int64_t translationsTooLong = 0;          // of those dropped: longer than a whole field alone
  std::int64_t translationsWritten = 0;          // to the forward word file, each once per headword
  // Headwords and translations in which characters the code page lacks became their plain
  // equivalents (a hyphen for U+2010, "ij" for U+0133).
  std::int64_t converted = 0;
  std::int64_t abbreviations = 0;  // headwords of their own given on a headword line
  std::int64_t skipped[skipCauseCount] = {};
  std::string skipExample[skipCauseCount];  // a headword of each cause, UTF-8
  std::string forwardFile, reverseFile;     // where they are, as the host names them
  std::string articleFile;                  // the forward word file's articles, where it is
  std::int64_t articleHeadwords = 0;        // headwords with their articles in it
  std::uint64_t articleBytes = 0;           // its size
  bool replacedLine = false;
  // Entries a user added to the language (logged by the add-words window), merged into the files.
  std::int64_t userEntriesKept = 0;
  // Where the time went: each step of the import and its seconds, in their order.
  std::vector<std::pair<std::string, double>> steps;
  double seconds = 0;  // the whole import
};

// Throws ImportError; the folder is then as it was. A language that is there already is
// replaced only when options.yes is set or the terminal's answer allows it, and that is settled
// before the dictionary is read.
ImportReport importDictionary(const ImportOptions& options);

// What an import would write, found from the names and the folder alone, before the dictionary
// is read; throws ImportError where importDictionary would refuse at once.
struct ImportTarget {
  std::string languageName;  // UTF-8, as the folder's configuration file names the language
  bool alreadyThere = false;
  std::int64_t userEntries = 0;  // entries a user added to the language, which a replacement keeps
};
ImportTarget importTarget(const ImportOptions& options);

// The summary of an import that zembo-import prints and zembo shows, in the words of each: its
// lines, each a text with %1, %2 ... for its arguments (UTF-8). The lines after leftOut are its
// causes.
enum class SummaryText {
  imported,         // the language, its headwords, the seconds
  recordsWritten,   // the forward records, the language, the home language, the reverse records
  leftOut,          // (no argument)
  headwordTooLong,  // the count, an example; the same for the next three
  headwordOutsideCodePage,
  noTranslation,
  noTranslationFits,
  translationsOutsideCodePage,  // the count
  translationsTooLong,          // the count
  userEntriesKept,              // the count
};
struct SummaryLine {
  SummaryText text;
  std::vector<std::string> args;
};
std::vector<SummaryLine> importSummary(const ImportReport& report);
const char* englishSummaryText(SummaryText text);
// The lines filled in and joined, each ended by a line end, the causes indented; textOf gives
// each line's text.
std::string summaryText(const std::vector<SummaryLine>& lines, const std::function<std::string(SummaryText)>& textOf);

}  // namespace zembo
