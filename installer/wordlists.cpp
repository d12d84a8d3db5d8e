#include "installer/wordlists.h"

#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "installer/installwindow.h"
#include "installer/languages.h"
#include "installer/script.h"
#include "installer/textfields.h"
#include "resources/platform/collation.h"
#include "resources/platform/hostpath.h"
#include "resources/platform/messagebox.h"
#include "resources/platform/textfile.h"

namespace zembo {

int headlineRow = 100;
int progressRow = 155;
int stepRow = 170;
std::int64_t comparisonCount = 0;

namespace {

constexpr int recordSize = sizeof(WordRecord);
const QColor counterColour(0, 0, 104);
// Counters change faster than anyone reads them: they are drawn at most this often, and once
// more when their loop ends.
constexpr auto counterInterval = std::chrono::milliseconds(40);

QRect counterBox;
std::int64_t pendingCount = -1;
std::chrono::steady_clock::time_point lastCounterDrawing;

const QFont& stepFont() {
  static const QFont font = [] {
    QFont f("Arial");
    f.setPixelSize(16);
    f.setBold(true);
    return f;
  }();
  return font;
}

void drawWhiteText(const QRect& box, std::string_view text, int flags) {
  drawOnWindow([&](QPainter& painter) {
    painter.setFont(stepFont());
    painter.setPen(Qt::white);
    painter.drawText(box, flags, windowText(text));
  });
}

void writeStepText(std::string_view text, int right = 480) {
  if (stepDisplay != 1) return;
  drawWhiteText(windowRect(30, stepRow, right, stepRow + 30), text, Qt::AlignLeft | Qt::AlignTop);
  updateWindowNow();
}

void writeDone() {
  if (stepDisplay != 1) return;
  drawWhiteText(windowRect(300, stepRow, 480, stepRow + 30), "Done.", Qt::AlignLeft | Qt::AlignTop);
  updateWindowNow();
  stepRow += 25;
}

void placeCounter() { counterBox = windowRect(210, stepRow, 290, stepRow + 16); }

void drawCounter(std::int64_t value) {
  drawOnWindow([&](QPainter& painter) { painter.fillRect(counterBox, counterColour); });
  drawWhiteText(counterBox, std::to_string(value), Qt::AlignLeft | Qt::AlignVCenter);
  updateWindowNow();
  lastCounterDrawing = std::chrono::steady_clock::now();
  pendingCount = -1;
}

void showCounter(std::int64_t value) {
  if (!installWindow) return;
  pendingCount = value;
  if (std::chrono::steady_clock::now() - lastCounterDrawing >= counterInterval) drawCounter(value);
}

void flushCounter() {
  if (installWindow && pendingCount >= 0) drawCounter(pendingCount);
}

void drawLanguageHeadline() {
  drawOnWindow([](QPainter& painter) {
    drawHeadline(painter, windowRect(30, headlineRow, 480, headlineRow + 40), languageTitle);
  });
  headlineRow += 50;
}

std::string listPath(std::string_view name) { return std::string(wordListFolder).append(name); }

void writeTempList(std::FILE* temp, const std::vector<WordRecord>& fromRecords) {
  for (std::size_t i = 0; i < fromRecords.size(); ++i) {
    if (i % 100 == 0) showCounter(static_cast<std::int64_t>(i));
    const WordRecord& from = fromRecords[i];
    for (std::string_view part : splitFields(translationOf(from), ',')) writeReverseRecord(temp, wordOf(from), part);
  }
  flushCounter();
}

// Appends translations of later records of the same word while they fit in the field.
void appendTranslation(WordRecord& first, std::string_view more) {
  const std::string_view have = translationOf(first);
  if (have.size() + more.size() + 2 > translationFieldSize - 1) return;
  std::string joined(have);
  joined.append(", ").append(more);
  setField(first.translation, sizeof first.translation, joined);
}

bool writeMergedList(std::FILE* out, const std::vector<WordRecord>& records, const std::vector<std::uint32_t>& order) {
  std::size_t i = 0;
  while (i < order.size()) {
    if (i % 100 == 0) showCounter(static_cast<std::int64_t>(i));
    WordRecord first = records[order[i]];
    for (++i; i < order.size() && wordOf(records[order[i]]) == wordOf(first); ++i) {
      if (i % 100 == 0) showCounter(static_cast<std::int64_t>(i));
      appendTranslation(first, translationOf(records[order[i]]));
    }
    if (std::fwrite(&first, recordSize, 1, out) != 1) return false;
  }
  flushCounter();
  return true;
}

// The TO list replaces an older one only once it is wholly written and on disk.
void writeToList(const std::vector<WordRecord>& records, const std::vector<std::uint32_t>& order) {
  bool created = false;
  const bool replaced = replaceFileSafely(hostPath(listPath(toListName)), [&](std::FILE* out) {
    created = true;
    return writeMergedList(out, records, order);
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
  if (!finalTextFile.empty()) {
    if (std::FILE* file = openFile(finalTextFile, "rt")) {
      text = readWholeText(file);
      std::fclose(file);
    }
  }
  messageBox(installWindowHandle(), text, "Install", MB_OK);
}

// Keys of one slice of the records, made by one thread with its own collator.
struct KeySlice {
  std::string bytes;
  std::vector<std::uint32_t> ends;  // end offset of each record's key in bytes
};

void makeKeys(CollationKeyMaker& maker, const WordRecord* records, std::size_t count, KeySlice& slice) {
  slice.ends.reserve(count);
  slice.bytes.reserve(count * 24);
  std::string key;
  for (std::size_t i = 0; i < count; ++i) {
    maker.makeKey(wordOf(records[i]), key);
    slice.bytes += key;
    slice.ends.push_back(static_cast<std::uint32_t>(slice.bytes.size()));
  }
}

struct SortEntry {
  std::uint64_t prefix;  // the key's first eight bytes, big-endian, so that it compares as the key
  const char* key;
  std::uint32_t length;
  std::uint32_t index;
};

std::uint64_t keyPrefix(const char* key, std::uint32_t length) {
  std::uint64_t prefix = 0;
  for (std::uint32_t i = 0; i < 8; ++i)
    prefix = (prefix << 8) | (i < length ? static_cast<unsigned char>(key[i]) : 0u);
  return prefix;
}

void addEntries(const KeySlice& slice, std::uint32_t firstIndex, std::vector<SortEntry>& entries) {
  std::uint32_t begin = 0;
  for (std::size_t i = 0; i < slice.ends.size(); ++i) {
    const char* key = slice.bytes.data() + begin;
    const std::uint32_t length = slice.ends[i] - begin;
    entries.push_back({keyPrefix(key, length), key, length, firstIndex + static_cast<std::uint32_t>(i)});
    begin = slice.ends[i];
  }
}

}  // namespace

void resetDrawingRows() {
  headlineRow = 100;
  progressRow = 155;
  stepRow = 170;
}

void drawProgressBar(int row, int fillEdge, std::string_view text) {
  drawOnWindow([&](QPainter& painter) {
    const QRect bar = windowRect(30, row, 380, row + 20);
    painter.setPen(Qt::white);
    painter.drawRect(bar.adjusted(0, 0, -1, -1));
    const QRect inside = bar.adjusted(1, 1, -1, -1);
    painter.fillRect(inside, QColor(0, 0, 128));
    if (fillEdge > 0) painter.fillRect(windowRect(inside.left(), inside.top(), fillEdge, inside.bottom() + 1), QColor(0, 128, 0));
    painter.setFont(stepFont());
    painter.drawText(bar, Qt::AlignCenter, windowText(text));
  });
  updateWindowNow();
}

void writeReverseRecord(std::FILE* temp, std::string_view fromWord, std::string_view part) {
  const std::size_t firstNonBlank = part.find_first_not_of(' ');
  // A part of blanks only would make a record without a word.
  if (firstNonBlank == std::string_view::npos) return;
  part.remove_prefix(firstNonBlank);
  if (fromWord.size() > translationFieldSize - 1 || part.size() > wordFieldSize - 1) return;
  WordRecord record{};
  setField(record.word, sizeof record.word, part);
  setField(record.translation, sizeof record.translation, fromWord);
  if (std::fwrite(&record, recordSize, 1, temp) != 1) reportError("Write error tempfile");
}

std::vector<WordRecord> loadRecords(std::FILE* list) {
  std::fseek(list, 0, SEEK_END);
  const long size = std::ftell(list);
  std::fseek(list, 0, SEEK_SET);
  std::vector<WordRecord> records(size > 0 ? static_cast<std::size_t>(size) / recordSize : 0);
  for (std::size_t i = 0; i < records.size(); i += 100) {
    showCounter(static_cast<std::int64_t>(i));
    const std::size_t wanted = std::min<std::size_t>(100, records.size() - i);
    const std::size_t got = std::fread(&records[i], recordSize, wanted, list);
    if (got < wanted) {
      records.resize(i + got);  // the file became shorter while it was read
      break;
    }
  }
  flushCounter();
  return records;
}

std::vector<std::uint32_t> sortByCollation(const std::vector<WordRecord>& records) {
  // The collation keys are made once per word, half of them on a second core.
  const std::size_t half = records.size() / 2;
  KeySlice first, second;
  CollationKeyMaker firstMaker, secondMaker;
  std::thread helper([&] { makeKeys(secondMaker, records.data() + half, records.size() - half, second); });
  makeKeys(firstMaker, records.data(), half, first);
  helper.join();
  std::vector<SortEntry> entries;
  entries.reserve(records.size());
  addEntries(first, 0, entries);
  addEntries(second, static_cast<std::uint32_t>(half), entries);

  const bool counting = stepDisplay == 1 && installWindow;
  std::int64_t comparisons = comparisonCount;
  std::sort(entries.begin(), entries.end(), [&](const SortEntry& a, const SortEntry& b) {
    if (counting && ++comparisons % 1000 == 0) showCounter(comparisons);
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    const std::uint32_t common = std::min(a.length, b.length);
    if (common > 8) {
      const int c = std::memcmp(a.key + 8, b.key + 8, common - 8);
      if (c != 0) return c < 0;
    }
    if (a.length != b.length) return a.length < b.length;
    // Equal in the collation: byte-equal words side by side, each word's records in file order.
    const int c = wordOf(records[a.index]).compare(wordOf(records[b.index]));
    return c != 0 ? c < 0 : a.index < b.index;
  });
  if (counting) {
    comparisonCount = comparisons;
    flushCounter();
  }
  std::vector<std::uint32_t> order(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) order[i] = entries[i].index;
  return order;
}

void buildReverseList() {
  drawLanguageHeadline();
  showWaitCursor();
  drawProgressBar(progressRow, 0, "0%");
  writeStepText("Reading FROM wordlist");
  std::FILE* from = openFile(listPath(fromListName), "rb");
  if (!from) reportError("Input file missing");
  drawProgressBar(progressRow, 64, "10%");
  placeCounter();
  std::vector<WordRecord> fromRecords = loadRecords(from);
  writeDone();

  std::FILE* temp = openFile(tempListPath, "wb");
  if (!temp) reportError("Can't create tempfile");
  std::setvbuf(temp, nullptr, _IOFBF, 1 << 20);
  drawProgressBar(progressRow, 117, "25%");
  writeStepText("Writing TEMP wordlist");
  placeCounter();
  writeTempList(temp, fromRecords);
  fromRecords = {};
  std::fclose(from);
  if (std::fclose(temp) != 0) reportError("Write error tempfile");
  writeDone();

  temp = openFile(tempListPath, "rb");
  if (!temp) reportError("Can't open tempfile");
  drawProgressBar(progressRow, 205, "50%");
  writeStepText("Reading TO wordlist");
  placeCounter();
  const std::vector<WordRecord> records = loadRecords(temp);
  writeDone();

  writeStepText("Sorting TO wordlist", 400);
  placeCounter();
  const std::vector<std::uint32_t> order = sortByCollation(records);
  writeDone();

  drawProgressBar(progressRow, 292, "75%");
  writeStepText("Writing TO wordlist");
  placeCounter();
  writeToList(records, order);
  writeDone();
  std::fclose(temp);
  removeFile(tempListPath);

  drawProgressBar(progressRow, 379, "100%");
  progressRow += 50;
  restoreCursor();
  showFinalMessage();
}

}  // namespace zembo
