#include "installer/core/wordlists.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>

#include "formats/fields.h"
#include "formats/recordsort.h"
#include "formats/reverselist.h"
#include "installer/core/display.h"
#include "installer/core/languages.h"
#include "installer/core/script.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "platform/safefiles.h"
#include "platform/textfile.h"

namespace zembo {

namespace {

DrawingState drawingState;  // the one mutable instance

// Counters change faster than anyone reads them: they are drawn at most this often, and once
// more when their loop ends.
constexpr auto counterInterval = std::chrono::milliseconds(40);

void writeStepText(std::string_view text, int right = 480) {
  if (script.stepDisplay != 1 || !displays.installDisplay) return;
  displays.installDisplay->showStepText({30, drawingState.stepRow, right, drawingState.stepRow + 30}, text);
}

void writeDone() {
  if (script.stepDisplay != 1) return;
  if (displays.installDisplay)
    displays.installDisplay->showStepText({300, drawingState.stepRow, 480, drawingState.stepRow + 30}, "Done.");
  drawingState.stepRow += 25;
}

void placeCounter() { drawingState.counterBox = {210, drawingState.stepRow, 290, drawingState.stepRow + 16}; }

void drawCounter(std::int64_t value) {
  displays.installDisplay->showCounter(drawingState.counterBox, value);
  drawingState.lastCounterDrawing = std::chrono::steady_clock::now();
  drawingState.pendingCount = -1;
}

// The counters stand on the step rows, so they are shown with the step texts only.
void showCounter(std::int64_t value) {
  if (!displays.installDisplay || script.stepDisplay != 1) return;
  drawingState.pendingCount = value;
  if (std::chrono::steady_clock::now() - drawingState.lastCounterDrawing >= counterInterval) drawCounter(value);
}

void flushCounter() {
  if (displays.installDisplay && drawingState.pendingCount >= 0) drawCounter(drawingState.pendingCount);
}

void drawLanguageHeadline() {
  if (displays.installDisplay)
    displays.installDisplay->showHeadline({30, drawingState.headlineRow, 480, drawingState.headlineRow + 40},
                                          registering.languageTitle);
  drawingState.headlineRow += 50;
}

void showWaitCursor() {
  if (displays.installDisplay) displays.installDisplay->showWaitCursor();
}

void restoreCursor() {
  if (displays.installDisplay) displays.installDisplay->restoreCursor();
}

std::string listPath(std::string_view name) { return std::string(wordListFolder).append(name); }

// The words written go to the collation keys as well, whose second core starts on them at once.
void writeTempList(std::FILE* temp, Records fromRecords, CollationKeys& keys) {
  const bool written = writeReverseRecords(
      temp, fromRecords, [&keys](std::string_view word) { keys.add(word); }, showCounter);
  keys.allAdded();
  if (!written) reportError("Write error tempfile");
  flushCounter();
}

// The TO list replaces an older one only once it is wholly written and on disk.
void writeToList(Records records, const std::vector<std::uint32_t>& order) {
  bool created = false;
  const std::filesystem::path target = hostPath(listPath(registering.toListName));
  removeLeftovers(target);
  removeArticlesOf(target);
  const bool replaced = replaceFileSafely(target, [&](std::FILE* out) {
    created = true;
    const bool written = writeMergedList(out, records, order, showCounter);
    flushCounter();
    return written;
  });
  if (!created) reportError("Can't create output file");
  if (!replaced) reportError("Write error output file");
}

std::string readWholeText(std::FILE* file) {
  std::string text;
  char piece[512];
  while (readTextLine(file, piece, sizeof piece)) text += piece;
  return text;
}

void showFinalMessage() {
  std::string text = "Install Finished ";
  if (!script.finalTextFile.empty()) {
    if (std::FILE* file = openFile(script.finalTextFile, "rt")) {
      text = readWholeText(file);
      std::fclose(file);
    }
  }
  messageBox(messageOwner(), text, "Install", MB_OK);
}

void showComparisons(std::int64_t count) { showCounter(drawingState.comparisonCount + count); }

std::vector<std::uint32_t> sortWithCounter(CollationKeys& keys, Records records) {
  std::vector<std::uint32_t> order = keys.sortRecords(records, script.stepDisplay == 1 ? showComparisons : nullptr);
  drawingState.comparisonCount += keys.steps();
  flushCounter();
  return order;
}

// The temporary list is always a new file of our own: a leftover of an interrupted run is removed,
// and nothing that stands in its place (a link above all) is ever followed.
std::FILE* createTempList() {
  const std::filesystem::path path = hostPath(tempListPath);
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return nullptr;
  setPendingTempFile(std::filesystem::absolute(path, ignored));
  std::FILE* file = ::fdopen(fd, "wb");
  if (!file) ::close(fd);
  return file;
}

}  // namespace

const DrawingState& drawing = drawingState;

void resetDrawingRows() { drawingState = {}; }

void leaveStepRowEmpty() { drawingState.stepRow += 25; }

void drawProgressBar(int row, int fillEdge, std::string_view text) {
  if (displays.installDisplay) displays.installDisplay->showProgressBar({30, row, 380, row + 20}, fillEdge, text);
}

LoadedList loadRecords(std::FILE* list) {
  LoadedList loaded;
  if (!loadRecords(list, loaded, showCounter)) reportError("Not enough memory for the word lists");
  flushCounter();
  return loaded;
}

std::vector<std::uint32_t> sortByCollation(Records records) {
  CollationKeys keys(records.size());
  for (const WordRecord& record : records) keys.add(wordOf(record));
  return sortWithCounter(keys, records);
}

void buildReverseList() {
  drawLanguageHeadline();
  showWaitCursor();
  drawProgressBar(drawingState.progressRow, 0, "0%");
  writeStepText("Reading FROM wordlist");
  std::FILE* from = openFile(listPath(registering.fromListName), "rb");
  if (!from) reportError("Input file missing " + listPath(registering.fromListName));
  drawProgressBar(drawingState.progressRow, 64, "10%");
  placeCounter();
  LoadedList fromList = loadRecords(from);
  writeDone();

  std::FILE* temp = createTempList();
  if (!temp) reportError("Can't create tempfile");
  std::setvbuf(temp, nullptr, _IOFBF, 1 << 20);
  drawProgressBar(drawingState.progressRow, 117, "25%");
  writeStepText("Writing TEMP wordlist");
  placeCounter();
  CollationKeys keys(mostReverseRecords(fromList.records()));
  writeTempList(temp, fromList.records(), keys);
  fromList = {};
  std::fclose(from);
  if (std::fclose(temp) != 0) reportError("Write error tempfile");
  writeDone();

  temp = openFile(tempListPath, "rb");
  if (!temp) reportError("Can't open tempfile");
  drawProgressBar(drawingState.progressRow, 205, "50%");
  writeStepText("Reading TO wordlist");
  placeCounter();
  const LoadedList toList = loadRecords(temp);
  const Records records = toList.records();
  // The keys were made from the words as they were written; the list must read back whole.
  if (records.size() != keys.size()) reportError("Can't open tempfile");
  writeDone();

  writeStepText("Sorting TO wordlist", 400);
  placeCounter();
  const std::vector<std::uint32_t> order = sortWithCounter(keys, records);
  writeDone();

  drawProgressBar(drawingState.progressRow, 292, "75%");
  writeStepText("Writing TO wordlist");
  placeCounter();
  writeToList(records, order);
  writeDone();
  std::fclose(temp);
  removeFile(tempListPath);
  setPendingTempFile({});

  drawProgressBar(drawingState.progressRow, 379, "100%");
  drawingState.progressRow += 50;
  restoreCursor();
  showFinalMessage();
}

}  // namespace zembo
