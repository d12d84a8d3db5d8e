#pragma once
// Making a direction current: its collation becomes the store's and the process's, and the store
// opens its files.

#include <string>

#include "directions/directions.h"

namespace zembo {

// The direction becomes current with its collation and files, without recording the choice in
// the configuration file.
void makeDirectionCurrent(DictionaryDirection* direction);
// The collation half of it, for the start-up, which opens the files later: the sort table and
// locale of the current direction become the store's and the process's.
void prepareCurrentCollation();

// Called after a user chose another direction (the current one): its collation, the choice
// recorded in the configuration file, the store reopened for it. 0, or -1 when the choice could
// not be recorded (the store is reopened all the same, so the open files always belong to the
// current direction).
int activateDirection();

// For the programs that measure a filled folder: enters folder, reads its configuration and makes
// the direction from the language named (case folded) current. Null, with what went wrong in
// error, when the folder cannot be entered, has no configuration or no such direction.
DictionaryDirection* openFolderDirection(const char* folder, const char* language, std::string& error);

}  // namespace zembo
