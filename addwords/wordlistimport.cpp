#include "addwords/wordlistimport.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string>
#include <unordered_set>

#include "addwords/addwords.h"
#include "directions/directions.h"
#include "exchange/apkg.h"
#include "exchange/wordlistfile.h"
#include "formats/htmltext.h"
#include "platform/asciicase.h"
#include "platform/codepage.h"
#include "store/store.h"

namespace zembo {

namespace {

bool isDeckPackage(const std::filesystem::path& file) {
  const std::string extension = asciiLowerCopy(file.extension().string());
  if (extension == ".apkg" || extension == ".colpkg") return true;
  std::ifstream in(file, std::ios::binary);
  std::array<char, 4> start{};
  return in.read(start.data(), start.size()) && std::string_view(start.data(), start.size()) == "PK\x03\x04";
}

}  // namespace

WordTable readWordTable(const std::filesystem::path& file) {
  WordTable table;
  if (isDeckPackage(file)) {
    ApkgRead deck = readApkg(file, wordListSizeLimit);
    table.rows = std::move(deck.notes);
    table.html = true;
    table.fault = deck.fault;
    table.error = std::move(deck.error);
    return table;
  }
  WordListFile list = readWordListFile(file, wordListSizeLimit);
  table.rows = std::move(list.rows);
  table.columnNames = std::move(list.columns);
  table.utf8 = list.validUtf8;
  table.html = list.html;
  table.fault = list.fault;
  table.faultLine = list.faultLine;
  table.error = std::move(list.error);
  return table;
}

namespace {

// What teachers and spreadsheets head their columns with, in the editions' languages.
constexpr const char* columnHeadings[] = {
    "word",       "words",      "term",         "translation",  "meaning",      "definition",   "front",
    "back",       "question",   "answer",       "vocabulary",   "german",       "english",      "french",
    "dutch",      "italian",    "danish",       "swedish",      "norwegian",    "russian",      "wort",
    "Wörter",     "wörter",     "Übersetzung",  "übersetzung",  "Bedeutung",    "bedeutung",    "vokabel",
    "deutsch",    "englisch",   "woord",        "vertaling",    "betekenis",    "mot",          "traduction",
    "Français",   "français",   "anglais",      "allemand",     "parola",       "traduzione",   "tedesco",
    "inglese",    "ord",        "oversættelse", "Översättning", "översättning", "oversettelse", "engelsk",
    "tysk",       "Слово",      "слово",        "Перевод",      "перевод",      "Русский",      "русский",
    "Английский", "английский", "Немецкий",     "немецкий"};

bool looksLikeHeading(std::string_view field) {
  const DictionaryDirection* d = directions.currentDirection;
  if (d && (equalNoCase(field, d->sourceName) || equalNoCase(field, d->targetName))) return true;
  return std::any_of(std::begin(columnHeadings), std::end(columnHeadings),
                     [&](const char* heading) { return equalNoCase(field, heading); });
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Anki's [sound:name] tags name files, not words.
std::string withoutSoundTags(std::string text) {
  for (std::size_t at = text.find("[sound:"); at != std::string::npos; at = text.find("[sound:", at)) {
    const std::size_t end = text.find(']', at);
    text.erase(at, end == std::string::npos ? std::string::npos : end - at + 1);
  }
  return text;
}

}  // namespace

PairChoice suggestedChoice(const WordTable& table, int codePage) {
  PairChoice choice;
  if (!table.utf8) choice.codePage = codePage;
  if (table.columnNames.empty() && !table.html && table.rows.size() > 1 && table.rows[0].size() >= 2)
    choice.headerRow = looksLikeHeading(plainField(table, table.rows[0][0], choice.codePage, false)) ||
                       looksLikeHeading(plainField(table, table.rows[0][1], choice.codePage, false));
  return choice;
}

std::string plainField(const WordTable& table, std::string_view field, int codePage, bool asParts) {
  std::string text = codePage != 0 ? toUtf8(field, codePage) : std::string(field);
  if (table.html) text = htmlToText(text);
  text = withoutSoundTags(std::move(text));
  std::string plain;
  bool pendingBlank = false;
  bool pendingBreak = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    // A no-break space is a blank to a reader, and to the word file.
    const bool noBreakSpace = c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0';
    if (isBlank(c) || noBreakSpace) {
      pendingBreak = pendingBreak || (asParts && c == '\n');
      pendingBlank = true;
      i += noBreakSpace ? 1 : 0;
      continue;
    }
    if (!plain.empty() && pendingBreak) plain += ", ";
    if (!plain.empty() && pendingBlank && !pendingBreak) plain += ' ';
    plain += c;
    pendingBlank = pendingBreak = false;
  }
  return plain;
}

namespace {

enum class RowVerdict { stored, alreadyThere, tooLong, outsideCodePage, leftOut, notWritten };

// The codes pages of the current direction's two sides.
struct SidePages {
  int word = 0;
  int translation = 0;
};

RowVerdict storeRow(const WordTable& table, const std::vector<std::string>& row, const PairChoice& choice,
                    const SidePages& pages, WordRecord& listed) {
  const auto column = [&](int n) { return n >= 0 && std::size_t(n) < row.size() ? row[n] : std::string(); };
  const std::string word = plainField(table, column(choice.wordColumn), choice.codePage, false);
  const std::string translation = plainField(table, column(choice.translationColumn), choice.codePage, true);
  if (word.empty() || translation.empty() || word.find(',') != std::string::npos) return RowVerdict::leftOut;
  std::string wordBytes, translationBytes;
  bool replaced = false;
  if (!fromUtf8WithEquivalents(word, pages.word, wordBytes, replaced) ||
      !fromUtf8WithEquivalents(translation, pages.translation, translationBytes, replaced))
    return RowVerdict::outsideCodePage;
  translationBytes = normaliseTranslation(translationBytes);
  if (translationBytes.empty()) return RowVerdict::leftOut;
  if (wordBytes.size() > wordFieldSize - 1 || translationBytes.size() > translationFieldSize - 1)
    return RowVerdict::tooLong;
  switch (storeImportedPair(wordBytes, translationBytes, listed)) {
    case PairOutcome::added:
      return RowVerdict::stored;
    case PairOutcome::alreadyThere:
      return RowVerdict::alreadyThere;
    case PairOutcome::notWritten:
      break;
  }
  return RowVerdict::notWritten;
}

// The words of the current list, each spelled as the list compares them.
std::unordered_set<std::string> listedWords() {
  std::unordered_set<std::string> words;
  WordRecord record;
  for (int i = 0; i < store.listCount; ++i)
    if (readListRecord(i, record) == 0) words.insert(asciiLowerCopy(wordOf(record)));
  return words;
}

void count(ImportCounts& counts, RowVerdict verdict) {
  if (verdict == RowVerdict::notWritten) {
    counts.notWritten = true;
    return;
  }
  // In the order of the verdicts.
  static constexpr int ImportCounts::*tally[] = {&ImportCounts::added, &ImportCounts::alreadyThere,
                                                 &ImportCounts::tooLong, &ImportCounts::outsideCodePage,
                                                 &ImportCounts::leftOut};
  ++(counts.*tally[static_cast<int>(verdict)]);
}

}  // namespace

ImportCounts importPairs(const WordTable& table, const PairChoice& choice,
                         const std::function<void(int done, int total)>& progress) {
  ImportCounts counts;
  const SidePages pages{codePageOfCharset(directions.currentDirection->sourceCharset),
                        codePageOfCharset(directions.currentDirection->targetCharset)};
  std::unordered_set<std::string> listed = listedWords();
  beginAddingWords();
  const int total = static_cast<int>(table.rows.size());
  for (int i = choice.headerRow ? 1 : 0; i < total && !counts.notWritten; ++i) {
    WordRecord record;
    const RowVerdict verdict = storeRow(table, table.rows[std::size_t(i)], choice, pages, record);
    count(counts, verdict);
    const bool inDictionary = verdict == RowVerdict::stored || verdict == RowVerdict::alreadyThere;
    // A list entry is live whatever marks the dictionary's record carries.
    record.flags = 0;
    if (inDictionary && listed.insert(asciiLowerCopy(wordOf(record))).second && appendListRecord(record) == 0)
      ++counts.listed;
    if (i % 256 == 0) progress(i, total);
  }
  progress(total, total);
  resortOnClose();
  return counts;
}

}  // namespace zembo
