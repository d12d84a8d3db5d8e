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

DrawingState drawing;

namespace {

constexpr int recordSize = sizeof(WordRecord);
// Counters change faster than anyone reads them: they are drawn at most this often, and once
// more when their loop ends.
constexpr auto counterInterval = std::chrono::milliseconds(40);

void writeStepText(std::string_view text, int right = 480) {
  if (script.stepDisplay != 1 || !displays.installDisplay) return;
  displays.installDisplay->showStepText({30, drawing.stepRow, right, drawing.stepRow + 30}, text);
}

void writeDone() {
  if (script.stepDisplay != 1) return;
  if (displays.installDisplay)
    displays.installDisplay->showStepText({300, drawing.stepRow, 480, drawing.stepRow + 30}, "Done.");
  drawing.stepRow += 25;
}

void placeCounter() { drawing.counterBox = {210, drawing.stepRow, 290, drawing.stepRow + 16}; }

void drawCounter(std::int64_t value) {
  displays.installDisplay->showCounter(drawing.counterBox, value);
  drawing.lastCounterDrawing = std::chrono::steady_clock::now();
  drawing.pendingCount = -1;
}

// The counters stand on the step rows, so they are shown with the step texts only.
void showCounter(std::int64_t value) {
  if (!displays.installDisplay || script.stepDisplay != 1) return;
  drawing.pendingCount = value;
  if (std::chrono::steady_clock::now() - drawing.lastCounterDrawing >= counterInterval) drawCounter(value);
}

void flushCounter() {
  if (displays.installDisplay && drawing.pendingCount >= 0) drawCounter(drawing.pendingCount);
}

void drawLanguageHeadline() {
  if (displays.installDisplay)
    displays.installDisplay->showHeadline({30, drawing.headlineRow, 480, drawing.headlineRow + 40},
                                          registering.languageTitle);
  drawing.headlineRow += 50;
}

void showWaitCursor() {
  if (displays.installDisplay) displays.installDisplay->showWaitCursor();
}

void restoreCursor() {
  if (displays.installDisplay) displays.installDisplay->restoreCursor();
}

// The temporary list grows in large steps of space set aside.
constexpr std::int64_t reserveStep = std::int64_t{64} << 20;

std::string listPath(std::string_view name) { return std::string(wordListFolder).append(name); }

// The words written go to the collation keys as well, whose second core starts on them at once.
void writeTempList(std::FILE* temp, Records fromRecords, CollationKeys& keys) {
  std::int64_t reserved = 0;
  for (std::size_t i = 0; i < fromRecords.size(); ++i) {
    if (i % 100 == 0) showCounter(static_cast<std::int64_t>(i));
    if (static_cast<std::int64_t>(keys.size() + translationFieldSize) * recordSize > reserved)
      reserveSpace(temp, reserved += reserveStep);
    const WordRecord& from = fromRecords[i];
    forEachField(translationOf(from), ',', [&](std::string_view part) {
      if (const std::string_view word = writeReverseRecord(temp, wordOf(from), part); !word.empty()) keys.add(word);
    });
  }
  keys.allAdded();
  if (!giveBackSpace(temp)) reportError("Write error tempfile");
  flushCounter();
}

// The TO list replaces an older one only once it is wholly written and on disk.
void writeToList(Records records, const std::vector<std::uint32_t>& order) {
  bool created = false;
  const std::filesystem::path target = hostPath(listPath(registering.toListName));
  removeLeftovers(target);
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

void showComparisons(std::int64_t count) { showCounter(drawing.comparisonCount + count); }

std::vector<std::uint32_t> sortWithCounter(CollationKeys& keys, Records records) {
  std::vector<std::uint32_t> order = keys.sortRecords(records, script.stepDisplay == 1 ? showComparisons : nullptr);
  drawing.comparisonCount += keys.steps();
  flushCounter();
  return order;
}

// Every piece of a translation that is long enough has at most one comma after it, and the last
// piece none: a full field of one-letter pieces gives the most.
std::size_t mostReverseRecords(Records fromRecords) { return fromRecords.size() * ((translationFieldSize + 1) / 2); }

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

void resetDrawingRows() { drawing = {}; }

void drawProgressBar(int row, int fillEdge, std::string_view text) {
  if (displays.installDisplay) displays.installDisplay->showProgressBar({30, row, 380, row + 20}, fillEdge, text);
}

std::string_view writeReverseRecord(std::FILE* temp, std::string_view fromWord, std::string_view part) {
  part = reverseWord(fromWord, part);
  if (part.empty()) return {};
  WordRecord record{};
  setField(record.word, sizeof record.word, part);
  setField(record.translation, sizeof record.translation, fromWord);
  // The list is written by this thread alone, a record at a time: no locking for each one.
  if (::fwrite_unlocked(&record, recordSize, 1, temp) != 1) reportError("Write error tempfile");
  return part;
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
  drawProgressBar(drawing.progressRow, 0, "0%");
  writeStepText("Reading FROM wordlist");
  std::FILE* from = openFile(listPath(registering.fromListName), "rb");
  if (!from) reportError("Input file missing " + listPath(registering.fromListName));
  drawProgressBar(drawing.progressRow, 64, "10%");
  placeCounter();
  LoadedList fromList = loadRecords(from);
  writeDone();

  std::FILE* temp = createTempList();
  if (!temp) reportError("Can't create tempfile");
  std::setvbuf(temp, nullptr, _IOFBF, 1 << 20);
  drawProgressBar(drawing.progressRow, 117, "25%");
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
  drawProgressBar(drawing.progressRow, 205, "50%");
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

  drawProgressBar(drawing.progressRow, 292, "75%");
  writeStepText("Writing TO wordlist");
  placeCounter();
  writeToList(records, order);
  writeDone();
  std::fclose(temp);
  removeFile(tempListPath);
  setPendingTempFile({});

  drawProgressBar(drawing.progressRow, 379, "100%");
  drawing.progressRow += 50;
  restoreCursor();
  showFinalMessage();
}

}  // namespace zembo
