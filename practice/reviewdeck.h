#pragma once
// The current list as a deck under review: its entries in UTF-8, its card file and log beside the
// list file, the day's limit of new cards and the review clock.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/wordrecord.h"
#include "review/deck.h"
#include "review/reviewlog.h"

namespace zembo {

struct DictionaryDirection;

// The deck the File menu last counted, and what it was built from. The menu opens often and the
// files rarely change in between: comparing their bytes costs a small part of building the deck.
struct CountedDeck {
  const DictionaryDirection* direction = nullptr;
  std::string listRecords;     // the list file's records as they were read
  std::string cardText;        // the card file's text; empty without one
  std::int64_t logStamp = -1;  // the review log's size and change time, mixed; -1 without one
  Deck deck;
};

struct ReviewState {
  std::int64_t clockShift = 0;  // seconds added to the system clock; tests move through days with it
  CountedDeck counted;
};
extern const ReviewState& reviewing;
void shiftReviewClock(std::int64_t seconds);
// The system clock and nothing counted, as at process start.
void resetReviewState();
std::int64_t reviewNow();

// The live entries of the current list file, converted from the direction's code pages.
std::vector<ListEntry> currentListEntries();
// The same as a review asks them: each word with every translation the current word file holds for
// it (all its records, spelled as it is), so that a card asks for the whole entry.
std::vector<ListEntry> currentReviewEntries();
std::filesystem::path currentListHostPath();
// The translations of a list entry, then every other one the current word file holds for its
// word, each once, joined by ", " (bytes of the target's code page).
std::string wholeTranslationOf(const WordRecord& entry);
// The folder that holds every list's folder (host path): the fitted schedule lives there.
std::filesystem::path listsHostFolder();
// At most this many new cards a day (win.ini "ReviewNewCards", 20 unless set).
int newCardsPerDay();
// How many cards of the current list are to be reviewed now, new ones of the day included, and
// how many learning steps come within the learn-ahead; none without a current list.
ReviewCounts reviewCardsDue();
// "3", or "0 + 2 soon" when learning steps come within the learn-ahead: the count the File menu
// and the review window show (UI text, in the edition's code page).
std::string reviewCountText(const ReviewCounts& counts);

// Writes the current list as UTF-8 text, one entry a line, word and translation separated by a tab:
// the shape flash-card programs import. The file is replaced safely; false when that failed.
bool exportCurrentList(const std::filesystem::path& target);

}  // namespace zembo
