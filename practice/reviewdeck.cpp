#include "practice/reviewdeck.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "directions/directions.h"
#include "lookup/soundfiles.h"
#include "platform/codepage.h"
#include "platform/hostpath.h"
#include "platform/profile.h"
#include "platform/safefiles.h"
#include "practice/lists.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/collate.h"
#include "store/store.h"

namespace zembo {

namespace {
ReviewState reviewingState;  // the one mutable instance
}  // namespace
const ReviewState& reviewing = reviewingState;

void shiftReviewClock(std::int64_t seconds) { reviewingState.clockShift += seconds; }
void resetReviewState() { reviewingState = {}; }

std::int64_t reviewNow() { return static_cast<std::int64_t>(std::time(nullptr)) + reviewingState.clockShift; }

namespace {

// The list file's records as they are read, one after another.
std::string currentListRecords() {
  std::string records;
  records.reserve(static_cast<std::size_t>(std::max(store.listCount, 0)) * sizeof(WordRecord));
  WordRecord record;
  for (int i = 0; i < store.listCount; ++i)
    if (readListRecord(i, record) == 0) records.append(reinterpret_cast<const char*>(&record), sizeof record);
  return records;
}

// Adds each comma-separated translation of list to items that items lacks.
void addTranslations(std::string_view list, std::vector<std::string>& items) {
  for (std::string& one : translationTokens(std::string(list)))
    if (!one.empty() && std::find(items.begin(), items.end(), one) == items.end()) items.push_back(std::move(one));
}

// The live entries among records, converted from the direction's code pages; with whole, each
// word with every translation the word file holds for it (a card asks for any of them).
std::vector<ListEntry> listEntriesOf(std::string_view records, bool whole = false) {
  std::vector<ListEntry> entries;
  const int wordPage = codePageOfCharset(directions.currentDirection->sourceCharset);
  const int translationPage = codePageOfCharset(directions.currentDirection->targetCharset);
  entries.reserve(records.size() / sizeof(WordRecord));
  for (std::size_t at = 0; at + sizeof(WordRecord) <= records.size(); at += sizeof(WordRecord)) {
    WordRecord record;
    std::memcpy(&record, records.data() + at, sizeof record);
    if (isDeleted(record) || wordOf(record).empty()) continue;
    entries.push_back(
        {toUtf8(wordOf(record), wordPage),
         toUtf8(whole ? wholeTranslationOf(record) : std::string(translationOf(record)), translationPage)});
  }
  return entries;
}

}  // namespace

// Those of all the records spelled as the word is: a headword whose translations fill several
// records, equal words added apart.
std::string wholeTranslationOf(const WordRecord& entry) {
  std::vector<std::string> items;
  addTranslations(translationOf(entry), items);
  const std::string_view word = wordOf(entry);
  WordRecord record;
  for (int index = findWord(word); index < store.wordCount && readWordRecord(index, record) == 0; ++index) {
    if (compareWords(store.collation, wordOf(record), word) != 0) break;
    if (!isDeleted(record) && wordOf(record) == word) addTranslations(translationOf(record), items);
  }
  std::string whole;
  for (const std::string& item : items) whole += (whole.empty() ? "" : ", ") + item;
  return whole;
}

std::vector<ListEntry> currentListEntries() { return listEntriesOf(currentListRecords()); }

std::vector<ListEntry> currentReviewEntries() { return listEntriesOf(currentListRecords(), true); }

std::filesystem::path currentListHostPath() { return hostPath(currentListFilePath()); }

std::filesystem::path listsHostFolder() { return currentListHostPath().parent_path().parent_path(); }

int newCardsPerDay() { return std::max(0, readProfileInt("Dictionary", "ReviewNewCards", 20, "win.ini")); }

namespace {

// What changes whenever a grade is appended to the log, or the log is replaced.
std::int64_t logStamp(const std::filesystem::path& log) {
  struct stat st {};
  if (::stat(log.c_str(), &st) != 0) return -1;
  return static_cast<std::int64_t>(st.st_size) ^ (static_cast<std::int64_t>(st.st_mtim.tv_nsec) << 20) ^
         (static_cast<std::int64_t>(st.st_mtim.tv_sec) << 40);
}

}  // namespace

ReviewCounts reviewCardsDue() {
  if (!store.practiceListName[0]) return {};
  const std::filesystem::path listFile = currentListHostPath();
  std::string records = currentListRecords();
  std::string cardText;
  if (readCardFileText(cardFilePath(listFile), cardText) != CardFileStatus::read) cardText.clear();
  const std::int64_t stamp = logStamp(reviewLogPath(listFile));
  CountedDeck& counted = reviewingState.counted;
  if (counted.direction != directions.currentDirection || counted.listRecords != records ||
      counted.cardText != cardText || counted.logStamp != stamp) {
    // A damaged card file is left where it is until a review opens it and says so.
    ReviewCards r;
    r.snapshot = parseCardFile(cardText, r.cards);
    if (r.snapshot.status != CardFileStatus::read) r.cards.clear();
    addReviewLog(r, listFile);
    Deck deck = buildDeck(listEntriesOf(records, true), std::move(r.cards), r.snapshot.header.ways);
    counted = {directions.currentDirection, std::move(records), std::move(cardText), stamp, std::move(deck)};
  }
  return reviewCounts(counted.deck, reviewNow(), newCardsPerDay());
}

std::string reviewCountText(const ReviewCounts& counts) {
  std::string text = std::to_string(counts.now);
  if (counts.soon > 0) text += " + " + std::to_string(counts.soon) + " " + uiTextCopy(textDueSoon);
  return text;
}

bool exportCurrentList(const std::filesystem::path& target) {
  const std::vector<ListEntry> entries = currentListEntries();
  // A tab inside a field would split it in two in the importing program.
  auto clean = [](std::string text) {
    std::replace(text.begin(), text.end(), '\t', ' ');
    return text;
  };
  return replaceFileSafely(target, [&](std::FILE* out) {
    for (const ListEntry& e : entries)
      std::fprintf(out, "%s\t%s\n", clean(e.word).c_str(), clean(e.translation).c_str());
    return std::ferror(out) == 0;
  });
}

}  // namespace zembo
