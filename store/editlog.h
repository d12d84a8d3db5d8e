#pragma once
// The edit log beside the new-entries log ("new\\Deutsch_Englisch.edits"): one line per record a
// user changed, deleted or added in a word file, appended as the change is written. When two
// computers changed the same word file before their copies met, the word file both keep is the
// one their merged logs give; the log is what says which change came later.
//
//   # zembo edit log 1
//   id  time  kind  word  translation  flags  new word  new translation  new flags
//
// The id is 64 random bits in hex, the time microseconds since 1970 (never the same twice in one
// program), the kind "add" (the first three fields then empty) or "change" (a delete sets the
// flags). The fields are the record's bytes in its code page; a backslash, tab, CR or line feed
// in them is written as \\, \t, \r or \n.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "directions/directions.h"
#include "formats/wordrecord.h"

namespace zembo {

struct RecordEdit {
  std::string id;
  std::int64_t time = 0;
  bool added = false;  // an appended record; otherwise before became after
  WordRecord before{};
  WordRecord after{};
};

constexpr const char* editLogHeader = "# zembo edit log 1\n";

// "new\\Deutsch_Englisch.edits": the program path of a direction's edit log.
std::string editLogPath(const DictionaryDirection& direction);

std::string newEditId();

// The line with its line feed, and back (without it); false for a line of any other shape.
void appendEditLine(std::string& out, const RecordEdit& edit);
bool parseEditLine(std::string_view line, RecordEdit& edit);

// Appends one line to the log (made with its header when new); false when it was not written.
bool appendEditLog(const std::filesystem::path& log, const RecordEdit& edit);

struct EditLogRead {
  std::vector<RecordEdit> edits;  // in the file's order
  int damaged = 0;                // lines that could not be read
  bool missing = false;
};
EditLogRead readEditLog(const std::filesystem::path& log);

// A record as a key: its word, translation and whether it is live.
std::string recordKey(const WordRecord& record);
// Whether two records hold the same word, translation and liveness.
bool sameRecord(const WordRecord& a, const WordRecord& b);

// Replays edits, oldest first, onto records as far as records do not reflect them yet: a change
// finds its record, or the record a change before it made of that record, and replaces it; an
// add is appended unless the record, or what later edits make of it, is there. Replaying edits a
// file already reflects changes nothing, so a merge may run again harmlessly.
void applyEdits(std::vector<WordRecord>& records, const std::vector<RecordEdit>& edits);

// Edits in the order they were made: by time, then by id.
void sortEdits(std::vector<RecordEdit>& edits);

}  // namespace zembo
