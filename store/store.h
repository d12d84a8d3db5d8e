#pragma once
// The word file and the practice list file of the current direction. Every record read lands in
// currentRecord and every write takes its record from there; a caller that needs a record across
// another read copies it first.

#include <cstdint>
#include <string>

#include "formats/wordrecord.h"
#include "store/recordmap.h"

namespace zembo {

extern int wordFile;  // descriptor of the open word file, -1 when none
extern int wordCount;
extern int listFile;  // descriptor of the open practice list file, -1 when none
extern int listCount;
extern WordRecord currentRecord;
extern char practiceListName[150];
extern int namedListCount;
// The mappings that reads go through, and the records the files hold as far as this program
// knows (the counts above may lag behind an append until the caller raises them).
extern RecordMap wordMap;
extern RecordMap listMap;
extern std::int64_t wordFileRecords;
extern std::int64_t listFileRecords;
// Closes the files and clears every value above, the sort table and the owed sort, as at
// process start.
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
// 0 when a whole record was read into currentRecord; -1 (currentRecord unchanged) otherwise.
int readWordRecord(int index);
int readListRecord(int index);
// 0 when currentRecord was written whole as record index; writing at the count appends.
int writeWordRecord(int index);
int writeListRecord(int index);
void closeStoreFiles();
void closeListFile();

// Folder entries of the practice list folder, "." and ".." included; 0 when it cannot be read.
int countListFolders();
// Makes the first named list current and returns 400, the id of its menu item; 0 when none.
int selectFirstList();
// 1 when a named list (a folder not beginning with ".") is called practiceListName.
int listFolderExists();

// The paths as the program forms them.
std::string wordFilePath();
std::string listFilePath();

}  // namespace zembo
