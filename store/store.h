#pragma once
// The word file and the practice list file of the current direction. A read fills a record its
// caller owns and a write takes the record to write, so no read overwrites what another caller
// holds. Only store/store.cpp changes the state this header declares; other code reads it and
// calls the operations.

#include <cstdint>
#include <string>

#include "directions/directions.h"
#include "formats/wordrecord.h"
#include "platform/collation.h"
#include "platform/messagebox.h"
#include "store/recordmap.h"

namespace zembo {

// The order a direction's word file is kept in: a sort table of 256 weights, or the locale's
// case-insensitive collation.
struct WordCollation {
  int hasSortTable = 0;
  unsigned char sortTable[256] = {};
  LocaleCollation locale;
};

// An open word file as a value: lookups, reads and writes take the one they work on, so that code
// can work on another direction's file beside the current one. A handle is closed before it goes.
struct WordFile {
  const DictionaryDirection* direction = nullptr;  // the direction whose file is open
  int wordFile = -1;                               // descriptor, -1 when none
  int wordCount = 0;                               // the records lookups see
  // The mapping reads go through, and the records the file holds as far as this program knows
  // (wordCount may lag behind an append until the caller raises it).
  RecordMap wordMap;
  std::int64_t wordFileRecords = 0;
  WordCollation collation;
  // 1 when the file was changed out of order and owes a sort; the first sortedCount records are
  // known to be in collating order, those after them were appended since.
  int needsSort = 0;
  int sortedCount = 0;
};

// The store: the current direction's word file and the practice list file.
struct StoreState : WordFile {
  int listFile = -1;  // descriptor of the open practice list file, -1 when none
  int listCount = 0;
  RecordMap listMap;
  std::int64_t listFileRecords = 0;
  char practiceListName[150] = "";
  int namedListCount = 0;
  // The time of the last edit logged, in microseconds: each later one is logged later still, so
  // that the edits of one program keep their order in a merge.
  std::int64_t lastEditTime = 0;
};
extern const StoreState& store;  // read anywhere; written only by store/store.cpp
// Closes the store's files and starts from a fresh state; tests begin and end with it.
void resetStoreState();

// Opens the current direction's word file, then its practice list file. A word file that cannot
// be opened ends the program with a message.
int openWordFile();
// Opens or creates the practice list file; 0 also when there is no list to open, -1 when it can
// be neither opened nor created.
int openListFile();
// Count the records and map the file. A word file with more records than an int holds ends the
// program with a message; such a practice list file is closed with a message.
void countWordRecords();  // then countListRecords
void countListRecords();
// Whether the file of a descriptor is no longer the one under its name: another program renamed a
// new file over it.
bool replacedUnderName(int fd, const std::string& path);
// 0 when a whole record was read into record; -1 (record unchanged) otherwise.
int readWordRecord(int index, WordRecord& record);
int readListRecord(int index, WordRecord& record);
// 0 when record was written whole as record index; writing at the count appends. A word file
// that another program (a folder kept in step with another computer) replaced since it was opened
// is opened again first, and the record goes where the record it replaces now lies, or behind the
// last, so that the write is not lost in the old copy. Each change is logged in the direction's
// edit log (editlog.h).
int writeWordRecord(int index, const WordRecord& record);
int writeListRecord(int index, const WordRecord& record);
// Writes record behind the last record of the current word file and counts it; 0, or -1 when it
// was not written.
int appendWordRecord(const WordRecord& record);
// The current word file owes a sort: a record was changed or appended out of order.
void markUnsorted();
// The current direction's sort table and locale become the store's collation (a short sort table
// leaves the rest of the weights as they were); false when the locale cannot be set, which is
// reported in a box owned by parent.
bool loadStoreCollation(WindowHandle parent);
// The same, read again before a sort of the store's file, as the direction's table may have
// changed since: the locale quietly, an unknown name and a missing table reported.
void refreshStoreCollation();
void closeStoreFiles();
void closeListFile();

// The same on a word file of any direction. openWordFile opens, counts and maps the direction's
// word file with its collation (starting from the weights of `collation`, as a short sort table
// leaves the rest as it was); 0, or -1 with the handle closed when it cannot be opened or counted.
int openWordFile(WordFile& file, const DictionaryDirection& direction, const WordCollation& collation);
void closeWordFile(WordFile& file);
// Opens and counts the file of the handle's direction again (the store's: reopenStore); its
// collation stays. 0, or -1 with the handle closed.
int reopenWordFile(WordFile& file);
int readWordRecord(const WordFile& file, int index, WordRecord& record);
int writeWordRecord(WordFile& file, int index, const WordRecord& record);
int appendWordRecord(WordFile& file, const WordRecord& record);
// The file owes a sort: a record was changed or appended out of order.
void markUnsorted(WordFile& file);
// Closes the store's files and opens and counts those of the current direction. A word file of
// another direction than before owes no sort of the old one.
void reopenStore();

// Clears the name of the practice list, or sets it (cut to fit); a name set makes openListFile
// open that list.
void setPracticeListName(std::string_view name);
// Writes record behind the last record of the practice list file and counts it.
int appendListRecord(const WordRecord& record);
// Counts the named lists again (the folder entries but "." and ".."); returns namedListCount.
int countNamedLists();
// Folder entries of the practice list folder, "." and ".." included; 0 when it cannot be read.
int countListFolders();
// Makes the first named list current and returns 400, the id of its menu item; 0 when none.
int selectFirstList();
// 1 when a named list (a folder not beginning with ".") is called store.practiceListName.
int listFolderExists();
// Whether a list of this name (ASCII case aside) is in the list folder.
bool listFolderExists(std::string_view name);

// The paths as the program forms them.
std::string wordFilePath();
std::string wordFilePath(const DictionaryDirection& direction);
std::string listFilePath();

}  // namespace zembo
