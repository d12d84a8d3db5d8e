#pragma once
// What reviewing keeps beside a list file: the card file (one line per card a learner has seen:
// its word, the way it asks and its schedule) and the review log (one line per grade given, see
// reviewlog.h). Both are UTF-8 text, tab-separated, so that a user can read them and take the
// history elsewhere. The log is the record; the card file is a snapshot of the cards as the log
// stood at a known size, replaced safely now and then.

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "review/fsrs.h"

namespace zembo {

// Which way a card asks: the word for its translations, or the translations for the word. Each way
// of a word is a card of its own, with its own schedule.
enum class CardWay { forward = 0, backward = 1 };
// The ways a list's cards ask, chosen per list and kept in the card file's header.
enum class ListWays { forward = 0, backward = 1, both = 2 };
const char* wayName(CardWay way);
bool listAsks(ListWays ways, CardWay way);

struct Card {
  std::string word;  // UTF-8; with the way, the key: the entries of a list with the same word are one card
  CardWay way = CardWay::forward;
  CardSchedule schedule;
  std::int64_t firstReview = 0;  // when the card stopped being new; 0 while it is
};

// The card file and the review log of a list file: "list\\verbs\\Fre_Eng.ls" keeps its cards in
// "list\\verbs\\Fre_Eng.cards.tsv" and its log in "list\\verbs\\Fre_Eng.log.tsv" (host paths).
std::filesystem::path cardFilePath(const std::filesystem::path& listFile);
std::filesystem::path reviewLogPath(const std::filesystem::path& listFile);

// read: every line was read; damaged: some lines were not, the cards of the others were;
// notAFile: a link, a pipe, a device or a folder stands under the name and is left alone;
// tooLarge: more than cardFileSizeLimit bytes, more than any list's cards could fill.
enum class CardFileStatus { read, missing, damaged, unreadable, notAFile, tooLarge };
constexpr std::size_t cardFileSizeLimit = 64 << 20;
// What the first line of a card file says: its version (1 before ways and the log's size were
// kept), the ways the list asks, and how much of the review log the snapshot holds: the log's
// size in bytes then and the id of the last review it held (empty for none).
struct CardFileHeader {
  int version = 2;
  ListWays ways = ListWays::forward;
  std::uint64_t logBytes = 0;
  std::string lastReviewId;
};
struct CardFileLoad {
  CardFileStatus status = CardFileStatus::read;
  CardFileHeader header;
  int damagedLine = 0;           // the first line that could not be read
  std::string damagedLines;      // those lines as they stood, each ended by a line feed
  std::filesystem::path keptAs;  // where the damaged lines, or a whole unreadable file, went
};
// Reads a card file into cards. Damaged lines are written to a file beside it (NAME.damaged, or
// NAME.damaged-2 and on when that exists) and the card file keeps the good ones; a file that
// cannot be read at all is renamed to that name, so that nothing is lost and review goes on. A
// name that is not a plain file is never opened for writing, only reported.
CardFileLoad loadCards(const std::filesystem::path& file, std::vector<Card>& cards);
// The same without moving anything aside (for a look that says nothing about it).
CardFileLoad readCardFile(const std::filesystem::path& file, std::vector<Card>& cards);
// Its two halves: the bytes of a card file (read, missing, unreadable, notAFile or tooLarge), and
// the cards they hold (read or damaged). The text may begin with a byte-order mark, hold blank
// lines and end its lines with CR LF.
CardFileStatus readCardFileText(const std::filesystem::path& file, std::string& text);
CardFileLoad parseCardFile(std::string_view text, std::vector<Card>& cards);
// The bytes of a plain file of the name itself from offset on (never through a link, never waiting
// on a pipe); tooLarge when it holds more than limit bytes.
CardFileStatus readPlainFile(const std::filesystem::path& file, std::uint64_t offset, std::uint64_t limit,
                             std::string& text);
// Whether a file beside a list may be opened: missing and read stand for "no file" and "a plain
// file"; notAFile for anything else under the name (a symbolic link included).
CardFileStatus besideFileKind(const std::filesystem::path& file);
// Writes the cards that are no longer new, as version 2, through a temporary file; false when that
// failed (the old file then stays as it was).
bool saveCards(const std::filesystem::path& file, const std::vector<Card>& cards, const CardFileHeader& header = {});
// One card as a line (without its line feed) and back; a line of version 1 has no way.
void appendCardLine(std::string& out, const Card& card);
bool parseCardLine(std::string_view line, Card& card, int version = 2);
// Only a plain file of the name itself, opened for appending (never through a link, never waiting
// on a pipe): a descriptor, or -1 with errno set.
int openPlainForAppend(const std::filesystem::path& file);

// "2026-12-09T14:03:00Z" and back; -1 when the text is no such time.
std::string formatUtcTime(std::int64_t time);
void appendUtcTime(std::string& out, std::int64_t time);
std::int64_t parseUtcTime(std::string_view text);
// The local calendar day of a time, counted from 1970-01-01: elapsed days are whole days between
// the calendar days of two reviews, as a learner counts them.
int localDay(std::int64_t time);

const char* stateName(CardState state);

// What the files of reviewing share: whole-field numbers, and a hash (FNV-1a) that comes out alike
// on every machine, for the seeds and ids that two computers must agree on, in 16 hex digits.
template <typename T>
bool parseNumber(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  auto [ptr, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && ptr == end;
}
std::uint64_t stableHash(std::string_view bytes, std::uint64_t hash = 0xcbf29ce484222325ULL);
std::string hex64(std::uint64_t value);

}  // namespace zembo
