#pragma once
// The dictionary directions: one per language pair from the foreign language into the UI
// language, read from the configuration file, followed by one reversed twin per pair.

#include <cstdint>

namespace zembo {

struct DictionaryDirection {
  DictionaryDirection* next;
  std::int32_t menuId;        // 200 + position in the list, set when the language menu is built
  std::int32_t hasSortTable;  // 1: collate by tables\<sourceName>.stb, else by localeName
  std::int32_t sourceCharset;
  std::int32_t targetCharset;
  std::int16_t selected;  // chosen at start-up
  char sourceName[100];
  char targetName[100];
  char wordFileName[13];    // Sss_Ttt.zb
  char listFileName[13];    // Sss_Ttt.ls
  char sourceIconName[13];  // Sss.ico
  char targetIconName[13];
  char localeName[20];
  char longWordFileName[205];  // used when longName is not empty
  char longListFileName[205];
  char longSourceIconName[100];
  char longTargetIconName[100];
  char longName[100];  // field 4 of the pair's line, empty when absent
};

struct DirectionState {
  DictionaryDirection* directionList = nullptr;  // forward directions first, then their twins
  int directionCount = 0;
  DictionaryDirection* currentDirection = nullptr;
};
extern const DirectionState& directions;
// Frees the list and leaves no direction current, as at process start.
void resetDirectionState();
// Makes a direction of the list current (the store's makeDirectionCurrent opens its files).
void setCurrentDirection(DictionaryDirection* direction);
// The start-up's choice of a direction over the one the configuration file selected.
void selectDirection(DictionaryDirection* direction);

// Builds the list from the language section; 0, or -1 when the file cannot be read or holds no
// pair. Leaves currentDirection at the first twin.
int loadDirections();
// Makes the direction named in the selected section current; 0, or -1 on a read failure.
int readSelectedDirection();
// Rewrites the line after the selected header with the current direction's word file name; 0, or
// -1 at the first failing step (the configuration file is then unchanged).
int recordSelectedDirection();
// 1 when tables\<name>.stb can be opened for reading, else 0.
int sortTableExists(const char* languageName);

// The direction of the same pair the other way round (the names swapped); null when there is none.
DictionaryDirection* twinOf(const DictionaryDirection* d);
// The forward direction of d's pair (the forward directions come first in the list): d itself, or
// its twin.
const DictionaryDirection* forwardOf(const DictionaryDirection* d);

// The long names when the direction has a long name, the short ones otherwise.
const char* activeWordFileName(const DictionaryDirection* direction);
const char* activeListFileName(const DictionaryDirection* direction);
const char* activeSourceIconName(const DictionaryDirection* direction);
const char* activeTargetIconName(const DictionaryDirection* direction);

}  // namespace zembo
