#pragma once
// The builder of a language's reverse word list: every comma-separated part of every translation
// of the shipped FROM list becomes a word whose translation is the FROM word; the new records are
// sorted in the collation in force and byte-equal words merged into one record. It draws its
// progress on the installer window as it goes.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "formats/reverselist.h"
#include "formats/wordrecord.h"
#include "installer/core/display.h"

namespace zembo {

struct DrawingState {
  // The rows the builder draws on, moving down with each language.
  int headlineRow = 100;
  int progressRow = 155;
  int stepRow = 170;
  // Comparisons of the sorts, counted from the first language on.
  std::int64_t comparisonCount = 0;
  // The counter of the step that runs, the value it still owes the display (-1: none) and when
  // it was last drawn, since counters are drawn at most every so often.
  Box counterBox;
  std::int64_t pendingCount = -1;
  std::chrono::steady_clock::time_point lastCounterDrawing;
};
// Read anywhere; written only by installer/core/wordlists.cpp.
extern const DrawingState& drawing;

constexpr std::string_view wordListFolder = "taal\\";
constexpr std::string_view tempListPath = "taal\\temp.zb";

// The rows and the counter as they are before the first language.
void resetDrawingRows();
// The next step text goes a row further down, leaving a row empty.
void leaveStepRowEmpty();

// Builds "taal\\" + toListName from "taal\\" + fromListName (the current language of the
// languages file), then shows the final message. Every file failure is fatal.
void buildReverseList();

// All records of an open list, in file order, showing the index every 100 records; a list that
// cannot be mapped is fatal.
LoadedList loadRecords(std::FILE* list);

// The order of the records by word under the collation in force, computing each word's
// collation key once. Byte-equal words end up next to each other, in the records' order.
std::vector<std::uint32_t> sortByCollation(Records records);

// The progress bar from x 30 to 380 at a row, green up to fillEdge, with a centred text.
void drawProgressBar(int row, int fillEdge, std::string_view text);

}  // namespace zembo
