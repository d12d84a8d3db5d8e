#pragma once
// What reviewing keeps beside a list file: the card file (one line per card a learner has seen:
// its word and its schedule) and the review log (one line per grade given). Both are UTF-8 text,
// tab-separated, so that a user can read them and take the history elsewhere. The card file is
// replaced safely after every grade; the log only grows.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "review/fsrs.h"

namespace zembo {

struct Card {
  std::string word;  // UTF-8, the key: the entries of a list with the same word are one card
  CardSchedule schedule;
  std::int64_t firstReview = 0;  // when the card stopped being new; 0 while it is
};

// The card file and the review log of a list file: "list\\verbs\\Fre_Eng.ls" keeps its cards in
// "list\\verbs\\Fre_Eng.cards.tsv" and its log in "list\\verbs\\Fre_Eng.log.tsv" (host paths).
std::filesystem::path cardFilePath(const std::filesystem::path& listFile);
std::filesystem::path reviewLogPath(const std::filesystem::path& listFile);

enum class CardFileStatus { read, missing, damaged, unreadable };
struct CardFileLoad {
  CardFileStatus status = CardFileStatus::read;
  int damagedLine = 0;           // the first line that could not be read
  std::filesystem::path keptAs;  // where a damaged file was moved aside
};
// Reads a card file into cards. A damaged or unreadable file is renamed aside (to NAME.damaged, or
// NAME.damaged-2 and on when that exists) so that nothing of it is lost and review starts afresh.
CardFileLoad loadCards(const std::filesystem::path& file, std::vector<Card>& cards);
// The same without moving a damaged file aside (for a look that says nothing about it).
CardFileLoad readCardFile(const std::filesystem::path& file, std::vector<Card>& cards);
// Its two halves: the bytes of a card file (read, missing or unreadable), and the cards they hold
// (read or damaged).
CardFileStatus readCardFileText(const std::filesystem::path& file, std::string& text);
CardFileLoad parseCardFile(std::string_view text, std::vector<Card>& cards);
// Writes the cards that are no longer new, through a temporary file; false when that failed (the
// old file then stays as it was).
bool saveCards(const std::filesystem::path& file, const std::vector<Card>& cards);

// One line of the log: time, word, grade, elapsed days, the state before the grade.
bool appendReviewLog(const std::filesystem::path& log, std::int64_t time, std::string_view word, int grade,
                     int elapsedDays, CardState before);

// Drops the cards whose word is no longer in the list; the file is left alone when none goes (or
// when it is damaged: the next review moves it aside with a message).
void dropCardsNotIn(const std::filesystem::path& file, const std::unordered_set<std::string>& words);

// "2026-12-09T14:03:00Z" and back; -1 when the text is no such time.
std::string formatUtcTime(std::int64_t time);
std::int64_t parseUtcTime(std::string_view text);
// The local calendar day of a time, counted from 1970-01-01: elapsed days are whole days between
// the calendar days of two reviews, as a learner counts them.
int localDay(std::int64_t time);

const char* stateName(CardState state);

}  // namespace zembo
